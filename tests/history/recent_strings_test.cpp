#include "history/recent_strings.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace lirra;

TEST(RecentStrings, ShrinkingTheCapacityTrimsAtOnceButKeepsOneEntry)
{
    TRecentStrings list;
    for (const char* name : {"a", "b", "c"})
        list.add(QString::fromLatin1(name), 0);
    list.setCapacity(0);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.at(0), QStringLiteral("c"));
}
