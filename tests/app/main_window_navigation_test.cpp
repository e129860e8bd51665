// The main window's ways through the book, as a user reaches them: the status line's
// labels, "Goto First Page", and automatic scrolling with its speed kept by
// "Save Options". (F5 and Find are driven in tests/e2e/navigation_e2e.sh.)

#include "main_window_fixture.h"

#include <QLineEdit>

using namespace lirra;
using lirra::platform::Registry;

namespace {

using Navigation = MainWindowTest;

} // namespace

TEST_F(Navigation, TheStatusLabelsOpenGotoAndScrollTextLeavesTheCaretAcrossBooks)
{
    TForm1 form({qstr(numberedBook(200))});
    ASSERT_TRUE(activate(form));
    for (const char* name : {"Label1", "Label3", "Label6"}) {
        onNextModal(form, [](QWidget& modal) {
            child<QLineEdit>(modal, "Edit1")->setText(QStringLiteral("60"));
            click(modal, "Button1");
        });
        QTest::mouseClick(child(form, name), Qt::LeftButton);
        // The caret just after "line 120".
        EXPECT_EQ(label(form, "Label3") + ':' + label(form, "Label4") + label(form, "Label6"), "120:960%") << name;
        EXPECT_EQ(form.currentLine(), 120);
        action(form, "GotoFirstPage1")->trigger();
        EXPECT_EQ(label(form, "Label3") + ':' + label(form, "Label4"), "1:7");   // just after "line 1"
    }

    // Scroll Text leaves the caret and runs on across books.
    ASSERT_TRUE(activate(form));
    QAction* scrollText = action(form, "ScrollText1");
    onNextModal(form, [](QWidget& modal) { click(modal, "Button1"); });
    QTest::keyClick(&form, Qt::Key_F11, Qt::ControlModifier);
    ASSERT_TRUE(activate(form));
    QTest::keyClick(&form, Qt::Key_F11);
    EXPECT_TRUE(scrollText->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.bookView().firstVisibleLine() > 3; }));
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("1"));   // the caret stays

    form.LoadBook(qstr(numberedBook(500, "other.txt")));   // loading does not stop it
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.bookView().firstVisibleLine() > 3; }));
    EXPECT_TRUE(scrollText->isChecked());
    QTest::keyClick(&form, Qt::Key_F11);
    EXPECT_FALSE(child<QTimer>(form, "Timer1")->isActive());
    EXPECT_FALSE(scrollText->isChecked());
}

// The stored speed is clamped onto the slider; "Cancel" after moving the slider leaves
// the slowest speed, "OK" takes the slider's.
TEST_F(Navigation, TheStoredSpeedIsClampedOntoTheSliderAndSavedFromIt)
{
    Registry().writeValues(kOptionsKey,
                           {{"FontSize", 13}, {"FontColor", 0xC0C0C0}, {"BGColor", 0}, {"ScrollTextSpeed", 20000}});
    TForm1 form({});
    ASSERT_TRUE(activate(form));
    action(form, "SaveOptions1")->trigger();
    EXPECT_EQ(storedOption("ScrollTextSpeed"), 10000);

    for (const auto& [button, fromHome, steps, expected] : {std::tuple{"Button2", true, 5, 1}, {"Button1", false, 2, 3}}) {
        onNextModal(form, [&](QWidget& modal) {
            QWidget* slider = child(modal, "RxSlider1");
            if (fromHome)
                QTest::keyClick(slider, Qt::Key_Home);
            for (int i = 0; i < steps; ++i)
                QTest::keyClick(slider, Qt::Key_Right);
            click(modal, button);
        });
        action(form, "SetScrollSpeed2")->trigger();
        action(form, "SaveOptions1")->trigger();
        EXPECT_EQ(storedOption("ScrollTextSpeed"), expected) << button;
    }
}
