#pragma once

// A main window as the settings see it: the book view over a status panel with its
// clock, the check items and the tray menu. CurLine follows the view's change
// notification, as the real status refresh makes it; refreshStatus() is what a key does.

#include "bookview/widget/book_view.h"
#include "reader/reader_window.h"
#include "settings/window_modes.h"

#include <QAction>
#include <QFrame>
#include <QMainWindow>
#include <QMenu>
#include <QVBoxLayout>

class FakeMainWindow : public QMainWindow, public lirra::ReaderWindow {
public:
    FakeMainWindow()
    {
        auto* central = new QWidget(this);
        auto* column = new QVBoxLayout(central);
        view = new lirra::TBookView(central);
        panel = new QFrame(central);
        panel->setFixedHeight(23);
        clock = new QWidget(panel);
        column->addWidget(view, 1);
        column->addWidget(panel);
        setCentralWidget(central);
        for (QAction* item : {&wordWrap, &fullScreen, &hideStatusBar, &hideClock})
            item->setCheckable(true);
        QObject::connect(view, &lirra::TBookView::changed, [this] { refreshStatus(); });
        resize(640, 480);
    }

    lirra::WindowParts parts()
    {
        return {*this, *panel, *clock, wordWrap, fullScreen, hideStatusBar, hideClock, trayMenu};
    }

    lirra::TBookView& bookView() override { return *view; }
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

    lirra::TBookView* view;
    QFrame* panel;
    QWidget* clock;
    QAction wordWrap, fullScreen, hideStatusBar, hideClock;
    QMenu trayMenu;
    std::int32_t curLine = 0;
};
