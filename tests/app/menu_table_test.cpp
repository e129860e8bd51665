// Menus built from rows: the tick of a check item is its command's to set.

#include "app/menu_table.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

class Owner : public QMainWindow {
public:
    void Toggle1Click()
    {
        ++runs;
        QAction* item = findChild<QAction*>(QStringLiteral("Toggle1"));
        item->setChecked(!item->isChecked());
    }
    void Plain1Click() { ++runs; }
    int runs = 0;
};

const MenuRow<Owner> kRows[] = {
    {{MenuRowKind::Menu, "", "Menu1", "&Menu", ""}},
    {{MenuRowKind::Item, "Menu1", "Toggle1", "Toggle", "F2", menu_flags::kCheckable}, &Owner::Toggle1Click},
    {{MenuRowKind::Item, "Menu1", "Later1", "Later", "", menu_flags::kCheckable | menu_flags::kChecked}},
    {{MenuRowKind::Separator, "Menu1", "N1", "", ""}},
    {{MenuRowKind::Submenu, "Menu1", "Sub1", "Sub", "", menu_flags::kDisabled}},
    {{MenuRowKind::Item, "Sub1", "Plain1", "Plain", "Alt+Enter"}, &Owner::Plain1Click},
};

} // namespace

TEST(MenuTable, RowsBecomeNamedMenusWhoseTicksChangeOnlyThroughTheirCommand)
{
    Owner owner;
    buildMenus<Owner>(owner.menuBar(), &owner, kRows);
    QAction* toggle = owner.findChild<QAction*>(QStringLiteral("Toggle1"));
    QAction* later = owner.findChild<QAction*>(QStringLiteral("Later1"));
    QAction* plain = owner.findChild<QAction*>(QStringLiteral("Plain1"));
    QMenu* sub = owner.findChild<QMenu*>(QStringLiteral("Sub1"));
    ASSERT_TRUE(toggle && later && plain && sub);
    EXPECT_FALSE(sub->menuAction()->isEnabled());
    EXPECT_EQ(owner.findChild<QMenu*>(QStringLiteral("Menu1"))->actions().size(), 4);

    toggle->trigger();
    EXPECT_TRUE(toggle->isChecked());   // flipped once, by the command
    EXPECT_EQ(owner.runs, 1);
    later->trigger();
    EXPECT_TRUE(later->isChecked());    // no command: the tick stays
    EXPECT_EQ(owner.runs, 1);
    plain->trigger();
    EXPECT_EQ(owner.runs, 2);
}
