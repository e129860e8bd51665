#pragma once

// The web addresses the user typed: the "User's URL" list `urls` (at most 30 different
// ones, oldest on top) and their copy in Software\Lirra Reader\InterNet, which keeps every
// confirmed address, repeats included, in the order of entry ("Count" = index of the last
// one, values "0", "1", ...). This is the one place that reads or writes that key.

#include "reader/book_names.h"

#include <QString>
#include <QStringList>

namespace lirra {

class TMRUManager;

inline constexpr const char* kInternetKey = "Software\\Lirra Reader\\InterNet";

// Sets up `urls` as the "User's URL" list: capacity 30, new addresses at the end.
void makeUserAddressList(TMRUManager& urls);

// The stored addresses, oldest first, and the error met reading them
// (platform/registry_list.h).
StoredNames readStoredAddresses();
// Start-up: `urls` made from the stored addresses, its menu built once. Raises the
// read error after that.
void restoreUserAddresses(TMRUManager& urls);

// Replaces the stored addresses by `addresses` in one change of the hive: all of them
// are stored or none. Raises "Failed to create key %s" or "Failed to set data for '%s'".
void storeAddresses(const QStringList& addresses);

// "Clear All User's URL": an empty "User's URL" list and no InterNet key.
void forgetUserAddresses(TMRUManager& urls);

// Opens `address` in the web browser; a failure is not reported.
void launchAddress(const QString& address);

} // namespace lirra
