#include "history/mru_manager.h"

#include <gtest/gtest.h>

using namespace lirra;

namespace {

// A "History" menu that starts disabled, as the main window designs it.
class MRUManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu.menuAction()->setEnabled(false);
        mru.setRecentMenu(&menu);
        QObject::connect(&mru, &TMRUManager::clicked, [this](const QString& name) { clicks << name; });
    }
    // The menu's items as captions, separators as "-", after entries `stem` + first...last.
    QStringList itemsAfter(const QString& stem = {}, int first = 1, int last = 0)
    {
        for (int i = first; i <= last; ++i)
            mru.add(stem + QString::number(i), 0);
        QStringList result;
        for (const QAction* item : menu.actions())
            result << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return result;
    }

    QMenu menu{QStringLiteral("History")};
    TMRUManager mru;
    QStringList clicks;   // the entries chosen
};

} // namespace

// Numbers run 1-9 and then letters; in append mode the first entry goes when the list is full.
TEST_F(MRUManagerTest, NumbersTheItemsShowsTheTextBeforeTheBarReportsTheChosenEntryAndSetsOwnItemsApart)
{
    QStringList captions = itemsAfter("book", 0, 9);
    ASSERT_EQ(captions.size(), 10);
    EXPECT_EQ(captions[0] + captions[8] + captions[9], "&1\tbook9&9\tbook1&A\tbook0");
    mru.setCapacity(0);   // trims at once, but keeps the newest entry
    EXPECT_EQ(itemsAfter(), QStringList({"&1\tbook9"}));

    mru.clear();
    mru.setMode(TRecentMode::rmAppend);
    mru.setCapacity(30);
    captions = itemsAfter("url", 1, 31);
    ASSERT_EQ(captions.size(), 30);
    EXPECT_EQ(captions.front() + captions.back(), "&1\turl2&U\turl31");

    mru.clear();
    mru.setAccelDelimiter(TAccelDelimiter::adSpace);
    mru.add("Library|https://example.org/lib", 0);
    EXPECT_EQ(itemsAfter(), QStringList({"&1 Library"}));
    EXPECT_EQ(menu.actions()[0]->statusTip(), "https://example.org/lib");

    // Choosing an item reports its entry; it is removed only when asked, and then even when
    // the handler adds one on top.
    mru.clear();
    mru.setMode(TRecentMode::rmInsert);
    mru.add("a", 0);
    mru.add("b", 0);
    menu.actions()[0]->trigger();
    EXPECT_EQ(itemsAfter(), QStringList({"&1 b", "&2 a"}));   // no reordering, no removal
    mru.setRemoveOnSelect(true);
    QObject::connect(&mru, &TMRUManager::clicked, [this] { mru.add("new", 0); });
    menu.actions()[1]->trigger();
    EXPECT_EQ(clicks, QStringList({"b", "a"}));
    EXPECT_EQ(itemsAfter(), QStringList({"&1 new", "&2 b"}));

    // Own items keep the menu enabled and are set apart.
    mru.clear();
    menu.addAction(QStringLiteral("Own item"));
    mru.setSeparateSize(2);
    EXPECT_EQ(itemsAfter("b", 1, 5),
              QStringList({"Own item", "-", "&1 b5", "&2 b4", "-", "&3 b3", "&4 b2", "-", "&5 b1"}));
    mru.clear();
    EXPECT_EQ(itemsAfter(), QStringList({"Own item"}));
    EXPECT_TRUE(menu.menuAction()->isEnabled());
}
