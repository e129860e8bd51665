#pragma once

// The notification area as the tray icon sees it: one icon to add, change and remove,
// and the mouse messages the user's actions on it produce.

#include <QIcon>
#include <QObject>
#include <memory>

namespace lirra {

enum class TrayMouseMessage {
    Move,
    LeftDown, LeftUp, LeftDouble,
    RightDown, RightUp, RightDouble,
    MiddleDown, MiddleUp, MiddleDouble,
};

class TrayShell : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether the desktop has a notification area at all.
    virtual bool available() const = 0;
    // Shows the icon with its tooltip; false when the shell refuses it.
    virtual bool addIcon(const QIcon& icon, const QString& tip) = 0;
    virtual void modifyIcon(const QIcon& icon, const QString& tip) = 0;
    virtual void deleteIcon() = 0;

signals:
    // Delivered through the event loop, never from inside the shell's own event handling.
    void mouseMessage(lirra::TrayMouseMessage message);
};

// The desktop's notification area through the toolkit's system-tray icon.
std::unique_ptr<TrayShell> makeSystemTrayShell();

} // namespace lirra
