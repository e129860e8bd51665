#include "reader/book_names.h"

#include "platform/codepages.h"
#include "platform/utf8.h"

#include <algorithm>

namespace lirra {

QString bookNameFromBytes(std::string_view bytes)
{
    return QString::fromStdU16String(platform::bytesToUtf16(bytes));
}

QString bookNameFromLocalUrl(const QUrl& url)
{
    const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return bookNameFromBytes(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

std::string fileSystemName(const QString& name)
{
    return platform::bytesFromUtf16(name.toStdU16String());
}

// Each part of the path on its own: the folders of a path may well be UTF-8 while the
// file from an old archive is not.
QString shownBookName(const QString& name)
{
    if (!platform::holdsEscapedBytes(name.toStdU16String()))
        return name;
    const std::string bytes = fileSystemName(name);
    std::u16string shown;
    for (std::size_t start = 0; start <= bytes.size();) {
        const std::size_t end = std::min(bytes.find('/', start), bytes.size());
        std::string part = bytes.substr(start, end - start);
        std::u16string text = platform::bytesToUtf16(part);
        if (platform::holdsEscapedBytes(text)) {
            platform::oemToCharBuff(part.data(), part.data(), part.size());
            text = platform::decodeAnsi(part);
        }
        shown += text;
        if (end < bytes.size())
            shown += u'/';
        start = end + 1;
    }
    return QString::fromStdU16String(shown);
}

} // namespace lirra
