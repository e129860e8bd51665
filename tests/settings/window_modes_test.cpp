#include "settings/window_modes.h"

#include "bookview/widget/book_view.h"
#include "fake_tray_shell.h"
#include "reader/reader_window.h"
#include "scratch_folder.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QMainWindow>
#include <QMenu>
#include <QStyle>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

// A main window as the modes see it, on a book of 100 lines: the book view over a status
// panel with its clock, the check items and the tray menu. CurLine follows the view's change
// notification, as the real status refresh makes it; refreshStatus() is what a key does.
class FakeMainWindow : public QMainWindow, public ReaderWindow {
public:
    FakeMainWindow()
    {
        auto* central = new QWidget(this);
        auto* column = new QVBoxLayout(central);
        column->addWidget(view = new TBookView(central), 1);
        column->addWidget(panel = new QFrame(central));
        panel->setFixedHeight(23);
        clock = new QWidget(panel);
        setCentralWidget(central);
        for (QAction* item : {&wordWrap, &fullScreen, &hideStatusBar, &hideClock})
            item->setCheckable(true);
        QObject::connect(view, &TBookView::changed, [this] { refreshStatus(); });
        resize(640, 480);
        std::string text;
        for (int i = 1; i <= 100; ++i)
            text += "line " + std::to_string(i) + "\r\n";
        writeFile(scratch / "book.txt", text);
        view->loadFile(scratch / "book.txt");
        setWindowIcon(style()->standardIcon(QStyle::SP_FileIcon));
    }
    WindowParts parts() { return {*this, *panel, *clock, wordWrap, fullScreen, hideStatusBar, hideClock, trayMenu}; }

    TBookView& bookView() override { return *view; }
    QWidget* dialogParent() override { return this; }
    QString bookName() const override { return windowTitle(); }
    void setBookName(const QString& name) override { setWindowTitle(name); }
    QString lastChosenBookName() const override { return {}; }
    void LoadBook(const QString& name) override { view->loadFile(name.toStdString()); }
    void showBook(const QString& name) override { LoadBook(name); }
    bool awaitWholeBook() override { return true; }
    void refreshStatus() override { curLine = std::int32_t(view->lineFromChar(view->caretPosition()) + 1); }
    std::int32_t currentLine() const override { return curLine; }
    std::int32_t currentColumn() const override { return 1; }
    QString shownLineNumber() const override { return QString::number(curLine); }

    ScratchFolder scratch;
    TBookView* view;
    QFrame* panel;
    QWidget* clock;
    QAction wordWrap, fullScreen, hideStatusBar, hideClock;
    QMenu trayMenu;
    std::int32_t curLine = 0;
};

// With a program window open beside the main one.
class WindowModesTest : public ::testing::Test {
protected:
    WindowModesTest() : modes(reader, wordWrapFlag, reader.parts(), std::unique_ptr<TrayShell>(shell))
    {
        reader.show();
        beside.show();
    }
    // The caret to the start of a line, as the keyboard leaves it (status refreshed).
    void keyboardTo(int line)
    {
        reader.view->setSelection(reader.view->lineIndex(line - 1));
        reader.refreshStatus();
    }
    std::int64_t endOf(int index) const { return reader.view->lineIndex(index) + reader.view->lineText(index).size(); }

    FakeMainWindow reader;
    QDialog beside{&reader};
    std::uint8_t wordWrapFlag = 0;
    FakeTrayShell* shell = new FakeTrayShell;
    WindowModes modes;
};

} // namespace

TEST_F(WindowModesTest, WordWrapAndFullScreenReanchorTheStatusBarShowsTheClockAndHidingGoesBehindTheIconOrMinimises)
{
    keyboardTo(10);
    modes.toggleWordWrap();
    EXPECT_TRUE(reader.view->caretPosition() == endOf(10) && reader.curLine == 11);
    modes.toggleWordWrap();
    EXPECT_EQ(reader.curLine, 12);
    // A mouse click moves the caret without a status refresh: CurLine still counts.
    reader.view->setSelection(reader.view->lineIndex(49));
    modes.toggleWordWrap();
    EXPECT_EQ(reader.view->caretPosition(), endOf(12));
    keyboardTo(100);   // no line after the last: the view stays where it is
    const std::int64_t caret = reader.view->caretPosition();
    modes.toggleWordWrap();
    EXPECT_TRUE(reader.view->caretPosition() == caret && reader.curLine == 100);
    keyboardTo(5);
    for (int toggle = 0; toggle < 4; ++toggle)
        modes.toggleFullScreen();
    EXPECT_EQ(reader.curLine, 9);
    const auto viewHeight = [this] {
        reader.centralWidget()->layout()->activate();
        return reader.view->height();
    };
    const int designed = viewHeight();
    // "Hide Status Bar" ticked, the panel hidden, the clock hidden, "Hide Clock" ticked, the view taller.
    using S = std::tuple<bool, bool, bool, bool, bool>;
    const auto state = [&] {
        return S(reader.hideStatusBar.isChecked(), reader.panel->isHidden(), reader.clock->isHidden(),
                 reader.hideClock.isChecked(), viewHeight() > designed);
    };
    // The clock found shown with its tick set loses the tick and stays.
    for (const auto& [toggle, after] : {std::pair{&WindowModes::toggleStatusBar, S(true, true, true, false, true)},
                                        {&WindowModes::toggleClock, S(true, true, true, true, true)},
                                        {&WindowModes::toggleStatusBar, S(false, false, false, true, false)},
                                        {&WindowModes::toggleClock, S(false, false, false, false, false)},
                                        {&WindowModes::toggleClock, S(false, false, true, true, false)}}) {
        (modes.*toggle)();
        EXPECT_EQ(state(), after);
    }
    EXPECT_EQ(viewHeight(), designed);
    modes.toggleFullScreen();
    modes.hideToTray();
    EXPECT_FALSE(beside.isVisible());
    EXPECT_TRUE(shell->tip == "Lirra Reader v1.01 SE" && shell->iconKey == reader.windowIcon().cacheKey());
    modes.showFromTray();
    EXPECT_TRUE(beside.isVisible() && reader.isMaximized() && (reader.windowFlags() & Qt::FramelessWindowHint));
    // Without a notification area every window is minimised, and they come back together
    // however the main window is restored.
    shell->present = false;
    modes.hideToTray();
    EXPECT_TRUE(reader.isMinimized() && beside.isMinimized() && !modes.trayIcon().active());
    reader.setWindowState(Qt::WindowMaximized);   // as the window manager restores it
    EXPECT_TRUE(!beside.isMinimized() && beside.isVisible());
    // Nor is the window hidden behind an icon that cannot be drawn, and the icon stays off.
    shell->present = true;
    reader.setWindowIcon(QIcon());
    QApplication::setWindowIcon(QIcon());
    modes.hideToTray();
    EXPECT_TRUE(reader.isVisible() && !modes.trayIcon().active());
}

