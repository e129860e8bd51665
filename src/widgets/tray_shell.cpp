#include "widgets/tray_shell.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

namespace lirra {

namespace {

// On an X11 notification area the toolkit draws the icon in a small window of its own
// and reports a click when the button goes down. That window's own mouse events give
// the presses and releases apart, so they are taken from it when it exists; other
// notification areas report whole clicks, which are passed on as press and release.
class SystemTrayShell : public TrayShell {
public:
    SystemTrayShell()
    {
        connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (!m_iconWindow)
                passActivation(reason);
        });
    }

    bool available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }

    bool addIcon(const QIcon& icon, const QString& tip) override
    {
        if (!available())
            return false;
        modifyIcon(icon, tip);
        m_icon.show();
        watchIconWindow();
        return m_icon.isVisible();
    }

    void modifyIcon(const QIcon& icon, const QString& tip) override
    {
        m_icon.setIcon(icon);
        m_icon.setToolTip(tip);
    }

    void deleteIcon() override { m_icon.hide(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_iconWindow)
            return false;
        using M = TrayMouseMessage;
        switch (event->type()) {
        case QEvent::MouseMove:
            post(M::Move);
            return true;
        case QEvent::MouseButtonPress:
            return post(buttonOf(event), M::LeftDown, M::RightDown, M::MiddleDown);
        case QEvent::MouseButtonRelease:
            return post(buttonOf(event), M::LeftUp, M::RightUp, M::MiddleUp);
        case QEvent::MouseButtonDblClick:
            return post(buttonOf(event), M::LeftDouble, M::RightDouble, M::MiddleDouble);
        default:
            return false;
        }
    }

private:
    void watchIconWindow()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != m_iconWindow && window->inherits("QSystemTrayIconSys")) {
                m_iconWindow = window;
                window->setMouseTracking(true);
                window->installEventFilter(this);
            }
        }
    }

    void passActivation(QSystemTrayIcon::ActivationReason reason)
    {
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            post(TrayMouseMessage::LeftDown);
            post(TrayMouseMessage::LeftUp);
            break;
        case QSystemTrayIcon::Context:
            post(TrayMouseMessage::RightDown);
            post(TrayMouseMessage::RightUp);
            break;
        case QSystemTrayIcon::DoubleClick:
            post(TrayMouseMessage::LeftDouble);
            break;
        case QSystemTrayIcon::MiddleClick:
            post(TrayMouseMessage::MiddleDown);
            post(TrayMouseMessage::MiddleUp);
            break;
        case QSystemTrayIcon::Unknown:
            break;
        }
    }

    static Qt::MouseButton buttonOf(QEvent* event) { return static_cast<QMouseEvent*>(event)->button(); }

    // Queued: a message's handler may remove the icon, and with it the window whose
    // event is being delivered.
    void post(TrayMouseMessage message)
    {
        QMetaObject::invokeMethod(this, [this, message] { emit mouseMessage(message); }, Qt::QueuedConnection);
    }
    bool post(Qt::MouseButton button, TrayMouseMessage left, TrayMouseMessage right, TrayMouseMessage middle)
    {
        switch (button) {
        case Qt::LeftButton: post(left); return true;
        case Qt::RightButton: post(right); return true;
        case Qt::MiddleButton: post(middle); return true;
        default: return false;
        }
    }

    QSystemTrayIcon m_icon;
    QPointer<QWidget> m_iconWindow;
};

} // namespace

std::unique_ptr<TrayShell> makeSystemTrayShell() { return std::make_unique<SystemTrayShell>(); }

} // namespace lirra
