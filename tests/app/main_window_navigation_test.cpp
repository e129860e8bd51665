// The main window's ways through the book, as a user reaches them: the status line's
// labels, "Goto First Page", and automatic scrolling with its speed kept by
// "Save Options". (F5 and Find are driven in tests/e2e/navigation_e2e.sh.)

#include "app/main_window.h"

#include "bookview/widget/book_view.h"
#include "platform/registry_hive.h"
#include "main_window_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace lirra;
using lirra::platform::Registry;

namespace {

class Navigation : public MainWindowTest {
protected:
    static void storeSpeed(std::int32_t speed)
    {
        Registry registry;
        registry.openKey("Software\\Lirra Reader\\Options", true);
        registry.writeInteger("FontSize", 13);
        registry.writeInteger("FontColor", 0xC0C0C0);
        registry.writeInteger("BGColor", 0);
        registry.writeInteger("ScrollTextSpeed", speed);
    }
    static std::int32_t storedSpeed()
    {
        Registry registry;
        registry.openKey("Software\\Lirra Reader\\Options", false);
        return registry.readInteger("ScrollTextSpeed");
    }
    // Runs `act` on the modal dialog the next step opens; a failure when none opens.
    static void onNextModal(TForm1& form, std::function<void(QWidget&)> act)
    {
        QTimer::singleShot(0, &form, [act = std::move(act)] {
            if (QWidget* modal = QApplication::activeModalWidget())
                act(*modal);
            else
                ADD_FAILURE() << "no modal dialog";
        });
    }
    template <class T = QWidget>
    static T* child(QWidget& modal, const char* name)
    {
        return modal.findChild<T*>(QLatin1String(name));
    }
};

} // namespace

TEST_F(Navigation, TheStatusLabelsOpenGotoWhichMovesTheStatusLine)
{
    TForm1 form({QString::fromStdString(numberedBook(200))});
    ASSERT_TRUE(activate(form));
    for (const char* name : {"Label1", "Label3", "Label6"}) {
        onNextModal(form, [](QWidget& modal) {
            child<QLineEdit>(modal, "Edit1")->setText(QStringLiteral("60"));
            child<QPushButton>(modal, "Button1")->click();
        });
        QTest::mouseClick(form.findChild<QLabel*>(QLatin1String(name)), Qt::LeftButton);
        EXPECT_EQ(label(form, "Label3"), QStringLiteral("120")) << name;
        EXPECT_EQ(label(form, "Label4"), QStringLiteral("9"));   // just after "line 120"
        EXPECT_EQ(label(form, "Label6"), QStringLiteral("60%"));
        EXPECT_EQ(form.currentLine(), 120);
        action(form, "GotoFirstPage1")->trigger();
        EXPECT_EQ(label(form, "Label3"), QStringLiteral("1"));
        EXPECT_EQ(label(form, "Label4"), QStringLiteral("7"));   // just after "line 1"
    }
}

TEST_F(Navigation, ScrollTextLeavesTheCaretAndRunsOnAcrossBooks)
{
    TForm1 form({QString::fromStdString(numberedBook(3000))});
    ASSERT_TRUE(activate(form));
    QAction* scrollText = action(form, "ScrollText1");
    onNextModal(form, [](QWidget& modal) { child<QPushButton>(modal, "Button1")->click(); });
    QTest::keyClick(&form, Qt::Key_F11, Qt::ControlModifier);
    ASSERT_TRUE(activate(form));
    QTest::keyClick(&form, Qt::Key_F11);
    EXPECT_TRUE(scrollText->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.bookView().firstVisibleLine() > 3; }));
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("1"));   // the caret stays

    form.LoadBook(QString::fromStdString(numberedBook(500, "other.txt")));   // loading does not stop it
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.bookView().firstVisibleLine() > 3; }));
    EXPECT_TRUE(scrollText->isChecked());
    QTest::keyClick(&form, Qt::Key_F11);
    EXPECT_FALSE(form.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    EXPECT_FALSE(scrollText->isChecked());
}

TEST_F(Navigation, TheStoredSpeedIsClampedOntoTheSliderAndSavedFromIt)
{
    storeSpeed(20000);
    TForm1 form({});
    ASSERT_TRUE(activate(form));
    action(form, "SaveOptions1")->trigger();
    EXPECT_EQ(storedSpeed(), 10000);

    // "Cancel" after moving the slider: the speed is the slowest. "OK" takes the slider's.
    for (const auto& [button, fromHome, steps, expected] : {std::tuple{"Button2", true, 5, 1}, {"Button1", false, 2, 3}}) {
        onNextModal(form, [&](QWidget& modal) {
            QWidget* slider = child(modal, "RxSlider1");
            if (fromHome)
                QTest::keyClick(slider, Qt::Key_Home);
            for (int i = 0; i < steps; ++i)
                QTest::keyClick(slider, Qt::Key_Right);
            child<QPushButton>(modal, button)->click();
        });
        action(form, "SetScrollSpeed2")->trigger();
        action(form, "SaveOptions1")->trigger();
        EXPECT_EQ(storedSpeed(), expected) << button;
    }
}
