// The clipboard viewer and the two views it shows besides pictures: the read-only text view
// and the palette grid.

#include "widgets/clipboard_viewer.h"
#include "widgets/palette_grid.h"
#include "widgets/plain_text_view.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;
using V = TClipboardViewFormat;

namespace {

class PlainTextViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString text;
        for (int i = 1; i <= 500; ++i)
            text += QStringLiteral("строка %1\r\n").arg(i);
        text += QString(300, u'w');
        view.setFont(QFont(QStringLiteral("Liberation Sans"), 10));   // each letter as wide as it is
        view.setText(text);
        view.resize(300, 200);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    QPoint at(qsizetype index) const { return view.characterRect(index).topLeft() + QPoint(0, 2); }

    PlainTextView view;
};

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

// A viewer on the in-process clipboard, which the test fills.
class ClipboardViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::clipboard()->clear();
        viewer.resize(300, 200);
        viewer.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    }
    void TearDown() override { QApplication::clipboard()->clear(); }

    // Puts text, a colour and bytes of a type, whichever are given, on the clipboard.
    void put(const QString& text, QColor colour = {}, const QString& type = {}, const QByteArray& bytes = {})
    {
        auto* data = new QMimeData;
        if (!text.isNull())
            data->setText(text);
        if (colour.isValid())
            data->setColorData(colour);
        if (!type.isEmpty())
            data->setData(type, bytes);
        QApplication::clipboard()->setMimeData(data);
        QCoreApplication::processEvents();
    }
    QLabel* putImage(QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QApplication::clipboard()->setImage(image);
        QCoreApplication::processEvents();
        return qobject_cast<QLabel*>(viewer.shownControl());
    }
    QPoint centred(QSize size) const
    {
        const QSize room = viewer.viewport()->size() - size;
        return {room.width() / 2, room.height() / 2};
    }
    QString shownText() const
    {
        auto* memo = qobject_cast<PlainTextView*>(viewer.shownControl());
        return memo ? memo->text() : QStringLiteral("<no text area>");
    }
    QList<QColor> shownColours() const
    {
        auto* grid = qobject_cast<TPaletteGrid*>(viewer.shownControl());
        return grid ? grid->colors() : QList<QColor>();
    }
    TClipboardViewer viewer;
};

} // namespace

TEST_F(PlainTextViewTest, EveryLineEndEndsALineTabsWidenItTheViewScrollsOverAllIsReadAloudAndCopiesTheMouseSelection)
{
    const QString text = QStringLiteral("a\r\nbb\rccc\n\tx\nab\tc");
    const TextLines lines(text);
    const auto one = [](QChar) { return 1; };
    const auto wideW = [](QChar c) { return c == u'w' ? 3 : 1; };
    ASSERT_EQ(lines.count(), 5);
    for (const auto& [line, start, length] : {std::tuple{1, 3, 2}, {3, 10, 2}, {4, 13, 4}})
        EXPECT_TRUE(lines.start(line) == start && lines.length(line) == length) << line;
    EXPECT_EQ(lines.widest(text, one), 9);   // "\tx" and "ab\tc"
    for (const auto& [index, line] : {std::pair{1, 0}, {3, 1}, {16, 4}})   // 1: the CR of the first line
        EXPECT_EQ(lines.lineOf(index), line) << index;
    EXPECT_TRUE(TextLines(QStringLiteral("x\n")).count() == 2 && TextLines().count() == 1);
    EXPECT_EQ(TextLines::xOf(u"ab\tc", 3, one), 8);
    EXPECT_EQ(TextLines::xOf(u"w\tw", 3, wideW), 3 + 7 + 3);   // a tab is blanks to the next stop
    for (const auto& [x, index] : {std::pair{5, 3}, {4, 2}, {99, 4}})   // halfway through the tab: after it
        EXPECT_EQ(TextLines::indexAt(u"ab\tc", x, one), index) << x;
    EXPECT_EQ(TextLines::indexAt(u"ww", 4, wideW), 1);
    EXPECT_EQ(TextLines::expandTabs(u"ab\tc"), "ab      c");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    ASSERT_TRUE(accessible && accessible->textInterface());
    EXPECT_TRUE(accessible->state().readOnly && accessible->textInterface()->characterCount() == view.text().size() &&
                accessible->textInterface()->text(0, 8) == "строка 1");
    view.setSelection(2, 5);
    int start = 0, end = 0;
    accessible->textInterface()->selection(0, &start, &end);
    EXPECT_TRUE(start == 2 && end == 5) << start << ".." << end;
    const int rows = view.viewport()->height() / view.characterRect(0).height();
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 501 - rows);
    const qsizetype ws = view.lines().start(500);
    const int w = view.characterRect(ws + 1).left() - view.characterRect(ws).left();
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 4 + 300 * w - view.viewport()->width());
    EXPECT_NE(view.characterRect(6).width(), w);   // the blank in "строка 1"

    view.verticalScrollBar()->setValue(100);   // line 101 is now the top line, painted there
    const qsizetype top = view.lines().start(100);
    EXPECT_TRUE(view.indexAt(QPoint(2, 1)) == top && view.characterRect(top).top() == 0);
    view.setSelection(top, top + 3);
    EXPECT_EQ(view.viewport()->grab().toImage().pixelColor(view.characterRect(top).center()),
              view.palette().color(QPalette::Highlight));

    view.verticalScrollBar()->setValue(0);
    const qsizetype from = view.lines().start(1) + 2;   // "ст|рока 2"
    const qsizetype to = view.lines().start(2) + 6;     // "строка| 3"
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, at(from));
    QMouseEvent drag(QEvent::MouseMove, at(to), view.viewport()->mapToGlobal(at(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drag);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at(to));
    EXPECT_EQ(view.selectedText(), "рока 2\r\nстрока");
    const QImage shot = view.viewport()->grab().toImage();   // the line end shows selected too
    const QRect lineEnd = view.characterRect(view.lines().start(1) + view.lines().length(1));
    EXPECT_EQ(shot.pixelColor(lineEnd.center()), view.palette().color(QPalette::Highlight));
    EXPECT_EQ(shot.pixelColor(lineEnd.center() + QPoint(lineEnd.width(), 0)), view.palette().color(QPalette::Base));

    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "рока 2\r\nстрока");
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectedText(), view.text());
    QApplication::clipboard()->clear();
}

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

