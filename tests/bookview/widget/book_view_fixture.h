#pragma once

#include "bookview/widget/book_view.h"

#include "book_texts.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <string>

// A 400 x 300 book view and a folder for the books it opens.
class BookViewFixture : public ::testing::Test {
protected:
    BookViewFixture() { view.resize(400, 300); }

    void load(const std::string& text)
    {
        writeFile(dir / "book.txt", text);
        view.loadFile(dir / "book.txt");
    }

    void show()
    {
        view.show();
        QApplication::setActiveWindow(&view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    std::int64_t caretLine() const { return view.lineFromChar(view.caretPosition()); }

    // Presses `key` on the view; where the caret went.
    std::int64_t press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&view, key, modifiers);
        return view.caretPosition();
    }

    ScratchFolder dir;
    lirra::TBookView view;
};
