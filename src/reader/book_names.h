#pragma once

// Book names are file-system names, and those are bytes, not always UTF-8 (old
// Russian archives name files in CP866 or KOI8). A name travels through the program as
// a QString that keeps every byte: valid UTF-8 as text, each other byte as a lone
// surrogate (U+DC80..U+DCFF). Only what is shown to the user is decoded.

#include "platform/registry_list.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <string>
#include <string_view>
#include <vector>

namespace lirra {

QString bookNameFromBytes(std::string_view bytes);
// The name of a local file dropped as a URL: its percent-encoded path is the file
// system's bytes, whatever their encoding.
QString bookNameFromLocalUrl(const QUrl& url);
// The bytes the file system gets for the name.
std::string fileSystemName(const QString& name);
// The name as the user sees it: itself, or, when it holds bytes that are not UTF-8,
// each part of the path that does read in the DOS code page 866, that of the books
// from that world.
QString shownBookName(const QString& name);

// The lists in the settings file (history, bookmarks, web addresses) keep each name as
// the file system's bytes, so that it comes back as the very same bytes.
std::vector<std::string> namesToStore(const QStringList& names);
struct StoredNames {
    bool found = false;   // the key holds a list
    QStringList names;    // what could be read, in list order
    std::string error;    // the read error, empty when none (see platform/registry_list.h)
    void raiseError() const;
};
StoredNames readStoredNames(const std::string& key, std::size_t limit = platform::kWholeList);

} // namespace lirra
