#include "navigation/bookmark_store.h"

#include "platform/lirra_error.h"
#include "platform/registry_hive.h"

namespace lirra {

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

StoredNames loadBookmarks()
{
    return readStoredNames(kBookMarksKey);
}

void storeBookmarks(const QStringList& entries)
{
    platform::Registry registry;
    registry.openKey(kBookMarksKey, true);
    registry.writeStringList(namesToStore(entries));
}

void replaceBookmarks(const QStringList& entries)
{
    platform::Registry().replaceKeyWithStringList(kBookMarksKey, namesToStore(entries));
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
    const StoredNames stored = loadBookmarks();
    stored.raiseError();
    if (stored.names.isEmpty())
        return std::nullopt;
    return stored.names.back();
}

} // namespace lirra
