#pragma once

// The toolkit-free half of the digital clock: the text it shows for a time of day,
// which characters of that text change between two ticks, and where each character
// sits. Kept apart from the widget so that it can be checked without painting.

#include <QChar>
#include <QRect>
#include <QString>
#include <QTime>

class QLocale;

namespace lirra {

// The shown text: the digit part (hours, separators, minutes, seconds), one cell per
// character, and the suffix (" AM" / " PM" in twelve-hour mode, else empty).
struct ClockText {
    QString digits;
    QString suffix;
};

// A run of digit cells that must be redrawn; `full` asks for the whole control.
struct ClockChange {
    bool full = false;
    int firstCell = 0;
    int cellCount = 0;
};

class ClockFace {
public:
    bool showSeconds = true;
    bool twelveHour = false;
    bool leadingZero = true;
    QChar separator = u':';
    QString amText = QStringLiteral("AM");
    QString pmText = QStringLiteral("PM");

    // Separator and designators of `locale`; ':' when its time format has no usable one.
    void useLocale(const QLocale& locale);

    ClockText text(QTime time) const;
    // Hour changed: everything (the suffix and the digit count may change with it).
    // Otherwise the minutes cells and/or the seconds cells, as one run.
    ClockChange change(QTime before, QTime after) const;
};

// Cell geometry of one text inside the drawing area: every digit-part character in a
// cell as wide as "8", digit part plus suffix centred horizontally, the line centred
// vertically.
class ClockLayout {
public:
    ClockLayout(QRect area, int cellWidth, int lineHeight, int cellCount, int suffixWidth);

    QRect cells(int first, int count = 1) const;
    QRect suffix() const;

private:
    QPoint m_origin;
    int m_cellWidth;
    int m_lineHeight;
    int m_cellCount;
    int m_suffixWidth;
};

} // namespace lirra
