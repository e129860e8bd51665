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

// An entry is written with an eight-character date and gives the file name back whole;
// hand-written entries read as far as they can.
TEST_F(BookmarkStore, AnEntryIsSplitBackIntoBookAndLineAndAHandEditedKeyLoadsWhatItHolds)
{
    EXPECT_EQ(bookmarkEntry(QDate(1999, 12, 5), QStringLiteral("/books/tale.txt"), QStringLiteral("128")),
              QStringLiteral("[05.12.99] /books/tale.txt <128>"));
    const auto split = [](const QString& entry) {
        const auto place = splitBookmark(entry);
        return place ? place->book + u'|' + place->lineNumber : QStringLiteral("(no book)");
    };
    // Blanks at the end (opened from the command line) and " <" inside the path.
    for (const char* name : {"/home/anna/my books/Война и мир.txt", "/books/tale.txt ", "/books/a <b> c/tale <1>.txt",
                             "/books/[05.12.99] x] y.txt"}) {
        const QString book = QString::fromUtf8(name);
        EXPECT_EQ(split(bookmarkEntry(QDate(2024, 2, 29), book, QStringLiteral("7"))), book + QStringLiteral("|7"));
    }
    // A longer date, as another system's short date form would write it; the last
    // character is dropped whatever it is, the number is read later; entries that name no book.
    for (const auto& [entry, parts] : {std::pair{"[2024-02-29] /b.txt <5>", "/b.txt|5"},
                                       {"[05.12.99] /b.txt <twelve)", "/b.txt|twelve"}, {"", "(no book)"},
                                       {"no brackets <5>", "(no book)"}, {"[05.12.99] /b.txt", "(no book)"},
                                       {"[05.12.99]  <5>", "(no book)"}, {"[a <b] c", "(no book)"}})
        EXPECT_EQ(split(QString::fromUtf8(entry)), QString::fromUtf8(parts)) << entry;

    // A key without "Count" reads as no list and no last entry. Of a hand-edited key the store
    // loads what it holds and names the damage (the rule itself is the stored list's, checked
    // in registry_hive_test).
    Registry registry;
    registry.openKey(kBookMarksKey, true);
    EXPECT_FALSE(loadBookmarks().found);
    EXPECT_FALSE(lastBookmark());
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
    EXPECT_TRUE(clearBookmarks());
    EXPECT_FALSE(clearBookmarks());
}

} // namespace
