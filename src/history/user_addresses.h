#pragma once

// The web addresses the user typed: the "User's URL" list `urls` (at most 30 different
// ones, oldest on top) and their copy in Software\Lirra Reader\InterNet, which keeps every
// confirmed address, repeats included, in the order of entry ("Count" = index of the last
// one, values "0", "1", ...). This is the one place that reads or writes that key.

#include <QString>
#include <QStringList>
#include <functional>

namespace lirra {

class TMRUManager;

inline constexpr const char* kInternetKey = "Software\\Lirra Reader\\InterNet";

// Sets up `urls` as the "User's URL" list: capacity 30, new addresses at the end.
void makeUserAddressList(TMRUManager& urls);

// Calls `each` with the stored addresses, oldest first. Raises the registry's error
// texts ("Invalid data type for '%s'", ...); the addresses before the faulty one have
// been handed out by then.
void readStoredAddresses(const std::function<void(const QString&)>& each);

// Replaces the stored addresses by `addresses` in one change of the hive: all of them
// are stored or none. Raises "Failed to create key %s" or "Failed to set data for '%s'".
void storeAddresses(const QStringList& addresses);

// "Clear All User's URL": an empty "User's URL" list and no InterNet key.
void forgetUserAddresses(TMRUManager& urls);

// Opens `address` in the web browser; a failure is not reported.
void launchAddress(const QString& address);

} // namespace lirra
