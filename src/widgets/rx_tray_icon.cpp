#include "widgets/rx_tray_icon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>

namespace lirra {

namespace {
constexpr qsizetype kMaxTipLength = 63;
constexpr int kDefaultInterval = 150;
} // namespace

QString shortHint(const QString& hint)
{
    return hint.section(QLatin1Char('|'), 0, 0).left(kMaxTipLength);
}

TRxTrayIcon::TRxTrayIcon(QObject* parent, std::unique_ptr<TrayShell> shell)
    : QObject(parent), m_shell(shell ? std::move(shell) : makeSystemTrayShell())
{
    m_animation.setInterval(kDefaultInterval);
    connect(&m_animation, &QTimer::timeout, this, [this] { nextFrame(); });
    connect(m_shell.get(), &TrayShell::mouseMessage, this, [this](TrayMouseMessage message) { handleMouse(message); });
    if (m_active)
        addIcon();
}

TRxTrayIcon::~TRxTrayIcon() { removeIcon(); }

void TRxTrayIcon::setActive(bool on)
{
    if (on == m_active)
        return;
    m_active = on;
    if (on)
        addIcon();
    else
        removeIcon();
}

void TRxTrayIcon::setHint(const QString& hint)
{
    m_hint = hint;
    updateIcon();
}

void TRxTrayIcon::setIcon(const QIcon& icon)
{
    m_icon = icon;
    updateIcon();
}

void TRxTrayIcon::setIcons(const QList<QIcon>& icons)
{
    m_icons = icons;
    m_frame = 0;
    updateIcon();
}

void TRxTrayIcon::setAnimated(bool on)
{
    m_animated = on;
    if (on && m_added)
        m_animation.start();
    else
        m_animation.stop();
    updateIcon();
}

QIcon TRxTrayIcon::currentImage() const
{
    if (m_animated && !m_icons.isEmpty())
        return m_icons[m_frame % m_icons.size()];
    return m_icon;
}

void TRxTrayIcon::addIcon()
{
    removeIcon();
    const QIcon image = currentImage();
    if (image.isNull())
        return;
    m_pressed = {};
    m_added = m_shell->addIcon(image, shortHint(m_hint));
    if (m_animated && m_added)
        m_animation.start();
}

void TRxTrayIcon::removeIcon()
{
    if (m_added)
        m_shell->deleteIcon();
    m_added = false;
    m_pressed = {};
    m_animation.stop();
}

void TRxTrayIcon::updateIcon()
{
    if (m_added) {
        if (currentImage().isNull())
            removeIcon();
        else
            m_shell->modifyIcon(currentImage(), shortHint(m_hint));
    } else if (m_active) {
        addIcon();
    }
}

void TRxTrayIcon::nextFrame()
{
    if (m_icons.isEmpty())
        return;
    m_frame = (m_frame + 1) % m_icons.size();
    updateIcon();
}

void TRxTrayIcon::handleMouse(TrayMouseMessage message)
{
    if (!m_enabled)
        return;
    using M = TrayMouseMessage;
    switch (message) {
    case M::Move: emit mouseMoved(QGuiApplication::queryKeyboardModifiers(), QCursor::pos()); break;
    case M::LeftDown: down(Qt::LeftButton, false); m_pressed |= Qt::LeftButton; break;
    case M::LeftUp: release(Qt::LeftButton); break;
    case M::LeftDouble: doubleClickAction(); down(Qt::LeftButton, true); break;
    case M::RightDown: down(Qt::RightButton, false); m_pressed |= Qt::RightButton; break;
    case M::RightUp: release(Qt::RightButton); break;
    case M::RightDouble: down(Qt::RightButton, true); break;
    case M::MiddleDown: down(Qt::MiddleButton, false); break;
    case M::MiddleUp: up(Qt::MiddleButton); break;
    case M::MiddleDouble: down(Qt::MiddleButton, true); break;
    }
}

void TRxTrayIcon::down(Qt::MouseButton button, bool doubleClick)
{
    emit mouseDown(button, QGuiApplication::queryKeyboardModifiers(), doubleClick, QCursor::pos());
}

void TRxTrayIcon::up(Qt::MouseButton button)
{
    emit mouseUp(button, QGuiApplication::queryKeyboardModifiers(), QCursor::pos());
}

// A release counts as a click only when the button went down on the icon.
void TRxTrayIcon::release(Qt::MouseButton button)
{
    if (m_pressed & button) {
        m_pressed &= ~Qt::MouseButtons(button);
        click(button);
    }
    up(button);
}

void TRxTrayIcon::click(Qt::MouseButton button)
{
    if (button == Qt::RightButton && showPopup())
        return;
    emit clicked(button, QGuiApplication::queryKeyboardModifiers(), QCursor::pos());
}

bool TRxTrayIcon::showPopup()
{
    if (!m_active || !m_popupMenu)
        return false;
    // A drag or capture elsewhere in the program would keep the menu from taking the mouse.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    m_popupMenu->popup(QCursor::pos());
    return true;
}

// The context menu's default item, when it has an enabled one, is what a double click does.
void TRxTrayIcon::doubleClickAction()
{
    QAction* item = m_popupMenu ? m_popupMenu->defaultAction() : nullptr;
    if (item && item->isEnabled())
        item->trigger();
    else
        emit doubleClicked();
}

} // namespace lirra
