#include "widgets/clipboard_viewer.h"
#include "widgets/plain_text_view.h"
#include "widgets/palette_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;
using V = TClipboardViewFormat;

TEST(ClipboardFormats, AutomaticChoiceTakesTextThenPictureThenColour)
{
    EXPECT_EQ(ClipboardFormats{}.viewToDraw(V::cvText), V::cvEmpty);
    EXPECT_EQ((ClipboardFormats{true, true, true, true}).viewToDraw(V::cvDefault), V::cvText);
    EXPECT_EQ((ClipboardFormats{true, false, true, true}).viewToDraw(V::cvDefault), V::cvBitmap);
    EXPECT_EQ((ClipboardFormats{true, false, false, true}).viewToDraw(V::cvDefault), V::cvPalette);
    EXPECT_EQ((ClipboardFormats{true, false, false, false}).viewToDraw(V::cvDefault), V::cvUnknown);
}

namespace {

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

    void put(const QString& type, const QByteArray& bytes)
    {
        auto* data = new QMimeData;
        data->setData(type, bytes);
        put(data);
    }
    void put(QMimeData* data)
    {
        QApplication::clipboard()->setMimeData(data);
        QCoreApplication::processEvents();
    }
    void putImage(QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QApplication::clipboard()->setImage(image);
        QCoreApplication::processEvents();
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

    static inline const QString kUnknown = QStringLiteral("Неизвестный формат данных в буфере обмена");
    TClipboardViewer viewer;
};

} // namespace

TEST_F(ClipboardViewerTest, ShowsTextAndFollowsEveryChange)
{
    EXPECT_EQ(viewer.shownControl(), nullptr);   // empty at start: blank
    QSignalSpy changes(&viewer, &TClipboardViewer::changed);
    viewer.setFont(QFont(QStringLiteral("Liberation Sans"), 11));
    QApplication::clipboard()->setText(QStringLiteral("Глава первая\n\tи вторая"));
    QCoreApplication::processEvents();
    EXPECT_EQ(shownText(), "Глава первая\n\tи вторая");
    EXPECT_EQ(viewer.shownControl()->font(), viewer.font());   // text has no font of its own
    QApplication::clipboard()->setText(QStringLiteral("second"));
    QCoreApplication::processEvents();
    EXPECT_EQ(shownText(), "second");
    EXPECT_EQ(changes.count(), 2);

    QApplication::clipboard()->clear();   // emptied, for example by an owner that exits
    QCoreApplication::processEvents();
    EXPECT_EQ(viewer.shownControl(), nullptr);
    EXPECT_EQ(viewer.viewFormat(), V::cvEmpty);
}

TEST_F(ClipboardViewerTest, CentresASmallPictureAndScrollsALargeOne)
{
    putImage({100, 50});
    auto* picture = qobject_cast<QLabel*>(viewer.shownControl());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->size(), QSize(100, 50));
    EXPECT_EQ(picture->pos(), QPoint((viewer.viewport()->width() - 100) / 2, (viewer.viewport()->height() - 50) / 2));

    putImage({900, 700});
    picture = qobject_cast<QLabel*>(viewer.shownControl());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pos(), QPoint(0, 0));
    EXPECT_TRUE(viewer.verticalScrollBar()->isVisible());
    EXPECT_EQ(viewer.horizontalScrollBar()->maximum(), 900 - viewer.viewport()->width());

    viewer.resize(1000, 800);   // now it fits: centred again
    QCoreApplication::processEvents();
    EXPECT_EQ(picture->pos(), QPoint((viewer.viewport()->width() - 900) / 2, (viewer.viewport()->height() - 700) / 2));
}

TEST_F(ClipboardViewerTest, ShowsAColourInTheGridAndOtherOrDamagedDataAsUnknown)
{
    auto* colour = new QMimeData;
    colour->setColorData(QColor(12, 34, 56));
    put(colour);
    EXPECT_EQ(shownColours(), QList<QColor>{QColor(12, 34, 56)});
    put(QStringLiteral("application/x-color"), "#102030");   // as a colour from another program arrives
    EXPECT_EQ(shownColours(), QList<QColor>{QColor(0x10, 0x20, 0x30)});

    put(QStringLiteral("application/x-lirra-unknown"), "data");
    EXPECT_EQ(shownText(), kUnknown);
    put(QStringLiteral("image/png"), "not a png");
    EXPECT_EQ(shownText(), kUnknown);
}

TEST_F(ClipboardViewerTest, AViewChosenByHandLastsWhileItsDataIsThere)
{
    auto* both = new QMimeData;
    both->setText(QStringLiteral("words"));
    both->setColorData(QColor(Qt::red));
    put(both);
    EXPECT_EQ(shownText(), "words");

    viewer.setViewFormat(V::cvPalette);
    EXPECT_EQ(shownColours().size(), 1);
    viewer.setViewFormat(V::cvBitmap);   // no picture there
    EXPECT_EQ(viewer.viewFormat(), V::cvDefault);
    EXPECT_EQ(shownText(), "words");

    viewer.setViewFormat(V::cvPalette);
    QApplication::clipboard()->setText(QStringLiteral("only words"));
    QCoreApplication::processEvents();
    EXPECT_EQ(viewer.viewFormat(), V::cvDefault);
    EXPECT_EQ(shownText(), "only words");
}
