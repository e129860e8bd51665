#pragma once

// A stand-in for the main window: a real book view, shown, with a book of numbered
// lines, and a count of the status refreshes asked for.

#include "bookview/widget/book_view.h"
#include "reader/reader_window.h"
#include "scratch_folder.h"

#include <QApplication>
#include <QTest>
#include <string>

class FakeReader : public lirra::ReaderWindow {
public:
    FakeReader()
    {
        view.resize(640, 400);
        view.show();
        QApplication::setActiveWindow(&view);
        exposed = QTest::qWaitForWindowExposed(&view);
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
    // "line 1" ... "line <count>", each ended by CR LF.
    void openNumbered(int count)
    {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "line " + std::to_string(i) + "\r\n";
        open(text);
    }
    std::int64_t caretLine() const { return view.lineFromChar(view.caretPosition()); }
    bool caretAtEndOf(std::int64_t line) const
    {
        return view.caretPosition() == view.lineIndex(line) + view.lineText(line).size();
    }

    lirra::TBookView& bookView() override { return view; }
    QWidget* dialogParent() override { return &view; }
    QString bookName() const override { return lirra::kIdleCaption; }
    void setBookName(const QString&) override {}
    void LoadBook(const QString&) override {}
    void showBook(const QString&) override {}
    void refreshStatus() override { ++refreshes; }
    std::int32_t currentLine() const override { return 0; }
    std::int32_t currentColumn() const override { return 0; }
    QString shownLineNumber() const override { return {}; }

    ScratchFolder scratch;
    lirra::TBookView view;
    int refreshes = 0;
    bool exposed = false;
};
