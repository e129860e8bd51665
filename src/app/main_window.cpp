#include "app/main_window.h"

#include "app/book_conversion.h"
#include "app/information_dialog.h"
#include "app/menu_table.h"
#include "app/reading_keys.h"
#include "app/reading_position.h"
#include "app/restored_frame.h"
#include "app/save_book_as.h"
#include "app/status_line.h"
#include "bookview/core/percent.h"
#include "bookview/widget/book_view.h"
#include "extras/about_box.h"
#include "extras/clipboard_window.h"
#include "extras/help_window.h"
#include "history/internet_address_dialog.h"
#include "history/library_links.h"
#include "history/mru_manager.h"
#include "history/reading_history.h"
#include "history/user_addresses.h"
#include "navigation/auto_scroll.h"
#include "navigation/find_command.h"
#include "navigation/goto_command.h"
#include "navigation/goto_dialog.h"
#include "navigation/scroll_speed_dialog.h"
#include "navigation/bookmark_jump.h"
#include "navigation/exit_prompt.h"
#include "navigation/get_bookmarks_dialog.h"
#include "navigation/set_bookmarks_dialog.h"
#include "platform/beep.h"
#include "reader/book_names.h"
#include "reader/error_handler.h"
#include "settings/color_commands.h"
#include "settings/color_themes.h"
#include "settings/fonts_dialog.h"
#include "settings/view_options.h"
#include "settings/window_modes.h"
#include "widgets/windows_menu_style.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace lirra {

namespace {

using Row = MenuRow<TForm1>;
using K = MenuRowKind;
using namespace menu_flags;

// The window's bounds when it is not maximised, its frame included.
constexpr QRect kRestoredFrame(30, 16, 561, 340);

} // namespace

