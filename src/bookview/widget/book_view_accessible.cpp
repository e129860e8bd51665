#include "bookview/widget/book_view_accessible.h"

#include "bookview/widget/book_view.h"

#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <utility>

namespace lirra {
namespace {

int toOffset(std::int64_t index) { return int(std::clamp<std::int64_t>(index, 0, INT_MAX)); }

TextUnit unitOf(QAccessible::TextBoundaryType boundary)
{
    switch (boundary) {
    case QAccessible::CharBoundary: return TextUnit::Character;
    case QAccessible::WordBoundary: return TextUnit::Word;
    case QAccessible::LineBoundary: return TextUnit::Line;
    // A book's sentences are not told apart; its paragraph is the nearest unit that is.
    case QAccessible::SentenceBoundary:
    case QAccessible::ParagraphBoundary: return TextUnit::Paragraph;
    case QAccessible::NoBoundary: break;
    }
    return TextUnit::Whole;
}

AccessibleEventSink& eventSink()
{
    static AccessibleEventSink sink;
    return sink;
}

void send(QAccessibleEvent&& event)
{
    if (eventSink())
        eventSink()(event);
    else
        QAccessible::updateAccessibility(&event);
}

QAccessibleInterface* bookViewFactory(const QString&, QObject* object)
{
    if (auto* view = qobject_cast<TBookView*>(object))
        return new TBookViewAccessible(view);
    return nullptr;
}

} // namespace

void installBookViewAccessibility()
{
    [[maybe_unused]] static const bool kInstalled = [] {
        QAccessible::installFactory(bookViewFactory);
        return true;
    }();
}

TBookViewAccessible::TBookViewAccessible(TBookView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

TBookView* TBookViewAccessible::view() const { return static_cast<TBookView*>(widget()); }

const BookDocument& TBookViewAccessible::document() const { return view()->m_document; }

QAccessible::State TBookViewAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QString TBookViewAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Description)
        return QAccessibleWidget::text(t);
    // Lines counted on a first page would be a wrong figure.
    if (!view()->holdsWholeText())
        return QStringLiteral("loading");
    const std::int64_t lines = document().lineCount();
    return lines == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(lines);
}

void* TBookViewAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

// --- selection and caret ------------------------------------------------------------------

void TBookViewAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || selectionCount() == 0)
        return;
    const std::int64_t start = document().selectionStart();
    *startOffset = toOffset(start);
    *endOffset = toOffset(start + document().selectionLength());
}

int TBookViewAccessible::selectionCount() const { return document().selectionLength() > 0 ? 1 : 0; }

void TBookViewAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void TBookViewAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        view()->setSelection(document().caret(), 0);
}

void TBookViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        view()->setSelection(startOffset, std::int64_t(endOffset) - startOffset);
}

int TBookViewAccessible::cursorPosition() const { return toOffset(document().caret()); }

void TBookViewAccessible::setCursorPosition(int position) { view()->setSelection(position, 0); }

// --- text -----------------------------------------------------------------------------------

int TBookViewAccessible::characterCount() const { return toOffset(document().length()); }

QString TBookViewAccessible::text(int startOffset, int endOffset) const
{
    return QString::fromStdU16String(document().text(startOffset, std::int64_t(endOffset) - startOffset));
}

QString TBookViewAccessible::rangeText(TextRange range, int* startOffset, int* endOffset) const
{
    *startOffset = toOffset(range.start);
    *endOffset = toOffset(range.end);
    return text(*startOffset, *endOffset);
}

QString TBookViewAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int* startOffset, int* endOffset) const
{
    return rangeText(unitAt(document().layout(), unitOf(boundaryType), offset), startOffset, endOffset);
}

QString TBookViewAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                              int* startOffset, int* endOffset) const
{
    return rangeText(unitBefore(document().layout(), unitOf(boundaryType), offset), startOffset, endOffset);
}

QString TBookViewAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const
{
    return rangeText(unitAfter(document().layout(), unitOf(boundaryType), offset), startOffset, endOffset);
}

QString TBookViewAccessible::attributes(int, int* startOffset, int* endOffset) const
{
    // No attributes are told, the same for the whole text.
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

// --- geometry -------------------------------------------------------------------------------

QRect TBookViewAccessible::characterRect(int offset) const
{
    const BookDocument& book = document();
    if (offset < 0 || offset >= book.length())
        return QRect();
    const TBookView& bookView = *view();
    const BookRenderer rows = bookView.renderer();
    const std::int64_t row = book.lineFromChar(offset);
    const std::int64_t left = rows.xOf(row, offset);
    // A line break has no width of its own; it shows as a blank when selected.
    const std::int64_t right = std::max(rows.xOf(row, offset + 1), left + bookView.m_fonts.base().advance(u' '));
    const int rowHeight = bookView.m_fonts.rowHeight();
    const std::int64_t x = left - bookView.horizontalScrollBar()->value();
    const std::int64_t y = (row - book.topLine()) * rowHeight;
    const QPoint topLeft(int(std::clamp<std::int64_t>(x, INT_MIN / 2, INT_MAX / 2)),
                         int(std::clamp<std::int64_t>(y, INT_MIN / 2, INT_MAX / 2)));
    return QRect(bookView.viewport()->mapToGlobal(topLeft), QSize(int(right - left), rowHeight));
}

int TBookViewAccessible::offsetAtPoint(const QPoint& point) const
{
    const QWidget* viewport = view()->viewport();
    const QPoint local = viewport->mapFromGlobal(point);
    return viewport->rect().contains(local) ? toOffset(view()->charAtPoint(local)) : -1;
}

void TBookViewAccessible::scrollToSubstring(int startIndex, int) { view()->ensureVisible(startIndex); }

// --- notifications ----------------------------------------------------------------------------

AccessibleEventSink setAccessibleEventSink(AccessibleEventSink sink)
{
    return std::exchange(eventSink(), std::move(sink));
}

bool AccessibleNotifier::listening() { return eventSink() || QAccessible::isActive(); }

void AccessibleNotifier::caretMoved(const BookDocument& document)
{
    const std::int64_t caret = document.caret();
    const bool selected = document.selectionLength() > 0;
    const bool caretEvent = caret != m_caret;
    const bool selectionEvent = selected || m_selected;   // an empty selection staying empty is no news
    m_caret = caret;
    m_selected = selected;
    if (!listening())
        return;
    if (caretEvent)
        send(QAccessibleTextCursorEvent(m_view, toOffset(caret)));
    if (selectionEvent) {
        const std::int64_t start = document.selectionStart();
        send(QAccessibleTextSelectionEvent(m_view, toOffset(start), toOffset(start + document.selectionLength())));
    }
}

void AccessibleNotifier::lineCountIs(std::int64_t lines)
{
    if (lines == m_lines)
        return;
    m_lines = lines;
    if (!listening())
        return;
    send(QAccessibleEvent(m_view, QAccessible::DescriptionChanged));
}

void AccessibleNotifier::textReplaced(std::int64_t start, const QString& removed, const QString& inserted)
{
    if (!listening())
        return;
    send(QAccessibleTextUpdateEvent(m_view, toOffset(start), removed, inserted));
}

} // namespace lirra
