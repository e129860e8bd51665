#include "widgets/secret_panel.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

bool showsLime(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.green() > 160 && pixel.red() < 80 && pixel.blue() < 80)
                return true;
        }
    return false;
}

// A panel set up as the About box sets up its credits.
class SecretPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel.resize(166, 61);
        panel.setBevelOuter(TBevelCut::bvNone);
        panel.setColor(Qt::black);
        panel.setFontColor(QColor(0, 255, 0));
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPixelSize(16);
        panel.setFont(font);
        panel.setLines({"", "Lirra Reader", "", "Happy reading!", ""});
        hiddenChild->hide();
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            panel.tick();
    }

    TSecretPanel panel;
    QLabel* child = new QLabel(QStringLiteral("child"), &panel);
    QLabel* hiddenChild = new QLabel(QStringLiteral("hidden"), &panel);
    QSignalSpy started{&panel, &TSecretPanel::startPlay};
    QSignalSpy stopped{&panel, &TSecretPanel::stopPlay};
};

} // namespace

TEST_F(SecretPanelTest, ActivatingHidesTheChildrenTheTimerRaisesTheTextAndDeactivatingShowsTheSameChildren)
{
    panel.setInterval(5);
    panel.setActive(true);
    panel.setActive(true);
    EXPECT_TRUE(started.count() == 1 && child->isHidden());
    EXPECT_EQ(panel.textRect(), QRect(3, 3, 160, 55));
    EXPECT_EQ(panel.maxScroll(), 55 + 4 * panel.lineHeight());
    EXPECT_FALSE(showsLime(panel.stepImage()));   // step 0: nothing in view yet
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.scrollCounter() >= 30; }, 5000));
    EXPECT_TRUE(showsLime(panel.grab(panel.textRect()).toImage()));
    panel.setLines({"Other lines"});
    EXPECT_EQ(panel.scrollCounter(), 0);
    panel.setActive(false);
    EXPECT_TRUE(stopped.count() == 1 && !child->isHidden() && panel.stepImage().isNull());
    EXPECT_TRUE(hiddenChild->isHidden());   // it was hidden before: it stays so
}

TEST_F(SecretPanelTest, StopsItselfAfterTheLastLineUnlessCycledAndShowsNoTextWhenTooSmallForItsMargins)
{
    panel.setActive(true);
    ticks(panel.maxScroll());
    EXPECT_TRUE(panel.active());
    EXPECT_FALSE(showsLime(panel.stepImage()));   // the last line has just left
    panel.tick();
    EXPECT_TRUE(!panel.active() && stopped.count() == 1 && !child->isHidden());
    panel.setCycled(true);   // back from below
    panel.setActive(true);
    ticks(panel.maxScroll() + 1);
    EXPECT_TRUE(panel.active() && panel.scrollCounter() == 0);
    panel.resize(12, 8);
    panel.setBevelOuter(TBevelCut::bvLowered);
    panel.setActive(true);
    EXPECT_TRUE(panel.textRect().isEmpty());
    ticks(20);
    EXPECT_FALSE(showsLime(panel.grab().toImage()));
}

