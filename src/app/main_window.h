#pragma once

// TForm1: the main window. It lays out the book view and the status line, builds its
// menus from one table and turns every menu command, key and mouse event into a call
// of the named logic that does the work. The subsystems see it as a ReaderWindow.

#include "app/book_loader.h"
#include "reader/file_dialogs.h"
#include "reader/reader_window.h"
#include "settings/options_store.h"

#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <span>

class QFrame;

namespace lirra {

template <class Owner> struct MenuRow;
class StatusLine;
class TBookView;
class TMRUManager;

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
    void LoadBook(const QString& name) override;
    void showBook(const QString& name) override;
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
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // --- start-up and shutdown ----------------------------------------------------------
    void createLayout();
    void createMenus();
    void connectView();
    void FormCreate(const QStringList& arguments);
    void FormClose();
    void applyOptions();
    void fitRestoredFrame();
    static std::span<const MenuRow<TForm1>> menuRows();

    // --- menu commands -----------------------------------------------------------------
    void OpenBook1Click();
    void OpenRTFBook1Click();
    void Exit1Click();
    void Copy1Click();
    void SelectAll1Click();
    void ClearAll1Click();
    void SaveOptions1Click();
    void DefaultsOptions1Click();
    void MRUManager1Click(const QString& recentName);
    void WMDropFiles(const QStringList& files);

    // --- book view and status line events -------------------------------------------------
    void RichEdit1Change();
    void RichEdit1KeyDown(int key);
    void RichEdit1KeyUp(int key);
    void RichEdit1KeyPress(QChar character);
    void RichEdit1MouseDown(Qt::MouseButton button);
    void RichEdit1MouseUp();
    void RichEdit1Enter();
    void Label3MouseMove();

    void storeStatus(bool keepPosition);

    // --- components ------------------------------------------------------------------------
    QFrame* m_panel1 = nullptr;
    StatusLine* m_panel2 = nullptr;
    TBookView* m_richEdit1 = nullptr;
    TMRUManager* m_mruManager1 = nullptr;
    FileDialog m_openDialog1;
    FileDialog m_openDialog2;
    BookLoader m_books;

    // The caret's line and column as the last key or text change left them.
    std::int32_t m_curLine = 0;
    std::int32_t m_curCol = 0;
    OptionsRecord m_options;
    bool m_bookmarkSetBeforeExit = false;
    bool m_frameFitted = false;
    // The open book's name (the caption shows it decoded, see shownBookName).
    QString m_bookName = kIdleCaption;
    // Off once the session is ending: the close query then asks no question.
    bool m_askBeforeClosing = true;
};

} // namespace lirra
