#include "history/user_addresses.h"

#include "history/mru_manager.h"
#include "platform/registry_hive.h"
#include "platform/shell_launch.h"

#include <string>
#include <vector>

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

void readStoredAddresses(const std::function<void(const QString&)>& each)
{
    platform::Registry registry;
    if (!registry.keyExists(kInternetKey))
        return;
    registry.openKey(kInternetKey, false);
    if (registry.valueExists("Count")) {
        // The list has no limit, but the program writes every value up to "Count": a
        // larger "Count" (a damaged or hand-edited hive) ends at the first missing value
        // instead of reading billions of them.
        const std::int32_t last = registry.readInteger("Count");
        for (std::int32_t i = 0; i <= last && registry.valueExists(std::to_string(i)); ++i)
            each(QString::fromStdString(registry.readString(std::to_string(i))));
    }
    registry.closeKey();
}

void storeAddresses(const QStringList& addresses)
{
    std::vector<std::string> entries;
    entries.reserve(std::size_t(addresses.size()));
    for (const QString& address : addresses)
        entries.push_back(address.toStdString());
    platform::Registry registry;
    registry.createKey(kInternetKey);
    registry.openKey(kInternetKey, false);
    registry.writeStringList(entries);
    registry.closeKey();
}

void forgetUserAddresses(TMRUManager& urls)
{
    urls.clear();
    platform::Registry().deleteKey(kInternetKey);
}

void launchAddress(const QString& address)
{
    platform::launchAddress(address.toStdString());
}

} // namespace lirra
