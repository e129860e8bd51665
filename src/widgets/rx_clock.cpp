#include "widgets/rx_clock.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace lirra {

namespace {
constexpr int kTickInterval = 450; // milliseconds
} // namespace

TRxClock::TRxClock(QWidget* parent) : QWidget(parent)
{
    m_face.useLocale(locale());
    m_shown = now();
    // A tick only reads the time and invalidates a few cells, and the painting has to
    // happen on the GUI thread anyway, so a timer of the GUI thread's own event loop is
    // all it needs: no thread of its own, no locking.
    connect(&m_timer, &QTimer::timeout, this, &TRxClock::tick);
    m_timer.start(kTickInterval);
    announceTime();
}

void TRxClock::setFaceOption(bool ClockFace::*option, bool on)
{
    if (m_face.*option == on)
        return;
    m_face.*option = on;
    update();
}

void TRxClock::setShowSeconds(bool on) { setFaceOption(&ClockFace::showSeconds, on); }
void TRxClock::setTwelveHour(bool on) { setFaceOption(&ClockFace::twelveHour, on); }
void TRxClock::setLeadingZero(bool on) { setFaceOption(&ClockFace::leadingZero, on); }

void TRxClock::setBevel(TBevelCut& bevel, TBevelCut cut)
{
    bevel = cut;
    update();
}

void TRxClock::setBevelInner(TBevelCut cut) { setBevel(m_bevelInner, cut); }
void TRxClock::setBevelOuter(TBevelCut cut) { setBevel(m_bevelOuter, cut); }

void TRxClock::setBevelWidth(int width)
{
    m_bevelWidth = std::max(1, width);
    update();
}

QColor TRxClock::color() const
{
    return m_color.isValid() ? m_color : palette().color(QPalette::Button);
}

QColor TRxClock::fontColor() const
{
    return m_fontColor.isValid() ? m_fontColor : palette().color(QPalette::WindowText);
}

void TRxClock::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void TRxClock::setFontColor(const QColor& color)
{
    m_fontColor = color;
    update();
}

void TRxClock::setTimeSource(TimeSource source)
{
    m_timeSource = std::move(source);
    m_shown = now();
    announceTime();
    update();
}

QTime TRxClock::now() const
{
    return m_timeSource ? m_timeSource() : QTime::currentTime();
}

void TRxClock::tick()
{
    const QTime time = now();
    const ClockChange change = m_face.change(m_shown, time);
    m_shown = time;
    if (change.full)
        update();
    else if (change.cellCount > 0)
        update(cellLayout().cells(change.firstCell, change.cellCount));
    if (change.full || change.cellCount > 0)
        announceTime();
}

// A screen reader reads the time the clock shows as its name.
void TRxClock::announceTime()
{
    const ClockText text = shownText();
    setAccessibleName(text.digits + text.suffix);
}

QRect TRxClock::drawingArea() const
{
    const int bevels = (m_bevelInner != TBevelCut::bvNone) + (m_bevelOuter != TBevelCut::bvNone);
    const int inset = bevels * m_bevelWidth;
    return rect().adjusted(inset, inset, -inset, -inset);
}

ClockLayout TRxClock::cellLayout() const
{
    const QFontMetrics metrics(font());
    return ClockLayout(drawingArea(), metrics.horizontalAdvance(u'8'), metrics.height(),
                       int(shownText().digits.size()),
                       metrics.horizontalAdvance(shownText().suffix));
}

// Paints everything; on a partial update Qt clips this to the invalidated cells, which
// are thereby cleared with the background before their digits are drawn.
void TRxClock::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color());
    QRect frame = rect();
    drawBevel(painter, frame, m_bevelOuter, m_bevelWidth, palette());
    drawBevel(painter, frame, m_bevelInner, m_bevelWidth, palette());

    painter.setFont(font());
    painter.setPen(fontColor());
    const ClockText text = shownText();
    const ClockLayout cells = cellLayout();
    for (int i = 0; i < text.digits.size(); ++i)
        painter.drawText(cells.cells(i), Qt::AlignCenter, QString(text.digits[i]));
    painter.drawText(cells.suffix(), Qt::AlignCenter, text.suffix);
}

void TRxClock::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange) {
        m_face.useLocale(locale());
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace lirra