TEST_F(ClipboardViewerTest, FollowsEveryChangeWithTextPicturesColoursDamagedDataAsUnknownAndAViewChosenByHand)
{
    EXPECT_EQ(viewer.shownControl(), nullptr);   // empty at start: blank
    QSignalSpy changes(&viewer, &TClipboardViewer::changed);
    viewer.setFont(QFont(QStringLiteral("Liberation Sans"), 11));
    put(QStringLiteral("Глава первая\n\tи вторая"));
    EXPECT_EQ(shownText(), "Глава первая\n\tи вторая");
    EXPECT_EQ(viewer.shownControl()->font(), viewer.font());   // text has no font of its own
    put(QStringLiteral("second"));
    EXPECT_TRUE(shownText() == "second" && changes.count() == 2);

    QLabel* picture = putImage({100, 50});
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->size() == QSize(100, 50) && picture->pos() == centred({100, 50}));
    picture = putImage({900, 700});
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->pos() == QPoint(0, 0) && viewer.verticalScrollBar()->isVisible());
    EXPECT_EQ(viewer.horizontalScrollBar()->maximum(), 900 - viewer.viewport()->width());
    viewer.resize(1000, 800);   // now it fits: centred again
    QCoreApplication::processEvents();
    EXPECT_EQ(picture->pos(), centred({900, 700}));
    QApplication::clipboard()->clear();   // emptied, for example by an owner that exits
    QCoreApplication::processEvents();
    EXPECT_TRUE(viewer.shownControl() == nullptr && viewer.viewFormat() == V::cvEmpty);
    EXPECT_EQ(ClipboardFormats{}.viewToDraw(V::cvText), V::cvEmpty);
    for (const auto& [text, image, colour, view] : {std::tuple{true, true, true, V::cvText}, {false, true, true, V::cvBitmap},
                                                      {false, false, true, V::cvPalette}, {false, false, false, V::cvUnknown}})
        EXPECT_EQ((ClipboardFormats{true, text, image, colour}).viewToDraw(V::cvDefault), view);
    put({}, QColor(12, 34, 56));
    EXPECT_EQ(shownColours(), QList<QColor>{QColor(12, 34, 56)});
    put({}, {}, QStringLiteral("application/x-color"), "#102030");   // as a colour from another program arrives
    EXPECT_EQ(shownColours(), QList<QColor>{QColor(0x10, 0x20, 0x30)});
    for (const char* type : {"application/x-lirra-unknown", "image/png"}) {
        put({}, {}, QString::fromLatin1(type), "not a png");
        EXPECT_EQ(shownText(), "Неизвестный формат данных в буфере обмена") << type;
    }
    put(QStringLiteral("words"), Qt::red);
    EXPECT_EQ(shownText(), "words");
    viewer.setViewFormat(V::cvPalette);
    EXPECT_EQ(shownColours().size(), 1);
    viewer.setViewFormat(V::cvBitmap);   // no picture there
    EXPECT_TRUE(viewer.viewFormat() == V::cvDefault && shownText() == "words");
    viewer.setViewFormat(V::cvPalette);
    put(QStringLiteral("only words"));
    EXPECT_TRUE(viewer.viewFormat() == V::cvDefault && shownText() == "only words");
}
