#include "history/user_addresses.h"

#include "history/mru_manager.h"
#include "platform/registry_hive.h"
#include "platform/shell_launch.h"

namespace lirra {

namespace {
constexpr int kUserAddressCapacity = 30;
// A typed address can be any length; its menu item stays narrower than a screen.
constexpr int kUserAddressCaptionLimit = 60;
} // namespace

void makeUserAddressList(TMRUManager& urls)
{
    urls.setCapacity(kUserAddressCapacity);
    urls.setMode(TRecentMode::rmAppend);
    urls.setCaptionLimit(kUserAddressCaptionLimit);
}

StoredNames readStoredAddresses()
{
    return readStoredNames(kInternetKey);
}

void restoreUserAddresses(TMRUManager& urls)
{
    const StoredNames stored = readStoredAddresses();
    urls.addEach(stored.names);
    stored.raiseError();
}

void storeAddresses(const QStringList& addresses)
{
    platform::Registry registry;
    registry.createKey(kInternetKey);
    registry.openKey(kInternetKey, false);
    registry.writeStringList(namesToStore(addresses));
    registry.closeKey();
}

void forgetUserAddresses(TMRUManager& urls)
{
    urls.clear();
    platform::Registry().deleteKey(kInternetKey);
}

void launchAddress(const QString& address)
{
    platform::launchAddress(fileSystemName(address));
}

} // namespace lirra
