#pragma once

// TSecretPanel: a panel that, while active, scrolls its lines through its client area
// one pixel per timer tick; inactive, it is a plain filled panel. Each step is drawn into
// an off-screen image of the text area, which the panel then shows. Widgets are painted
// on the GUI thread only, so the steps run there, from a timer of the GUI thread.

#include "widgets/bevel.h"
#include "widgets/credits_roll.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

namespace lirra {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TSecretPanel : public QWidget {
    Q_OBJECT
public:
    // Paints the background of `area` instead of the plain fill with color().
    using PaintClient = std::function<void(QPainter& painter, const QRect& area)>;

    explicit TSecretPanel(QWidget* parent = nullptr);
    ~TSecretPanel() override;

    bool active() const { return m_roll.has_value(); }
    // On: scrolling starts from the beginning and the visible child controls are hidden;
    // off: scrolling stops and they are shown again. Setting the current value does nothing.
    void setActive(bool on);

    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    bool cycled() const { return m_cycled; }
    void setCycled(bool on) { m_cycled = on; }
    int interval() const { return m_timer.interval(); }
    void setInterval(int milliseconds) { m_timer.setInterval(milliseconds); }
    const QStringList& lines() const { return m_lines; }
    void setLines(const QStringList& lines);   // restarts the scrolling while active
    TScrollDirection scrollDirection() const { return m_direction; }
    void setScrollDirection(TScrollDirection direction);
    TBevelCut textStyle() const { return m_textStyle; }
    void setTextStyle(TBevelCut style);
    const QPixmap& glyph() const { return m_glyph; }
    void setGlyph(const QPixmap& glyph);
    TGlyphLayout glyphLayout() const { return m_glyphLayout; }
    void setGlyphLayout(TGlyphLayout layout);

    TBevelCut bevelOuter() const { return m_bevelOuter; }
    void setBevelOuter(TBevelCut cut);
    TBevelCut bevelInner() const { return m_bevelInner; }
    void setBevelInner(TBevelCut cut);
    int bevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);

    // Background and text colours; until set they follow the palette's button face and
    // window text. The font is QWidget::font().
    QColor color() const;
    void setColor(const QColor& color);
    QColor fontColor() const;
    void setFontColor(const QColor& color);
    void setOnPaintClient(PaintClient paint);

    // Where the text moves (the glyph, if any, left out), the line height, the scroll
    // position and its end while active, and the image of the last step.
    QRect textRect() const;
    int lineHeight() const;
    int scrollCounter() const { return m_roll ? m_roll->counter() : 0; }
    int maxScroll() const { return m_roll ? m_roll->maxScroll() : 0; }
    const QImage& stepImage() const { return m_image; }

public slots:
    // One step: the text one pixel on, or from the start again when cycled; a text that
    // has run out and is not cycled turns the panel off. The timer calls it every
    // interval() milliseconds.
    void tick();

signals:
    void startPlay();
    void stopPlay();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect clientTextRect() const;
    GlyphSplit layoutWithGlyph() const;
    void prepare();
    void prepareIfActive();
    void drawStep();
    void paintBackground(QPainter& painter, const QRect& area) const;
    void hideChildren();
    void showHiddenChildren();

    QStringList m_lines;
    TAlignment m_alignment = TAlignment::taCenter;
    bool m_cycled = false;
    TScrollDirection m_direction = TScrollDirection::sdVertical;
    TBevelCut m_textStyle = TBevelCut::bvNone;
    QPixmap m_glyph;
    TGlyphLayout m_glyphLayout = TGlyphLayout::glGlyphLeft;
    TBevelCut m_bevelOuter = TBevelCut::bvLowered;
    TBevelCut m_bevelInner = TBevelCut::bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    QColor m_color;
    QColor m_fontColor;
    PaintClient m_paintClient;

    std::optional<CreditsRoll> m_roll;   // exists exactly while active
    QImage m_image;
    QTimer m_timer;
    QList<QPointer<QWidget>> m_hidden;
};

} // namespace lirra
