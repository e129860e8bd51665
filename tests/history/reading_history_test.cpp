#include "history/reading_history.h"

#include "history/mru_manager.h"
#include "error_text.h"
#include "platform/registry_hive.h"
#include "qt_printers.h"
#include "registry_fixture.h"


using namespace lirra;
using lirra::platform::Registry;

namespace {

class ReadingHistory : public OwnHive {
protected:
    std::vector<std::string> stored()
    {
        Registry registry;
        registry.openKey(kHistoryKey, false);
        std::vector<std::string> entries;
        for (int i = 0; i <= registry.readInteger("Count"); ++i)
            entries.push_back(registry.readString(std::to_string(i)));
        EXPECT_FALSE(registry.valueExists(std::to_string(entries.size())));
        return entries;
    }
    // The History key written by hand: `Count`, then `values` in the order given.
    static void storeRaw(std::int32_t count, const std::vector<std::pair<std::string, std::string>>& values)
    {
        Registry registry;
        registry.openKey(kHistoryKey, true);
        registry.writeInteger("Count", count);
        for (const auto& [name, value] : values)
            registry.writeString(name, value);
        registry.closeKey();
    }
};

} // namespace

TEST_F(ReadingHistory, RecordingWritesTheWholeListNewestFirstAndRestoreRebuildsIt)
{
    TMRUManager list;
    recordBook(list, QStringLiteral("/books/a.txt "));
    EXPECT_EQ(stored(), std::vector<std::string>{"/books/a.txt "});
    recordBook(list, QStringLiteral("/books/b.txt"));
    recordBook(list, QStringLiteral("/BOOKS/A.TXT "));  // same book, other case: moves, keeps old spelling
    EXPECT_EQ(stored(), (std::vector<std::string>{"/books/a.txt ", "/books/b.txt"}));

    TMRUManager restored;
    restoreHistory(restored);
    ASSERT_EQ(restored.count(), 2);
    EXPECT_EQ(restored.at(0), QStringLiteral("/books/a.txt "));
    EXPECT_EQ(restored.at(1), QStringLiteral("/books/b.txt"));
}

TEST_F(ReadingHistory, AnEleventhBookDropsTheOldestAndCountStaysNine)
{
    TMRUManager list;
    for (int i = 0; i < 11; ++i)
        recordBook(list, QStringLiteral("/books/%1.txt").arg(i));
    const auto entries = stored();   // also: no value "10"
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.front(), "/books/10.txt");
    EXPECT_EQ(entries.back(), "/books/1.txt");
}

TEST_F(ReadingHistory, NoKeyNoCountOrNegativeCountLeaveTheListEmpty)
{
    TMRUManager list;
    restoreHistory(list);
    EXPECT_EQ(list.count(), 0);
    Registry registry;
    registry.openKey(kHistoryKey, true);
    registry.writeString("0", "/a.txt");
    restoreHistory(list);
    EXPECT_EQ(list.count(), 0);
    storeRaw(-1, {});
    restoreHistory(list);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(ReadingHistory, AMistypedEntryIsLeftOutAndRaisedAfterTheOthersAreAdded)
{
    storeRaw(2, {{"2", "/old.txt"}, {"0", "/new.txt"}});
    Registry registry;
    registry.openKey(kHistoryKey, true);
    registry.writeInteger("1", 5);
    registry.closeKey();
    TMRUManager list;
    EXPECT_EQ(errorText([&] { restoreHistory(list); }), "Invalid data type for '1'");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(0), QStringLiteral("/new.txt"));
    EXPECT_EQ(list.at(1), QStringLiteral("/old.txt"));
}

TEST_F(ReadingHistory, AForeignHiveIsReadNoFurtherThanTheListHolds)
{
    std::vector<std::pair<std::string, std::string>> values{{"1200", "/beyond.txt"}};
    for (int i = 0; i < 12; ++i)
        values.emplace_back(std::to_string(i), "/" + std::to_string(i) + ".txt");
    storeRaw(1500, values);
    Registry registry;
    registry.openKey(kHistoryKey, true);
    registry.writeInteger("10", 5);   // past what the list holds: never read, never reported
    registry.closeKey();
    TMRUManager list;
    restoreHistory(list);
    ASSERT_EQ(list.count(), 10);
    EXPECT_EQ(list.at(0), QStringLiteral("/0.txt"));
    EXPECT_EQ(list.at(9), QStringLiteral("/9.txt"));
}

TEST_F(ReadingHistory, AKeyThatCannotBeCreatedIsReportedAndTheListKeepsTheBook)
{
    // A settings file whose folder is a plain file: nothing can be created there, not even by root.
    writeFile(m_scratch / "not-a-folder", "");
    ::setenv("LIRRA_REGISTRY", (m_scratch / "not-a-folder/registry.reg").c_str(), 1);
    TMRUManager list;
    EXPECT_EQ(errorText([&] { recordBook(list, QStringLiteral("/a.txt")); }),
              "Failed to create key Software\\Lirra Reader\\History");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.at(0), QStringLiteral("/a.txt"));
}
