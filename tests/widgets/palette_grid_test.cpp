#include "widgets/palette_grid.h"

#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;

TEST(PaletteGridGeometry, FillsRowsFromTheLeftAndRoundsTheRowsUp)
{
    // 16 colours where 10 columns fit beside the scroll bar: two rows, 6 + 4 empty.
    const PaletteGridGeometry grid(10 * 20 + 17 + 19, 17, 16);
    EXPECT_EQ(grid.columns(), 10);
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.contentHeight(), 40);
    EXPECT_EQ(grid.colorIndex({5, 1}), 15);
    EXPECT_EQ(grid.colorIndex({6, 1}), -1);
    EXPECT_EQ(grid.colorIndex({10, 0}), -1);   // past the last column
    EXPECT_EQ(grid.cellRect({3, 1}), QRect(60, 20, 20, 20));
    EXPECT_EQ(grid.cellAt({79, 39}), QPoint(3, 1));
    EXPECT_TRUE(grid.canSelect({5, 1}));
    EXPECT_FALSE(grid.canSelect({6, 1}));
}

TEST(PaletteGridGeometry, NarrowOrEmptyGridsKeepOneColumnAndOneRow)
{
    const PaletteGridGeometry narrow(30, 17, 3);   // no whole cell beside the bar
    EXPECT_TRUE(narrow.columns() == 1 && narrow.rows() == 3);
    const PaletteGridGeometry empty(300, 17, 0);
    EXPECT_EQ(empty.rows(), 1);
    EXPECT_EQ(empty.colorIndex({0, 0}), -1);
    EXPECT_TRUE(empty.canSelect({0, 0}));      // the top-left cell always can be
    EXPECT_FALSE(empty.canSelect({1, 0}));
}

namespace {

QList<QColor> shades(int count)
{
    QList<QColor> colors;
    for (int i = 0; i < count; ++i)
        colors << QColor(i * 10, 255 - i * 10, 128);
    return colors;
}

class PaletteGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(10 * 20 + grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 5, 60);
        grid.setColors(shades(16));
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    QPoint centreOf(QPoint cell) const { return grid.cells().cellRect(cell).center(); }

    TPaletteGrid grid;
};

} // namespace

TEST_F(PaletteGridTest, PaintsEachColourInsideItsCellAndLeavesEmptyCellsBlank)
{
    const QImage shot = grid.viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(centreOf({0, 0})), QColor(0, 255, 128));
    EXPECT_EQ(shot.pixelColor(centreOf({5, 1})), QColor(150, 105, 128));
    EXPECT_EQ(shot.pixelColor(centreOf({6, 1})), grid.palette().color(QPalette::Base));
}

TEST_F(PaletteGridTest, OnlyColouredCellsCanBeSelectedByMouseOrKeys)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf({7, 1}));
    EXPECT_EQ(grid.currentCell(), QPoint(0, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf({4, 1}));
    EXPECT_EQ(grid.currentCell(), QPoint(4, 1));

    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.currentCell(), QPoint(5, 1));
    QTest::keyClick(&grid, Qt::Key_Right);        // (6, 1) has no colour
    EXPECT_EQ(grid.currentCell(), QPoint(5, 1));
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(grid.currentCell(), QPoint(5, 0));
}

TEST_F(PaletteGridTest, ScrollsVerticallyWhenTheRowsDoNotFit)
{
    grid.setColors(shades(256));
    EXPECT_EQ(grid.cells().rows(), 26);
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 26 * 20 - grid.viewport()->height());
    grid.setColors(shades(300));   // a palette holds at most 256 colours
    EXPECT_EQ(grid.colors().size(), 256);
}