// The menus of the main window, its context menu and the tray's menu, in display order.
// A command whose handler is nullptr is not built yet and does nothing.
std::span<const MenuRow<TForm1>> TForm1::menuRows()
{
// clang-format off
static const Row kMenuRows[] = {
    {{K::Menu, "", "Files1", "&Files", ""}},
    {{K::Item, "Files1", "OpenBook1", "&Open Book", "F3"}, &TForm1::OpenBook1Click},
    {{K::Item, "Files1", "OpenRTFBook1", "Open RTF Book", ""}, &TForm1::OpenRTFBook1Click},
    {{K::Item, "Files1", "SaveBookAs1", "Save Book As...", ""}, &TForm1::SaveBookAs1Click},
    {{K::Separator, "Files1", "N1", "", ""}},
    {{K::Item, "Files1", "PrintBook1", "&Print Book", "Ctrl+P"}, &TForm1::PrintBook1Click},
    {{K::Item, "Files1", "SetupPrinter1", "&Setup Printer", "Ctrl+S"}, &TForm1::SetupPrinter1Click},
    {{K::Separator, "Files1", "N11", "", ""}},
    {{K::Item, "Files1", "Info1", "Information", ""}, &TForm1::Info1Click},
    {{K::Separator, "Files1", "N7", "", ""}},
    {{K::Submenu, "Files1", "History1", "History", "", kDisabled}},
    {{K::Separator, "Files1", "N13", "", ""}},
    {{K::Item, "Files1", "Exit1", "E&xit", "Alt+X"}, &TForm1::Exit1Click},

    {{K::Menu, "", "Edit1", "&Edit", ""}},
    {{K::Item, "Edit1", "Copy2", "Copy", "Ctrl+C"}, &TForm1::Copy1Click},
    {{K::Item, "Edit1", "SelectAll2", "Select All", "Ctrl+A"}, &TForm1::SelectAll1Click},
    {{K::Separator, "Edit1", "N16", "", ""}},
    {{K::Item, "Edit1", "ClearAll2", "Clear All", ""}, &TForm1::ClearAll1Click},
    {{K::Separator, "Edit1", "N19", "", ""}},
    {{K::Item, "Edit1", "ViewClipBoard1", "View ClipBoard", ""}, &TForm1::ViewClipBoard1Click},

    {{K::Menu, "", "FindText1", "Find &Text", ""}},
    {{K::Item, "FindText1", "FindText2", "Find Text", "Ctrl+F"}, &TForm1::FindText2Click},
    {{K::Separator, "FindText1", "N17", "", ""}},
    {{K::Item, "FindText1", "Goto1", "Goto...", "F5"}, &TForm1::Goto1Click},
    {{K::Item, "FindText1", "GotoFirstPage1", "Goto First Page", ""}, &TForm1::GotoFirstPage1Click},

    {{K::Menu, "", "Options1", "&Options", ""}},
    {{K::Item, "Options1", "WordWrap1", "Word Wrap", "F2", kCheckable}, &TForm1::WordWrap1Click},
    {{K::Separator, "Options1", "N5", "", ""}},
    {{K::Item, "Options1", "FullScreen1", "Full Screen", "Alt+Enter", kCheckable}, &TForm1::FullScreen1Click},
    {{K::Item, "Options1", "HideToSysTray2", "Hide To SysTray", "Ctrl+F12"}, &TForm1::HideToSysTray2Click},
    {{K::Separator, "Options1", "N2", "", ""}},
    {{K::Item, "Options1", "Fonts1", "Fonts", "F4"}, &TForm1::Fonts1Click},
    {{K::Submenu, "Options1", "FontSize1", "Font Size", ""}},
    {{K::Item, "FontSize1", "Inc1", "Inc  (+)", ""}, &TForm1::Inc1Click},
    {{K::Item, "FontSize1", "Dec1", "Dec  (-)", ""}, &TForm1::Dec1Click},
    {{K::Submenu, "Options1", "Color1", "Color", ""}},
    {{K::Item, "Color1", "FontColor1", "FontColor", "F6"}, &TForm1::FontColor1Click},
    {{K::Item, "Color1", "BGColor1", "BG Color", "F7"}, &TForm1::BGColor1Click},
    {{K::Submenu, "Options1", "ColorThemes1", "Color Themes", ""}},
    {{K::Item, "ColorThemes1", "Grey1", colorTheme("Grey1").caption, ""}, &TForm1::Grey1Click},
    {{K::Item, "ColorThemes1", "Green1", colorTheme("Green1").caption, ""}, &TForm1::Green1Click},
    {{K::Item, "ColorThemes1", "BlackWhite1", colorTheme("BlackWhite1").caption, ""}, &TForm1::BlackWhite1Click},
    {{K::Item, "ColorThemes1", "WhiteonBlack1", colorTheme("WhiteonBlack1").caption, ""}, &TForm1::WhiteonBlack1Click},
    {{K::Item, "ColorThemes1", "Blue1", colorTheme("Blue1").caption, ""}, &TForm1::Blue1Click},
    {{K::Item, "ColorThemes1", "Dark1", colorTheme("Dark1").caption, ""}, &TForm1::Dark1Click},
    {{K::Item, "ColorThemes1", "Light1", colorTheme("Light1").caption, ""}, &TForm1::Light1Click},
    {{K::Item, "ColorThemes1", "Contrast1", colorTheme("Contrast1").caption, ""}, &TForm1::Contrast1Click},
    {{K::Item, "ColorThemes1", "WindowsDefault1", colorTheme("WindowsDefault1").caption, ""}, &TForm1::WindowsDefault1Click},
    {{K::Separator, "Options1", "N4", "", ""}},
    {{K::Item, "Options1", "Clock1", "Hide StatusBar", "F10", kCheckable}, &TForm1::Clock1Click},
    {{K::Item, "Options1", "HideClock1", "Hide Clock", "", kCheckable}, &TForm1::HideClock1Click},
    {{K::Separator, "Options1", "N20", "", ""}},
    {{K::Item, "Options1", "ConverttoWin1", "Convert to Win", "Ctrl+W"}, &TForm1::ConverttoWin1Click},
    {{K::Separator, "Options1", "N3", "", ""}},
    {{K::Submenu, "Options1", "Confirm1", "Confirm", ""}},
    {{K::Item, "Confirm1", "SetBookmarkBeforeExit1", "Set Bookmark Before Exit", "", kCheckable | kChecked}, &TForm1::SetBookmarkBeforeExit1Click},
    {{K::Separator, "Options1", "N21", "", ""}},
    {{K::Item, "Options1", "SaveOptions1", "Save Options ", "F12"}, &TForm1::SaveOptions1Click},
    {{K::Item, "Options1", "DefaultsOptions1", "Defaults Options", ""}, &TForm1::DefaultsOptions1Click},

    {{K::Menu, "", "Bookmarks1", "Book-&marks", ""}},
    {{K::Item, "Bookmarks1", "SetBookMark1", "Set Book-Mark", "Ctrl+F2"}, &TForm1::SetBookMark1Click},
    {{K::Separator, "Bookmarks1", "N12", "", ""}},
    {{K::Item, "Bookmarks1", "GetBookMark1", "Get Book-Mark", "Ctrl+F1"}, &TForm1::GetBookMark1Click},
    {{K::Item, "Bookmarks1", "GetLastBookmark1", "Get Last Bookmark", "Alt+F1"}, &TForm1::GetLastBookmark1Click},

    {{K::Menu, "", "SetScrollSpeed1", "&Scroll Text", ""}},
    {{K::Item, "SetScrollSpeed1", "SetScrollSpeed2", "Set Scroll Speed", "Ctrl+F11"}, &TForm1::SetScrollSpeed2Click},
    {{K::Separator, "SetScrollSpeed1", "N9", "", ""}},
    {{K::Item, "SetScrollSpeed1", "ScrollText1", "Scroll Text", "F11", kCheckable | kDisabled}, &TForm1::ScrollText1Click},

    {{K::Menu, "", "Internet1", "&Internet", ""}},
    {{K::Submenu, "Internet1", "UsersURL1", "User's URL", "", kDisabled}},
    {{K::Separator, "Internet1", "N15", "", ""}},
    {{K::Item, "Internet1", kLibraryLinks[0].menuName, kLibraryLinks[0].address, ""}, &TForm1::urlClick<0>},
    {{K::Item, "Internet1", kLibraryLinks[1].menuName, kLibraryLinks[1].address, ""}, &TForm1::urlClick<1>},
    {{K::Item, "Internet1", kLibraryLinks[2].menuName, kLibraryLinks[2].address, ""}, &TForm1::urlClick<2>},
    {{K::Item, "Internet1", kLibraryLinks[3].menuName, kLibraryLinks[3].address, ""}, &TForm1::urlClick<3>},
    {{K::Item, "Internet1", kLibraryLinks[4].menuName, kLibraryLinks[4].address, ""}, &TForm1::urlClick<4>},
    {{K::Item, "Internet1", kLibraryLinks[5].menuName, kLibraryLinks[5].address, ""}, &TForm1::urlClick<5>},
    {{K::Item, "Internet1", kLibraryLinks[6].menuName, kLibraryLinks[6].address, ""}, &TForm1::urlClick<6>},
    {{K::Item, "Internet1", kLibraryLinks[7].menuName, kLibraryLinks[7].address, ""}, &TForm1::urlClick<7>},
    {{K::Item, "Internet1", kLibraryLinks[8].menuName, kLibraryLinks[8].address, ""}, &TForm1::urlClick<8>},
    {{K::Item, "Internet1", kLibraryLinks[9].menuName, kLibraryLinks[9].address, ""}, &TForm1::urlClick<9>},
    {{K::Item, "Internet1", kLibraryLinks[10].menuName, kLibraryLinks[10].address, ""}, &TForm1::urlClick<10>},
    {{K::Item, "Internet1", kLibraryLinks[11].menuName, kLibraryLinks[11].address, ""}, &TForm1::urlClick<11>},
    {{K::Separator, "Internet1", "N10", "", ""}},
    {{K::Item, "Internet1", "Other1", "Other Adress", ""}, &TForm1::Other1Click},
    {{K::Item, "Internet1", "ClearAllUsersURL1", "Clear All User's URL", ""}, &TForm1::ClearAllUsersURL1Click},

    {{K::Menu, "", "Help1", "&Help", ""}},
    {{K::Item, "Help1", "Help2", "Help", "F1"}, &TForm1::Help2Click},
    {{K::Item, "Help1", "About1", "About!", ""}, &TForm1::About1Click},

    // The book view's context menu repeats shortcuts of the main menu, which takes the keys.
    {{K::Popup, "", "PopupMenu1", "", ""}},
    {{K::Item, "PopupMenu1", "Copy1", "Copy", "Ctrl+C", kShortcutShownOnly}, &TForm1::Copy1Click},
    {{K::Item, "PopupMenu1", "SelectAll1", "Select All", "Ctrl+A", kShortcutShownOnly}, &TForm1::SelectAll1Click},
    {{K::Item, "PopupMenu1", "ClearAll1", "Clear All", "", kShortcutShownOnly}, &TForm1::ClearAll1Click},
    {{K::Separator, "PopupMenu1", "N8", "", ""}},
    {{K::Item, "PopupMenu1", "HidetoSysTray1", "Hide to SysTray", "", kShortcutShownOnly}, &TForm1::HidetoSysTray1Click},
    {{K::Separator, "PopupMenu1", "N6", "", ""}},
    {{K::Item, "PopupMenu1", "Exit2", "Exit", "Alt+X", kShortcutShownOnly}, &TForm1::Exit1Click},

    // The tray icon's menu.
    {{K::Popup, "", "PopupMenu2", "", ""}},
    {{K::Item, "PopupMenu2", "ShowLirra1", "Show Lirra Reader !", ""}, &TForm1::ShowLirra1Click},
    {{K::Separator, "PopupMenu2", "N14", "", ""}},
    {{K::Item, "PopupMenu2", "Exit3", "Exit", ""}, &TForm1::Exit3Click},
};
// clang-format on
return kMenuRows;
}

