#include "book_view_fixture.h"
#include "qt_printers.h"

#include <QAccessible>
#include <functional>
#include <tuple>

namespace {

class BookViewAccessibleTest : public BookViewFixture {
protected:
    // The events the view sends, instead of the bus, told as text.
    void SetUp() override
    {
        lirra::setAccessibleEventSink([this](QAccessibleEvent& event) {
            EXPECT_EQ(event.object(), &view);
            QString heard = QStringLiteral("event %1").arg(event.type());
            if (event.type() == QAccessible::TextCaretMoved)
                heard = QStringLiteral("caret %1").arg(static_cast<QAccessibleTextCursorEvent&>(event).cursorPosition());
            else if (const auto* selection = dynamic_cast<QAccessibleTextSelectionEvent*>(&event))
                heard = QStringLiteral("selection %1 %2").arg(selection->selectionStart()).arg(selection->selectionEnd());
            else if (const auto* update = dynamic_cast<QAccessibleTextUpdateEvent*>(&event))
                heard = QStringLiteral("update %1 '%2' '%3'")
                            .arg(update->changePosition()).arg(update->textRemoved(), update->textInserted());
            else if (event.type() == QAccessible::DescriptionChanged)
                heard = QStringLiteral("description");
            heardEvents.push_back(heard);
        });
    }
    void TearDown() override { lirra::setAccessibleEventSink(nullptr); }

    // What `call` made the view tell.
    QStringList during(const std::function<void()>& call)
    {
        heardEvents.clear();
        call();
        return heardEvents;
    }

    QAccessibleInterface* book() { return QAccessible::queryAccessibleInterface(&view); }
    QAccessibleTextInterface* text() { return book()->textInterface(); }

    QStringList heardEvents;
};

// Read-only text described by its line count and read by line, word and character; caret and
// selection both ways, their changes told; character rectangles and points agree.
TEST_F(BookViewAccessibleTest, ReadTextCaretSelectionTheirChangesAndCharacterPlaces)
{
    // 0 "line 0" 6 CR LF | 8 "line 1" 14 CR LF | 16 "line 2" 22 CR LF | 24
    load("line 0\r\nline 1\r\nline 2\r\n");
    ASSERT_NE(book(), nullptr);
    EXPECT_TRUE(book()->state().readOnly && book()->state().multiLine);
    EXPECT_EQ(book()->text(QAccessible::Description), QStringLiteral("3 lines"));
    EXPECT_EQ(book()->text(QAccessible::Value), QString());   // never the whole book
    EXPECT_EQ(book()->editableTextInterface(), nullptr);
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->characterCount(), 24);
    EXPECT_EQ(text()->text(8, 14), QStringLiteral("line 1"));
    EXPECT_EQ(text()->text(19, 1000), QStringLiteral("e 2\r\n"));

    int start = -1, end = -1;
    EXPECT_EQ(text()->textAtOffset(10, QAccessible::LineBoundary, &start, &end), QStringLiteral("line 1\r\n"));
    EXPECT_EQ(std::pair(start, end), std::pair(8, 16));
    EXPECT_EQ(text()->textBeforeOffset(10, QAccessible::LineBoundary, &start, &end), QStringLiteral("line 0\r\n"));
    EXPECT_EQ(text()->textAfterOffset(18, QAccessible::LineBoundary, &start, &end), QString());
    EXPECT_EQ(start, 24);
    EXPECT_EQ(text()->textAtOffset(9, QAccessible::WordBoundary, &start, &end), QStringLiteral("line"));
    EXPECT_EQ(text()->textAtOffset(13, QAccessible::CharBoundary, &start, &end), QStringLiteral("1"));
    EXPECT_EQ(std::pair(start, end), std::pair(13, 14));
    EXPECT_EQ(text()->textAtOffset(13, QAccessible::ParagraphBoundary, &start, &end), QStringLiteral("line 1\r\n"));

    view.reanchorLine(2);
    EXPECT_EQ(std::pair(text()->cursorPosition(), text()->selectionCount()), std::pair(22, 0));
    view.setSelection(3, 7);
    text()->selection(0, &start, &end);
    // One selection; the caret at the end it grows at.
    EXPECT_EQ(std::tuple(text()->selectionCount(), start, end, text()->cursorPosition()), std::tuple(1, 3, 10, 10));
    text()->setSelection(0, 16, 11);            // anchor at 16, caret at 11
    EXPECT_EQ(std::pair(view.selectionStart(), view.selectionLength()), (std::pair<std::int64_t, std::int64_t>(11, 5)));
    EXPECT_EQ(text()->cursorPosition(), 11);
    text()->removeSelection(0);
    EXPECT_EQ(std::pair(view.selectionLength(), view.caretPosition()), (std::pair<std::int64_t, std::int64_t>(0, 11)));
    text()->setCursorPosition(20);
    EXPECT_EQ(view.caretPosition(), 20);

    // The view tells caret, selection, text and line count changes.
    EXPECT_EQ(during([&] {
                  view.reanchorLine(1);
                  view.setSelection(2, 3);
                  view.setSelection(5, 0);   // the selection ends where the caret was
                  view.setSelection(6, 0);   // nothing was selected, nothing is
              }),
              QStringList({"caret 14", "caret 5", "selection 2 5", "selection 5 5", "caret 6"}));
    EXPECT_EQ(during([&] {
                  view.replaceLine(1, QStringLiteral("line one"));
                  view.replaceLine(1, QStringLiteral("line one"));   // the same text: no change to tell
              }),
              QStringList({"caret 16", "update 8 'line 1' 'line one'"}));
    EXPECT_EQ(during([&] { load("a\r\nb\r\n"); }),   // a new book is told without its text
              QStringList({"caret 0", "description", "update 0 '' ''"}));

    // With word wrap a line is a row on screen; switching it tells the new line count.
    load("first " + std::string(100, 'w') + "\r\nnext\r\n");
    show();
    EXPECT_EQ(during([&] { view.setWordWrap(true); }), QStringList{"description"});
    ASSERT_GT(view.lineCount(), 3);
    const int second = int(view.lineIndex(1));
    EXPECT_EQ(text()->textAtOffset(second + 1, QAccessible::LineBoundary, &start, &end), view.lineText(1));
    EXPECT_EQ(start, second);
    EXPECT_EQ(book()->text(QAccessible::Description), QStringLiteral("%1 lines").arg(view.lineCount()));
    EXPECT_EQ(during([&] { view.setWordWrap(false); }), QStringList{"description"});
    load("just one");
    EXPECT_EQ(book()->text(QAccessible::Description), QStringLiteral("1 line"));

    load(numberedLines(100, "line", 0));
    for (const int offset : {0, 3, 9, 30}) {
        const QRect box = text()->characterRect(offset);
        ASSERT_FALSE(box.isEmpty()) << offset;
        EXPECT_TRUE(view.viewport()->rect().contains(view.viewport()->mapFromGlobal(box.center())));
        EXPECT_EQ(text()->offsetAtPoint(box.center()), offset);
    }
    EXPECT_EQ(text()->offsetAtPoint(view.viewport()->mapToGlobal(QPoint(-5, 5))), -1);
    const int far = int(view.lineIndex(80));
    text()->scrollToSubstring(far, far + 4);
    EXPECT_TRUE(view.firstVisibleLine() <= 80 && view.firstVisibleLine() + view.document().visibleLines() > 80);
    EXPECT_EQ(text()->offsetAtPoint(text()->characterRect(far).center()), far);
    EXPECT_EQ(view.caretPosition(), 0);   // scrolling leaves the caret
}

} // namespace
