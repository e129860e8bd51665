#include "history/recent_strings.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

QStringList entries(const TRecentStrings& list)
{
    QStringList result;
    for (int i = 0; i < list.count(); ++i)
        result << list.at(i);
    return result;
}

} // namespace

TEST(RecentStrings, TrimsTheOldestEntriesToTheCapacity)
{
    TRecentStrings list;
    for (int i = 0; i <= 10; ++i)
        list.add("book" + QString::number(i), 0);
    ASSERT_EQ(list.count(), 10);
    EXPECT_EQ(list.at(0), "book10");
    EXPECT_EQ(list.at(9), "book1");
    list.setCapacity(0);
    EXPECT_EQ(entries(list), QStringList({"book10"}));

    list.setMode(TRecentMode::rmAppend);
    list.setCapacity(3);
    list.add("a", 0);
    list.add("b", 0);
    list.setCapacity(2);
    EXPECT_EQ(entries(list), QStringList({"a", "b"}));
}

TEST(RecentStrings, ACaseOnlyTwinMovesTheListedSpelling)
{
    TRecentStrings list;
    list.add("/books/Война и мир.txt", 1);
    list.add("/books/b.txt", 2);
    list.add("/books/c.txt", 3);

    list.add("/BOOKS/ВОЙНА И МИР.TXT", 7);
    EXPECT_EQ(entries(list), QStringList({"/books/Война и мир.txt", "/books/c.txt", "/books/b.txt"}));
    EXPECT_EQ(list.userData(0), 7);
    EXPECT_EQ(list.userData(1), 3);

    list.setMode(TRecentMode::rmAppend);
    list.add("/books/C.TXT", 9);
    EXPECT_EQ(entries(list), QStringList({"/books/Война и мир.txt", "/books/b.txt", "/books/c.txt"}));
    EXPECT_EQ(list.userData(2), 9);
}
