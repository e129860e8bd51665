#include "app/Unit1.h"

#include "app/book_copy.h"
#include "app/error_handler.h"
#include "app/reading_position.h"
#include "app/status_line.h"
#include "bookview/book_view.h"
#include "history/mru_manager.h"
#include "history/reading_history.h"
#include "platform/beep.h"
#include "platform/codepage_tables.h"
#include "platform/file_names.h"
#include "platform/temp_dir.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

namespace lirra {

namespace {

// The twelve online libraries of the Internet menu.
const char* const kLibraryAddresses[12] = {
    "https://www.gutenberg.org",   "http://lib.ru",
    "http://az.lib.ru",            "https://ru.wikisource.org",
    "https://en.wikisource.org",   "https://archive.org/details/texts",
    "https://standardebooks.org",  "https://www.fadedpage.com",
    "https://manybooks.net",       "https://rvb.ru",
    "https://ilibrary.ru",         "https://imwerden.de",
};

std::string fileSystemName(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

} // namespace

TForm1::TForm1(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      OpenDialog1(FileDialogRequest::Mode::Open, QStringLiteral("Open Book"), QStringLiteral("Book's Files|*.*"), true),
      OpenDialog2(FileDialogRequest::Mode::Open, QStringLiteral("Open RTF Book"),
                  QStringLiteral("RTF Lirra (*.rtf)|*.rtf|All Files (*.*)|*.*"), false)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kIdleCaption);
    setGeometry(30, 16, 561, 340);
    QFont designed(QStringLiteral("MS Sans Serif"));
    designed.setPixelSize(11);
    setFont(designed);
    createLayout();
    createMenus();
    connectView();
    FormCreate(arguments);
}

TForm1::~TForm1() = default;

void TForm1::createLayout()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* column = new QVBoxLayout(Panel1);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    RichEdit1 = new TBookView(Panel1);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    Panel2 = new StatusLine(Panel1);
    column->addWidget(RichEdit1, 1);
    column->addWidget(Panel2);
    setCentralWidget(Panel1);
    // The window's own background is black; the menu bar keeps the desktop's look.
    Panel1->setAutoFillBackground(true);
    QPalette black = Panel1->palette();
    black.setColor(QPalette::Window, Qt::black);
    Panel1->setPalette(black);
    RichEdit1->setFocus();
}

