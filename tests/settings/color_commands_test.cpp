#include "settings/color_commands.h"

#include "bookview/widget/book_view.h"
#include "settings/color_dialog.h"

#include <QPalette>
#include <gtest/gtest.h>

using namespace lirra;

TEST(ColorCommands, FontSizeStepsDownWithoutALimitAndTheColourDialogStartsFromTheViewsColourAndCancelKeepsIt)
{
    TBookView view;
    view.setFontSize(1);
    for (int expected : {0, -1, -2}) {
        stepFontSize(view, -1);
        EXPECT_EQ(view.fontSize(), expected);
    }
    view.setFontColor(0x00C0C0C0);
    view.setBackgroundColor(0x80000005);   // the system's window colour
    std::vector<QColor> starts;
    std::optional<QColor> answer = QColor(255, 0, 0);
    setColorDialogPresenter([&](const QColor& current) {
        starts.push_back(current);
        return answer;
    });
    chooseFontColor(view, &view);
    EXPECT_EQ(view.fontColor(), 0x000000FFu);
    answer.reset();
    chooseBackgroundColor(view, &view);
    EXPECT_EQ(view.backgroundColor(), 0x80000005u);
    answer = QColor(0, 0, 128);
    chooseBackgroundColor(view, &view);
    EXPECT_EQ(view.backgroundColor(), 0x00800000u);
    setColorDialogPresenter({});
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_TRUE(starts[0] == QColor(192, 192, 192) && starts[1] == view.palette().color(QPalette::Base));
}
