#include "navigation/auto_scroll.h"
#include "navigation/scroll_speed_dialog.h"

#include "fake_reader_window.h"
#include "widgets/rx_slider.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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

class AutoScrolling : public ::testing::Test {
protected:
    AutoScrolling()
    {
        reader.openNumbered(2000);
        scrollText1.setCheckable(true);
        scrollText1.setEnabled(false);
    }
    // Opens the speed dialog, lets `act` work in it, and closes it with `close` ("Set Speed" unless told).
    void inSpeedDialog(const std::function<void()>& act, const std::function<void()>& close = {})
    {
        QTimer::singleShot(0, &form6, [&] {
            act();
            close ? close() : child<QPushButton>(form6, "Button1")->click();
        });
        scroll.chooseSpeed();
    }
    TRxSlider* slider() { return child<TRxSlider>(form6, "RxSlider1"); }

    FakeReaderWindow reader;
    QTimer timer1;
    QAction scrollText1{QStringLiteral("Scroll Text")};
    TForm6 form6{1, &reader.view};
    AutoScroll scroll{reader.view, timer1, scrollText1, form6};
};

} // namespace

// The dialog shows fifty milliseconds a speed step; each tick moves the view by a row or a
// page; closing the dialog sets the new interval without stopping the scrolling, which goes on
// behind it.
TEST_F(AutoScrolling, EachTickMovesARowOrAPageAndClosingTheDialogSetsTheIntervalWithoutStoppingTheScrolling)
{
    for (const auto& [stored, speed, shown] : {std::tuple{0, 1, "50 Msec"}, {3, 3, "150 Msec"}}) {
        TForm6 form(stored, nullptr);
        EXPECT_TRUE(form.speed() == speed && interval(form) == QLatin1String(shown)) << stored;
    }
    TForm6 form(1, nullptr);
    child<TRxSlider>(form, "RxSlider1")->setValue(400);
    EXPECT_EQ(interval(form), QStringLiteral("20000 Msec"));
    const std::int64_t caret = reader.view.caretPosition();
    scroll.step();
    scroll.step();
    EXPECT_EQ(reader.view.firstVisibleLine(), 2);
    child<QRadioButton>(form6, "RadioButton2")->setChecked(true);
    scroll.step();
    EXPECT_GT(reader.view.firstVisibleLine(), 2 + 5);   // a page
    EXPECT_EQ(reader.view.caretPosition(), caret);   // the caret stays where it was
    // Once the last line is in view there is nothing to scroll: it stays at the bottom.
    const std::int64_t lastPage = reader.view.lineCount() - reader.view.document().visibleLines();
    for (const char* mode : {"RadioButton2", "RadioButton1"}) {
        child<QRadioButton>(form6, mode)->setChecked(true);
        reader.view.reanchorLine(0);
        for (int i = 0; i < 2000; ++i)
            scroll.step();
        EXPECT_EQ(reader.view.firstVisibleLine(), lastPage) << mode;
    }
    reader.view.reanchorLine(0);
    scroll.toggle();
    QObject::connect(&timer1, &QTimer::timeout, &timer1, [this] { scroll.step(); });
    EXPECT_EQ(timer1.interval(), 50);
    inSpeedDialog([&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &form6);
        slider()->setValue(7);
        const std::int64_t top = reader.view.firstVisibleLine();
        QTest::qWait(300);
        EXPECT_GT(reader.view.firstVisibleLine(), top);   // the timer ticks behind the modal dialog
        EXPECT_EQ(timer1.interval(), 50);   // not before the dialog closes
    });
    EXPECT_TRUE(timer1.interval() == 350 && timer1.isActive() && scrollText1.isChecked());
    // "Cancel", and Escape as well, set the fastest speed, whatever the slider says.
    const std::function<void()> cancels[] = {[&] { child<QPushButton>(form6, "Button2")->click(); },
                                             [&] { QTest::keyClick(&form6, Qt::Key_Escape); }};
    for (const auto& cancel : cancels) {
        inSpeedDialog([&] { slider()->setValue(400); }, cancel);
        EXPECT_TRUE(!form6.isVisible() && timer1.interval() == 50 && form6.speed() == 1);
    }
}
