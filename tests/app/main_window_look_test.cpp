// The look commands as the reader's main window runs them: the themes, the status panel
// that keeps its own colours, the desktop's palette, and the desktop without a tray. (A
// theme stored by F12, word wrap across a restart and the Fonts dialog are driven in
// tests/e2e/look_e2e.sh.)

#include "main_window_fixture.h"

using namespace lirra;

namespace {

using MainWindowLook = MainWindowTest;

QRgb pixel(QWidget& widget, QPoint at) { return widget.grab().toImage().pixel(at); }

} // namespace

// "Windows Default" follows the desktop's palette and is stored as the system colours.
TEST_F(MainWindowLook, ThemesSetBothColoursAndKeepTheStatusPanelAndHidingWithoutATrayMinimises)
{
    // The colours users see, as 00BBGGRR values: text, then background.
    const struct {
        const char* item;
        std::uint32_t text, background;
    } themes[] = {
        {"Grey1", 0x00B4B4B4, 0x00505458},      {"Green1", 0x00DBDFBF, 0x00737C3D},
        {"BlackWhite1", 0x00000000, 0x00FFFFFF}, {"WhiteonBlack1", 0x00FFFFFF, 0x00000000},
        {"Blue1", 0x00E9DFD1, 0x00927145},      {"Dark1", 0x00BCBCBC, 0x00000000},
        {"Light1", 0x007D7D7D, 0x00FFFFFF},     {"Contrast1", 0x00000000, 0x003D9DDE},
        {"WindowsDefault1", 0x80000008, 0x80000005},
    };
    TForm1 form({});
    form.resize(640, 480);
    form.show();
    TBookView& view = form.bookView();
    QWidget& panel = *child(form, "Panel2");
    // Backwards, so that no theme passes by leaving the colours of the one before it.
    for (auto theme = std::rbegin(themes); theme != std::rend(themes); ++theme) {
        action(form, theme->item)->trigger();
        EXPECT_EQ(view.fontColor(), theme->text) << theme->item;
        EXPECT_EQ(view.backgroundColor(), theme->background) << theme->item;
        EXPECT_EQ(pixel(panel, {150, 11}), qRgb(0, 0, 0)) << theme->item;
        EXPECT_EQ(panel.palette().color(QPalette::WindowText), QColor(192, 192, 192));
    }

    action(form, "WindowsDefault1")->trigger();
    const QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::Base, QColor(0, 96, 0));
    QApplication::setPalette(changed);
    QCoreApplication::processEvents();   // the new palette reaches the widgets through the event loop
    const QRgb painted = pixel(view, {300, 200});
    QApplication::setPalette(original);
    QCoreApplication::processEvents();
    EXPECT_EQ(painted, qRgb(0, 96, 0));
    action(form, "SaveOptions1")->trigger();
    EXPECT_EQ(std::uint32_t(storedOption("BGColor")), 0x80000005u);
    EXPECT_EQ(std::uint32_t(storedOption("FontColor")), 0x80000008u);

    // Without a tray both hide commands minimise.
    for (const char* item : {"HideToSysTray2", "HidetoSysTray1"}) {
        form.showNormal();
        action(form, item)->trigger();
        EXPECT_TRUE(form.isVisible() && form.isMinimized()) << item;
    }
}
