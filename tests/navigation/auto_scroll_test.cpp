#include "navigation/auto_scroll.h"
#include "navigation/scroll_speed_dialog.h"

#include "fake_reader_window.h"
#include "widgets/rx_gradient_caption.h"
#include "widgets/rx_slider.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

template <class T>
T* child(QWidget& form, const char* name)
{
    T* found = form.findChild<T*>(QLatin1String(name));
    EXPECT_TRUE(found) << name;
    return found;
}

QString interval(TForm6& form) { return child<QLabel>(form, "Label2")->text(); }

} // namespace

TEST(ScrollSpeedDialog, StartsFromTheStoredSpeedClampedOntoTheSlider)
{
    EXPECT_EQ(interval(*std::make_unique<TForm6>(0, nullptr)), QStringLiteral("50 Msec"));
    EXPECT_EQ(interval(*std::make_unique<TForm6>(3, nullptr)), QStringLiteral("150 Msec"));
    TForm6 fastest(20000, nullptr);
    EXPECT_EQ(fastest.speed(), 10000);
    EXPECT_EQ(interval(fastest), QStringLiteral("500000 Msec"));
    EXPECT_TRUE(fastest.scrollRows());
    EXPECT_FALSE(fastest.scrollPages());
}

TEST(ScrollSpeedDialog, CancelSetsTheSlowestSpeedAndBothButtonsClose)
{
    TForm6 form(1, nullptr);
    QSignalSpy closed(&form, &TForm6::closed);
    auto* slider = child<TRxSlider>(form, "RxSlider1");
    form.show();
    slider->setValue(400);
    EXPECT_EQ(interval(form), QStringLiteral("20000 Msec"));
    child<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(form.speed(), 1);
    EXPECT_EQ(interval(form), QStringLiteral("50 Msec"));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(closed.count(), 1);

    form.show();
    slider->setValue(20);
    child<QPushButton>(form, "Button1")->click();
    EXPECT_EQ(form.speed(), 20);
    EXPECT_EQ(interval(form), QStringLiteral("1000 Msec"));
    EXPECT_EQ(closed.count(), 2);
}

TEST(ScrollSpeedDialog, TheSliderComesFirstInTheTabOrderAndThereIsNoCloseBox)
{
    TForm6 form(1, nullptr);
    EXPECT_FALSE(form.findChild<TRxGradientCaption*>()->systemMenu());
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* set = child<QPushButton>(form, "Button1");
    set->setFocus();
    QTest::keyClick(set, Qt::Key_Tab);
    EXPECT_TRUE(child<TRxSlider>(form, "RxSlider1")->hasFocus());
}

namespace {

class AutoScrolling : public ::testing::Test {
protected:
    void SetUp() override
    {
        reader.openNumbered(2000);
        scrollText1.setCheckable(true);
        scrollText1.setEnabled(false);
    }
    // Opens the speed dialog, lets `act` work in it, and closes it with `button`
    // ("Set Speed" unless told).
    void inSpeedDialog(const std::function<void()>& act, const char* button = "Button1")
    {
        QTimer::singleShot(0, &form6, [&] {
            act();
            child<QPushButton>(form6, button)->click();
        });
        scroll.SetScrollSpeed2Click();
    }

    FakeReaderWindow reader;
    QTimer timer1;
    QAction scrollText1{QStringLiteral("Scroll Text")};
    TForm6 form6{1, &reader.view};
    AutoScroll scroll{reader.view, timer1, scrollText1, form6};
};

} // namespace

TEST_F(AutoScrolling, ScrollTextCanBeChosenOnceTheSpeedDialogWasOpened)
{
    bool modal = false;
    inSpeedDialog([&] { modal = QApplication::activeModalWidget() == &form6; });
    EXPECT_TRUE(modal);
    EXPECT_TRUE(scrollText1.isEnabled());
    EXPECT_FALSE(timer1.isActive());
}

TEST_F(AutoScrolling, StartsAndStopsTheTimerWithTheTickShowingIt)
{
    inSpeedDialog([&] { child<TRxSlider>(form6, "RxSlider1")->setValue(20); });
    scroll.ScrollText1Click();
    EXPECT_TRUE(timer1.isActive());
    EXPECT_TRUE(scrollText1.isChecked());
    EXPECT_EQ(timer1.interval(), 1000);
    scroll.ScrollText1Click();
    EXPECT_FALSE(timer1.isActive());
    EXPECT_FALSE(scrollText1.isChecked());
}

TEST_F(AutoScrolling, ClosingTheDialogSetsTheNewIntervalWithoutStoppingTheScrolling)
{
    scroll.ScrollText1Click();
    EXPECT_EQ(timer1.interval(), 50);
    inSpeedDialog([&] {
        child<TRxSlider>(form6, "RxSlider1")->setValue(7);
        EXPECT_EQ(timer1.interval(), 50);   // not before the dialog closes
    });
    EXPECT_EQ(timer1.interval(), 350);
    EXPECT_TRUE(timer1.isActive());
    EXPECT_TRUE(scrollText1.isChecked());
    inSpeedDialog([&] { child<TRxSlider>(form6, "RxSlider1")->setValue(400); }, "Button2");
    EXPECT_EQ(timer1.interval(), 50);   // "Cancel" means the slowest speed
    EXPECT_TRUE(timer1.isActive());
}

TEST_F(AutoScrolling, EachTickMovesTheViewByARowOrAPageAsTheDialogSaysNow)
{
    const std::int64_t caret = reader.view.caretPosition();
    scroll.Timer1Timer();
    scroll.Timer1Timer();
    EXPECT_EQ(reader.view.firstVisibleLine(), 2);
    const std::int64_t before = reader.view.firstVisibleLine();
    child<QRadioButton>(form6, "RadioButton2")->setChecked(true);
    scroll.Timer1Timer();
    const std::int64_t page = reader.view.firstVisibleLine() - before;
    EXPECT_GT(page, 5);
    EXPECT_EQ(reader.view.caretPosition(), caret);   // the caret stays where it was

    for (int i = 0; i < 2000; ++i)
        scroll.Timer1Timer();
    const std::int64_t end = reader.view.firstVisibleLine();
    scroll.Timer1Timer();   // nothing left to scroll: the view stays still
    EXPECT_EQ(reader.view.firstVisibleLine(), end);
}

TEST_F(AutoScrolling, TheTimerKeepsTickingBehindAModalDialog)
{
    scroll.ScrollText1Click();
    QObject::connect(&timer1, &QTimer::timeout, &timer1, [this] { scroll.Timer1Timer(); });
    std::int64_t movedWhileOpen = 0;
    inSpeedDialog([&] {
        const std::int64_t top = reader.view.firstVisibleLine();
        QTest::qWait(300);
        movedWhileOpen = reader.view.firstVisibleLine() - top;
    });
    EXPECT_GT(movedWhileOpen, 0);
}
