#include "navigation/screen_saver_inhibitor.h"

#include "reader/message_boxes.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace lirra {

namespace {

const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
// How long the last release may hold up the program's end.
constexpr int kReleaseTimeoutMs = 500;

QDBusMessage screenSaverCall(const QString& method)
{
    return QDBusMessage::createMethodCall(ScreenSaverInhibitor::kService, ScreenSaverInhibitor::kPath, kInterface, method);
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor() = default;

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    if (m_cookie)
        sendUnInhibit(*m_cookie, true);
}

void ScreenSaverInhibitor::inhibit()
{
    m_wanted = true;
    if (m_cookie || m_asking)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = screenSaverCall(QStringLiteral("Inhibit"));
    call << kApplicationTitle << QStringLiteral("Scrolling a book");
    m_asking = true;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answer) {
        answer->deleteLater();
        m_asking = false;
        const QDBusPendingReply<std::uint32_t> reply = *answer;
        if (!reply.isError())
            granted(reply.value());
    });
}

void ScreenSaverInhibitor::granted(std::uint32_t cookie)
{
    if (m_wanted)
        m_cookie = cookie;
    else
        sendUnInhibit(cookie, false);   // released while the answer was on its way
}

void ScreenSaverInhibitor::release()
{
    m_wanted = false;
    if (!m_cookie)
        return;
    sendUnInhibit(*m_cookie, false);
    m_cookie.reset();
}

void ScreenSaverInhibitor::sendUnInhibit(std::uint32_t cookie, bool wait)
{
    QDBusMessage call = screenSaverCall(QStringLiteral("UnInhibit"));
    call << cookie;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (wait)
        bus.call(call, QDBus::Block, kReleaseTimeoutMs);
    else
        bus.asyncCall(call);
}

} // namespace lirra
