#include "navigation/find_command.h"
#include "navigation/find_dialog.h"

#include "fake_reader_window.h"
#include "reader/message_boxes.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace lirra;

TEST(FindDialogPosition, XFromTheHeightAndYFromHalfTheWidthRoundedToEven)
{
    EXPECT_EQ(findDialogPosition(QSize(800, 600)), QPoint(500, 400));
    EXPECT_EQ(findDialogPosition(QSize(801, 600)), QPoint(500, 400));   // 400.5
    EXPECT_EQ(findDialogPosition(QSize(803, 50)), QPoint(-50, 402));    // 401.5
}

namespace {

// A 300-line book in 1251: "Привет" in three spellings on lines 100, 150 and the last.
std::string bookWithGreetings()
{
    std::string text;
    for (int i = 1; i <= 300; ++i) {
        std::string line = "line " + std::to_string(i);
        if (i == 100)
            line += " \xCF\xF0\xE8\xE2\xE5\xF2";                  // Привет
        if (i == 150)
            line += " \xEF\xD0\xE8\xC2\xE5\xF2\xF1\xF2\xE2\xF3\xFE";  // пРиВетствую
        if (i == 300)
            line += " \xCF\xD0\xC8\xC2\xC5\xD2!";                 // ПРИВЕТ!
        text += line + "\r\n";
    }
    return text;
}

class Find : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMessagePresenter([this](const MessageBoxRequest& box) {
            boxes.push_back(box);
            return BoxAnswer::Ok;
        });
        reader.open(bookWithGreetings());
    }
    void TearDown() override { setMessagePresenter({}); }

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
    FindText find{reader};
    std::vector<MessageBoxRequest> boxes;
};

} // namespace

TEST_F(Find, WalksThroughEveryOccurrenceWhateverTheCaseThenSaysSo)
{
    reader.view.reanchorLine(200);   // the caret alone does not set the start
    find.showDialog();
    field()->setText(QStringLiteral("привет"));
    for (const auto& [line, text] : {std::pair{99, "Привет"}, {149, "пРиВет"}, {299, "ПРИВЕТ"}}) {
        findNext()->click();
        EXPECT_EQ(selectedLine(), line);
        EXPECT_EQ(reader.view.selectedText(), QString::fromUtf8(text));
    }
    EXPECT_TRUE(boxes.empty());

    const std::int64_t start = reader.view.selectionStart();
    const std::int64_t top = reader.view.firstVisibleLine();
    findNext()->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, BoxKind::Plain);
    EXPECT_EQ(boxes[0].text, QStringLiteral("End of Searching!"));
    EXPECT_EQ(reader.view.selectionStart(), start);
    EXPECT_EQ(reader.view.selectionLength(), 6);
    EXPECT_EQ(reader.view.firstVisibleLine(), top);
}

TEST_F(Find, AnOccurrenceStandsOnTheFifthLineOfTheViewOrTheBookEndsAtTheBottom)
{
    search(QStringLiteral("ПРИВЕТ"));
    EXPECT_EQ(reader.view.firstVisibleLine(), 99 - 4);
    EXPECT_TRUE(reader.view.hasFocus());

    // The line index of a "line N" found from the start, and the top line of the view.
    const std::int64_t lastPage = reader.view.lineCount() - reader.view.document().visibleLines();
    for (const auto& [line, top] : {std::pair{std::int64_t{2}, std::int64_t{0}}, {lastPage + 3, lastPage - 1},
                                    {lastPage + 4, lastPage}, {std::int64_t{299}, lastPage}}) {
        reader.view.caretToStart();   // an empty selection searches from the start
        search(QStringLiteral("line %1").arg(line + 1));
        EXPECT_EQ(selectedLine(), line);
        EXPECT_EQ(reader.view.firstVisibleLine(), top) << line;
    }
}

TEST_F(Find, TheDialogKeepsItsTextAndIsMovedAndRaisedWhenOpenedAgain)
{
    find.showDialog();
    ASSERT_TRUE(dialog()->isVisible());
    EXPECT_EQ(dialog()->pos(), findDialogPosition(reader.view.size()));
    EXPECT_FALSE(findNext()->isEnabled());   // nothing to find yet
    field()->setText(QStringLiteral("line 7"));
    EXPECT_TRUE(findNext()->isEnabled());
    dialog()->findChild<QPushButton*>(QStringLiteral("Cancel"))->click();
    EXPECT_FALSE(dialog()->isVisible());

    reader.view.resize(700, 500);
    find.showDialog();
    EXPECT_EQ(field()->text(), QStringLiteral("line 7"));
    EXPECT_EQ(dialog()->pos(), findDialogPosition(QSize(700, 500)));
    reader.view.resize(640, 400);
    find.showDialog();   // already open: moved and raised, still one dialog
    EXPECT_EQ(dialog()->pos(), findDialogPosition(QSize(640, 400)));
    EXPECT_EQ(reader.view.findChildren<TFindDialog*>().size(), 1);
}
