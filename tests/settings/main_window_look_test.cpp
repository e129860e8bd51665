// The look commands as the reader's main window runs them: menu rows, keys, the stored
// options and the status panel that keeps its own colours.

#include "app/main_window.h"

#include "bookview/widget/book_view.h"
#include "platform/registry_hive.h"
#include "reader/message_boxes.h"
#include "registry_fixture.h"
#include "settings/color_themes.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace lirra;

namespace {

class MainWindowLook : public OwnHive {
protected:
    void SetUp() override
    {
        OwnHive::SetUp();
        const std::string runtime = scratch_ / "runtime";
        std::filesystem::create_directory(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setMessagePresenter([this](const MessageBoxRequest& box) {
            boxes.push_back(box.text);
            return BoxAnswer::Ok;
        });
    }
    void TearDown() override
    {
        setMessagePresenter({});
        OwnHive::TearDown();
    }

    static void trigger(TForm1& form, const char* name)
    {
        QAction* found = form.findChild<QAction*>(QLatin1String(name));
        ASSERT_TRUE(found) << name;
        found->trigger();
    }
    static std::uint32_t stored(const char* value)
    {
        platform::Registry registry;
        registry.openKey("Software\\Lirra Reader\\Options", false);
        return std::uint32_t(registry.readInteger(value));
    }
    static QRgb pixel(QWidget& widget, QPoint at) { return widget.grab().toImage().pixel(at); }

    std::vector<QString> boxes;
};

} // namespace

TEST_F(MainWindowLook, ThemesSetBothColoursKeepTheStatusPanelAndAreSavedByF12)
{
    TForm1 form({});
    form.resize(640, 480);
    form.show();
    TBookView& view = form.bookView();
    QWidget& panel = *form.findChild<QWidget*>(QStringLiteral("Panel2"));
    for (const ColorTheme& theme : kColorThemes) {
        trigger(form, theme.menuName);
        EXPECT_EQ(view.fontColor(), theme.text) << theme.caption;
        EXPECT_EQ(view.backgroundColor(), theme.background) << theme.caption;
        EXPECT_EQ(pixel(panel, {150, 11}), qRgb(0, 0, 0)) << theme.caption;
        EXPECT_EQ(panel.palette().color(QPalette::WindowText), QColor(192, 192, 192));
    }
    trigger(form, "Dark1");
    trigger(form, "SaveOptions1");
    EXPECT_EQ(boxes.back(), QStringLiteral("Options was saved."));
    EXPECT_EQ(stored("FontColor"), 0x00BCBCBCu);
    EXPECT_EQ(stored("BGColor"), 0x00000000u);
}

TEST_F(MainWindowLook, WindowsDefaultFollowsTheDesktopPalette)
{
    TForm1 form({});
    form.resize(640, 480);
    form.show();
    trigger(form, "WindowsDefault1");
    const QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::Base, QColor(0, 96, 0));
    QApplication::setPalette(changed);
    QCoreApplication::processEvents();   // the new palette reaches the widgets through the event loop
    const QRgb painted = pixel(form.bookView(), {300, 200});
    QApplication::setPalette(original);
    QCoreApplication::processEvents();
    EXPECT_EQ(painted, qRgb(0, 96, 0));
    trigger(form, "SaveOptions1");
    EXPECT_EQ(stored("BGColor"), 0x80000005u);
    EXPECT_EQ(stored("FontColor"), 0x80000008u);
}

TEST_F(MainWindowLook, WordWrapFromF2IsSavedAndRestoredAtTheNextStart)
{
    {
        TForm1 form({});
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form.bookView(), Qt::Key_F2);
        EXPECT_TRUE(form.bookView().wordWrap());
        QTest::keyClick(&form.bookView(), Qt::Key_F10);
        EXPECT_TRUE(form.findChild<QWidget*>(QStringLiteral("Panel2"))->isHidden());
        trigger(form, "SaveOptions1");
    }
    EXPECT_EQ(stored("WordWrap"), 1u);
    TForm1 again({});
    EXPECT_TRUE(again.bookView().wordWrap());
    EXPECT_TRUE(again.findChild<QAction*>(QStringLiteral("WordWrap1"))->isChecked());
    EXPECT_FALSE(again.findChild<QAction*>(QStringLiteral("Clock1"))->isChecked());
}

TEST_F(MainWindowLook, FontSizeStepsAndTheFontsDialog)
{
    TForm1 form({});
    trigger(form, "Inc1");
    trigger(form, "Inc1");
    trigger(form, "Dec1");
    EXPECT_EQ(form.bookView().fontSize(), 14);

    bool answered = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        QWidget* fonts = QApplication::activeModalWidget();
        EXPECT_EQ(fonts->windowTitle(), QStringLiteral("Fonts"));
        EXPECT_EQ(fonts->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), QStringLiteral("14"));
        fonts->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("20"));
        fonts->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        answered = true;
    });
    trigger(form, "Fonts1");
    EXPECT_TRUE(answered);
    EXPECT_EQ(form.bookView().fontSize(), 20);
}

TEST_F(MainWindowLook, WithoutATrayHidingMinimisesAndTheTrayExitCloses)
{
    TForm1 form({});
    form.show();
    trigger(form, "HideToSysTray2");
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.isMinimized());
    form.showNormal();
    trigger(form, "HidetoSysTray1");
    EXPECT_TRUE(form.isMinimized());
    trigger(form, "Exit3");
    EXPECT_FALSE(form.isVisible());
}
