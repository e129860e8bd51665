#include "widgets/plain_text_view.h"

#include <QAccessibleWidget>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace lirra {

namespace {

constexpr int kMargin = 2;   // pixels left of the text

// What a screen reader reads: the whole text, the selection, and where a character is.
class PlainTextViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PlainTextViewAccessible(PlainTextView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        const bool has = selectionIndex == 0 && view()->selectionEnd() > view()->selectionStart();
        *startOffset = has ? int(view()->selectionStart()) : 0;
        *endOffset = has ? int(view()->selectionEnd()) : 0;
    }
    int selectionCount() const override { return view()->selectionEnd() > view()->selectionStart() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { view()->setSelection(view()->selectionEnd(), view()->selectionEnd()); }
    void setSelection(int, int startOffset, int endOffset) override { view()->setSelection(startOffset, endOffset); }
    int cursorPosition() const override { return int(view()->selectionEnd()); }
    void setCursorPosition(int position) override { view()->setSelection(position, position); }
    QString text(int startOffset, int endOffset) const override
    {
        return view()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(view()->text().size()); }
    QRect characterRect(int offset) const override
    {
        const QRect cell = view()->characterRect(offset);
        return QRect(view()->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return int(view()->indexAt(view()->viewport()->mapFromGlobal(point)));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    PlainTextView* view() const { return static_cast<PlainTextView*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("lirra::PlainTextView") && object && object->isWidgetType())
        return new PlainTextViewAccessible(static_cast<PlainTextView*>(object));
    return nullptr;
}

} // namespace

PlainTextView::PlainTextView(QWidget* parent) : QAbstractScrollArea(parent)
{
    static const bool accessible = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(accessible);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
}

void PlainTextView::setText(const QString& text)
{
    m_text = text;
    m_lines = TextLines(m_text);
    measure();
    m_anchor = m_position = 0;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

void PlainTextView::setSelection(qsizetype anchor, qsizetype position)
{
    m_anchor = std::clamp<qsizetype>(anchor, 0, m_text.size());
    m_position = std::clamp<qsizetype>(position, 0, m_text.size());
    viewport()->update();
}

QString PlainTextView::selectedText() const { return m_text.mid(selectionStart(), selectionEnd() - selectionStart()); }

void PlainTextView::copy() const
{
    if (selectionEnd() > selectionStart())
        QGuiApplication::clipboard()->setText(selectedText());
}

int PlainTextView::lineHeight() const { return QFontMetrics(textFont()).lineSpacing(); }

QFont PlainTextView::textFont() const
{
    QFont shown = font();
    shown.setHintingPreference(QFont::PreferFullHinting);
    shown.setKerning(false);
    return shown;
}

int PlainTextView::advance(QChar c) const
{
    if (m_advances.empty())
        m_advances.assign(0x10000, -1);
    int& known = m_advances[c.unicode()];
    if (known < 0)
        known = QFontMetrics(textFont()).horizontalAdvance(c);
    return known;
}

// The widths known so far belong to the old font; the widest line is found anew.
void PlainTextView::measure()
{
    m_advances.clear();
    m_widest = m_lines.widest(m_text, advances());
    updateScrollBars();
}

QStringView PlainTextView::line(qsizetype number) const
{
    return QStringView(m_text).mid(m_lines.start(number), m_lines.length(number));
}

// The vertical bar steps by lines, the horizontal one by pixels.
void PlainTextView::updateScrollBars()
{
    const int rows = std::max(1, viewport()->height() / lineHeight());
    verticalScrollBar()->setRange(0, int(std::max<qsizetype>(0, m_lines.count() - rows)));
    verticalScrollBar()->setPageStep(rows);
    horizontalScrollBar()->setRange(0, std::max(0, kMargin * 2 + m_widest - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(advance(u'M'));
}

QRect PlainTextView::characterRect(qsizetype index) const
{
    const qsizetype number = m_lines.lineOf(index);
    const qsizetype at = index - m_lines.start(number);
    const int x = TextLines::xOf(line(number), at, advances());
    // A line end is as wide as a blank.
    const int width = at < line(number).size() ? TextLines::xOf(line(number), at + 1, advances()) - x : advance(u' ');
    return {kMargin - horizontalScrollBar()->value() + x, int(number - verticalScrollBar()->value()) * lineHeight(),
            width, lineHeight()};
}

qsizetype PlainTextView::indexAt(QPoint viewportPoint) const
{
    const qsizetype number = std::clamp<qsizetype>(verticalScrollBar()->value() + viewportPoint.y() / lineHeight(), 0,
                                                   m_lines.count() - 1);
    const int x = viewportPoint.x() + horizontalScrollBar()->value() - kMargin;
    return m_lines.start(number) + TextLines::indexAt(line(number), x, advances());
}

void PlainTextView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(textFont());
    const int height = lineHeight();
    const int left = kMargin - horizontalScrollBar()->value();
    const int ascent = QFontMetrics(textFont()).ascent();
    const qsizetype first = verticalScrollBar()->value();
    const qsizetype last = std::min(m_lines.count() - 1, first + viewport()->height() / height);
    for (qsizetype number = first; number <= last; ++number) {
        const int top = int(number - first) * height;
        const QString shown = TextLines::expandTabs(line(number));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(left, top + ascent, shown);
        // The selected part of the line, its line end as one more blank.
        const qsizetype start = m_lines.start(number);
        const qsizetype end = start + m_lines.length(number);
        const qsizetype from = std::max(selectionStart(), start);
        const qsizetype to = std::min(selectionEnd(), end);
        const bool endSelected = selectionStart() <= end && selectionEnd() > end;
        if (from >= to && !endSelected)
            continue;
        const int x0 = TextLines::xOf(line(number), from - start, advances());
        const int x1 = TextLines::xOf(line(number), to - start, advances()) + (endSelected ? advance(u' ') : 0);
        const QRect selected(left + x0, top, x1 - x0, height);
        painter.save();
        painter.setClipRect(selected);
        painter.fillRect(selected, palette().color(QPalette::Highlight));
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawText(left, top + ascent, shown);
        painter.restore();
    }
}

void PlainTextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PlainTextView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        measure();
}

void PlainTextView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::SelectAll)
        selectAll();
    else if (event == QKeySequence::Copy)
        copy();
    else if (event == QKeySequence::MoveToStartOfDocument)
        verticalScrollBar()->setValue(0);
    else if (event == QKeySequence::MoveToEndOfDocument)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    else
        QAbstractScrollArea::keyPressEvent(event);   // arrows and pages scroll
}

void PlainTextView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const qsizetype at = indexAt(event->position().toPoint());
    setSelection(event->modifiers() & Qt::ShiftModifier ? m_anchor : at, at);
}

void PlainTextView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        setSelection(m_anchor, indexAt(event->position().toPoint()));
}

} // namespace lirra
