#include "bookview/widget/book_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

using lirra::TBookView;

namespace {

// One event the view sent, with what it carried.
struct Heard {
    QAccessible::Event type;
    int first = -1;     // caret, selection start or change position
    int second = -1;    // selection end
    QString removed{};
    QString inserted{};
    bool operator==(const Heard&) const = default;
};

void PrintTo(const Heard& heard, std::ostream* out)
{
    *out << std::hex << heard.type << std::dec << " " << heard.first << " " << heard.second << " '"
         << heard.removed.toStdString() << "' '" << heard.inserted.toStdString() << "'";
}

class BookViewAccessibleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_view.resize(400, 300);
    }

    void load(const std::string& text)
    {
        const QString path = m_dir.filePath(QStringLiteral("book.txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.data(), qint64(text.size()));
        file.close();
        m_view.loadFile(path.toStdString());
    }

    void show()
    {
        m_view.show();
        QApplication::setActiveWindow(&m_view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_view));
    }

    QAccessibleInterface* book() { return QAccessible::queryAccessibleInterface(&m_view); }
    QAccessibleTextInterface* text() { return book()->textInterface(); }

    // The events the view sends from now on, instead of the bus.
    std::vector<Heard>& listen()
    {
        lirra::setAccessibleEventSink([this](QAccessibleEvent& event) {
            EXPECT_EQ(event.object(), &m_view);
            Heard heard{event.type()};
            if (event.type() == QAccessible::TextCaretMoved) {
                heard.first = static_cast<QAccessibleTextCursorEvent&>(event).cursorPosition();
            } else if (event.type() == QAccessible::TextSelectionChanged) {
                const auto& selection = static_cast<QAccessibleTextSelectionEvent&>(event);
                heard = {event.type(), selection.selectionStart(), selection.selectionEnd()};
            } else if (event.type() == QAccessible::TextUpdated) {
                const auto& update = static_cast<QAccessibleTextUpdateEvent&>(event);
                heard = {event.type(), update.changePosition(), -1, update.textRemoved(), update.textInserted()};
            }
            m_heard.push_back(heard);
        });
        return m_heard;
    }

    void TearDown() override { lirra::setAccessibleEventSink(nullptr); }

    QTemporaryDir m_dir;
    TBookView m_view;
    std::vector<Heard> m_heard;
};

// 0 "line 0" 6 CR LF | 8 "line 1" 14 CR LF | 16 "line 2" 22 CR LF | 24
const std::string kThreeLines = "line 0\r\nline 1\r\nline 2\r\n";

TEST_F(BookViewAccessibleTest, ReadOnlyTextNamedAfterTheBookWithItsLineCount)
{
    load(kThreeLines);
    m_view.setAccessibleName(QStringLiteral("C:\\books\\three.txt"));
    ASSERT_NE(book(), nullptr);
    EXPECT_EQ(book()->role(), QAccessible::EditableText);
    EXPECT_TRUE(book()->state().readOnly);
    EXPECT_TRUE(book()->state().multiLine);
    EXPECT_EQ(book()->text(QAccessible::Name), QStringLiteral("C:\\books\\three.txt"));
    EXPECT_EQ(book()->text(QAccessible::Description), QStringLiteral("3 lines"));
    EXPECT_EQ(book()->text(QAccessible::Value), QString());   // never the whole book
    EXPECT_EQ(book()->editableTextInterface(), nullptr);
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->characterCount(), 24);
    EXPECT_EQ(text()->text(8, 14), QStringLiteral("line 1"));
    EXPECT_EQ(text()->text(19, 1000), QStringLiteral("e 2\r\n"));

    load("just one");
    EXPECT_EQ(book()->text(QAccessible::Description), QStringLiteral("1 line"));
}

TEST_F(BookViewAccessibleTest, TextByLineWordAndCharacter)
{
    load(kThreeLines);
    int start = -1;
    int end = -1;
    EXPECT_EQ(text()->textAtOffset(10, QAccessible::LineBoundary, &start, &end), QStringLiteral("line 1\r\n"));
    EXPECT_EQ(start, 8);
    EXPECT_EQ(end, 16);
    EXPECT_EQ(text()->textBeforeOffset(10, QAccessible::LineBoundary, &start, &end), QStringLiteral("line 0\r\n"));
    EXPECT_EQ(text()->textAfterOffset(10, QAccessible::LineBoundary, &start, &end), QStringLiteral("line 2\r\n"));
    EXPECT_EQ(start, 16);
    EXPECT_EQ(text()->textAfterOffset(18, QAccessible::LineBoundary, &start, &end), QString());
    EXPECT_EQ(start, 24);
    EXPECT_EQ(text()->textAtOffset(9, QAccessible::WordBoundary, &start, &end), QStringLiteral("line"));
    EXPECT_EQ(text()->textAfterOffset(9, QAccessible::WordBoundary, &start, &end), QStringLiteral(" "));
    EXPECT_EQ(text()->textAtOffset(13, QAccessible::CharBoundary, &start, &end), QStringLiteral("1"));
    EXPECT_EQ(start, 13);
    EXPECT_EQ(text()->textAtOffset(13, QAccessible::ParagraphBoundary, &start, &end), QStringLiteral("line 1\r\n"));

    // With word wrap a line is a row on screen.
    load("first " + std::string(100, 'w') + "\r\nnext\r\n");
    show();
    m_view.setWordWrap(true);
    ASSERT_GT(m_view.lineCount(), 3);
    const int second = int(m_view.lineIndex(1));
    EXPECT_EQ(text()->textAtOffset(second + 1, QAccessible::LineBoundary, &start, &end), m_view.lineText(1));
    EXPECT_EQ(start, second);
    EXPECT_EQ(book()->text(QAccessible::Description), QStringLiteral("%1 lines").arg(m_view.lineCount()));
}

