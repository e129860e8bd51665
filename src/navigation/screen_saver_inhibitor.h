#pragma once

// Asks the desktop not to blank the screen (the freedesktop ScreenSaver Inhibit and
// UnInhibit calls on the session bus) while the book scrolls by itself and the reader
// does not touch the keyboard. Without a session bus or such a service nothing happens
// and nothing is shown.

#include <QObject>
#include <QString>
#include <optional>

namespace lirra {

class ScreenSaverInhibitor : public QObject {
    Q_OBJECT
public:
    inline static const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
    inline static const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");

    ScreenSaverInhibitor();
    // Releases a hold still in force.
    ~ScreenSaverInhibitor() override;

    // Both may be called any number of times; the calls go out without waiting.
    void inhibit();
    void release();
    // A hold the desktop has granted and that has not been released.
    bool holding() const { return m_cookie.has_value(); }

private:
    void granted(std::uint32_t cookie);
    void sendUnInhibit(std::uint32_t cookie, bool wait);

    bool m_wanted = false;
    bool m_asking = false;   // an Inhibit call awaits its answer
    std::optional<std::uint32_t> m_cookie;
};

} // namespace lirra
