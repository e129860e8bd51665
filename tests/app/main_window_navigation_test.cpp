// The main window's ways through the book, as a user reaches them: F5 and the status
// line's labels, "Goto First Page", Ctrl+F, and automatic scrolling with its speed kept
// by "Save Options ".

#include "app/main_window.h"

#include "bookview/widget/book_view.h"
#include "platform/registry_hive.h"
#include "reader/message_boxes.h"
#include "main_window_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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
    // Whether the step before opened a modal dialog; a failure when it did not.
    static bool modalOpen()
    {
        if (QApplication::activeModalWidget())
            return true;
        ADD_FAILURE() << "no modal dialog";
        return false;
    }
    template <class T = QWidget>
    static T* modalChild(const char* name)
    {
        return QApplication::activeModalWidget()->findChild<T*>(QLatin1String(name));
    }
};

} // namespace

TEST_F(Navigation, F5AndTheStatusLabelsOpenGotoWhichMovesTheStatusLine)
{
    TForm1 form({QString::fromStdString(numberedBook(200))});
    ASSERT_TRUE(activate(form));
    QString modalTitle;
    QTimer::singleShot(0, &form, [&] {
        if (!modalOpen())
            return;
        modalTitle = QApplication::activeModalWidget()->windowTitle();
        modalChild<QLineEdit>("Edit2")->setText(QStringLiteral("120"));
        QTest::keyClick(modalChild<QLineEdit>("Edit2"), Qt::Key_Return);
    });
    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_EQ(modalTitle, QStringLiteral("Goto..."));
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("120"));
    EXPECT_EQ(label(form, "Label4"), QStringLiteral("9"));   // just after "line 120"
    EXPECT_EQ(label(form, "Label6"), QStringLiteral("60%"));
    EXPECT_EQ(form.currentLine(), 120);

    for (const char* name : {"Label1", "Label3", "Label6"}) {
        QTimer::singleShot(0, &form, [&] {
            if (!modalOpen())
                return;
            modalChild<QLineEdit>("Edit1")->setText(QStringLiteral("50"));
            modalChild<QPushButton>("Button1")->click();
        });
        QTest::mouseClick(form.findChild<QLabel*>(QLatin1String(name)), Qt::LeftButton);
        EXPECT_EQ(label(form, "Label3"), QStringLiteral("100")) << name;
        form.findChild<QAction*>(QStringLiteral("GotoFirstPage1"))->trigger();
        EXPECT_EQ(label(form, "Label3"), QStringLiteral("1"));
        EXPECT_EQ(label(form, "Label4"), QStringLiteral("7"));   // just after "line 1"
    }
}

TEST_F(Navigation, CtrlFOpensTheFindDialogThatSelectsTheNextOccurrence)
{
    TForm1 form({QString::fromStdString(numberedBook(300))});
    ASSERT_TRUE(activate(form));
    QTest::keyClick(&form, Qt::Key_F, Qt::ControlModifier);
    auto* dialog = form.findChild<QDialog*>(QStringLiteral("FindDialog1"));
    ASSERT_TRUE(dialog && dialog->isVisible());
    dialog->findChild<QLineEdit*>(QStringLiteral("FindWhat"))->setText(QStringLiteral("LINE 25"));
    dialog->findChild<QPushButton*>(QStringLiteral("FindNext"))->click();
    EXPECT_EQ(form.bookView().selectedText(), QStringLiteral("line 25"));
    EXPECT_EQ(form.bookView().lineFromChar(form.bookView().selectionStart()), 24);
    dialog->findChild<QPushButton*>(QStringLiteral("FindNext"))->click();   // "line 250"
    EXPECT_EQ(form.bookView().lineFromChar(form.bookView().selectionStart()), 249);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Navigation, ScrollTextWaitsForTheSpeedDialogThenRunsTheTimerAcrossBooks)
{
    TForm1 form({QString::fromStdString(numberedBook(3000))});
    ASSERT_TRUE(activate(form));
    auto* timer1 = form.findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_TRUE(timer1);
    QAction* scrollText = action(form, "ScrollText1");
    QTest::keyClick(&form, Qt::Key_F11);   // not available yet
    EXPECT_FALSE(timer1->isActive());
    EXPECT_FALSE(scrollText->isChecked());

    QTimer::singleShot(0, &form, [&] {
        if (modalOpen())
            modalChild<QPushButton>("Button1")->click();
    });
    QTest::keyClick(&form, Qt::Key_F11, Qt::ControlModifier);
    EXPECT_TRUE(scrollText->isEnabled());

    ASSERT_TRUE(activate(form));
    QTest::keyClick(&form, Qt::Key_F11);
    EXPECT_TRUE(timer1->isActive());
    EXPECT_TRUE(scrollText->isChecked());
    EXPECT_EQ(timer1->interval(), 50);
    QTRY_VERIFY(form.bookView().firstVisibleLine() > 3);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("1"));   // the caret stays

    form.LoadBook(QString::fromStdString(numberedBook(500, "other.txt")));   // loading does not stop it
    QTRY_VERIFY(form.bookView().firstVisibleLine() > 3);
    EXPECT_TRUE(scrollText->isChecked());
    QTest::keyClick(&form, Qt::Key_F11);
    EXPECT_FALSE(timer1->isActive());
    EXPECT_FALSE(scrollText->isChecked());
}

TEST_F(Navigation, TheStoredSpeedIsClampedOntoTheSliderAndSavedFromIt)
{
    storeSpeed(20000);
    TForm1 form({});
    ASSERT_TRUE(activate(form));
    action(form, "SaveOptions1")->trigger();
    EXPECT_EQ(storedSpeed(), 10000);

    // "Cancel" after moving the slider: the speed is the slowest.
    QTimer::singleShot(0, &form, [&] {
        if (!modalOpen())
            return;
        QTest::keyClick(modalChild("RxSlider1"), Qt::Key_Home);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(modalChild("RxSlider1"), Qt::Key_Right);
        modalChild<QPushButton>("Button2")->click();
    });
    action(form, "SetScrollSpeed2")->trigger();
    action(form, "SaveOptions1")->trigger();
    EXPECT_EQ(storedSpeed(), 1);

    QTimer::singleShot(0, &form, [&] {
        if (!modalOpen())
            return;
        QTest::keyClick(modalChild("RxSlider1"), Qt::Key_Right);
        QTest::keyClick(modalChild("RxSlider1"), Qt::Key_Right);
        modalChild<QPushButton>("Button1")->click();
    });
    action(form, "SetScrollSpeed2")->trigger();
    action(form, "SaveOptions1")->trigger();
    EXPECT_EQ(storedSpeed(), 3);
}
