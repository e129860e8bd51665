#pragma once

// Menus built from a table: one row per menu, item or separator, in display order.
// The main window keeps its rows next to its handlers; this file turns rows into menus.

#include "reader/error_handler.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <span>

class QMenuBar;
class QWidget;

namespace lirra {

enum class MenuRowKind {
    Menu,       // a menu of the menu bar
    Popup,      // a menu that pops up on its own (context menu, tray menu)
    Submenu,    // a menu inside `parent`
    Item,
    Separator,
};

namespace menu_flags {
inline constexpr unsigned kCheckable = 1;   // shows a tick that only the handler sets
inline constexpr unsigned kChecked = 2;
inline constexpr unsigned kDisabled = 4;
// The shortcut is shown, but only the main menu's twin of the item reacts to the key.
inline constexpr unsigned kShortcutShownOnly = 8;
} // namespace menu_flags

// A row without its handler.
struct MenuEntry {
    MenuRowKind kind;
    const char* parent;     // object name of the menu holding the row (Submenu, Item, Separator)
    const char* name;       // object name of the menu or action
    const char* caption;    // "&" marks the access key
    const char* shortcut;   // Windows key names: "F3", "Ctrl+P", "Alt+Enter"; "" for none
    unsigned flags = 0;
};

template <class Owner>
struct MenuRow {
    MenuEntry entry;
    void (Owner::*handler)() = nullptr;   // nullptr: the command is not built yet
};

// The key sequences of a shortcut written with Windows key names. "Enter" is both the
// main Enter key (the toolkit's "Return") and the keypad's.
QList<QKeySequence> shortcutKeys(const char* windowsShortcut);

// Adds one row under `menuBar` or the menus made so far (looked up by object name
// among `owner`'s children). Returns the row's action; menus return their menu action.
QAction* addMenuEntry(QMenuBar* menuBar, QWidget* owner, const MenuEntry& entry);

// Builds all rows. Each item's trigger runs its handler through runCommand(), so an
// error ends in the error box. A checkable item's tick does not flip by itself: the
// handler sets it, so a command that fails leaves the tick as it was, and an item whose
// command is not built yet does nothing at all.
template <class Owner>
void buildMenus(QMenuBar* menuBar, Owner* owner, std::span<const MenuRow<Owner>> rows)
{
    for (const MenuRow<Owner>& row : rows) {
        QAction* action = addMenuEntry(menuBar, owner, row.entry);
        if (row.entry.kind != MenuRowKind::Item)
            continue;
        QObject::connect(action, &QAction::triggered, owner, [owner, action, handler = row.handler](bool checked) {
            if (action->isCheckable())
                action->setChecked(!checked);
            if (handler)
                runCommand([&] { (owner->*handler)(); });
        });
    }
}

} // namespace lirra
