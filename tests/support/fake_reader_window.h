#pragma once

// A ReaderWindow without the main window, for testing a subsystem on its own: a real book
// view, shown (so it lays its rows out), a caption, the name last chosen in "Open Book",
// and a count of the status refreshes asked for.

#include "bookview/widget/book_view.h"
#include "reader/reader_window.h"
#include "scratch_folder.h"

#include <QApplication>
#include <QTest>
#include <string>

class FakeReaderWindow : public lirra::ReaderWindow {
public:
    FakeReaderWindow()
    {
        view.resize(640, 400);
        view.show();
        QApplication::setActiveWindow(&view);
        static_cast<void>(QTest::qWaitForWindowExposed(&view));
    }

    // `text` in code page 1251, as the view holds a plain book.
    void open(const std::string& text)
    {
        const std::string path = scratch / "book.txt";
        writeFile(path, text);
        view.loadFile(path);
        view.reanchorLine(0);
        view.caretToStart();
    }
    void openNumbered(int count) { open(numberedLines(count)); }
    bool caretAtEndOf(std::int64_t line) const
    {
        return view.caretPosition() == view.lineIndex(line) + view.lineText(line).size();
    }

    lirra::TBookView& bookView() override { return view; }
    QWidget* dialogParent() override { return &view; }
    QString bookName() const override { return caption; }
    void setBookName(const QString& name) override { caption = name; }
    QString lastChosenBookName() const override { return lastChosen; }
    void LoadBook(const QString& name) override { showBook(name); }
    void showBook(const QString& name) override
    {
        view.loadFile(name.toStdString());
        caption = name;
    }
    void refreshStatus() override { ++refreshes; }
    bool awaitWholeBook() override { return true; }
    std::int32_t currentLine() const override { return int(view.lineFromChar(view.caretPosition())) + 1; }
    std::int32_t currentColumn() const override { return 1; }
    QString shownLineNumber() const override { return QString::number(currentLine()); }

    ScratchFolder scratch;
    lirra::TBookView view;
    QString caption = lirra::kIdleCaption;
    QString lastChosen;
    int refreshes = 0;
};
