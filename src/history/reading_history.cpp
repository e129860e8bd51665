#include "history/reading_history.h"

#include "history/mru_manager.h"
#include "platform/lirra_error.h"
#include "platform/registry_hive.h"
#include "reader/book_names.h"

namespace lirra {

// Only as many entries as the list holds are read: the program writes no more, and a
// longer list (a foreign or damaged hive) must not make the start-up read all of it.
void restoreHistory(TMRUManager& list)
{
    const StoredNames stored = readStoredNames(kHistoryKey, std::size_t(list.capacity()));
    const QStringList oldestFirst(stored.names.rbegin(), stored.names.rend());
    list.addEach(oldestFirst);
    stored.raiseError();
}

void recordBook(TMRUManager& list, const QString& name)
{
    list.add(name, 0);
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names << list.at(i);
    platform::Registry registry;
    if (!registry.openKey(kHistoryKey, true))
        throw Error(formatText("Failed to create key %s", kHistoryKey));
    registry.writeStringList(namesToStore(names));
    registry.closeKey();
}

} // namespace lirra
