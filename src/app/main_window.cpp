#include "app/main_window.h"

#include "app/menu_table.h"
#include "app/reading_keys.h"
#include "app/reading_position.h"
#include "app/status_line.h"
#include "bookview/widget/book_view.h"
#include "history/library_links.h"
#include "history/mru_manager.h"
#include "history/reading_history.h"
#include "platform/beep.h"
#include "reader/book_names.h"
#include "reader/error_handler.h"
#include "settings/color_themes.h"
#include "settings/view_options.h"
#include "widgets/windows_menu_style.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

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
    {{K::Item, "Files1", "SaveBookAs1", "Save Book As...", ""}},
    {{K::Separator, "Files1", "N1", "", ""}},
    {{K::Item, "Files1", "PrintBook1", "&Print Book", "Ctrl+P"}},
    {{K::Item, "Files1", "SetupPrinter1", "&Setup Printer", "Ctrl+S"}},
    {{K::Separator, "Files1", "N11", "", ""}},
    {{K::Item, "Files1", "Info1", "Information", ""}},
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
    {{K::Item, "Edit1", "ViewClipBoard1", "View ClipBoard", ""}},

    {{K::Menu, "", "FindText1", "Find &Text", ""}},
    {{K::Item, "FindText1", "FindText2", "Find Text", "Ctrl+F"}},
    {{K::Separator, "FindText1", "N17", "", ""}},
    {{K::Item, "FindText1", "Goto1", "Goto...", "F5"}},
    {{K::Item, "FindText1", "GotoFirstPage1", "Goto First Page", ""}},

    {{K::Menu, "", "Options1", "&Options", ""}},
    {{K::Item, "Options1", "WordWrap1", "Word Wrap", "F2", kCheckable}},
    {{K::Separator, "Options1", "N5", "", ""}},
    {{K::Item, "Options1", "FullScreen1", "Full Screen", "Alt+Enter", kCheckable}},
    {{K::Item, "Options1", "HideToSysTray2", "Hide To SysTray", "Ctrl+F12"}},
    {{K::Separator, "Options1", "N2", "", ""}},
    {{K::Item, "Options1", "Fonts1", "Fonts", "F4"}},
    {{K::Submenu, "Options1", "FontSize1", "Font Size", ""}},
    {{K::Item, "FontSize1", "Inc1", "Inc  (+)", ""}},
    {{K::Item, "FontSize1", "Dec1", "Dec  (-)", ""}},
    {{K::Submenu, "Options1", "Color1", "Color", ""}},
    {{K::Item, "Color1", "FontColor1", "FontColor", "F6"}},
    {{K::Item, "Color1", "BGColor1", "BG Color", "F7"}},
    {{K::Submenu, "Options1", "ColorThemes1", "Color Themes", ""}},
    {{K::Item, "ColorThemes1", kColorThemes[0].menuName, kColorThemes[0].caption, ""}},
    {{K::Item, "ColorThemes1", kColorThemes[1].menuName, kColorThemes[1].caption, ""}},
    {{K::Item, "ColorThemes1", kColorThemes[2].menuName, kColorThemes[2].caption, ""}},
    {{K::Item, "ColorThemes1", kColorThemes[3].menuName, kColorThemes[3].caption, ""}},
    {{K::Item, "ColorThemes1", kColorThemes[4].menuName, kColorThemes[4].caption, ""}},
    {{K::Item, "ColorThemes1", kColorThemes[5].menuName, kColorThemes[5].caption, ""}},
    {{K::Item, "ColorThemes1", kColorThemes[6].menuName, kColorThemes[6].caption, ""}},
    {{K::Item, "ColorThemes1", kColorThemes[7].menuName, kColorThemes[7].caption, ""}},
    {{K::Item, "ColorThemes1", kColorThemes[8].menuName, kColorThemes[8].caption, ""}},
    {{K::Separator, "Options1", "N4", "", ""}},
    {{K::Item, "Options1", "Clock1", "Hide StatusBar", "F10", kCheckable}},
    {{K::Item, "Options1", "HideClock1", "Hide Clock", "", kCheckable}},
    {{K::Separator, "Options1", "N20", "", ""}},
    {{K::Item, "Options1", "ConverttoWin1", "Convert to Win", "Ctrl+W"}},
    {{K::Separator, "Options1", "N3", "", ""}},
    {{K::Submenu, "Options1", "Confirm1", "Confirm", ""}},
    {{K::Item, "Confirm1", "SetBookmarkBeforeExit1", "Set Bookmark Before Exit", "", kCheckable | kChecked}},
    {{K::Separator, "Options1", "N21", "", ""}},
    {{K::Item, "Options1", "SaveOptions1", "Save Options ", "F12"}, &TForm1::SaveOptions1Click},
    {{K::Item, "Options1", "DefaultsOptions1", "Defaults Options", ""}, &TForm1::DefaultsOptions1Click},

    {{K::Menu, "", "Bookmarks1", "Book-&marks", ""}},
    {{K::Item, "Bookmarks1", "SetBookMark1", "Set Book-Mark", "Ctrl+F2"}},
    {{K::Separator, "Bookmarks1", "N12", "", ""}},
    {{K::Item, "Bookmarks1", "GetBookMark1", "Get Book-Mark", "Ctrl+F1"}},
    {{K::Item, "Bookmarks1", "GetLastBookmark1", "Get Last Bookmark", "Alt+F1"}},

    {{K::Menu, "", "SetScrollSpeed1", "&Scroll Text", ""}},
    {{K::Item, "SetScrollSpeed1", "SetScrollSpeed2", "Set Scroll Speed", "Ctrl+F11"}},
    {{K::Separator, "SetScrollSpeed1", "N9", "", ""}},
    {{K::Item, "SetScrollSpeed1", "ScrollText1", "Scroll Text", "F11", kCheckable | kDisabled}},

    {{K::Menu, "", "Internet1", "&Internet", ""}},
    {{K::Submenu, "Internet1", "UsersURL1", "User's URL", "", kDisabled}},
    {{K::Separator, "Internet1", "N15", "", ""}},
    {{K::Item, "Internet1", "url1", kLibraryAddresses[0], ""}},
    {{K::Item, "Internet1", "url2", kLibraryAddresses[1], ""}},
    {{K::Item, "Internet1", "url3", kLibraryAddresses[2], ""}},
    {{K::Item, "Internet1", "url4", kLibraryAddresses[3], ""}},
    {{K::Item, "Internet1", "url5", kLibraryAddresses[4], ""}},
    {{K::Item, "Internet1", "url6", kLibraryAddresses[5], ""}},
    {{K::Item, "Internet1", "url7", kLibraryAddresses[6], ""}},
    {{K::Item, "Internet1", "url8", kLibraryAddresses[7], ""}},
    {{K::Item, "Internet1", "url9", kLibraryAddresses[8], ""}},
    {{K::Item, "Internet1", "url10", kLibraryAddresses[9], ""}},
    {{K::Item, "Internet1", "url11", kLibraryAddresses[10], ""}},
    {{K::Item, "Internet1", "url12", kLibraryAddresses[11], ""}},
    {{K::Separator, "Internet1", "N10", "", ""}},
    {{K::Item, "Internet1", "Other1", "Other Adress", ""}},
    {{K::Item, "Internet1", "ClearAllUsersURL1", "Clear All User's URL", ""}},

    {{K::Menu, "", "Help1", "&Help", ""}},
    {{K::Item, "Help1", "Help2", "Help", "F1"}},
    {{K::Item, "Help1", "About1", "About!", ""}},

    // The book view's context menu repeats shortcuts of the main menu, which takes the keys.
    {{K::Popup, "", "PopupMenu1", "", ""}},
    {{K::Item, "PopupMenu1", "Copy1", "Copy", "Ctrl+C", kShortcutShownOnly}, &TForm1::Copy1Click},
    {{K::Item, "PopupMenu1", "SelectAll1", "Select All", "Ctrl+A", kShortcutShownOnly}, &TForm1::SelectAll1Click},
    {{K::Item, "PopupMenu1", "ClearAll1", "Clear All", "", kShortcutShownOnly}, &TForm1::ClearAll1Click},
    {{K::Separator, "PopupMenu1", "N8", "", ""}},
    {{K::Item, "PopupMenu1", "HidetoSysTray1", "Hide to SysTray", "", kShortcutShownOnly}},
    {{K::Separator, "PopupMenu1", "N6", "", ""}},
    {{K::Item, "PopupMenu1", "Exit2", "Exit", "Alt+X", kShortcutShownOnly}, &TForm1::Exit1Click},

    // The tray icon's menu.
    {{K::Popup, "", "PopupMenu2", "", ""}},
    {{K::Item, "PopupMenu2", "ShowLirra1", "Show Lirra Reader !", ""}},
    {{K::Separator, "PopupMenu2", "N14", "", ""}},
    {{K::Item, "PopupMenu2", "Exit3", "Exit", ""}},
};
// clang-format on
return kMenuRows;
}

