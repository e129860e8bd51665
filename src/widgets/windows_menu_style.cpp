#include "widgets/windows_menu_style.h"

#include <QStyleOptionMenuItem>
#include <array>
#include <utility>

namespace lirra {

namespace {

// Key names that Windows spells differently from the toolkit.
constexpr std::array<std::pair<const char*, const char*>, 2> kWindowsKeyNames{{
    {"Return", "Enter"},
    {"PgDown", "PgDn"},
}};

} // namespace

QString windowsShortcutText(const QString& toolkitText)
{
    QStringList keys = toolkitText.split(QLatin1Char('+'));
    for (QString& key : keys)
        for (const auto& [toolkit, windows] : kWindowsKeyNames)
            if (key == QLatin1String(toolkit))
                key = QLatin1String(windows);
    return keys.join(QLatin1Char('+'));
}

QStyleOptionMenuItem asWindowsShows(const QStyleOptionMenuItem& item)
{
    QStyleOptionMenuItem shown = item;
    if (shown.checkType != QStyleOptionMenuItem::NotCheckable && !shown.checked)
        shown.checkType = QStyleOptionMenuItem::NotCheckable;
    const qsizetype tab = shown.text.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        shown.text = shown.text.left(tab + 1) + windowsShortcutText(shown.text.mid(tab + 1));
    return shown;
}

void WindowsMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const
{
    if (element == CE_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            const QStyleOptionMenuItem shown = asWindowsShows(*item);
            QProxyStyle::drawControl(element, &shown, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QSize WindowsMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                         const QWidget* widget) const
{
    if (type == CT_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            const QStyleOptionMenuItem shown = asWindowsShows(*item);
            return QProxyStyle::sizeFromContents(type, &shown, size, widget);
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

} // namespace lirra
