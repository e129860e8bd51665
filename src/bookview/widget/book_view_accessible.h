#pragma once

// The book view on the accessibility bus: a read-only, multi-line text object named by
// the widget's accessible name (the main window gives it the open book's name), with
// the line count as its description ("12 lines"). No answer walks the whole book: each
// reads the one character, word, line or range it is asked for.

#include "bookview/core/book_document.h"
#include "bookview/core/text_units.h"

#include <QAccessibleWidget>
#include <QString>
#include <cstdint>
#include <functional>

namespace lirra {

class TBookView;

class TBookViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TBookViewAccessible(TBookView* view);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // --- QAccessibleTextInterface ------------------------------------------------------
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    TBookView* view() const;
    const BookDocument& document() const;
    QString rangeText(TextRange range, int* startOffset, int* endOffset) const;
};

// Makes every TBookView answer with a TBookViewAccessible. The view's constructor calls
// it; the factory is installed once.
void installBookViewAccessibility();

// Where the view's accessibility events go: the bus (QAccessible::updateAccessibility)
// while assistive technology listens, or a sink of the tests' own. Returns the sink
// that was set before; an empty one puts the bus back.
using AccessibleEventSink = std::function<void(QAccessibleEvent&)>;
AccessibleEventSink setAccessibleEventSink(AccessibleEventSink sink);

// What the view tells the bus when its text, caret, selection or line count change.
// Events are only built while someone listens.
class AccessibleNotifier {
public:
    explicit AccessibleNotifier(QObject* view) : m_view(view) {}

    static bool listening();
    void caretMoved(const BookDocument& document);
    void lineCountIs(std::int64_t lines);
    // `removed` replaced by `inserted` at `start`. A whole new book is told as a change
    // at 0 without its texts: they may be a hundred megabytes.
    void textReplaced(std::int64_t start, const QString& removed, const QString& inserted);

private:
    QObject* m_view;
    std::int64_t m_caret = 0;
    bool m_selected = false;
    std::int64_t m_lines = 0;
};

} // namespace lirra