TForm1::TForm1(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      m_mruManager1(new TMRUManager(this)),
      m_openDialog1(FileDialogRequest::Mode::Open, QStringLiteral("Open Book"), QStringLiteral("Book's Files|*.*"), true),
      m_openDialog2(FileDialogRequest::Mode::Open, QStringLiteral("Open RTF Book"),
                    QStringLiteral("RTF Lirra (*.rtf)|*.rtf|All Files (*.*)|*.*"), false),
      m_books(*this, *m_mruManager1)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kIdleCaption);
    move(kRestoredFrame.topLeft());
    resize(kRestoredFrame.size());
    QFont designed(QStringLiteral("MS Sans Serif"));
    designed.setPixelSize(11);
    setFont(designed);
    createLayout();
    createMenus();
    connectView();
    FormCreate(arguments);
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

void TForm1::LoadBook(const QString& name) { m_books.loadBook(name); }

void TForm1::showBook(const QString& name) { m_books.showBook(name); }

void TForm1::refreshStatus() { storeStatus(true); }

QString TForm1::shownLineNumber() const { return m_panel2->lineCaption(); }

// --- start-up -------------------------------------------------------------------------------

void TForm1::createLayout()
{
    m_panel1 = new QFrame(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
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
}

void TForm1::connectView()
{
    auto guarded = [](auto handler) { return [handler](auto&&... args) { runCommand([&] { handler(args...); }); }; };
    TBookView* view = m_richEdit1;
    connect(view, &TBookView::changed, this, guarded([this] { RichEdit1Change(); }));
    connect(view, &TBookView::keyDown, this, guarded([this](int key, Qt::KeyboardModifiers) { RichEdit1KeyDown(key); }));
    connect(view, &TBookView::keyUp, this, guarded([this](int key, Qt::KeyboardModifiers) { RichEdit1KeyUp(key); }));
    connect(view, &TBookView::keyPress, this, guarded([this](QChar c) { RichEdit1KeyPress(c); }));
    connect(view, &TBookView::mouseDown, this,
            guarded([this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { RichEdit1MouseDown(button); }));
    connect(view, &TBookView::mouseUp, this,
            guarded([this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { RichEdit1MouseUp(); }));
    connect(view, &TBookView::entered, this, guarded([this] { RichEdit1Enter(); }));
    QMenu* popup = findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    connect(view, &TBookView::contextMenuRequested, popup, [popup](QPoint at) { popup->popup(at); });
    connect(m_panel2, &StatusLine::lineNumberHovered, this, [this] { Label3MouseMove(); });
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

// Windows places a window by its outer frame; here the window manager draws the frame
// around the client area. The frame's top left is placed at once; the client is fitted
// inside the designed frame when the window is first shown not maximised, the frame's
// size known by then.
void TForm1::fitRestoredFrame()
{
    if (m_frameFitted || isMaximized() || isFullScreen() || !windowHandle())
        return;
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull())
        return;   // not framed yet
    m_frameFitted = true;
    setGeometry(kRestoredFrame.marginsRemoved(frame));
}

// --- menu commands ------------------------------------------------------------------------------

void TForm1::OpenBook1Click() { m_books.openBook(m_openDialog1); }

void TForm1::OpenRTFBook1Click() { m_books.openRtfBook(m_openDialog2); }

void TForm1::Exit1Click() { close(); }

void TForm1::Copy1Click() { m_richEdit1->copy(); }

void TForm1::SelectAll1Click() { m_richEdit1->selectAll(); }

void TForm1::ClearAll1Click() { m_books.clear(); }

void TForm1::SaveOptions1Click() { saveViewOptions(*m_richEdit1, m_options); }

void TForm1::DefaultsOptions1Click() { deleteAllOptions(); }

void TForm1::MRUManager1Click(const QString& recentName) { m_books.showBook(recentName); }

void TForm1::WMDropFiles(const QStringList& files) { m_books.openDropped(files); }

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

void TForm1::RichEdit1Change()
{
    storeStatus(true);
    m_richEdit1->repaintNow();
}

void TForm1::RichEdit1KeyDown(int key)
{
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
    // A click in an empty view is how a new reader opens a book.
    if (m_richEdit1->lineCount() == 0 && button == Qt::LeftButton)
        OpenBook1Click();
}

void TForm1::RichEdit1MouseUp() { storeStatus(false); }

void TForm1::RichEdit1Enter() { m_richEdit1->repaintNow(); }

void TForm1::Label3MouseMove() { m_panel2->hintLineOf(m_richEdit1->lineCount()); }

// --- window events ----------------------------------------------------------------------------------

void TForm1::FormClose() { m_books.dropCopy(); }

void TForm1::closeWithoutQuestion()
{
    m_askBeforeClosing = false;
    close();
}

void TForm1::closeEvent(QCloseEvent* event)
{
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
            files << url.toLocalFile();
    event->acceptProposedAction();
    runCommand([&] { WMDropFiles(files); });
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_richEdit1->repaintNow();
}

void TForm1::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    fitRestoredFrame();
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        fitRestoredFrame();
    // A screen reader names the book view after the book, as the caption does.
    if (event->type() == QEvent::WindowTitleChange && m_richEdit1)
        m_richEdit1->setAccessibleName(windowTitle());
}

} // namespace lirra
