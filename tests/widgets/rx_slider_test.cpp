#include "widgets/rx_slider.h"

#include "error_text.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <climits>
#include <gtest/gtest.h>

using namespace lirra;

TEST(SliderRange, ValuesAreClampedAndOnlyRealChangesCount)
{
    SliderRange range;
    EXPECT_TRUE(range.setValue(150));
    EXPECT_EQ(range.value(), 100);
    EXPECT_FALSE(range.setValue(1000));
    EXPECT_FALSE(range.setMaxValue(0));   // not above the minimum: ignored
    EXPECT_EQ(range.maxValue(), 100);
    EXPECT_TRUE(range.setMaxValue(5));   // the value follows, the increment shrinks
    EXPECT_EQ(range.value(), 5);
    EXPECT_EQ(range.increment(), 5);
    EXPECT_FALSE(range.setMinValue(-10));
}

TEST(SliderRange, IncrementOutsideTheRangeIsRefused)
{
    SliderRange range;
    for (const int increment : {0, 101})
        EXPECT_EQ(errorText([&] { range.setIncrement(increment); }), "Value must be between 1 and 100");
    EXPECT_EQ(range.increment(), 10);
    range.setMinValue(INT_MIN);
    range.setMaxValue(INT_MAX);
    EXPECT_EQ(errorText([&] { range.setIncrement(0); }), "Value must be between 1 and 4294967295");
}

TEST(SliderRange, StepsGoOntoTheIncrementsGridFirst)
{
    SliderRange range;
    range.setValue(15);   // 1.5 increments: to 2, then one more
    EXPECT_TRUE(range.stepUp());
    EXPECT_EQ(range.value(), 30);
    range.setValue(25);   // 2.5 increments: to 2, then one less
    EXPECT_TRUE(range.stepDown());
    EXPECT_EQ(range.value(), 10);
    range.setValue(100);
    EXPECT_FALSE(range.stepUp());
    range.setValue(0);
    EXPECT_FALSE(range.stepDown());
}

TEST(SliderTrack, PositionsAndValuesRoundHalfToEvenAndAnEmptyTrackMeansTheMinimum)
{
    SliderRange range;   // 0..100 by 10
    const SliderTrack track = SliderTrack::of(0, 150, 11);
    EXPECT_EQ(track.start, 6);
    EXPECT_EQ(track.length, 150 - 12 - 11);
    EXPECT_EQ(track.positionOf(range, 100), 133);
    EXPECT_EQ(track.positionOf(range, 50), 6 + 64);   // 63.5 goes to 64
    EXPECT_EQ(track.valueAt(range, 6 + 47, true), 37);
    EXPECT_EQ(track.valueAt(range, 6 + 47, false), 40);
    EXPECT_EQ(track.valueAt(range, -20, true), 0);
    EXPECT_EQ(track.valueAt(range, 500, true), 100);
    EXPECT_EQ(SliderTrack::of(0, 20, 11).length, 0);
    EXPECT_EQ(SliderTrack::of(0, 20, 11).valueAt(range, 40, true), 0);
}

TEST(SliderTicks, MarksAreSpacedAtLeastFourPixelsWithTheLastAtTheMaximumAndStayBounded)
{
    SliderRange range;   // 0..100 by 10 over 127 pixels: every increment fits
    EXPECT_EQ(tickMarks(range, 127).size(), 11u);
    range.setIncrement(1);   // 0..100 by 1: every 4th value, then 100
    std::vector<TickMark> marks = tickMarks(range, 127);
    ASSERT_EQ(marks.size(), 26u);
    EXPECT_TRUE(marks[1].value == 4 && marks[24].value == 96 && marks[25].value == 100);
    EXPECT_TRUE(marks.front().end && marks.back().end && !marks[1].end);

    range.setMinValue(INT_MIN);
    range.setMaxValue(INT_MAX);
    marks = tickMarks(range, 100);
    EXPECT_LE(marks.size(), 70000u);   // stops where the spacing no longer grows
    EXPECT_TRUE(marks.front().value == INT_MIN && marks.back().value == INT_MAX);
    EXPECT_TRUE(tickMarks(range, 0).empty());
}

namespace {

// The scroll-speed dialog's slider: 1..10000 by 1.
class Slider : public ::testing::Test {
protected:
    void SetUp() override
    {
        slider.setMaxValue(10000);
        slider.setMinValue(1);
        slider.setIncrement(1);
        slider.resize(300, 40);
        slider.show();
        QApplication::setActiveWindow(&slider);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&slider));
        slider.setFocus();
        spy.clear();
    }
    QPoint thumbCentre() const { return slider.thumbRect().center(); }
    QPoint onRuler(int x) const { return QPoint(x, slider.rulerRect().center().y()); }
    int changes() const { return int(spy.count()); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(&slider, key, modifiers); }

    TRxSlider slider;
    QSignalSpy spy{&slider, &TRxSlider::OnChange};
};

} // namespace

