#pragma once

// TForm1: the main window. It lays out the book view and the status line, builds its
// menus from one table and turns every menu command, key and mouse event into a call
// of the named logic that does the work. The subsystems see it as a ReaderWindow.

#include "app/book_loader.h"
#include "extras/print_commands.h"
#include "reader/file_dialogs.h"
#include "reader/reader_window.h"
#include "settings/options_store.h"

#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <span>

class QFrame;
class QTimer;

namespace lirra {

template <class Owner> struct MenuRow;
class AutoScroll;
class FindText;
class HelpWindow;
class StatusLine;
class TBookView;
class TForm2;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm12;
class TFonts;
class TMRUManager;
class WindowModes;

class TForm1 : public QMainWindow, public ReaderWindow {
    Q_OBJECT
public:
    // `arguments` are the command-line arguments after the program name.
    explicit TForm1(const QStringList& arguments, QWidget* parent = nullptr);
    ~TForm1() override;

    // --- ReaderWindow ------------------------------------------------------------------
    TBookView& bookView() override;
    QWidget* dialogParent() override;
    QString bookName() const override;
    void setBookName(const QString& name) override;
    QString lastChosenBookName() const override;
    void LoadBook(const QString& name) override;
    void showBook(const QString& name) override;
    bool awaitWholeBook() override;
    void refreshStatus() override;
    std::int32_t currentLine() const override { return m_curLine; }
    std::int32_t currentColumn() const override { return m_curCol; }
    QString shownLineNumber() const override;

    // Ends the program as "Exit" does, but asks nothing: the session is ending (a
    // logout, kill, Ctrl+C in the terminal).
    void closeWithoutQuestion();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // --- start-up and shutdown ----------------------------------------------------------
    void createLayout();
    void createMenus();
    void connectView();
    void createWindowModes();
    void FormCreate(const QStringList& arguments);
    void createWindows();
    void FormCloseQuery();
    void FormClose();
    void applyOptions();
    static std::span<const MenuRow<TForm1>> menuRows();

    // --- menu commands -----------------------------------------------------------------
    void OpenBook1Click();
    void OpenRTFBook1Click();
    void SaveBookAs1Click();
    void PrintBook1Click();
    void SetupPrinter1Click();
    void Info1Click();
    void Exit1Click();
    void Copy1Click();
    void SelectAll1Click();
    void ClearAll1Click();
    void SaveOptions1Click();
    void DefaultsOptions1Click();
    void ConverttoWin1Click();
    void ViewClipBoard1Click();
    void Help2Click();
    void About1Click();
    void FindText2Click();
    void Goto1Click();
    void GotoFirstPage1Click();
    void SetScrollSpeed2Click();
    void ScrollText1Click();
    void Timer1Timer();
    void WordWrap1Click();
    void FullScreen1Click();
    void HideToSysTray2Click();
    void Fonts1Click();
    void Inc1Click();
    void Dec1Click();
    void FontColor1Click();
    void BGColor1Click();
    void Grey1Click();
    void Green1Click();
    void BlackWhite1Click();
    void WhiteonBlack1Click();
    void Blue1Click();
    void Dark1Click();
    void Light1Click();
    void Contrast1Click();
    void WindowsDefault1Click();
    void Clock1Click();
    void HideClock1Click();
    void HidetoSysTray1Click();
    void ShowLirra1Click();
    void Exit3Click();
    void RxTrayIcon1Click();
    void SetBookmarkBeforeExit1Click();
    void SetBookMark1Click();
    void GetBookMark1Click();
    void GetLastBookmark1Click();
    void MRUManager1Click(const QString& recentName);
    void WMDropFiles(const QStringList& files);
    // url1Click ... url12Click: the fixed library address N (zero-based).
    template <std::size_t N> void urlClick();
    void urlsClick(const QString& recentName);
    void Other1Click();
    void ClearAllUsersURL1Click();

    // --- book view and status line events -------------------------------------------------
    void RichEdit1Change();
    void RichEdit1KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void RichEdit1KeyUp(int key);
    void RichEdit1KeyPress(QChar character);
    void RichEdit1MouseDown(Qt::MouseButton button);
    void RichEdit1MouseUp();
    void RichEdit1Enter();
    void Label3MouseMove();

    void storeStatus(bool keepPosition);
    void showWholeBookPercent();

    // --- components ------------------------------------------------------------------------
    QFrame* m_panel1 = nullptr;
    StatusLine* m_panel2 = nullptr;
    TBookView* m_richEdit1 = nullptr;
    TMRUManager* m_mruManager1 = nullptr;
    TMRUManager* m_urls = nullptr;
    QTimer* m_timer1 = nullptr;
    FileDialog m_openDialog1;
    FileDialog m_openDialog2;
    FileDialog m_saveDialog1;
    BookLoader m_books;
    PrintCommands m_printing;
    TForm7* m_addressDialog = nullptr;
    TForm8* m_informationDialog = nullptr;
    TForm9* m_aboutBox = nullptr;
    TForm12* m_clipboardWindow = nullptr;
    HelpWindow* m_helpWindow = nullptr;
    TForm2* m_gotoDialog = nullptr;
    TForm6* m_scrollSpeedDialog = nullptr;
    std::unique_ptr<FindText> m_findText;
    std::unique_ptr<AutoScroll> m_autoScroll;
    std::unique_ptr<WindowModes> m_windowModes;
    TFonts* m_fonts = nullptr;
    TForm4* m_setBookmarksDialog = nullptr;
    TForm5* m_getBookmarksDialog = nullptr;

    // The caret's line and column as the last key or text change left them.
    std::int32_t m_curLine = 0;
    std::int32_t m_curCol = 0;
    OptionsRecord m_options;
    bool m_bookmarkSetBeforeExit = false;
    // The right press that showed the bookmarks in an empty view has had its answer; the
    // context menu that follows it would pop up over the book just opened.
    bool m_pressOpenedBookmarks = false;
    // The open book's name (the caption shows it decoded, see shownBookName).
    QString m_bookName = kIdleCaption;
    // Off once the session is ending: the close query then asks no question.
    bool m_askBeforeClosing = true;
};

} // namespace lirra