void TForm1::createMenus()
{
    auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        return action;
    };
    auto submenu = [](QMenu* menu, const char* name, const QString& caption) {
        QMenu* child = menu->addMenu(caption);
        child->setObjectName(QLatin1String(name));
        child->menuAction()->setObjectName(QLatin1String(name));
        return child;
    };
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* top = menuBar()->addMenu(caption);
        top->setObjectName(QLatin1String(name));
        return top;
    };

    QMenu* files = menu("Files1", QStringLiteral("&Files"));
    OpenBook1 = item(files, "OpenBook1", QStringLiteral("&Open Book"), Qt::Key_F3);
    OpenRTFBook1 = item(files, "OpenRTFBook1", QStringLiteral("Open RTF Book"));
    SaveBookAs1 = item(files, "SaveBookAs1", QStringLiteral("Save Book As..."));
    files->addSeparator();
    PrintBook1 = item(files, "PrintBook1", QStringLiteral("&Print Book"), Qt::CTRL | Qt::Key_P);
    SetupPrinter1 = item(files, "SetupPrinter1", QStringLiteral("&Setup Printer"), Qt::CTRL | Qt::Key_S);
    files->addSeparator();
    Info1 = item(files, "Info1", QStringLiteral("Information"));
    files->addSeparator();
    History1 = submenu(files, "History1", QStringLiteral("History"));
    History1->menuAction()->setEnabled(false);
    files->addSeparator();
    Exit1 = item(files, "Exit1", QStringLiteral("E&xit"), Qt::ALT | Qt::Key_X);

    QMenu* edit = menu("Edit1", QStringLiteral("&Edit"));
    Copy2 = item(edit, "Copy2", QStringLiteral("Copy"), Qt::CTRL | Qt::Key_C);
    SelectAll2 = item(edit, "SelectAll2", QStringLiteral("Select All"), Qt::CTRL | Qt::Key_A);
    edit->addSeparator();
    ClearAll2 = item(edit, "ClearAll2", QStringLiteral("Clear All"));
    edit->addSeparator();
    ViewClipBoard1 = item(edit, "ViewClipBoard1", QStringLiteral("View ClipBoard"));

    QMenu* find = menu("FindText1", QStringLiteral("Find &Text"));
    FindText2 = item(find, "FindText2", QStringLiteral("Find Text"), Qt::CTRL | Qt::Key_F);
    find->addSeparator();
    Goto1 = item(find, "Goto1", QStringLiteral("Goto..."), Qt::Key_F5);
    GotoFirstPage1 = item(find, "GotoFirstPage1", QStringLiteral("Goto First Page"));

    QMenu* options = menu("Options1", QStringLiteral("&Options"));
    WordWrap1 = item(options, "WordWrap1", QStringLiteral("Word Wrap"), Qt::Key_F2);
    WordWrap1->setCheckable(true);
    options->addSeparator();
    FullScreen1 = item(options, "FullScreen1", QStringLiteral("Full Screen"), Qt::ALT | Qt::Key_Return);
    HideToSysTray2 = item(options, "HideToSysTray2", QStringLiteral("Hide To SysTray"), Qt::CTRL | Qt::Key_F12);
    options->addSeparator();
    Fonts1 = item(options, "Fonts1", QStringLiteral("Fonts"), Qt::Key_F4);
    QMenu* fontSize = submenu(options, "FontSize1", QStringLiteral("Font Size"));
    Inc1 = item(fontSize, "Inc1", QStringLiteral("Inc  (+)"));
    Dec1 = item(fontSize, "Dec1", QStringLiteral("Dec  (-)"));
    QMenu* color = submenu(options, "Color1", QStringLiteral("Color"));
    FontColor1 = item(color, "FontColor1", QStringLiteral("FontColor"), Qt::Key_F6);
    BGColor1 = item(color, "BGColor1", QStringLiteral("BG Color"), Qt::Key_F7);
    QMenu* themes = submenu(options, "ColorThemes1", QStringLiteral("Color Themes"));
    item(themes, "Grey1", QStringLiteral("Grey (DN like)"));
    item(themes, "Green1", QStringLiteral("Green"));
    item(themes, "BlackWhite1", QStringLiteral("Black on White"));
    item(themes, "WhiteonBlack1", QStringLiteral("White on Black"));
    item(themes, "Blue1", QStringLiteral("Blue"));
    item(themes, "Dark1", QStringLiteral("Dark"));
    item(themes, "Light1", QStringLiteral("Light"));
    item(themes, "Contrast1", QStringLiteral("Contrast"));
    item(themes, "WindowsDefault1", QStringLiteral("Windows Default"));
    options->addSeparator();
    Clock1 = item(options, "Clock1", QStringLiteral("Hide StatusBar"), Qt::Key_F10);
    HideClock1 = item(options, "HideClock1", QStringLiteral("Hide Clock"));
    options->addSeparator();
    ConverttoWin1 = item(options, "ConverttoWin1", QStringLiteral("Convert to Win"), Qt::CTRL | Qt::Key_W);
    options->addSeparator();
    QMenu* confirm = submenu(options, "Confirm1", QStringLiteral("Confirm"));
    SetBookmarkBeforeExit1 = item(confirm, "SetBookmarkBeforeExit1", QStringLiteral("Set Bookmark Before Exit"));
    SetBookmarkBeforeExit1->setCheckable(true);
    SetBookmarkBeforeExit1->setChecked(true);
    options->addSeparator();
    SaveOptions1 = item(options, "SaveOptions1", QStringLiteral("Save Options "), Qt::Key_F12);
    DefaultsOptions1 = item(options, "DefaultsOptions1", QStringLiteral("Defaults Options"));

    QMenu* bookmarks = menu("Bookmarks1", QStringLiteral("Book-&marks"));
    SetBookMark1 = item(bookmarks, "SetBookMark1", QStringLiteral("Set Book-Mark"), Qt::CTRL | Qt::Key_F2);
    bookmarks->addSeparator();
    GetBookMark1 = item(bookmarks, "GetBookMark1", QStringLiteral("Get Book-Mark"), Qt::CTRL | Qt::Key_F1);
    GetLastBookmark1 = item(bookmarks, "GetLastBookmark1", QStringLiteral("Get Last Bookmark"), Qt::ALT | Qt::Key_F1);

    QMenu* scrolling = menu("SetScrollSpeed1", QStringLiteral("&Scroll Text"));
    SetScrollSpeed2 = item(scrolling, "SetScrollSpeed2", QStringLiteral("Set Scroll Speed"), Qt::CTRL | Qt::Key_F11);
    scrolling->addSeparator();
    ScrollText1 = item(scrolling, "ScrollText1", QStringLiteral("Scroll Text"), Qt::Key_F11);
    ScrollText1->setEnabled(false);

    QMenu* internet = menu("Internet1", QStringLiteral("&Internet"));
    UsersURL1 = submenu(internet, "UsersURL1", QStringLiteral("User's URL"));
    UsersURL1->menuAction()->setEnabled(false);
    internet->addSeparator();
    for (int i = 0; i < 12; ++i) {
        QAction* address = internet->addAction(QLatin1String(kLibraryAddresses[i]));
        address->setObjectName(QStringLiteral("url%1").arg(i + 1));
    }
    internet->addSeparator();
    Other1 = item(internet, "Other1", QStringLiteral("Other Adress"));
    ClearAllUsersURL1 = item(internet, "ClearAllUsersURL1", QStringLiteral("Clear All User's URL"));

    QMenu* help = menu("Help1", QStringLiteral("&Help"));
    Help2 = item(help, "Help2", QStringLiteral("Help"), Qt::Key_F1);
    About1 = item(help, "About1", QStringLiteral("About!"));

    // The context menu repeats some main-menu shortcuts; they are shown, but only the
    // main menu's items react to the keys.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Copy1 = item(PopupMenu1, "Copy1", QStringLiteral("Copy"), Qt::CTRL | Qt::Key_C);
    SelectAll1 = item(PopupMenu1, "SelectAll1", QStringLiteral("Select All"), Qt::CTRL | Qt::Key_A);
    ClearAll1 = item(PopupMenu1, "ClearAll1", QStringLiteral("Clear All"));
    PopupMenu1->addSeparator();
    HidetoSysTray1 = item(PopupMenu1, "HidetoSysTray1", QStringLiteral("Hide to SysTray"));
    PopupMenu1->addSeparator();
    Exit2 = item(PopupMenu1, "Exit2", QStringLiteral("Exit"), Qt::ALT | Qt::Key_X);
    for (QAction* action : PopupMenu1->actions())
        action->setShortcutContext(Qt::WidgetShortcut);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    ShowLirra1 = item(PopupMenu2, "ShowLirra1", QStringLiteral("Show Lirra Reader !"));
    PopupMenu2->addSeparator();
    Exit3 = item(PopupMenu2, "Exit3", QStringLiteral("Exit"));

    MRUManager1 = new TMRUManager(this);
    MRUManager1->setObjectName(QStringLiteral("MRUManager1"));
    MRUManager1->setRecentMenu(History1);

    auto on = [this](QAction* action, void (TForm1::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { runCommand([&] { (this->*handler)(); }); });
    };
    on(OpenBook1, &TForm1::OpenBook1Click);
    on(OpenRTFBook1, &TForm1::OpenRTFBook1Click);
    on(Exit1, &TForm1::Exit1Click);
    on(Copy2, &TForm1::Copy2Click);
    on(SelectAll2, &TForm1::SelectAll2Click);
    on(ClearAll2, &TForm1::ClearAll2Click);
    on(SaveOptions1, &TForm1::SaveOptions1Click);
    on(DefaultsOptions1, &TForm1::DefaultsOptions1Click);
    on(Copy1, &TForm1::Copy1Click);
    on(SelectAll1, &TForm1::SelectAll1Click);
    on(ClearAll1, &TForm1::ClearAll1Click);
    on(Exit2, &TForm1::Exit2Click);
    connect(MRUManager1, &TMRUManager::clicked, this,
            [this](const QString& recentName) { runCommand([&] { MRUManager1Click(recentName); }); });
}

