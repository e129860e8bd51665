#pragma once

// What the reader does between "open this DOS book" and the first page on the screen:
// TForm1::LoadBook (the first page converted and shown, line 0, caption, history; the
// rest of the book and the 1251 copy in lirra.tmp made behind it) and the first paint. Shared by the benchmark and the memory probe.

#include "app/main_window.h"
#include "bookview/widget/book_view.h"

#include <QImage>
#include <memory>
#include <string>

namespace lirra::bench {

// The main window at 1024 x 768 with no book, as a user starts it.
std::unique_ptr<TForm1> readerWindow();
QImage openToFirstPaint(TForm1& form, const std::string& dosBook);
QImage paintView(TBookView& view);

} // namespace lirra::bench
