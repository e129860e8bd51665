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
    QPoint onRuler(int x) const { return QPoint(x, slider.rulerRect().center().y()); }
    QImage thumb() { return slider.grab(slider.thumbRect()).toImage(); }

    TRxSlider slider;
    QSignalSpy spy{&slider, &TRxSlider::OnChange};
};

} // namespace

TEST_F(Slider, RangeTrackAndTicksThenKeysStepOnceEachScreenReadersSetTheValueAndTheThumbDragsSmoothly)
{
    SliderRange range;
    EXPECT_TRUE(range.setValue(150) && range.value() == 100);
    EXPECT_FALSE(range.setValue(1000) || range.setMaxValue(0));   // 0: not above the minimum
    for (const int increment : {0, 101})
        EXPECT_EQ(errorText([&] { range.setIncrement(increment); }), "Value must be between 1 and 100");
    // 1.5 increments up: to 2, then one more; 2.5 down: to 2, then one less; nothing below 0.
    for (const auto& [from, up, moved, to] : {std::tuple{15, true, true, 30}, {25, false, true, 10}, {0, false, false, 0}}) {
        range.setValue(from);
        EXPECT_TRUE((up ? range.stepUp() : range.stepDown()) == moved && range.value() == to) << from;
    }
    range.setValue(100);
    EXPECT_TRUE(range.setMaxValue(5) && range.value() == 5 && range.increment() == 5);   // both follow
    EXPECT_FALSE(range.stepUp() || range.setMinValue(-10));
    range.setMinValue(INT_MIN);
    range.setMaxValue(INT_MAX);
    EXPECT_EQ(errorText([&] { range.setIncrement(0); }), "Value must be between 1 and 4294967295");
    std::vector<TickMark> marks = tickMarks(range, 100);   // it stops where the spacing no longer grows
    EXPECT_TRUE(marks.size() <= 70000u && marks.front().value == INT_MIN && marks.back().value == INT_MAX);
    range = SliderRange();   // 0..100 by 10
    const SliderTrack track = SliderTrack::of(0, 150, 11);   // starts at 6, 127 long
    EXPECT_TRUE(track.positionOf(range, 100) == 133 && track.positionOf(range, 50) == 6 + 64);   // 63.5 goes to 64
    for (const auto& [x, smooth, value] : {std::tuple{53, true, 37}, {53, false, 40}, {-20, true, 0}, {500, true, 100}})
        EXPECT_EQ(track.valueAt(range, x, smooth), value) << x;
    EXPECT_EQ(SliderTrack::of(0, 20, 11).valueAt(range, 40, true), 0);
    EXPECT_EQ(tickMarks(range, 127).size(), 11u);   // every increment fits
    range.setIncrement(1);   // 0..100 by 1: every 4th value, then 100
    marks = tickMarks(range, 127);
    ASSERT_EQ(marks.size(), 26u);
    EXPECT_TRUE(marks[1].value == 4 && marks[24].value == 96 && marks[25].value == 100 && !marks[1].end);
    EXPECT_TRUE(marks.front().end && marks.back().end && tickMarks(range, 0).empty());
    QPalette look = slider.palette();
    look.setColor(QPalette::WindowText, QColor(192, 192, 192));
    slider.setPalette(look);
    EXPECT_EQ(slider.grab().toImage().pixelColor(0, 0), QColor(192, 192, 192));   // the focus frame
    // Right at the end, Up when horizontal, Ctrl+Home and PageDown: no change.
    for (const auto& [pressed, modifiers, value] :
         {std::tuple{Qt::Key_End, Qt::NoModifier, 10000}, {Qt::Key_Right, Qt::NoModifier, 10000},
          {Qt::Key_Left, Qt::NoModifier, 9999}, {Qt::Key_Up, Qt::NoModifier, 9999},
          {Qt::Key_Home, Qt::ControlModifier, 9999}, {Qt::Key_PageDown, Qt::NoModifier, 9999}, {Qt::Key_Home, Qt::NoModifier, 1}}) {
        QTest::keyClick(&slider, pressed, modifiers);
        EXPECT_EQ(slider.value(), value) << pressed;
    }
    slider.setValue(0);   // clamped to 1, which it already is
    EXPECT_EQ(spy.count(), 3);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&slider);
    ASSERT_TRUE(accessible && accessible->valueInterface() && accessible->role() == QAccessible::Slider);
    accessible->valueInterface()->setCurrentValue(400);
    EXPECT_TRUE(slider.value() == 400 && accessible->valueInterface()->maximumValue().toInt() == 10000);

    slider.setValue(1);
    spy.clear();
    const QImage normal = thumb();
    const QPoint centre = slider.thumbRect().center();
    QTest::mousePress(&slider, Qt::LeftButton, {}, centre);
    EXPECT_NE(thumb(), normal);
    std::set<int> seen;
    for (int x = centre.x(); x < 300; x += 7) {
        QTest::mouseMove(&slider, QPoint(x, centre.y()));
        seen.insert(slider.value());
    }
    EXPECT_TRUE(slider.value() == 10000 && spy.count() == int(seen.size()) - int(seen.count(1)));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](int v) { return v % 10 != 0 && v != 1; }));
    QTest::mouseMove(&slider, QPoint(-50, centre.y()));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(-50, centre.y()));
    EXPECT_TRUE(slider.value() == 1 && thumb() == normal);
    slider.setOrientation(Qt::Vertical);   // Up steps, Right does not
    QTest::keyClick(&slider, Qt::Key_Up);
    QTest::keyClick(&slider, Qt::Key_Right);
    EXPECT_EQ(slider.value(), 2);
}

TEST_F(Slider, AClickHeldOnTheRulerStepsTowardsTheMouseUntilTheThumbPassesIt)
{
    // Off the ruler, or with another button: nothing.
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(200, 1));
    QTest::mouseClick(&slider, Qt::RightButton, {}, onRuler(200));
    EXPECT_EQ(spy.count(), 0);
    slider.setIncrement(1000);
    const QPoint target = onRuler(100);   // about a third of the way
    QTest::mousePress(&slider, Qt::LeftButton, {}, target);
    EXPECT_TRUE(slider.value() == 1000 && spy.count() == 1);   // one step at the press, onto the grid
    EXPECT_TRUE(QTest::qWaitFor([&] { return slider.thumbRect().right() >= target.x(); }, 10000));
    const int reached = slider.value();
    QTest::qWait(2 * TRxSlider::kRepeatMs);
    EXPECT_TRUE(slider.value() == reached && reached > 1000);
    // Still held: further along the press's side it steps on; on the other side it rests.
    QTest::mouseMove(&slider, onRuler(150));
    EXPECT_TRUE(QTest::qWaitFor([&] { return slider.value() > reached; }, 5000));
    QTest::mouseMove(&slider, onRuler(5));
    const int rested = slider.value();
    QTest::qWait(2 * TRxSlider::kRepeatMs);
    EXPECT_EQ(slider.value(), rested);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, onRuler(5));
}
