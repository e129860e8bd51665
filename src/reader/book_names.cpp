#include "reader/book_names.h"

#include "platform/codepages.h"
#include "platform/lirra_error.h"
#include "platform/registry_hive.h"
#include "platform/utf8.h"

#include <algorithm>

namespace lirra {

// Most names are ASCII, which reads the same in every form; a list of ten thousand
// stored addresses takes this way.
QString bookNameFromBytes(std::string_view bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; }))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
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

std::vector<std::string> namesToStore(const QStringList& names)
{
    std::vector<std::string> entries;
    entries.reserve(std::size_t(names.size()));
    for (const QString& name : names)
        entries.push_back(fileSystemName(name));
    return entries;
}

void StoredNames::raiseError() const
{
    if (!error.empty())
        throw Error(error);
}

StoredNames readStoredNames(const std::string& key, std::size_t limit)
{
    platform::Registry registry;
    const platform::StoredList list = platform::readStringList(registry, key, limit);
    StoredNames stored{list.found, {}, list.error};
    stored.names.reserve(qsizetype(list.entries.size()));
    for (const std::string& entry : list.entries)
        stored.names << bookNameFromBytes(entry);
    return stored;
}

} // namespace lirra
