#include "widgets/windows_menu_style.h"

#include "qt_printers.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QStyleOptionMenuItem>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

// The picture of the menu's row `index`.
QImage row(QMenu& menu, int index)
{
    const QImage all = menu.grab().toImage();
    return all.copy(menu.actionGeometry(menu.actions().at(index)));
}

} // namespace

TEST(WindowsMenuStyle, ShortcutsUseWindowsKeyNamesAndAnUntickedCheckItemLooksLikeAPlainItemButATickedOneDoesNot)
{
    EXPECT_TRUE(windowsShortcutText(QStringLiteral("Ctrl+PgDown")) == "Ctrl+PgDn" &&
                windowsShortcutText(QStringLiteral("Ctrl+F12")) == "Ctrl+F12");
    QStyleOptionMenuItem item;
    item.text = QStringLiteral("&Full Screen\tAlt+Return");
    EXPECT_EQ(asWindowsShows(item).text, QStringLiteral("&Full Screen\tAlt+Enter"));
    WindowsMenuStyle style;
    QMenu menu;
    menu.setStyle(&style);
    // Rows between others, so that the menu's frame touches none of them.
    for (int i = 0; i < 5; ++i)
        menu.addAction(QStringLiteral("Word Wrap"))->setCheckable(i % 2 == 1);
    menu.actions().at(3)->setChecked(true);
    menu.adjustSize();
    EXPECT_TRUE(row(menu, 1) == row(menu, 2) && row(menu, 3) != row(menu, 2));
}
