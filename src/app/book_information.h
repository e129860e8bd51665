#pragma once

// What the "Information" dialog tells about the open book.

#include <QString>
#include <cstdint>

namespace lirra {

inline constexpr std::int64_t kLinesPerPage = 28;

struct BookInformation {
    QString fileName;        // the name as the caption shows it (shownBookName), after its last "/", "\" or ":"
    std::int64_t fileSize;   // bytes on disk; -1 for no such file, or a folder
    std::int64_t lines;      // as the view counts them (rows, with word wrap on)
    std::int64_t pages;      // lines / 28, rounded half to even
};

// The name part of a book's path: what follows the last "/", "\" or ":".
QString fileNamePart(const QString& path);
// `lines` / 28 rounded to the nearest integer, a tie to the even one: 14 -> 0, 42 -> 2.
std::int64_t pageEstimate(std::int64_t lines);
// The facts about the book named `caption` that the view shows in `lines` lines.
BookInformation describeBook(const QString& caption, std::int64_t lines);

} // namespace lirra
