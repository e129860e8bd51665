#include "widgets/gradient_bands.h"
#include "widgets/rx_gradient_caption.h"

#include "any_pixel.h"
#include "bookview/widget/color_value.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

// A dialog whose bar is 300 pixels wide inside its frame, as the six dialogs set it up.
class GradientCaption : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.setWindowTitle(QStringLiteral("Set Scroll Speed"));
        form.setFixedSize(300 + 2 * TRxGradientCaption::kFrameWidth, 120);
        caption = new TRxGradientCaption(&form);
        caption->setStartColor(0);
        caption->setGradientInactive(true);
    }
    QRgb barPixel(int x) { return caption->grab().toImage().pixel(x, caption->height() / 2); }
    static QRgb system(ColorValue value) { return colorFromValue(value, QGuiApplication::palette()).rgb(); }
    // Whether the text area shows `color` anywhere.
    bool textIn(QRgb color)
    {
        return anyPixel(caption->grab().toImage(), [&](QColor c) { return c.rgb() == color; }, QRect(2, 0, 118, 99));
    }
    bool activate()
    {
        form.show();
        QApplication::setActiveWindow(&form);
        form.activateWindow();
        return QTest::qWaitForWindowActive(&form);
    }

    QDialog form;
    TRxGradientCaption* caption = nullptr;
};

} // namespace

TEST_F(GradientCaption, BandsOfWholePixelsTopTitleAndStateColoursOfTheFormDragItAndAWorkingCloseButton)
{
    // 300 pixels in 64 steps: 4 pixels each, then 44 pixels of the end colour.
    const Rgb barEnd{10, 36, 106};
    const std::vector<GradientBand> bands = gradientBands(300, 64, {0, 0, 0}, barEnd);
    ASSERT_EQ(bands.size(), 65u);
    for (int i = 0; i < 64; ++i)
        EXPECT_TRUE(bands[i].left == 4 * i && bands[i].width == 4) << i;
    EXPECT_TRUE(bands[0].color == (Rgb{0, 0, 0}) && bands[63].color == barEnd);
    EXPECT_EQ(bands[21].color, (Rgb{3, 12, 35}));   // a third of the way: 3.33, 12, 35.33
    EXPECT_TRUE(bands[64].left == 256 && bands[64].width == 44 && bands[64].color == barEnd);
    const std::vector<GradientBand> perPixel = gradientBands(10, 64, {0, 0, 0}, {9, 9, 9});
    EXPECT_TRUE(perPixel.size() == 10u && perPixel.back().color == (Rgb{9, 9, 9}));
    const std::vector<GradientBand> two = gradientBands(101, 1, {0, 0, 0}, {255, 255, 255});
    ASSERT_EQ(two.size(), 3u);
    EXPECT_TRUE(two[1].color == (Rgb{255, 255, 255}) && two[2].width == 1);
    // 127.5 and 126.5 both go to the even neighbour, also on the way down.
    EXPECT_EQ(gradientBands(3, 3, {0, 0, 255}, {255, 253, 0})[1].color, (Rgb{128, 126, 127}));
    EXPECT_EQ(gradientBands(0, 64, {}, {}).size(), 2u);   // nothing to fill, nothing breaks

    const auto oneEach = [](const std::u16string& text) { return int(text.size()); };
    for (const auto& [text, room, shown] :
         {std::tuple{u"Goto...", 7, u"Goto..."}, {u"Enter Internet Adress...", 10, u"Enter I..."}, {u"Information", 2, u"..."}})
        EXPECT_EQ(elideWithDots(text, room, oneEach), shown);
    ASSERT_FALSE(caption->formActive());
    EXPECT_TRUE(barPixel(0) == qRgb(0, 0, 0) && barPixel(128) != barPixel(0));
    EXPECT_TRUE(barPixel(299) == system(0x80000003) && barPixel(260) == system(0x80000003));   // 260: left over
    EXPECT_TRUE(textIn(system(0x80000013)));
    caption->setGradientInactive(false);
    EXPECT_EQ(barPixel(0), system(0x80000003));
    ASSERT_TRUE(activate() && caption->formActive());
    EXPECT_TRUE(barPixel(0) == qRgb(0, 0, 0) && barPixel(299) == system(0x80000002) && textIn(system(0x80000009)));
    EXPECT_EQ(caption->geometry(), QRect(3, 3, 300, caption->captionHeight()));
    EXPECT_EQ(form.contentsRect().top(), 3 + caption->captionHeight());
    EXPECT_EQ(caption->shownText(), QStringLiteral("Set Scroll Speed"));
    form.setWindowTitle(QStringLiteral("A caption far too long for a bar of three hundred pixels, surely"));
    const QString shown = caption->shownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("A caption")) && shown.endsWith(QStringLiteral("...")));
    EXPECT_LE(caption->fontMetrics().horizontalAdvance(shown), 300);
    ASSERT_TRUE(activate());
    const QPoint before = form.pos();
    QTest::mousePress(caption, Qt::LeftButton, {}, QPoint(40, 5));
    QTest::mouseMove(caption, QPoint(90, 35));
    QTest::mouseRelease(caption, Qt::LeftButton, {}, QPoint(90, 35));
    EXPECT_EQ(form.pos(), before + QPoint(50, 30));
    EXPECT_FALSE(caption->findChild<QToolButton*>(QStringLiteral("CloseButton")));
    caption->setSystemMenu(true);
    auto* close = caption->findChild<QToolButton*>(QStringLiteral("CloseButton"));
    ASSERT_TRUE(close);
    EXPECT_LT(caption->gradientRect().right(), close->geometry().left());
    ASSERT_TRUE(activate());
    close->click();
    EXPECT_FALSE(form.isVisible());
}

