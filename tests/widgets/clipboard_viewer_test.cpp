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

