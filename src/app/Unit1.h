#pragma once

// TForm1: the main window — menus, the book view, the status line, book loading and the
// reading position.

#include "app/file_dialogs.h"
#include "settings/options_store.h"

#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <string>

class QAction;
class QFrame;
class QMenu;

namespace lirra {

class StatusLine;
class TBookView;
class TMRUManager;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // `arguments` are the command-line arguments after the program name.
    explicit TForm1(const QStringList& arguments, QWidget* parent = nullptr);
    ~TForm1() override;

    // The one procedure that opens a plain (DOS) book.
    void LoadBook(const QString& name);

    // --- handlers (named after the control and the event) ---------------------------
    void OpenBook1Click();
    void OpenRTFBook1Click();
    void Copy1Click();
    void SelectAll1Click();
    void ClearAll1Click();
    void Copy2Click() { Copy1Click(); }
    void SelectAll2Click() { SelectAll1Click(); }
    void ClearAll2Click() { ClearAll1Click(); }
    void Exit1Click() { close(); }
    void Exit2Click() { close(); }
    void SaveOptions1Click();
    void DefaultsOptions1Click();
    void MRUManager1Click(const QString& recentName);
    void WMDropFiles(const QStringList& files);

    void RichEdit1Change();
    void RichEdit1KeyDown(int key);
    void RichEdit1KeyUp(int key);
    void RichEdit1KeyPress(QChar character);
    void RichEdit1MouseDown(Qt::MouseButton button);
    void RichEdit1MouseUp();
    void RichEdit1Enter();
    void Label3MouseMove();

    // --- components ------------------------------------------------------------------
    QFrame* Panel1;
    StatusLine* Panel2;
    TBookView* RichEdit1;
    QMenu* PopupMenu1;
    QMenu* PopupMenu2;
    TMRUManager* MRUManager1;
    FileDialog OpenDialog1;
    FileDialog OpenDialog2;

    QMenu* History1;
    QAction* OpenBook1;
    QAction* OpenRTFBook1;
    QAction* SaveBookAs1;
    QAction* PrintBook1;
    QAction* SetupPrinter1;
    QAction* Info1;
    QAction* Exit1;
    QAction* Copy2;
    QAction* SelectAll2;
    QAction* ClearAll2;
    QAction* ViewClipBoard1;
    QAction* FindText2;
    QAction* Goto1;
    QAction* GotoFirstPage1;
    QAction* WordWrap1;
    QAction* FullScreen1;
    QAction* HideToSysTray2;
    QAction* Fonts1;
    QAction* Inc1;
    QAction* Dec1;
    QAction* FontColor1;
    QAction* BGColor1;
    QAction* Clock1;
    QAction* HideClock1;
    QAction* ConverttoWin1;
    QAction* SetBookmarkBeforeExit1;
    QAction* SaveOptions1;
    QAction* DefaultsOptions1;
    QAction* SetBookMark1;
    QAction* GetBookMark1;
    QAction* GetLastBookmark1;
    QAction* SetScrollSpeed2;
    QAction* ScrollText1;
    QMenu* UsersURL1;
    QAction* Other1;
    QAction* ClearAllUsersURL1;
    QAction* Help2;
    QAction* About1;
    QAction* Copy1;
    QAction* SelectAll1;
    QAction* ClearAll1;
    QAction* HidetoSysTray1;
    QAction* Exit2;
    QAction* ShowLirra1;
    QAction* Exit3;

    // The caret's line and column as the last key or text change left them.
    std::int32_t CurLine = 0;
    std::int32_t CurCol = 0;
    OptionsRecord Options;
    bool BookmarkSetBeforeExit = false;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate(const QStringList& arguments);
    void FormClose();
    void createLayout();
    void createMenus();
    void connectView();
    void applyOptions();
    void refreshStatus(bool store);
    void loadConverted(const QString& name);
    std::string tempCopyPath() const;
};

} // namespace lirra