TForm1::TForm1(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      m_mruManager1(new TMRUManager(this)),
      m_urls(new TMRUManager(this)),
      m_timer1(new QTimer(this)),
      m_openDialog1(FileDialogRequest::Mode::Open, QStringLiteral("Open Book"), QStringLiteral("Book's Files|*.*"), true),
      m_openDialog2(FileDialogRequest::Mode::Open, QStringLiteral("Open RTF Book"),
                    QStringLiteral("RTF Lirra (*.rtf)|*.rtf|FictionBook (*.fb2)|*.fb2|All Files (*.*)|*.*"), false),
      m_saveDialog1(FileDialogRequest::Mode::Save, QStringLiteral("Save As"), kSaveBookFilter, false),
      m_books(*this, *m_mruManager1, [this](std::optional<int> percent) { m_panel2->showLoadProgress(percent); }),
      m_printing(*this)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kIdleCaption);
    new RestoredFrame(this, kRestoredFrame);
    QFont designed(QStringLiteral("MS Sans Serif"));
    designed.setPixelSize(11);
    setFont(designed);
    createLayout();
    createMenus();
    connectView();
    createWindowModes();
    FormCreate(arguments);
    createWindows();
}

TForm1::~TForm1() = default;

// --- ReaderWindow -------------------------------------------------------------------------

