#include "navigation/goto_command.h"
#include "navigation/goto_dialog.h"

#include "fake_reader_window.h"
#include "reader/message_boxes.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace lirra;

TEST(PercentTargetLine, RoundsTheKthLineHalfToEven)
{
    // 2.5 and 1.5 are the 2nd line, 3.5 the 4th; 0.1 is no line (no move); 0 and over 100 are no target.
    const std::tuple<int, int, std::optional<int>> cases[] = {
        {1000, 50, 499}, {1000, 100, 999}, {5, 50, 1},           {3, 50, 1},
        {7, 50, 3},      {1, 10, -1},      {1, 100, 0},          {1000, 0, std::nullopt},
        {1000, 101, std::nullopt}, {1000, -5, std::nullopt}, {30'000'000, 100, 29'999'999}};   // no 32-bit overflow
    for (const auto& [lines, percent, target] : cases)
        EXPECT_EQ(percentTargetLine(lines, percent), target) << lines << ' ' << percent;
}

namespace {

class GotoDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMessagePresenter([this](const MessageBoxRequest& box) { return boxes.push_back(box.text), BoxAnswer::Ok; });
        reader.openNumbered(1000);
    }
    void TearDown() override { setMessagePresenter({}); }

    QLineEdit* edit(const char* name) { return form.findChild<QLineEdit*>(QLatin1String(name)); }
    void jump(const QString& percent, const QString& line)
    {
        form.show();
        edit("Edit1")->setText(percent);
        edit("Edit2")->setText(line);
        form.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    }

    FakeReaderWindow reader;
    TForm2 form{reader, &reader.view};
    std::vector<QString> boxes;
};

} // namespace

TEST_F(GotoDialog, LineWinsOverPercentageAndOutOfRangeValuesLeaveTheCaret)
{
    jump(QStringLiteral("50"), QString());
    EXPECT_TRUE(reader.caretAtEndOf(499));
    EXPECT_TRUE(edit("Edit1")->text().isEmpty());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    jump(QStringLiteral("50"), QStringLiteral("10"));
    EXPECT_TRUE(reader.caretAtEndOf(9));
    for (const auto& [percent, line] : {std::pair{"0", ""}, {"150", ""}, {"-5", ""}, {"", "1001"}, {"", "0"}, {"", ""}}) {
        jump(QString::fromLatin1(percent), QString::fromLatin1(line));
        EXPECT_TRUE(reader.caretAtEndOf(9)) << percent << "/" << line;
        EXPECT_FALSE(form.isVisible());
    }
    EXPECT_EQ(reader.refreshes, 8);   // the status line is refreshed every time
    EXPECT_TRUE(boxes.empty());
    jump(QString(), QStringLiteral("1"));
    EXPECT_TRUE(reader.caretAtEndOf(0));

    reader.open("only\r\n");
    jump(QStringLiteral("10"), QString());   // 0.1 rounds to no line
    EXPECT_EQ(reader.view.caretPosition(), 0);
}

TEST_F(GotoDialog, TextThatIsNoNumberKeepsTheDialogAndTheJumpMadeBeforeIt)
{
    jump(QStringLiteral("50"), QStringLiteral("ten"));
    EXPECT_EQ(boxes, std::vector{QStringLiteral("'ten' is not a valid integer value.")});
    EXPECT_TRUE(reader.caretAtEndOf(499));
    EXPECT_EQ(reader.refreshes, 0);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("50"));
    EXPECT_EQ(edit("Edit2")->text(), QStringLiteral("ten"));
}
