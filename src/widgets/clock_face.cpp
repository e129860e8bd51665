#include "widgets/clock_face.h"

#include <QLocale>

namespace lirra {

namespace {

// The character that follows the hour in a locale's time format ("HH:mm", "H.mm").
// Formats that put words, blanks or quoted text there ("HH 'h' mm") give none.
QChar separatorOf(const QString& format)
{
    const auto isHour = [](QChar c) { return c == u'h' || c == u'H'; };
    int i = 0;
    while (i < format.size() && !isHour(format[i]))
        ++i;
    while (i < format.size() && isHour(format[i]))
        ++i;
    if (i == format.size())
        return u':';
    const QChar c = format[i];
    return (c.isPunct() || c.isSymbol()) && c != u'\'' ? c : QChar(u':');
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

void ClockFace::useLocale(const QLocale& locale)
{
    separator = separatorOf(locale.timeFormat(QLocale::ShortFormat));
    amText = locale.amText().isEmpty() ? QStringLiteral("AM") : locale.amText();
    pmText = locale.pmText().isEmpty() ? QStringLiteral("PM") : locale.pmText();
}

ClockText ClockFace::text(QTime time) const
{
    int hour = time.hour();
    if (twelveHour)
        hour = hour % 12 == 0 ? 12 : hour % 12;
    ClockText t;
    t.digits = (leadingZero ? twoDigits(hour) : QString::number(hour)) + separator
               + twoDigits(time.minute());
    if (showSeconds)
        t.digits += separator + twoDigits(time.second());
    if (twelveHour)
        t.suffix = u' ' + (time.hour() < 12 ? amText : pmText);
    return t;
}

ClockChange ClockFace::change(QTime before, QTime after) const
{
    if (before.hour() != after.hour())
        return {.full = true};
    const QString digits = text(after).digits;
    const int minutes = digits.indexOf(separator) + 1;
    if (before.minute() != after.minute()) // the minutes and, behind them, the seconds
        return {.firstCell = minutes, .cellCount = int(digits.size()) - minutes};
    if (showSeconds && before.second() != after.second())
        return {.firstCell = int(digits.size()) - 2, .cellCount = 2};
    return {};
}

ClockLayout::ClockLayout(QRect area, int cellWidth, int lineHeight, int cellCount, int suffixWidth)
    : m_cellWidth(cellWidth), m_lineHeight(lineHeight), m_cellCount(cellCount),
      m_suffixWidth(suffixWidth)
{
    const int width = cellCount * cellWidth + suffixWidth;
    m_origin = {area.left() + (area.width() - width) / 2,
                area.top() + (area.height() - lineHeight) / 2};
}

QRect ClockLayout::cells(int first, int count) const
{
    return {m_origin.x() + first * m_cellWidth, m_origin.y(), count * m_cellWidth, m_lineHeight};
}

QRect ClockLayout::suffix() const
{
    return {m_origin.x() + m_cellCount * m_cellWidth, m_origin.y(), m_suffixWidth, m_lineHeight};
}

} // namespace lirra
