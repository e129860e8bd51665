#include "widgets/palette_grid.h"

#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;

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

TEST_F(PaletteGridTest, FillsRowsFromTheLeftPaintsEachColourInItsCellOnlyColouredCellsCanBeSelectedAndTheRowsScroll)
{
    // 16 colours where 10 columns fit beside the scroll bar: two rows, 6 + 4 empty.
    const PaletteGridGeometry geometry(10 * 20 + 17 + 19, 17, 16);
    EXPECT_TRUE(geometry.columns() == 10 && geometry.rows() == 2 && geometry.contentHeight() == 40);
    // (10, 0) is past the last column; the top-left cell of an empty grid can always be selected.
    for (const auto& [cell, index] : {std::pair{QPoint(5, 1), 15}, {QPoint(6, 1), -1}, {QPoint(10, 0), -1}})
        EXPECT_TRUE(geometry.colorIndex(cell) == index && geometry.canSelect(cell) == (index >= 0)) << cell.x();
    EXPECT_TRUE(geometry.cellRect({3, 1}) == QRect(60, 20, 20, 20) && geometry.cellAt({79, 39}) == QPoint(3, 1));
    const PaletteGridGeometry narrow(30, 17, 3);   // no whole cell beside the bar
    EXPECT_TRUE(narrow.columns() == 1 && narrow.rows() == 3);
    const PaletteGridGeometry empty(300, 17, 0);
    EXPECT_TRUE(empty.rows() == 1 && empty.colorIndex({0, 0}) == -1 && empty.canSelect({0, 0}) && !empty.canSelect({1, 0}));
    const QImage shot = grid.viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(centreOf({0, 0})), QColor(0, 255, 128));
    EXPECT_EQ(shot.pixelColor(centreOf({5, 1})), QColor(150, 105, 128));
    EXPECT_EQ(shot.pixelColor(centreOf({6, 1})), grid.palette().color(QPalette::Base));
    for (const auto& [cell, reached] : {std::pair{QPoint(7, 1), QPoint(0, 0)}, {QPoint(4, 1), QPoint(4, 1)}}) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf(cell));
        EXPECT_EQ(grid.currentCell(), reached);
    }
    // (6, 1) has no colour.
    for (const auto& [key, reached] :
         {std::pair{Qt::Key_Right, QPoint(5, 1)}, {Qt::Key_Right, QPoint(5, 1)}, {Qt::Key_Up, QPoint(5, 0)}}) {
        QTest::keyClick(&grid, key);
        EXPECT_EQ(grid.currentCell(), reached);
    }
    grid.setColors(shades(256));   // more rows than fit: it scrolls
    EXPECT_TRUE(grid.cells().rows() == 26 && grid.verticalScrollBar()->maximum() == 26 * 20 - grid.viewport()->height());
    grid.setColors(shades(300));   // a palette holds at most 256 colours
    EXPECT_EQ(grid.colors().size(), 256);
}
