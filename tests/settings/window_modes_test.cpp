#include "settings/window_modes.h"

#include "fake_main_window.h"
#include "fake_tray_shell.h"
#include "scratch_folder.h"

#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

class WindowModesTest : public ::testing::Test {
protected:
    WindowModesTest() : modes(reader, wordWrapFlag, reader.parts(), std::unique_ptr<TrayShell>(shell))
    {
        std::string text;
        for (int i = 1; i <= 100; ++i)
            text += "line " + std::to_string(i) + "\r\n";
        writeFile(scratch / "book.txt", text);
        reader.LoadBook(QString::fromStdString(scratch / "book.txt"));
        QPixmap icon(16, 16);
        icon.fill(Qt::darkBlue);
        reader.setWindowIcon(QIcon(icon));
        reader.show();
    }

    // The caret to the start of a line, as the keyboard leaves it (status refreshed).
    void keyboardTo(int line)
    {
        reader.view->setSelection(reader.view->lineIndex(line - 1));
        reader.refreshStatus();
    }
    std::int64_t endOf(int lineIndex) const
    {
        return reader.view->lineIndex(lineIndex) + reader.view->lineText(lineIndex).size();
    }

    ScratchFolder scratch;
    FakeMainWindow reader;
    std::uint8_t wordWrapFlag = 0;
    FakeTrayShell* shell = new FakeTrayShell;
    WindowModes modes;
};

} // namespace

TEST_F(WindowModesTest, WordWrapReanchorsOnTheLineAfterCurLine)
{
    keyboardTo(10);
    modes.toggleWordWrap();
    EXPECT_EQ(reader.view->caretPosition(), endOf(10));
    EXPECT_EQ(reader.curLine, 11);
    modes.toggleWordWrap();
    EXPECT_EQ(reader.curLine, 12);

    // A mouse click moves the caret without a status refresh: CurLine still counts.
    reader.view->setSelection(reader.view->lineIndex(49));
    modes.toggleWordWrap();
    EXPECT_EQ(reader.view->caretPosition(), endOf(12));

    keyboardTo(100);   // no line after the last: the view stays where it is
    const std::int64_t caret = reader.view->caretPosition();
    modes.toggleWordWrap();
    EXPECT_EQ(reader.view->caretPosition(), caret);
    EXPECT_EQ(reader.curLine, 100);
}

TEST_F(WindowModesTest, ShowingTheStatusBarAgainShowsTheClockWhateverHideClockSays)
{
    const auto viewHeight = [this] {
        reader.centralWidget()->layout()->activate();
        return reader.view->height();
    };
    const int designed = viewHeight();
    modes.toggleStatusBar();
    EXPECT_TRUE(reader.hideStatusBar.isChecked());
    EXPECT_TRUE(reader.panel->isHidden());
    EXPECT_TRUE(reader.clock->isHidden());
    EXPECT_GT(viewHeight(), designed);   // the view takes the panel's place
    modes.toggleClock();
    EXPECT_TRUE(reader.hideClock.isChecked());
    modes.toggleStatusBar();
    EXPECT_FALSE(reader.hideStatusBar.isChecked());
    EXPECT_FALSE(reader.panel->isHidden());
    EXPECT_FALSE(reader.clock->isHidden());
    EXPECT_TRUE(reader.hideClock.isChecked());
    EXPECT_EQ(viewHeight(), designed);
    modes.toggleClock();   // finds its tick set: the clock shows (it does) and the tick goes
    EXPECT_FALSE(reader.hideClock.isChecked());
    EXPECT_FALSE(reader.clock->isHidden());
    modes.toggleClock();
    EXPECT_TRUE(reader.clock->isHidden());
    EXPECT_FALSE(reader.panel->isHidden());
}

TEST_F(WindowModesTest, FullScreenReanchorsOneLineOnAtEachToggle)
{
    keyboardTo(5);
    for (int toggle = 0; toggle < 4; ++toggle)
        modes.toggleFullScreen();
    EXPECT_EQ(reader.curLine, 9);
}

TEST_F(WindowModesTest, HidesEveryWindowBehindTheIconAndBringsThemBackAsTheyWere)
{
    QDialog beside(&reader);   // a window of the program open beside the main one
    beside.show();
    modes.toggleFullScreen();
    modes.hideToTray();
    EXPECT_FALSE(beside.isVisible());
    EXPECT_EQ(shell->tip, QStringLiteral("Lirra Reader v1.01 SE"));
    EXPECT_EQ(shell->iconKey, reader.windowIcon().cacheKey());

    modes.showFromTray();
    EXPECT_TRUE(beside.isVisible());
    EXPECT_TRUE(reader.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(reader.isMaximized());
}

// Without a notification area every window is minimised, and they come back together
// however the main window is restored.
TEST_F(WindowModesTest, WithoutATrayEveryWindowIsMinimisedAndComesBackWithTheMainOne)
{
    shell->present = false;
    QDialog beside(&reader);
    beside.show();
    modes.hideToTray();
    EXPECT_TRUE(reader.isMinimized());
    EXPECT_TRUE(beside.isMinimized());
    EXPECT_FALSE(modes.trayIcon().active());

    reader.setWindowState(Qt::WindowMaximized);   // as the window manager restores it
    EXPECT_FALSE(beside.isMinimized());
    EXPECT_TRUE(beside.isVisible());
}

// Nor is the window hidden behind an icon that cannot be drawn, and the icon stays off.
TEST_F(WindowModesTest, WithoutAnIconHidingKeepsTheWindow)
{
    reader.setWindowIcon(QIcon());
    QApplication::setWindowIcon(QIcon());
    modes.hideToTray();
    EXPECT_TRUE(reader.isVisible());
    EXPECT_FALSE(modes.trayIcon().active());
}
