#pragma once

// Reads FictionBook 2 books (XML) into the same rich text the RTF reader makes, through
// expat: a streaming parser, so a book is read piece by piece and never held whole
// beside its text, and one that takes the code pages old books declare (windows-1251,
// ibm866) through its unknown-encoding hook. Toolkit-free.
//
// What is shown: the book's title and authors; each body's title and each section's
// title in bold, larger the higher the section; paragraphs, one a line; emphasis in
// italic and strong in bold; epigraphs, poems and citations indented; the notes body
// where the format puts it, after the main body (so the footnotes come at the end); a
// "[Picture]" in place of each image. The description's other parts and
// the binaries (the pictures' data) are skipped.
//
// A damaged book shows what was read before the damage, followed by a line that says
// where and why reading stopped; so does a book whose text, runs and line starts would
// take more memory than twice its file. Read piece by piece, the file is never held
// whole, so a book takes at most some three times its file. A book of which nothing could be read raises
// lirra::Error saying why.

#include "bookview/core/rtf_reader.h"

#include <memory>
#include <string>
#include <string_view>

namespace lirra {

class FictionBookReader {
public:
    // `size`: the book's size in bytes, as far as it is known.
    explicit FictionBookReader(std::int64_t size);
    ~FictionBookReader();
    FictionBookReader(const FictionBookReader&) = delete;
    FictionBookReader& operator=(const FictionBookReader&) = delete;

    // Reads the next piece of the book; `last` says it is the end. False once reading
    // has stopped (damage, or the memory budget), after which pieces are ignored.
    bool feed(std::string_view piece, bool last);
    // The book read. Throws lirra::Error when nothing of it could be read.
    RichText finish();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// The book in `data`, read in one piece.
RichText parseFictionBook(std::string_view data);
// The book in the file `path`, read piece by piece. Throws lirra::Error with the file
// error texts too.
RichText readFictionBook(const std::string& path);

} // namespace lirra
