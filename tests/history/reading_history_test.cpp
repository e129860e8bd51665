#include "history/reading_history.h"

#include "history/mru_manager.h"
#include "error_text.h"
#include "platform/registry_hive.h"
#include "qt_printers.h"
#include "registry_fixture.h"

#include <QCoreApplication>
#include <QMenu>

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
        registry.closeKey();
        return entries;
    }
};

} // namespace

TEST_F(ReadingHistory, RecordingWritesTheWholeListNewestFirst)
{
    TMRUManager list;
    recordBook(list, QStringLiteral("/books/a.txt "));
    EXPECT_EQ(stored(), std::vector<std::string>{"/books/a.txt "});
    recordBook(list, QStringLiteral("/books/b.txt"));
    recordBook(list, QStringLiteral("/BOOKS/A.TXT "));  // same book, other case: moves, keeps old spelling
    EXPECT_EQ(stored(), (std::vector<std::string>{"/books/a.txt ", "/books/b.txt"}));
}

TEST_F(ReadingHistory, AnEleventhBookDropsTheOldestAndCountStaysNine)
{
    TMRUManager list;
    for (int i = 0; i < 11; ++i)
        recordBook(list, QStringLiteral("/books/%1.txt").arg(i));
    const auto entries = stored();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.front(), "/books/10.txt");
    EXPECT_EQ(entries.back(), "/books/1.txt");
    Registry registry;
    registry.openKey(kHistoryKey, false);
    EXPECT_FALSE(registry.valueExists("10"));
}

TEST_F(ReadingHistory, RestoreRebuildsTheSameOrder)
{
    {
        TMRUManager list;
        for (const char* name : {"/c.txt", "/b.txt", "/a.txt"})
            recordBook(list, QString::fromLatin1(name));
    }
    TMRUManager restored;
    restoreHistory(restored);
    ASSERT_EQ(restored.count(), 3);
    EXPECT_EQ(restored.at(0), QStringLiteral("/a.txt"));
    EXPECT_EQ(restored.at(2), QStringLiteral("/c.txt"));
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

    registry.openKey(kHistoryKey, true);
    registry.writeInteger("Count", -1);
    restoreHistory(list);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(ReadingHistory, MistypedEntryRaisesAndKeepsWhatWasAdded)
{
    Registry registry;
    registry.openKey(kHistoryKey, true);
    registry.writeInteger("Count", 2);
    registry.writeString("2", "/old.txt");
    registry.writeInteger("1", 5);
    registry.writeString("0", "/new.txt");
    registry.closeKey();
    TMRUManager list;
    EXPECT_EQ(errorText([&] { restoreHistory(list); }), "Invalid data type for '1'");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.at(0), QStringLiteral("/old.txt"));
}

TEST_F(ReadingHistory, AHugeCountFromAForeignHiveIsReadOnlyUpToTheProgramsLimit)
{
    Registry registry;
    registry.openKey(kHistoryKey, true);
    registry.writeInteger("Count", 1500);
    registry.writeString("1200", "/beyond.txt");
    registry.writeString("1", "/older.txt");
    registry.writeString("0", "/newest.txt");
    registry.closeKey();
    TMRUManager list;
    restoreHistory(list);
    // The missing values up to the limit read as empty names; the value past it is never read.
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(0), QStringLiteral("/newest.txt"));
    EXPECT_EQ(list.at(1), QStringLiteral("/older.txt"));
    EXPECT_EQ(list.at(2), QString());
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
