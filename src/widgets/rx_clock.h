#pragma once

// TRxClock: the status line's digital clock. It shows the time of day and keeps it
// current by itself, redrawing only the cells whose digits changed.

#include "widgets/bevel.h"
#include "widgets/clock_face.h"

#include <QColor>
#include <QTime>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace lirra {

class TRxClock : public QWidget {
    Q_OBJECT
public:
    using TimeSource = std::function<QTime()>;

    explicit TRxClock(QWidget* parent = nullptr);

    bool showSeconds() const { return m_face.showSeconds; }
    void setShowSeconds(bool on);
    bool twelveHour() const { return m_face.twelveHour; }
    void setTwelveHour(bool on);
    bool leadingZero() const { return m_face.leadingZero; }
    void setLeadingZero(bool on);

    TBevelCut bevelInner() const { return m_bevelInner; }
    void setBevelInner(TBevelCut cut);
    TBevelCut bevelOuter() const { return m_bevelOuter; }
    void setBevelOuter(TBevelCut cut);
    int bevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width);

    // Background and text colours; until set they follow the palette's button face and
    // window text. The font is QWidget::font().
    QColor color() const;
    void setColor(const QColor& color);
    QColor fontColor() const;
    void setFontColor(const QColor& color);

    // Where the time comes from; an empty function means the system's local time.
    void setTimeSource(TimeSource source);

    // The time and text the control shows now, and where its characters sit.
    QTime shownTime() const { return m_shown; }
    ClockText shownText() const { return m_face.text(m_shown); }
    ClockLayout cellLayout() const;

public slots:
    // Reads the time and invalidates what changed since the last tick. The timer calls
    // it every 450 ms; calling it directly refreshes at once.
    void tick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setFaceOption(bool ClockFace::*option, bool on);
    void setBevel(TBevelCut& bevel, TBevelCut cut);
    QTime now() const;
    void announceTime();
    QRect drawingArea() const;

    ClockFace m_face;
    TBevelCut m_bevelInner = TBevelCut::bvLowered;
    TBevelCut m_bevelOuter = TBevelCut::bvRaised;
    int m_bevelWidth = 1;
    QColor m_color;
    QColor m_fontColor;
    TimeSource m_timeSource;
    QTime m_shown;
    QTimer m_timer;
};

} // namespace lirra
