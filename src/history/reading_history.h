#pragma once

// The reading history: the books opened most recently, kept in MRUManager1 and mirrored
// in Software\Lirra Reader\History ("Count" = index of the last entry, values "0".."9").
// Names are stored as the file system's bytes, so an entry reopens the very same file.

#include <QString>

namespace lirra {

class TMRUManager;

inline constexpr const char* kHistoryKey = "Software\\Lirra Reader\\History";

// Rebuilds the list from the registry ("0" ends on top), reading no more entries than
// the list holds. Raises the list's read error after adding the entries that could be
// read (platform/registry_list.h).
void restoreHistory(TMRUManager& list);

// Puts `name` on top of the list and writes the whole list to the registry.
void recordBook(TMRUManager& list, const QString& name);

} // namespace lirra