TBookView& TForm1::bookView() { return *m_richEdit1; }

QWidget* TForm1::dialogParent() { return this; }

QString TForm1::bookName() const { return m_bookName; }

void TForm1::setBookName(const QString& name)
{
    m_bookName = name;
    setWindowTitle(shownBookName(name));
}

QString TForm1::lastChosenBookName() const { return m_openDialog1.fileName(); }

void TForm1::LoadBook(const QString& name) { m_books.loadBook(name); }

void TForm1::showBook(const QString& name) { m_books.showBook(name); }

bool TForm1::awaitWholeBook() { return m_books.awaitWholeBook(); }

void TForm1::refreshStatus() { storeStatus(true); }

QString TForm1::shownLineNumber() const { return m_panel2->lineCaption(); }

// --- start-up -------------------------------------------------------------------------------

void TForm1::createLayout()
{
    m_panel1 = new QFrame(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setAccessibleName(QStringLiteral("Book"));
    m_panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* column = new QVBoxLayout(m_panel1);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    m_richEdit1 = new TBookView(m_panel1);
    m_richEdit1->setObjectName(QStringLiteral("RichEdit1"));
    m_panel2 = new StatusLine(m_panel1);
    column->addWidget(m_richEdit1, 1);
    column->addWidget(m_panel2);
    setCentralWidget(m_panel1);
    // The window's own background is black; the menu bar keeps the desktop's look.
    m_panel1->setAutoFillBackground(true);
    QPalette black = m_panel1->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_panel1->setPalette(black);
    m_richEdit1->setFocus();
}

void TForm1::createMenus()
{
    buildMenus<TForm1>(menuBar(), this, menuRows());
    auto* windowsLook = new WindowsMenuStyle;
    windowsLook->setParent(this);
    for (QMenu* menu : findChildren<QMenu*>())
        menu->setStyle(windowsLook);
    m_mruManager1->setObjectName(QStringLiteral("MRUManager1"));
    m_mruManager1->setRecentMenu(findChild<QMenu*>(QStringLiteral("History1")));
    connect(m_mruManager1, &TMRUManager::clicked, this,
            [this](const QString& recentName) { runCommand([&] { MRUManager1Click(recentName); }); });
    m_urls->setObjectName(QStringLiteral("urls"));
    makeUserAddressList(*m_urls);
    m_urls->setRecentMenu(findChild<QMenu*>(QStringLiteral("UsersURL1")));
    connect(m_urls, &TMRUManager::clicked, this,
            [this](const QString& recentName) { runCommand([&] { urlsClick(recentName); }); });
}

void TForm1::connectView()
{
    auto guarded = [](auto handler) { return [handler](auto&&... args) { runCommand([&] { handler(args...); }); }; };
    TBookView* view = m_richEdit1;
    connect(view, &TBookView::changed, this, guarded([this] { RichEdit1Change(); }));
    connect(view, &TBookView::keyDown, this,
            guarded([this](int key, Qt::KeyboardModifiers modifiers) { RichEdit1KeyDown(key, modifiers); }));
    connect(view, &TBookView::wholeTextTaken, this, [this] { showWholeBookPercent(); });
    connect(view, &TBookView::keyUp, this, guarded([this](int key, Qt::KeyboardModifiers) { RichEdit1KeyUp(key); }));
    connect(view, &TBookView::keyPress, this, guarded([this](QChar c) { RichEdit1KeyPress(c); }));
    connect(view, &TBookView::mouseDown, this,
            guarded([this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { RichEdit1MouseDown(button); }));
    connect(view, &TBookView::mouseUp, this,
            guarded([this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { RichEdit1MouseUp(); }));
    connect(view, &TBookView::entered, this, guarded([this] { RichEdit1Enter(); }));
    QMenu* popup = findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    connect(view, &TBookView::contextMenuRequested, popup, [this, popup](QPoint at) {
        if (!std::exchange(m_pressOpenedBookmarks, false))
            popup->popup(at);
    });
    connect(m_panel2, &StatusLine::lineNumberHovered, this, [this] { Label3MouseMove(); });
    connect(m_panel2, &StatusLine::gotoRequested, this, guarded([this] { Goto1Click(); }));
}

void TForm1::createWindowModes()
{
    auto item = [this](const char* name) -> QAction& { return *findChild<QAction*>(QLatin1String(name)); };
    const WindowParts parts{*this, *m_panel2, *m_panel2->findChild<QWidget*>(QStringLiteral("RxClock1")),
                            item("WordWrap1"), item("FullScreen1"), item("Clock1"), item("HideClock1"),
                            *findChild<QMenu*>(QStringLiteral("PopupMenu2"))};
    m_windowModes = std::make_unique<WindowModes>(*this, m_options.WordWrap, parts);
    connect(&m_windowModes->trayIcon(), &TRxTrayIcon::clicked, this, [this] { runCommand([this] { RxTrayIcon1Click(); }); });
}

// Each step in order; an error shows the standard box and skips the rest.
void TForm1::FormCreate(const QStringList& arguments)
{
    setAcceptDrops(true);
    runCommand([&] {
        platform::setWarningBeep(false);
        m_bookmarkSetBeforeExit = false;
        restoreHistory(*m_mruManager1);
        readOptions(m_options);
        findChild<QAction*>(QStringLiteral("SetBookmarkBeforeExit1"))->setChecked(m_options.ConfirmSetBMExit == 1);
        findChild<QAction*>(QStringLiteral("WordWrap1"))->setChecked(m_options.WordWrap == 1);
        m_richEdit1->reanchorLine(0);
        applyViewOptions(*m_richEdit1, m_options);
        if (!arguments.isEmpty() && !arguments.first().isEmpty()) {
            QString name;
            for (const QString& argument : arguments)
                name += argument + QLatin1Char(' ');
            setBookName(name);
            LoadBook(name);
        }
        m_richEdit1->caretToStart();
    });
}

// The other windows, in the order the reader has always made them, after the options
// are read: the speed dialog starts from the stored speed.
void TForm1::createWindows()
{
    m_gotoDialog = new TForm2(*this, this);
    m_setBookmarksDialog = new TForm4(*this, this);
    m_getBookmarksDialog = new TForm5(*this, this);
    m_scrollSpeedDialog = new TForm6(m_options.ScrollSpeedHandOver, this);
    m_addressDialog = new TForm7(*m_urls, this);
    m_informationDialog = new TForm8(*this, this);
    m_aboutBox = new TForm9(this);
    m_fonts = new TFonts(*this);
    m_clipboardWindow = new TForm12(this);
    m_helpWindow = new HelpWindow(this);
    m_findText = std::make_unique<FindText>(*this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer1, &QTimer::timeout, this, [this] { runCommand([this] { Timer1Timer(); }); });
    m_autoScroll = std::make_unique<AutoScroll>(*m_richEdit1, *m_timer1, *findChild<QAction*>(QStringLiteral("ScrollText1")), *m_scrollSpeedDialog);
}

// --- menu commands ------------------------------------------------------------------------------

void TForm1::OpenBook1Click() { m_books.openBook(m_openDialog1); }

void TForm1::OpenRTFBook1Click() { m_books.openRtfBook(m_openDialog2); }

void TForm1::SaveBookAs1Click() { if (awaitWholeBook()) saveBookAs(*this, m_saveDialog1); }

void TForm1::PrintBook1Click() { if (awaitWholeBook()) m_printing.printBook(); }

void TForm1::SetupPrinter1Click() { m_printing.setupPrinter(); }

void TForm1::Info1Click() { if (awaitWholeBook()) m_informationDialog->showForOpenBook(); }

void TForm1::Exit1Click() { close(); }

void TForm1::Copy1Click() { m_richEdit1->copy(); }

void TForm1::SelectAll1Click() { if (awaitWholeBook()) m_richEdit1->selectAll(); }

void TForm1::ClearAll1Click() { m_books.clear(); }

void TForm1::SaveOptions1Click() { saveViewOptions(*m_richEdit1, m_options, m_scrollSpeedDialog->speed()); }

void TForm1::DefaultsOptions1Click() { deleteAllOptions(); }

void TForm1::ConverttoWin1Click() { if (awaitWholeBook()) convertToWin(*this); }
void TForm1::ViewClipBoard1Click() { m_clipboardWindow->showInFront(); }

void TForm1::Help2Click() { m_helpWindow->showContents(); }

void TForm1::About1Click() { m_aboutBox->exec(); }

void TForm1::FindText2Click() { if (awaitWholeBook()) m_findText->showDialog(); }

void TForm1::Goto1Click() { if (awaitWholeBook()) m_gotoDialog->ShowModal(); }

void TForm1::GotoFirstPage1Click() { gotoFirstPage(*m_richEdit1); }

void TForm1::SetScrollSpeed2Click() { m_autoScroll->chooseSpeed(); }

void TForm1::ScrollText1Click() { m_autoScroll->toggle(); }

void TForm1::Timer1Timer() { m_autoScroll->step(); }

void TForm1::WordWrap1Click() { m_windowModes->toggleWordWrap(); }

void TForm1::FullScreen1Click() { m_windowModes->toggleFullScreen(); }

void TForm1::HideToSysTray2Click() { m_windowModes->hideToTray(); }

void TForm1::Fonts1Click() { m_fonts->execute(); }

void TForm1::Inc1Click() { stepFontSize(*m_richEdit1, 1); }

void TForm1::Dec1Click() { stepFontSize(*m_richEdit1, -1); }

void TForm1::FontColor1Click() { chooseFontColor(*m_richEdit1, this); }

void TForm1::BGColor1Click() { chooseBackgroundColor(*m_richEdit1, this); }

void TForm1::Grey1Click() { applyColorTheme(*m_richEdit1, colorTheme("Grey1")); }

void TForm1::Green1Click() { applyColorTheme(*m_richEdit1, colorTheme("Green1")); }

void TForm1::BlackWhite1Click() { applyColorTheme(*m_richEdit1, colorTheme("BlackWhite1")); }

void TForm1::WhiteonBlack1Click() { applyColorTheme(*m_richEdit1, colorTheme("WhiteonBlack1")); }

void TForm1::Blue1Click() { applyColorTheme(*m_richEdit1, colorTheme("Blue1")); }

void TForm1::Dark1Click() { applyColorTheme(*m_richEdit1, colorTheme("Dark1")); }

void TForm1::Light1Click() { applyColorTheme(*m_richEdit1, colorTheme("Light1")); }

void TForm1::Contrast1Click() { applyColorTheme(*m_richEdit1, colorTheme("Contrast1")); }

void TForm1::WindowsDefault1Click() { applyColorTheme(*m_richEdit1, colorTheme("WindowsDefault1")); }

void TForm1::Clock1Click() { m_windowModes->toggleStatusBar(); }

void TForm1::HideClock1Click() { m_windowModes->toggleClock(); }

void TForm1::HidetoSysTray1Click() { m_windowModes->hideToTray(); }

void TForm1::ShowLirra1Click() { m_windowModes->showFromTray(); }

void TForm1::Exit3Click() { m_windowModes->exitFromTray(); }

void TForm1::RxTrayIcon1Click() { m_windowModes->showFromTray(); }

void TForm1::SetBookmarkBeforeExit1Click()
{
    toggleBookmarkBeforeExit(*findChild<QAction*>(QStringLiteral("SetBookmarkBeforeExit1")), m_options.ConfirmSetBMExit);
}

void TForm1::SetBookMark1Click() { m_setBookmarksDialog->exec(); }

void TForm1::GetBookMark1Click() { m_getBookmarksDialog->exec(); }

void TForm1::GetLastBookmark1Click() { openLastBookmark(*this); }

void TForm1::MRUManager1Click(const QString& recentName) { m_books.showBook(recentName); }

void TForm1::WMDropFiles(const QStringList& files) { m_books.openDropped(files); }

template <std::size_t N> void TForm1::urlClick() { launchAddress(QString::fromLatin1(kLibraryLinks[N].address)); }

void TForm1::urlsClick(const QString& recentName) { launchAddress(recentName); }

void TForm1::Other1Click() { m_addressDialog->exec(); }

void TForm1::ClearAllUsersURL1Click() { forgetUserAddresses(*m_urls); }

// --- book view and status line -----------------------------------------------------------------------

void TForm1::storeStatus(bool keepPosition)
{
    const ReadingPosition position = readingPosition(*m_richEdit1);
    m_panel2->display(position);
    if (keepPosition) {
        m_curLine = position.lineNumber;
        m_curCol = position.column;
    }
}

// The line count is final now: the percentage of the line shown, which the status line
// was left without; the line and column stay as the last refresh left them.
void TForm1::showWholeBookPercent()
{
    m_panel2->showPercent(readingPercent(m_panel2->lineCaption().toLongLong(), m_richEdit1->lineCount()));
}

void TForm1::RichEdit1Change()
{
    storeStatus(true);
    m_richEdit1->repaintNow();
}

void TForm1::RichEdit1KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // Ctrl+End goes to the book's end, which a first page does not hold.
    if (key == Qt::Key_End && modifiers.testFlag(Qt::ControlModifier))
        awaitWholeBook();
    if (key != 0)
        storeStatus(true);
}

void TForm1::RichEdit1KeyUp(int key)
{
    if (key != 0)
        storeStatus(true);
}

void TForm1::RichEdit1KeyPress(QChar character) { applyReadingKey(*m_richEdit1, character); }

void TForm1::RichEdit1MouseDown(Qt::MouseButton button)
{
    storeStatus(false);
    m_pressOpenedBookmarks = m_richEdit1->lineCount() == 0 && button == Qt::RightButton;
    // A click in an empty view is how a new reader opens a book, a right click how they
    // go back to a bookmark.
    if (m_richEdit1->lineCount() == 0 && button == Qt::LeftButton)
        OpenBook1Click();
    else if (m_pressOpenedBookmarks)
        GetBookMark1Click();
}

void TForm1::RichEdit1MouseUp() { storeStatus(false); }

void TForm1::RichEdit1Enter() { m_richEdit1->repaintNow(); }

void TForm1::Label3MouseMove()
{
    m_panel2->hintLineOf(m_richEdit1->holdsWholeText() ? std::optional(m_richEdit1->lineCount()) : std::nullopt);
}

// --- window events ----------------------------------------------------------------------------------

// Runs whichever way the window is closed (menu, Alt+X, the close box, the system)
// and never refuses: a Yes to the question shows the Set dialog, then the close goes on.
// A session that is ending (a signal) is asked nothing.
void TForm1::FormCloseQuery()
{
    platform::setWarningBeep(true);
    offerBookmarkBeforeExit(*this, m_askBeforeClosing && m_options.ConfirmSetBMExit == 1, m_bookmarkSetBeforeExit,
                            [this] { SetBookMark1Click(); });
}

void TForm1::FormClose() { m_books.closeDown(); }

void TForm1::closeWithoutQuestion()
{
    m_askBeforeClosing = false;
    close();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    runCommand([&] { FormCloseQuery(); });
    runCommand([&] { FormClose(); });
    event->accept();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            files << bookNameFromLocalUrl(url);
    event->acceptProposedAction();
    runCommand([&] { WMDropFiles(files); });
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_richEdit1->repaintNow();
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A screen reader names the book view after the book, as the caption does.
    if (event->type() == QEvent::WindowTitleChange && m_richEdit1)
        m_richEdit1->setAccessibleName(windowTitle());
}

} // namespace lirra