void TForm1::connectView()
{
    auto guarded = [](auto handler) { return [handler](auto&&... args) { runCommand([&] { handler(args...); }); }; };
    connect(RichEdit1, &TBookView::changed, this, guarded([this] { RichEdit1Change(); }));
    connect(RichEdit1, &TBookView::keyDown, this, guarded([this](int key, Qt::KeyboardModifiers) { RichEdit1KeyDown(key); }));
    connect(RichEdit1, &TBookView::keyUp, this, guarded([this](int key, Qt::KeyboardModifiers) { RichEdit1KeyUp(key); }));
    connect(RichEdit1, &TBookView::keyPress, this, guarded([this](QChar c) { RichEdit1KeyPress(c); }));
    connect(RichEdit1, &TBookView::mouseDown, this,
            guarded([this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { RichEdit1MouseDown(button); }));
    connect(RichEdit1, &TBookView::mouseUp, this,
            guarded([this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { RichEdit1MouseUp(); }));
    connect(RichEdit1, &TBookView::entered, this, guarded([this] { RichEdit1Enter(); }));
    connect(RichEdit1, &TBookView::contextMenuRequested, PopupMenu1, [this](QPoint at) { PopupMenu1->popup(at); });
    connect(Panel2, &StatusLine::lineNumberHovered, this, [this] { Label3MouseMove(); });
}

// Start-up: each step in order; an error shows the standard box and skips the rest.
void TForm1::FormCreate(const QStringList& arguments)
{
    setAcceptDrops(true);
    runCommand([&] {
        platform::setWarningBeep(false);
        BookmarkSetBeforeExit = false;
        restoreHistory(*MRUManager1);
        readOptions(Options);
        SetBookmarkBeforeExit1->setChecked(Options.ConfirmSetBMExit == 1);
        WordWrap1->setChecked(Options.WordWrap == 1);
        RichEdit1->reanchorLine(0);
        applyOptions();
        if (!arguments.isEmpty() && !arguments.first().isEmpty()) {
            QString name;
            for (const QString& argument : arguments)
                name += argument + QLatin1Char(' ');
            setWindowTitle(name);
            LoadBook(name);
        }
        RichEdit1->caretToStart();
    });
}

void TForm1::applyOptions()
{
    RichEdit1->setFontSize(Options.FontSize);
    RichEdit1->setFontColor(Options.FontColor);
    RichEdit1->setBackgroundColor(Options.BGColor);
    Options.ScrollSpeedHandOver = Options.ScrollTextSpeed;
    if (!Options.FontName.isEmpty())
        RichEdit1->setFontName(Options.FontName);
    RichEdit1->setWordWrap(Options.WordWrap != 0);
}

std::string TForm1::tempCopyPath() const
{
    return platform::tempDirectory() + "lirra.tmp";
}

void TForm1::loadConverted(const QString& name)
{
    const std::string temp = tempCopyPath();
    platform::deleteFile(temp);
    copyBookLines(fileSystemName(name), temp, platform::tables::oem866ToAnsi1251);
    RichEdit1->loadFile(temp);
    RichEdit1->reanchorLine(0);
    RichEdit1->caretToStart();
    setWindowTitle(name);
}

void TForm1::LoadBook(const QString& name)
{
    loadConverted(name);
    recordBook(*MRUManager1, name);
    RichEdit1->repaintNow();
}

void TForm1::OpenBook1Click()
{
    platform::deleteFile(tempCopyPath());
    if (const auto chosen = OpenDialog1.execute(this))
        LoadBook(*chosen);
}

void TForm1::OpenRTFBook1Click()
{
    platform::deleteFile(tempCopyPath());
    const auto chosen = OpenDialog2.execute(this);
    if (!chosen)
        return;
    RichEdit1->loadFile(fileSystemName(*chosen));
    RichEdit1->reanchorLine(0);
    RichEdit1->caretToStart();
    setWindowTitle(*chosen);
    recordBook(*MRUManager1, *chosen);
    RichEdit1->repaintNow();
}

void TForm1::MRUManager1Click(const QString& recentName)
{
    loadConverted(recentName);
}

void TForm1::WMDropFiles(const QStringList& files)
{
    if (!files.isEmpty())
        LoadBook(files.first());
}

void TForm1::Copy1Click()
{
    RichEdit1->copy();
}

void TForm1::SelectAll1Click()
{
    RichEdit1->selectAll();
}

void TForm1::ClearAll1Click()
{
    RichEdit1->clear();
    setWindowTitle(kIdleCaption);
}

void TForm1::SaveOptions1Click()
{
    // Font, colours and speed are held by the controls after start-up; only the two
    // flags still live in the record.
    OptionsRecord saved = Options;
    saved.FontSize = RichEdit1->fontSize();
    saved.FontColor = RichEdit1->fontColor();
    saved.BGColor = RichEdit1->backgroundColor();
    saved.ScrollTextSpeed = Options.ScrollSpeedHandOver;
    saved.FontName = RichEdit1->fontName();
    saveOptions(saved);
    showMessage(BoxKind::Plain, QStringLiteral("Options was saved."));
}

void TForm1::DefaultsOptions1Click()
{
    deleteAllOptions();
}

void TForm1::refreshStatus(bool store)
{
    const ReadingPosition position = readingPosition(*RichEdit1);
    Panel2->display(position);
    if (store) {
        CurLine = position.lineNumber;
        CurCol = position.column;
    }
}

void TForm1::RichEdit1Change()
{
    refreshStatus(true);
    RichEdit1->repaintNow();
}

void TForm1::RichEdit1KeyDown(int key)
{
    if (key != 0)
        refreshStatus(true);
}

void TForm1::RichEdit1KeyUp(int key)
{
    if (key != 0)
        refreshStatus(true);
}

void TForm1::RichEdit1KeyPress(QChar character)
{
    switch (character.unicode()) {
    case ' ':
        RichEdit1->scroll(ScrollStep::LineDown);
        RichEdit1->sendKey(VirtualKey::Down);
        break;
    case '\r':
        RichEdit1->sendKey(VirtualKey::Next);
        break;
    case '\b':
        RichEdit1->scroll(ScrollStep::LineUp);
        RichEdit1->sendKey(VirtualKey::Up);
        break;
    case '+':
        RichEdit1->setFontSize(RichEdit1->fontSize() + 1);
        break;
    case '-':
        RichEdit1->setFontSize(RichEdit1->fontSize() - 1);
        break;
    default:
        break;
    }
}

void TForm1::RichEdit1MouseDown(Qt::MouseButton button)
{
    refreshStatus(false);
    if (RichEdit1->lineCount() > 0)
        return;
    if (button == Qt::LeftButton)
        OpenBook1Click();
    // A right click in an empty view opens the bookmark list once that dialog exists.
}

void TForm1::RichEdit1MouseUp()
{
    refreshStatus(false);
}

void TForm1::RichEdit1Enter()
{
    RichEdit1->repaintNow();
}

void TForm1::Label3MouseMove()
{
    Panel2->Label3->setToolTip(Panel2->lineCaption() + QStringLiteral(" of ") + QString::number(RichEdit1->lineCount()));
}

void TForm1::FormClose()
{
    platform::deleteFile(tempCopyPath());
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
    RichEdit1->repaintNow();
}

} // namespace lirra
