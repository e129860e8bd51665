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
    // The list `restoreHistory` makes, and the error it raised after making it.
    static std::pair<QStringList, std::string> restored()
    {
        TMRUManager list;
        const std::string error = errorText([&] { restoreHistory(list); });
        QStringList items;
        for (int i = 0; i < list.count(); ++i)
            items << list.at(i);
        return {items, error};
    }
};

} // namespace

// No key, no Count or a negative one: an empty list; a foreign Count: no further than the
// list holds; a mistyped entry is left out and raised after the others are added. Recording
// writes the whole list, newest first; an eleventh book drops the oldest; a key that cannot be
// created is reported and the list keeps the book.
TEST_F(ReadingHistory, TheCountBoundsWhatIsRestoredAndRecordingWritesTheWholeListNewestFirst)
{
    EXPECT_EQ(restored().first, QStringList());
    for (const std::optional<std::int32_t> count : {std::optional<std::int32_t>(), std::optional(-1)}) {
        storeRaw(count, {{"0", "/a.txt"}});
        EXPECT_EQ(restored().first, QStringList()) << count.value_or(0);
    }

    std::vector<std::pair<std::string, std::string>> values{{"1200", "/beyond.txt"}};
    QStringList firstTen;
    for (int i = 0; i < 12; ++i) {
        values.emplace_back(std::to_string(i), "/" + std::to_string(i) + ".txt");
        if (i < 10)
            firstTen << QStringLiteral("/%1.txt").arg(i);
    }
    storeRaw(1500, values, "10");   // "10" is past what the list holds: never read, never reported
    EXPECT_EQ(restored(), std::pair(firstTen, std::string("(no error)")));

    Registry().deleteKey(kHistoryKey);
    storeRaw(2, {{"2", "/old.txt"}, {"0", "/new.txt"}}, "1");
    EXPECT_EQ(restored(), std::pair(QStringList{QStringLiteral("/new.txt"), QStringLiteral("/old.txt")},
                                    std::string("Invalid data type for '1'")));

    Registry().deleteKey(kHistoryKey);
    TMRUManager list;
    recordBook(list, QStringLiteral("/books/a.txt "));
    EXPECT_EQ(stored(), std::vector<std::string>{"/books/a.txt "});
    recordBook(list, QStringLiteral("/books/b.txt"));
    recordBook(list, QStringLiteral("/BOOKS/A.TXT "));  // same book, other case: moves, keeps old spelling
    EXPECT_EQ(stored(), (std::vector<std::string>{"/books/a.txt ", "/books/b.txt"}));
    EXPECT_EQ(restored().first, (QStringList{QStringLiteral("/books/a.txt "), QStringLiteral("/books/b.txt")}));

    for (int i = 0; i < 11; ++i)
        recordBook(list, QStringLiteral("/books/%1.txt").arg(i));
    const auto entries = stored();   // also: no value "10"
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.front(), "/books/10.txt");
    EXPECT_EQ(entries.back(), "/books/1.txt");

    // A settings file whose folder is a plain file: nothing can be created there, not even by root.
    writeFile(m_scratch / "not-a-folder", "");
    ::setenv("LIRRA_REGISTRY", (m_scratch / "not-a-folder/registry.reg").c_str(), 1);
    EXPECT_EQ(errorText([&] { recordBook(list, QStringLiteral("/a.txt")); }),
              "Failed to create key Software\\Lirra Reader\\History");
    EXPECT_TRUE(list.count() == 10 && list.at(0) == QStringLiteral("/a.txt"));   // the list keeps the book
}
