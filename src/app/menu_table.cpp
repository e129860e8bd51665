#include "app/menu_table.h"

#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace lirra {

namespace {

QMenu* menuNamed(QWidget* owner, const char* name)
{
    QMenu* menu = owner->findChild<QMenu*>(QLatin1String(name));
    Q_ASSERT_X(menu, "addMenuEntry", name);
    return menu;
}

} // namespace

QList<QKeySequence> shortcutKeys(const char* windowsShortcut)
{
    QString text = QLatin1String(windowsShortcut);
    if (text.isEmpty())
        return {};
    if (!text.endsWith(QLatin1String("Enter")))
        return {QKeySequence(text)};
    text.chop(int(qstrlen("Enter")));
    return {QKeySequence(text + QLatin1String("Return")), QKeySequence(text + QLatin1String("Enter"))};
}

QAction* addMenuEntry(QMenuBar* menuBar, QWidget* owner, const MenuEntry& entry)
{
    const QString name = QLatin1String(entry.name);
    const QString caption = QString::fromUtf8(entry.caption);
    QMenu* menu = nullptr;
    QAction* action = nullptr;
    switch (entry.kind) {
    case MenuRowKind::Menu:
        menu = menuBar->addMenu(caption);
        break;
    case MenuRowKind::Popup:
        menu = new QMenu(owner);
        break;
    case MenuRowKind::Submenu:
        menu = menuNamed(owner, entry.parent)->addMenu(caption);
        break;
    case MenuRowKind::Item:
        action = menuNamed(owner, entry.parent)->addAction(caption);
        action->setShortcuts(shortcutKeys(entry.shortcut));
        action->setCheckable(entry.flags & menu_flags::kCheckable);
        action->setChecked(entry.flags & menu_flags::kChecked);
        if (entry.flags & menu_flags::kShortcutShownOnly)
            action->setShortcutContext(Qt::WidgetShortcut);
        break;
    case MenuRowKind::Separator:
        action = menuNamed(owner, entry.parent)->addSeparator();
        break;
    }
    if (menu) {
        menu->setObjectName(name);
        action = menu->menuAction();
    }
    action->setObjectName(name);
    action->setEnabled(!(entry.flags & menu_flags::kDisabled));
    return action;
}

} // namespace lirra
