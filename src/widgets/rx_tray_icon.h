#pragma once

// TRxTrayIcon: one icon in the desktop's notification area, with a tooltip, a context
// menu on the right button and the mouse actions on it reported as events. It does
// nothing to the program's windows by itself.

#include "widgets/tray_shell.h"

#include <QIcon>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace lirra {

// The tooltip the notification area shows for a hint: the text before the first "|",
// at most 63 characters.
QString shortHint(const QString& hint);

class TRxTrayIcon : public QObject {
    Q_OBJECT
public:
    // Without a shell, the desktop's notification area.
    explicit TRxTrayIcon(QObject* parent = nullptr, std::unique_ptr<TrayShell> shell = {});
    ~TRxTrayIcon() override;

    // The icon is present in the notification area while active (and it has an image).
    bool active() const { return m_active; }
    void setActive(bool on);
    // Whether the notification area took the icon.
    bool isAdded() const { return m_added; }
    // Whether the desktop has a notification area at all.
    bool trayAvailable() const { return m_shell->available(); }

    // Mouse messages from the icon are handled only while enabled.
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }

    QString hint() const { return m_hint; }
    void setHint(const QString& hint);
    QIcon icon() const { return m_icon; }
    void setIcon(const QIcon& icon);

    // Animation: while animated, the frames of `icons` follow each other every
    // `interval` milliseconds instead of `icon`.
    QList<QIcon> icons() const { return m_icons; }
    void setIcons(const QList<QIcon>& icons);
    bool animated() const { return m_animated; }
    void setAnimated(bool on);
    quint16 interval() const { return quint16(m_animation.interval()); }
    void setInterval(quint16 milliseconds) { m_animation.setInterval(milliseconds); }

    // Opened at the cursor by the right button.
    QMenu* popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu* menu) { m_popupMenu = menu; }

signals:
    // Positions are the cursor's, in screen coordinates, when the message arrived.
    void clicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick, QPoint position);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void mouseMoved(Qt::KeyboardModifiers modifiers, QPoint position);

private:
    QIcon currentImage() const;
    void addIcon();
    void removeIcon();
    void updateIcon();
    void nextFrame();
    void handleMouse(TrayMouseMessage message);
    void down(Qt::MouseButton button, bool doubleClick);
    void up(Qt::MouseButton button);
    void release(Qt::MouseButton button);
    void click(Qt::MouseButton button);
    bool showPopup();
    void doubleClickAction();

    std::unique_ptr<TrayShell> m_shell;
    bool m_active = true;
    bool m_added = false;
    bool m_enabled = true;
    QString m_hint;
    QIcon m_icon;
    QList<QIcon> m_icons;
    bool m_animated = false;
    qsizetype m_frame = 0;
    QTimer m_animation;
    QPointer<QMenu> m_popupMenu;
    Qt::MouseButtons m_pressed;   // pressed on the icon and not yet released
};

} // namespace lirra
