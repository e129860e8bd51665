// The BookMarks key and its entries: how an entry is written and split, and what each
// change leaves in the key.

#include "navigation/bookmark_store.h"

#include "platform/registry_hive.h"
#include "error_text.h"
#include "registry_fixture.h"

using namespace lirra;
using lirra::platform::Registry;

namespace {

using BookmarkStore = OwnHive;

TEST(BookmarkEntry, IsWrittenWithAnEightCharacterDateAndGivesTheFileNameBackWhole)
{
    EXPECT_EQ(bookmarkEntry(QDate(1999, 12, 5), QStringLiteral("/books/tale.txt"), QStringLiteral("128")),
              QStringLiteral("[05.12.99] /books/tale.txt <128>"));
    const QString names[] = {
        QStringLiteral("/home/anna/my books/Война и мир.txt"),
        QStringLiteral("/books/tale.txt "),               // opened from the command line
        QStringLiteral("/books/a <b> c/tale <1>.txt"),    // " <" inside the path
        QStringLiteral("/books/[05.12.99] x] y.txt"),
    };
    for (const QString& name : names) {
        const auto place = splitBookmark(bookmarkEntry(QDate(2024, 2, 29), name, QStringLiteral("7")));
        ASSERT_TRUE(place) << name.toStdString();
        EXPECT_EQ(place->book, name);
        EXPECT_EQ(place->lineNumber, QStringLiteral("7"));
    }
}

TEST(BookmarkEntry, HandWrittenEntriesReadAsFarAsTheyCan)
{
    // A longer date, as another system's short date form would write it.
    auto place = splitBookmark(QStringLiteral("[2024-02-29] /b.txt <5>"));
    ASSERT_TRUE(place);
    EXPECT_EQ(place->book, QStringLiteral("/b.txt"));
    // The last character is dropped whatever it is; the number is read later.
    place = splitBookmark(QStringLiteral("[05.12.99] /b.txt <twelve)"));
    ASSERT_TRUE(place);
    EXPECT_EQ(place->lineNumber, QStringLiteral("twelve"));
    // Entries that name no book.
    for (const char* broken : {"", "no brackets <5>", "[05.12.99] /b.txt", "[05.12.99]  <5>", "[a <b] c"})
        EXPECT_FALSE(splitBookmark(QString::fromUtf8(broken))) << broken;
}

TEST_F(BookmarkStore, AKeyWithoutCountReadsAsNoListAndNoLastEntry)
{
    Registry registry;
    registry.openKey(kBookMarksKey, true);   // a key without "Count"
    EXPECT_FALSE(loadBookmarks().found);
    EXPECT_FALSE(lastBookmark());
    EXPECT_TRUE(clearBookmarks());
}

// The rule itself is the stored list's (registry_list_test); here, what the store makes of it.
TEST_F(BookmarkStore, AHandEditedKeyLoadsWhatItHoldsAndNamesTheDamage)
{
    Registry registry;
    registry.openKey(kBookMarksKey, true);
    registry.writeString("0", "e0");
    registry.writeString("2", "e2");
    registry.writeInteger("Count", 2147483647);
    EXPECT_EQ(loadBookmarks().names, (QStringList{"e0", "e2"}));   // no empty row for the gap
    EXPECT_EQ(lastBookmark(), QStringLiteral("e2"));

    registry.writeString("Count", "two");
    const StoredNames stored = loadBookmarks();
    EXPECT_EQ(stored.names, (QStringList{"e0", "e2"}));
    EXPECT_EQ(stored.error, "Invalid data type for 'Count'");
    EXPECT_EQ(errorText([] { lastBookmark(); }), "Invalid data type for 'Count'");
}

} // namespace
