#include "app/termination_signals.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace lirra {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// One pipe for the life of the process: a handler running on another thread while an
// object goes away must never write to a descriptor that was closed and reused.
struct SignalPipe {
    int readEnd = -1;
    int writeEnd = -1;
};

const SignalPipe& signalPipe()
{
    static const SignalPipe pipe = [] {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            throw std::runtime_error("cannot create the pipe for termination signals");
        return SignalPipe{ends[0], ends[1]};
    }();
    return pipe;
}

// Set before any handler is installed, read only by the handler.
int g_writeEnd = -1;

void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a request to end; the byte may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    const SignalPipe& pipe = signalPipe();
    g_writeEnd = pipe.writeEnd;
    m_notifier = new QSocketNotifier(pipe.readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &m_former[i]);
}

TerminationSignals::~TerminationSignals()
{
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &m_former[i], nullptr);
    // Signals that came too late for anyone to act on are dropped with this object.
    unsigned char byte;
    while (::read(signalPipe().readEnd, &byte, 1) == 1)
        continue;
}

void TerminationSignals::readPipe()
{
    unsigned char byte;
    while (::read(signalPipe().readEnd, &byte, 1) == 1)
        emit received(byte);
}

} // namespace lirra
