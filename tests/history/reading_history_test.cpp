#include "history/reading_history.h"

#include "history/mru_manager.h"
#include "error_text.h"
#include "platform/registry_hive.h"
#include "qt_printers.h"
#include "registry_fixture.h"

#include <optional>

using namespace lirra;
using lirra::platform::Registry;

namespace {

class ReadingHistory : public OwnHive {
protected:
    // The stored list; no value may follow the last one counted.
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
    // The History key written by hand: `count` if any, `values` in the order given, and
    // an integer named `mistyped` where a book should be.
    static void storeRaw(std::optional<std::int32_t> count, const std::vector<std::pair<std::string, std::string>>& values,
                         const char* mistyped = nullptr)
    {
        Registry registry;
        registry.openKey(kHistoryKey, true);
        if (count)
            registry.writeInteger("Count", *count);
        for (const auto& [name, value] : values)
            registry.writeString(name, value);
        if (mistyped)
            registry.writeInteger(mistyped, 5);
        registry.closeKey();
    }
    static QStringList texts(const TMRUManager& list)
    {
        QStringList items;
        for (int i = 0; i < list.count(); ++i)
            items << list.at(i);
        return items;
    }
    static QStringList restored()
    {
        TMRUManager list;
        restoreHistory(list);
        return texts(list);
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
    EXPECT_EQ(restored(), (QStringList{QStringLiteral("/books/a.txt "), QStringLiteral("/books/b.txt")}));
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

// No key, no Count or a negative one: an empty list; a foreign Count: no further than the list holds.
TEST_F(ReadingHistory, TheCountBoundsWhatIsRead)
{
    EXPECT_EQ(restored(), QStringList());
    storeRaw(std::nullopt, {{"0", "/a.txt"}});
    EXPECT_EQ(restored(), QStringList());
    storeRaw(-1, {});
    EXPECT_EQ(restored(), QStringList());

    std::vector<std::pair<std::string, std::string>> values{{"1200", "/beyond.txt"}};
    QStringList firstTen;
    for (int i = 0; i < 12; ++i) {
        values.emplace_back(std::to_string(i), "/" + std::to_string(i) + ".txt");
        if (i < 10)
            firstTen << QStringLiteral("/%1.txt").arg(i);
    }
    storeRaw(1500, values, "10");   // "10" is past what the list holds: never read, never reported
    EXPECT_EQ(restored(), firstTen);
}

TEST_F(ReadingHistory, AMistypedEntryIsLeftOutAndRaisedAfterTheOthersAreAdded)
{
    storeRaw(2, {{"2", "/old.txt"}, {"0", "/new.txt"}}, "1");
    TMRUManager list;
    EXPECT_EQ(errorText([&] { restoreHistory(list); }), "Invalid data type for '1'");
    EXPECT_EQ(texts(list), (QStringList{QStringLiteral("/new.txt"), QStringLiteral("/old.txt")}));
}

TEST_F(ReadingHistory, AKeyThatCannotBeCreatedIsReportedAndTheListKeepsTheBook)
{
    // A settings file whose folder is a plain file: nothing can be created there, not even by root.
    writeFile(m_scratch / "not-a-folder", "");
    ::setenv("LIRRA_REGISTRY", (m_scratch / "not-a-folder/registry.reg").c_str(), 1);
    TMRUManager list;
    EXPECT_EQ(errorText([&] { recordBook(list, QStringLiteral("/a.txt")); }),
              "Failed to create key Software\\Lirra Reader\\History");
    EXPECT_EQ(texts(list), QStringList{QStringLiteral("/a.txt")});
}
