#pragma once

// SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in a terminal) as a Qt signal on
// the GUI thread, so the program can end as "Exit" ends it instead of dying with its
// temporary copy left behind. The handler only writes the signal's number to a pipe
// (async-signal-safe); a socket notifier reads it in the event loop.

#include <QObject>
#include <csignal>

class QSocketNotifier;

namespace lirra {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches the three signals from now on; one object at a time.
    explicit TerminationSignals(QObject* parent = nullptr);
    // Gives the signals back to their former handlers.
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
    struct sigaction m_former[3] = {};
};

} // namespace lirra