TEST_F(BookViewAccessibleTest, CaretAndSelectionBothWays)
{
    load(kThreeLines);
    m_view.reanchorLine(2);
    EXPECT_EQ(text()->cursorPosition(), 22);
    EXPECT_EQ(text()->selectionCount(), 0);
    m_view.setSelection(3, 7);
    int start = -1;
    int end = -1;
    text()->selection(0, &start, &end);
    EXPECT_EQ(text()->selectionCount(), 1);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 10);
    EXPECT_EQ(text()->cursorPosition(), 10);   // the end the selection grows at

    text()->setSelection(0, 16, 11);            // anchor at 16, caret at 11
    EXPECT_EQ(m_view.selectionStart(), 11);
    EXPECT_EQ(m_view.selectionLength(), 5);
    EXPECT_EQ(text()->cursorPosition(), 11);
    text()->removeSelection(0);
    EXPECT_EQ(m_view.selectionLength(), 0);
    EXPECT_EQ(m_view.caretPosition(), 11);
    text()->setCursorPosition(20);
    EXPECT_EQ(m_view.caretPosition(), 20);
    EXPECT_EQ(m_view.lineFromChar(m_view.caretPosition()), 2);
}

TEST_F(BookViewAccessibleTest, TellsCaretSelectionTextAndLineCountChanges)
{
    load(kThreeLines);
    std::vector<Heard>& heard = listen();

    m_view.reanchorLine(1);
    m_view.setSelection(2, 3);
    m_view.setSelection(5, 0);   // the selection ends where the caret was
    m_view.setSelection(6, 0);   // nothing was selected, nothing is
    const std::vector<Heard> moves{{QAccessible::TextCaretMoved, 14},
                                   {QAccessible::TextCaretMoved, 5},
                                   {QAccessible::TextSelectionChanged, 2, 5},
                                   {QAccessible::TextSelectionChanged, 5, 5},
                                   {QAccessible::TextCaretMoved, 6}};
    EXPECT_EQ(heard, moves);

    heard.clear();
    m_view.replaceLine(1, QStringLiteral("line one"));
    m_view.replaceLine(1, QStringLiteral("line one"));   // the same text: no change to tell
    const std::vector<Heard> edit{{QAccessible::TextCaretMoved, 16},
                                  {QAccessible::TextUpdated, 8, -1, QStringLiteral("line 1"), QStringLiteral("line one")}};
    EXPECT_EQ(heard, edit);

    heard.clear();
    load("a\r\nb\r\n");   // a new book is told without its text
    const std::vector<Heard> newBook{{QAccessible::TextCaretMoved, 0},
                                     {QAccessible::DescriptionChanged},
                                     {QAccessible::TextUpdated, 0, -1, QString(), QString()}};
    EXPECT_EQ(heard, newBook);

    heard.clear();
    load(std::string(200, 'x') + " " + std::string(200, 'y'));
    show();
    heard.clear();
    m_view.setWordWrap(true);   // more lines
    m_view.setWordWrap(false);
    EXPECT_EQ(heard, (std::vector<Heard>{{QAccessible::DescriptionChanged}, {QAccessible::DescriptionChanged}}));
}

TEST_F(BookViewAccessibleTest, CharacterRectanglesAndPointsAgree)
{
    std::string book;
    for (int i = 0; i < 100; ++i)
        book += "line " + std::to_string(i) + "\r\n";
    load(book);
    show();
    for (const int offset : {0, 3, 9, 30}) {
        const QRect box = text()->characterRect(offset);
        ASSERT_FALSE(box.isEmpty()) << offset;
        EXPECT_TRUE(m_view.viewport()->rect().contains(m_view.viewport()->mapFromGlobal(box.center())));
        EXPECT_EQ(text()->offsetAtPoint(box.center()), offset);
    }
    EXPECT_EQ(text()->offsetAtPoint(m_view.viewport()->mapToGlobal(QPoint(-5, 5))), -1);

    const int far = int(m_view.lineIndex(80));
    text()->scrollToSubstring(far, far + 4);
    EXPECT_LE(m_view.firstVisibleLine(), 80);
    EXPECT_GT(m_view.firstVisibleLine() + m_view.document().visibleLines(), 80);
    EXPECT_EQ(text()->offsetAtPoint(text()->characterRect(far).center()), far);
    EXPECT_EQ(m_view.caretPosition(), 0);   // scrolling leaves the caret
}

} // namespace
