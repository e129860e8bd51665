#include "navigation/bookmark_store.h"

#include "platform/lirra_error.h"
#include "platform/registry_hive.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

namespace lirra {

namespace {

std::vector<std::string> toStrings(const QStringList& entries)
{
    std::vector<std::string> strings;
    strings.reserve(std::size_t(entries.size()));
    for (const QString& entry : entries)
        strings.push_back(entry.toStdString());
    return strings;
}

// The highest entry index the open key holds; -1 for none.
std::int32_t highestStoredIndex(const platform::Registry& registry)
{
    std::int32_t highest = -1;
    for (const std::string& name : registry.valueNames()) {
        std::int32_t index = -1;
        const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), index);
        const bool canonical = !name.empty() && (name == "0" || name.front() != '0');
        if (error == std::errc() && end == name.data() + name.size() && canonical)
            highest = std::max(highest, index);
    }
    return highest;
}

} // namespace

QString bookmarkEntry(const QDate& day, const QString& book, const QString& lineNumber)
{
    return QLatin1Char('[') + day.toString(QStringLiteral("dd.MM.yy")) + QStringLiteral("] ") + book
        + QStringLiteral(" <") + lineNumber + QLatin1Char('>');
}

std::optional<BookmarkPlace> splitBookmark(const QString& entry)
{
    const qsizetype dateEnd = entry.indexOf(QStringLiteral("] "));
    const qsizetype lineStart = entry.lastIndexOf(QStringLiteral(" <"));
    if (dateEnd < 0 || lineStart < dateEnd + 2)
        return std::nullopt;
    BookmarkPlace place{entry.mid(dateEnd + 2, lineStart - dateEnd - 2), entry.mid(lineStart + 2)};
    if (place.book.isEmpty())
        return std::nullopt;
    place.lineNumber.chop(1);
    return place;
}

std::optional<QStringList> loadBookmarks()
{
    platform::Registry registry;
    if (!registry.keyExists(kBookMarksKey) || !registry.openKey(kBookMarksKey, false)
        || !registry.valueExists("Count"))
        return std::nullopt;
    // Rows past the last stored entry would all be empty; a damaged "Count" of two
    // billion must not fill the list with them.
    const std::int32_t last = std::min(registry.readInteger("Count"), highestStoredIndex(registry));
    QStringList entries;
    for (std::int32_t i = 0; i <= last; ++i)
        entries << QString::fromStdString(registry.readString(std::to_string(i)));
    return entries;
}

void storeBookmarks(const QStringList& entries)
{
    platform::Registry registry;
    registry.openKey(kBookMarksKey, true);
    registry.writeStringList(toStrings(entries));
}

void replaceBookmarks(const QStringList& entries)
{
    platform::Registry().replaceKeyWithStringList(kBookMarksKey, toStrings(entries));
}

bool clearBookmarks()
{
    platform::Registry registry;
    if (!registry.keyExists(kBookMarksKey))
        return false;
    if (!registry.deleteKey(kBookMarksKey))
        throw Error(formatText("Failed to delete key %s", kBookMarksKey));
    return true;
}

std::optional<QString> lastBookmark()
{
    platform::Registry registry;
    if (!registry.keyExists(kBookMarksKey) || !registry.openKey(kBookMarksKey, false)
        || !registry.valueExists("Count"))
        return std::nullopt;
    const std::int32_t last = registry.readInteger("Count");
    if (last < 0)
        return std::nullopt;
    return QString::fromStdString(registry.readString(std::to_string(last)));
}

} // namespace lirra
