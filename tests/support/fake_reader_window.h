#pragma once

// A ReaderWindow without the main window: a book view, a caption and the name last
// chosen in "Open Book", for testing a subsystem on its own.

#include "bookview/widget/book_view.h"
#include "reader/reader_window.h"

#include <QWidget>

class FakeReaderWindow : public lirra::ReaderWindow {
public:
    lirra::TBookView& bookView() override { return view; }
    QWidget* dialogParent() override { return &window; }
    QString bookName() const override { return caption; }
    void setBookName(const QString& name) override { caption = name; }
    QString lastChosenBookName() const override { return lastChosen; }
    void LoadBook(const QString& name) override { showBook(name); }
    void showBook(const QString& name) override
    {
        view.loadFile(name.toStdString());
        caption = name;
    }
    void refreshStatus() override {}
    std::int32_t currentLine() const override { return int(view.lineFromChar(view.caretPosition())) + 1; }
    std::int32_t currentColumn() const override { return 1; }
    QString shownLineNumber() const override { return QString::number(currentLine()); }

    QWidget window;
    lirra::TBookView view{&window};
    QString caption = lirra::kIdleCaption;
    QString lastChosen;
};