TEST_F(Slider, HomeEndAndArrowsStepWithOneChangeEach)
{
    key(Qt::Key_End);
    EXPECT_EQ(slider.Value(), 10000);
    key(Qt::Key_Right);   // already at the end: no change
    key(Qt::Key_Left);
    EXPECT_EQ(slider.Value(), 9999);
    key(Qt::Key_Up);   // not for a horizontal slider
    key(Qt::Key_Home, Qt::ControlModifier);
    key(Qt::Key_PageDown);
    EXPECT_EQ(slider.Value(), 9999);
    key(Qt::Key_Home);
    EXPECT_EQ(slider.Value(), 1);
    slider.setValue(0);   // clamped to 1, which it already is: no change
    EXPECT_EQ(changes(), 3);
    slider.setOrientation(Qt::Vertical);
    key(Qt::Key_Up);
    key(Qt::Key_Right);
    EXPECT_EQ(slider.Value(), 2);
}

TEST_F(Slider, DraggingTheThumbFollowsTheMouseSmoothlyWithThePressedPicture)
{
    const QImage normal = slider.grab(slider.thumbRect()).toImage();
    QTest::mousePress(&slider, Qt::LeftButton, {}, thumbCentre());
    EXPECT_NE(slider.grab(slider.thumbRect()).toImage(), normal);
    std::set<int> seen;
    for (int x = thumbCentre().x(); x < 300; x += 7) {
        QTest::mouseMove(&slider, QPoint(x, thumbCentre().y()));
        seen.insert(slider.Value());
    }
    EXPECT_EQ(slider.Value(), 10000);
    EXPECT_EQ(changes(), int(seen.size()) - (seen.count(1) ? 1 : 0));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](int v) { return v % 10 != 0 && v != 1; }));
    QTest::mouseMove(&slider, QPoint(-50, thumbCentre().y()));
    EXPECT_EQ(slider.Value(), 1);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(-50, thumbCentre().y()));
    EXPECT_FALSE(slider.thumbPressed());
    EXPECT_EQ(slider.grab(slider.thumbRect()).toImage(), normal);
}

TEST_F(Slider, AClickHeldOnTheRulerStepsTowardsTheMouseUntilTheThumbPassesIt)
{
    // Off the ruler, or with another button: nothing.
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(200, 1));
    QTest::mouseClick(&slider, Qt::RightButton, {}, onRuler(200));
    EXPECT_EQ(changes(), 0);

    slider.setIncrement(1000);
    const QPoint target = onRuler(100);   // about a third of the way
    QTest::mousePress(&slider, Qt::LeftButton, {}, target);
    EXPECT_EQ(slider.Value(), 1000);   // one step at the press, onto the grid
    EXPECT_EQ(changes(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return slider.thumbRect().right() >= target.x(); }, 10000));
    const int reached = slider.Value();
    EXPECT_GT(reached, 1000);
    QTest::qWait(2 * TRxSlider::kRepeatMs);
    EXPECT_EQ(slider.Value(), reached);
    // Still held: further along the press's side it steps on; on the other side it rests.
    QTest::mouseMove(&slider, onRuler(150));
    EXPECT_TRUE(QTest::qWaitFor([&] { return slider.Value() > reached; }, 5000));
    QTest::mouseMove(&slider, onRuler(5));
    const int left = slider.Value();
    QTest::qWait(2 * TRxSlider::kRepeatMs);
    EXPECT_EQ(slider.Value(), left);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, onRuler(5));
}

TEST_F(Slider, TheFocusFrameIsDrawnInTheTextColour)
{
    QPalette look = slider.palette();
    look.setColor(QPalette::WindowText, QColor(192, 192, 192));
    slider.setPalette(look);
    ASSERT_TRUE(slider.hasFocus());
    EXPECT_EQ(slider.grab().toImage().pixelColor(0, 0), QColor(192, 192, 192));
}

TEST_F(Slider, ScreenReadersReadAndSetTheValue)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&slider);
    ASSERT_TRUE(accessible && accessible->valueInterface());
    EXPECT_EQ(accessible->role(), QAccessible::Slider);
    accessible->valueInterface()->setCurrentValue(400);
    EXPECT_EQ(slider.Value(), 400);
    EXPECT_EQ(accessible->valueInterface()->maximumValue().toInt(), 10000);
}
