#pragma once

// WindowsMenuStyle: menus drawn the way the reader's users know them from Windows. A
// check item shows its tick when ticked and nothing at all when not (no empty box), and
// shortcuts use the Windows key names ("Alt+Enter", not the toolkit's "Alt+Return").
// Everything else is the desktop's own style.

#include <QProxyStyle>
#include <QString>

class QStyleOptionMenuItem;

namespace lirra {

class WindowsMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};

// The menu item as it is drawn: an unticked check item as a plain item, and the
// shortcut (the text after the tab) in Windows key names.
QStyleOptionMenuItem asWindowsShows(const QStyleOptionMenuItem& item);
QString windowsShortcutText(const QString& toolkitText);

} // namespace lirra
