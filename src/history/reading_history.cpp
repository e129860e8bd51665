#include "history/reading_history.h"

#include "history/mru_manager.h"
#include "platform/registry_hive.h"

#include <algorithm>
#include <string>

namespace lirra {

namespace {
// The program writes at most ten entries; a larger "Count" comes from a damaged or
// foreign hive and must not make the start-up read billions of values.
constexpr std::int32_t kLargestCount = 999;
} // namespace

void restoreHistory(TMRUManager& list)
{
    platform::Registry registry;
    if (!registry.keyExists(kHistoryKey))
        return;
    registry.openKey(kHistoryKey, false);
    if (registry.valueExists("Count")) {
        for (std::int32_t i = std::min(registry.readInteger("Count"), kLargestCount); i >= 0; --i)
            list.add(QString::fromStdString(registry.readString(std::to_string(i))), 0);
    }
    registry.closeKey();
}

void recordBook(TMRUManager& list, const QString& name)
{
    list.add(name, 0);
    platform::Registry registry;
    registry.openKey(kHistoryKey, true);
    const int count = list.count();
    registry.writeInteger("Count", count - 1);
    for (int i = 0; i < count; ++i)
        registry.writeString(std::to_string(i), list.at(i).toStdString());
    registry.closeKey();
}

} // namespace lirra
