#pragma once

// What the reader does between "open this DOS book" and the first page on the screen:
// copy it to the temporary file converted to 1251, load that into a book view, put the
// view on line 0 and paint it. Shared by the benchmark and the memory probe.

#include "bookview/book_view.h"

#include <QImage>
#include <string>

namespace lirra::bench {

QImage openToFirstPaint(TBookView& view, const std::string& dosBook, const std::string& tempCopy);
QImage paintView(TBookView& view);

} // namespace lirra::bench
