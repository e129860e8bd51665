#include "platform/shell_launch.h"

#include <cerrno>
#include <csignal>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace lirra::platform {

namespace {

// Signal handling starts afresh in the child: nothing blocked, and the signals the
// reader catches for itself back at their defaults.
bool prepareChildSignals(posix_spawnattr_t& attributes)
{
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGCHLD})
        sigaddset(&defaults, signal);
    return posix_spawnattr_setsigmask(&attributes, &none) == 0
           && posix_spawnattr_setsigdefault(&attributes, &defaults) == 0
           && posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID)
                  == 0;
}

// The child is collected whenever it ends, so that no finished launch lingers as a
// zombie; the reader itself never waits for it.
void reapWhenDone(pid_t child) noexcept
{
    try {
        std::thread([child] {
            while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (...) {
        // No thread to spare: the child stays a zombie until the reader ends.
    }
}

} // namespace

void launchAddress(const std::string& address) noexcept
{
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0)
        return;
    char program[] = "xdg-open";
    std::string argument = address;   // the argument vector wants writable strings
    char* arguments[] = {program, argument.data(), nullptr};
    pid_t child = 0;
    const bool started = prepareChildSignals(attributes)
                         && posix_spawnp(&child, program, nullptr, &attributes, arguments, environ) == 0;
    posix_spawnattr_destroy(&attributes);
    if (started)
        reapWhenDone(child);
}

} // namespace lirra::platform
