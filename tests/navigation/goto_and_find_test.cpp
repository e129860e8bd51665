#include "navigation/find_command.h"
#include "navigation/find_dialog.h"
#include "navigation/goto_command.h"
#include "navigation/goto_dialog.h"

#include "fake_reader_window.h"
#include "reader/message_boxes.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <map>

using namespace lirra;

namespace {

// A 300-line book in 1251: "Привет" in three spellings on lines 100, 150 and the last.
std::string bookWithGreetings()
{
    std::string text;
    // Привет, пРиВетствую, ПРИВЕТ!
    const std::map<int, const char*> greetings{{100, " \xCF\xF0\xE8\xE2\xE5\xF2"},
                                               {150, " \xEF\xD0\xE8\xC2\xE5\xF2\xF1\xF2\xE2\xF3\xFE"},
                                               {300, " \xCF\xD0\xC8\xC2\xC5\xD2!"}};
    for (int i = 1; i <= 300; ++i)
        text += "line " + std::to_string(i) + (greetings.contains(i) ? greetings.at(i) : "") + "\r\n";
    return text;
}

// A reader on that book whose message boxes the test answers, with its Goto dialog and Find command.
class Navigation : public ::testing::Test {
protected:
    Navigation()
    {
        setMessagePresenter([this](const MessageBoxRequest& box) { return boxes.push_back(box), BoxAnswer::Ok; });
        reader.open(bookWithGreetings());
    }
    ~Navigation() override { setMessagePresenter({}); }

    QLineEdit* edit(const char* name) { return form.findChild<QLineEdit*>(QLatin1String(name)); }
    void jump(const QString& percent, const QString& line)
    {
        form.show();
        edit("Edit1")->setText(percent);
        edit("Edit2")->setText(line);
        form.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    }
    TFindDialog* dialog() { return reader.view.findChild<TFindDialog*>(QStringLiteral("FindDialog1")); }
    QLineEdit* field() { return dialog()->findChild<QLineEdit*>(QStringLiteral("FindWhat")); }
    QPushButton* findNext() { return dialog()->findChild<QPushButton*>(QStringLiteral("FindNext")); }
    void search(const QString& text)
    {
        find.showDialog();
        field()->setText(text);
        findNext()->click();
    }
    std::int64_t selectedLine() const { return reader.view.lineFromChar(reader.view.selectionStart()); }

    FakeReaderWindow reader;
    std::vector<MessageBoxRequest> boxes;
    TForm2 form{reader, &reader.view};
    FindText find{reader};
};

} // namespace

TEST_F(Navigation, GotoDialogRoundsHalfToEvenLineWinsOverPercentageAndTextThatIsNoNumberKeepsTheDialog)
{
    // 2.5 and 1.5 are the 2nd line, 3.5 the 4th; 0.1 is no line (no move); 0 and over 100 are no target.
    const std::tuple<int, int, std::optional<int>> cases[] = {
        {1000, 50, 499}, {1000, 100, 999}, {5, 50, 1},           {3, 50, 1},
        {7, 50, 3},      {1, 10, -1},      {1, 100, 0},          {1000, 0, std::nullopt},
        {1000, 101, std::nullopt}, {1000, -5, std::nullopt}, {30'000'000, 100, 29'999'999}};   // no 32-bit overflow
    for (const auto& [lines, percent, target] : cases)
        EXPECT_EQ(percentTargetLine(lines, percent), target) << lines << ' ' << percent;
    // The Find dialog's place: x from the height, y from half the width; 400.5 and 401.5 go to the even neighbour.
    for (const auto& [size, at] :
         {std::pair{QSize(800, 600), QPoint(500, 400)}, {{801, 600}, {500, 400}}, {{803, 50}, {-50, 402}}})
        EXPECT_EQ(findDialogPosition(size), at) << size.width();
    jump(QStringLiteral("50"), QStringLiteral("ten"));   // the jump to 50 % is made before the line is read
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("'ten' is not a valid integer value."));
    EXPECT_TRUE(reader.caretAtEndOf(149) && reader.refreshes == 0 && form.isVisible());
    EXPECT_TRUE(edit("Edit1")->text() == "50" && edit("Edit2")->text() == "ten");
    reader.view.caretToStart();
    jump(QStringLiteral("50"), QString());
    EXPECT_TRUE(reader.caretAtEndOf(149) && edit("Edit1")->text().isEmpty() && form.result() == QDialog::Accepted);
    jump(QStringLiteral("50"), QStringLiteral("10"));
    EXPECT_TRUE(reader.caretAtEndOf(9));
    for (const auto& [percent, line] : {std::pair{"0", ""}, {"150", ""}, {"-5", ""}, {"", "301"}, {"", "0"}, {"", ""}}) {
        jump(QString::fromLatin1(percent), QString::fromLatin1(line));
        EXPECT_TRUE(reader.caretAtEndOf(9) && !form.isVisible()) << percent << "/" << line;
    }
    EXPECT_TRUE(reader.refreshes == 8 && boxes.size() == 1u);   // the status line is refreshed every time
    jump(QString(), QStringLiteral("1"));
    EXPECT_TRUE(reader.caretAtEndOf(0));

    reader.open("only\r\n");
    jump(QStringLiteral("10"), QString());   // 0.1 rounds to no line
    EXPECT_EQ(reader.view.caretPosition(), 0);
}

