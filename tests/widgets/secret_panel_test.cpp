#include "widgets/credits_roll.h"
#include "widgets/secret_panel.h"

#include "any_pixel.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

// Lines of ten pixels a character, ten high.
CreditsRoll roll(const QStringList& lines, QRect area, TScrollDirection direction = TScrollDirection::sdVertical)
{
    return CreditsRoll(lines, 10, area, direction, [](const QString& line) { return int(line.size()) * 10; });
}

std::vector<int> shownLines(const CreditsRoll& roll)
{
    std::vector<int> lines;
    for (const CreditsRow& row : roll.visibleRows())
        lines.push_back(row.line);
    return lines;
}

bool showsLime(const QImage& image)
{
    return anyPixel(image, [](QColor pixel) { return pixel.green() > 160 && pixel.red() < 80 && pixel.blue() < 80; });
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
    void ticks(int count) { for (int i = 0; i < count; ++i) panel.tick(); }

    TSecretPanel panel;
    QLabel* child = new QLabel(QStringLiteral("child"), &panel);
    QLabel* hiddenChild = new QLabel(QStringLiteral("hidden"), &panel);
    QSignalSpy started{&panel, &TSecretPanel::startPlay};
    QSignalSpy stopped{&panel, &TSecretPanel::stopPlay};
};

} // namespace

TEST_F(SecretPanelTest, CreditsRiseOrEnterSidewaysPlayWithTheChildrenHiddenAndStopAfterTheLastLineUnlessCycled)
{
    // The text area leaves border, bevels, margin and the glyph's side, and may be empty.
    EXPECT_EQ(creditsTextRect(QRect(0, 0, 166, 61), 1, 2, 2), QRect(8, 8, 150, 45));
    EXPECT_TRUE(creditsTextRect(QRect(0, 0, 10, 40), 1, 1, 1).isEmpty() &&
                creditsTextRect(QRect(0, 0, 8, 8), 0, 1, 1).isEmpty());
    const QRect text(3, 3, 160, 55);
    const GlyphSplit left = splitForGlyph(text, QSize(16, 16), TGlyphLayout::glGlyphLeft);
    EXPECT_TRUE(left.glyph == QRect(3, 22, 16, 16) && left.text == QRect(22, 3, 141, 55));
    const GlyphSplit bottom = splitForGlyph(text, QSize(16, 16), TGlyphLayout::glGlyphBottom);
    EXPECT_TRUE(bottom.glyph == QRect(75, 42, 16, 16) && bottom.text == QRect(3, 3, 160, 36));
    EXPECT_TRUE(splitForGlyph(text, QSize(200, 16), TGlyphLayout::glGlyphRight).text.isEmpty());

    // Upward, two blank lines before are skipped, one after takes room: 30-pixel area.
    CreditsRoll up = roll({"", "  ", "A", "B", ""}, QRect(0, 0, 50, 30));
    EXPECT_TRUE(up.firstLine() == 2 && up.maxScroll() == 30 + 3 * 10);
    EXPECT_EQ(roll({"A", "B", ""}, QRect(0, 0, 50, 30)).maxScroll(), up.maxScroll());
    EXPECT_TRUE(shownLines(up).empty());   // step 0: the first line waits just below
    up.moveTo(1);
    ASSERT_EQ(shownLines(up), (std::vector<int>{2}));
    EXPECT_EQ(up.visibleRows()[0].place, QRect(0, 29, 50, 10));
    // At 41 "B" has one pixel row left at the top; at 60 everything has left.
    for (const auto& [step, shown] : {std::pair{30, std::vector<int>{2, 3, 4}}, {41, {3, 4}}, {60, {}}}) {
        up.moveTo(step);
        EXPECT_EQ(shownLines(up), shown) << step;
    }
    up.moveTo(30);
    EXPECT_EQ(up.visibleRows()[0].place.top(), 0);
    // One pixel a step; it starts again only when cycled.
    CreditsRoll one = roll({"A"}, QRect(0, 0, 50, 20));
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(one.step(false));
    EXPECT_TRUE(!one.step(false) && one.counter() == 30);
    EXPECT_TRUE(one.step(true) && one.counter() == 0);
    one.moveTo(99);
    EXPECT_EQ(one.counter(), 30);

    // Sideways the block, "ab" and "abcd" (20 pixels high, 40 wide), is centred in a 100 × 40 area.
    CreditsRoll side = roll({"", "ab", "abcd", "", ""}, QRect(5, 5, 100, 40), TScrollDirection::sdHorizontal);
    EXPECT_TRUE(side.area() == QRect(5, 15, 100, 20) && side.maxScroll() == 40 + 100 && shownLines(side).empty());
    side.moveTo(1);
    ASSERT_EQ(shownLines(side), (std::vector<int>{1, 2}));
    EXPECT_EQ(side.visibleRows()[1].place, QRect(99, 10, 40, 10));
    side.moveTo(139);
    EXPECT_EQ(side.visibleRows()[0].place.left(), -39);
    side.moveTo(140);
    EXPECT_TRUE(shownLines(side).empty());
    panel.setInterval(5);
    panel.setActive(true);
    panel.setActive(true);
    EXPECT_TRUE(started.count() == 1 && child->isHidden() && panel.textRect() == QRect(3, 3, 160, 55));
    EXPECT_EQ(panel.maxScroll(), 55 + 4 * panel.lineHeight());
    EXPECT_FALSE(showsLime(panel.stepImage()));   // step 0: nothing in view yet
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.scrollCounter() >= 30; }, 5000));
    EXPECT_TRUE(showsLime(panel.grab(panel.textRect()).toImage()));
    panel.setLines({"Other lines"});
    EXPECT_EQ(panel.scrollCounter(), 0);
    panel.setActive(false);
    EXPECT_TRUE(stopped.count() == 1 && !child->isHidden() && panel.stepImage().isNull());
    EXPECT_TRUE(hiddenChild->isHidden());   // it was hidden before: it stays so

    panel.setActive(true);
    ticks(panel.maxScroll());
    EXPECT_TRUE(panel.active() && !showsLime(panel.stepImage()));   // the last line has just left
    panel.tick();
    EXPECT_TRUE(!panel.active() && stopped.count() == 2 && !child->isHidden());
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
