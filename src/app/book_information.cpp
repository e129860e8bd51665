#include "app/book_information.h"

#include "platform/file_names.h"
#include "reader/book_names.h"

#include <QRegularExpression>

namespace lirra {

QString fileNamePart(const QString& path)
{
    static const QRegularExpression separator(QStringLiteral("[/\\\\:]"));
    return path.mid(path.lastIndexOf(separator) + 1);
}

std::int64_t pageEstimate(std::int64_t lines)
{
    const std::int64_t whole = lines / kLinesPerPage;
    const std::int64_t twiceRest = 2 * (lines % kLinesPerPage);
    if (twiceRest > kLinesPerPage || (twiceRest == kLinesPerPage && whole % 2 != 0))
        return whole + 1;
    return whole;
}

BookInformation describeBook(const QString& caption, std::int64_t lines)
{
    return {fileNamePart(shownBookName(caption)), platform::fileSize(fileSystemName(caption)), lines, pageEstimate(lines)};
}

} // namespace lirra
