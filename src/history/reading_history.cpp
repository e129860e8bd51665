#include "history/reading_history.h"

#include "history/mru_manager.h"
#include "platform/lirra_error.h"
#include "platform/registry_hive.h"
#include "reader/book_names.h"

#include <algorithm>
#include <string>
#include <vector>

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
            list.add(bookNameFromBytes(registry.readString(std::to_string(i))), 0);
    }
    registry.closeKey();
}

void recordBook(TMRUManager& list, const QString& name)
{
    list.add(name, 0);
    std::vector<std::string> entries;
    for (int i = 0; i < list.count(); ++i)
        entries.push_back(fileSystemName(list.at(i)));
    platform::Registry registry;
    if (!registry.openKey(kHistoryKey, true))
        throw Error(formatText("Failed to create key %s", kHistoryKey));
    registry.writeStringList(entries);
    registry.closeKey();
}

} // namespace lirra
