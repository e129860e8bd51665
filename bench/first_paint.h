#pragma once

// What the reader does between "open this DOS book" and the first page on the screen:
// TForm1::LoadBook (the 1251 copy in lirra.tmp, the load, line 0, caption, history)
// and the first paint of the view. Shared by the benchmark and the memory probe.

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