TEST_F(Navigation, FindKeepsItsTextIsRaisedAgainPutsAnOccurrenceOnTheFifthLineAndWalksThroughEveryOneWhateverTheCase)
{
    find.showDialog();
    ASSERT_TRUE(dialog()->isVisible());
    EXPECT_TRUE(dialog()->pos() == findDialogPosition(reader.view.size()) && !findNext()->isEnabled());   // nothing to find
    field()->setText(QStringLiteral("line 7"));
    EXPECT_TRUE(findNext()->isEnabled());
    dialog()->findChild<QPushButton*>(QStringLiteral("Cancel"))->click();
    EXPECT_FALSE(dialog()->isVisible());

    reader.view.resize(700, 500);
    find.showDialog();
    EXPECT_TRUE(field()->text() == "line 7" && dialog()->pos() == findDialogPosition(QSize(700, 500)));
    reader.view.resize(640, 400);
    find.showDialog();   // already open: moved and raised, still one dialog
    EXPECT_TRUE(dialog()->pos() == findDialogPosition(QSize(640, 400)) &&
                reader.view.findChildren<TFindDialog*>().size() == 1);

    search(QStringLiteral("ПРИВЕТ"));
    EXPECT_TRUE(reader.view.firstVisibleLine() == 99 - 4 && reader.view.hasFocus());

    // The line index of a "line N" found from the start, and the top line of the view.
    const std::int64_t lastPage = reader.view.lineCount() - reader.view.document().visibleLines();
    for (const auto& [line, top] : {std::pair{std::int64_t{2}, std::int64_t{0}}, {lastPage + 3, lastPage - 1},
                                    {lastPage + 4, lastPage}, {std::int64_t{299}, lastPage}}) {
        reader.view.caretToStart();   // an empty selection searches from the start
        search(QStringLiteral("line %1").arg(line + 1));
        EXPECT_TRUE(selectedLine() == line && reader.view.firstVisibleLine() == top) << line;
    }
    reader.view.caretToStart();
    reader.view.reanchorLine(200);   // the caret alone does not set the start
    find.showDialog();
    field()->setText(QStringLiteral("привет"));
    for (const auto& [line, text] : {std::pair{99, "Привет"}, {149, "пРиВет"}, {299, "ПРИВЕТ"}}) {
        findNext()->click();
        EXPECT_TRUE(selectedLine() == line && reader.view.selectedText() == QString::fromUtf8(text)) << line;
    }
    EXPECT_TRUE(boxes.empty());

    const std::int64_t start = reader.view.selectionStart();
    const std::int64_t top = reader.view.firstVisibleLine();
    findNext()->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].kind == BoxKind::Plain && boxes[0].text == "End of Searching!");
    EXPECT_TRUE(reader.view.selectionStart() == start && reader.view.selectionLength() == 6);
    EXPECT_EQ(reader.view.firstVisibleLine(), top);
}
