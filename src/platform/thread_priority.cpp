#include "platform/thread_priority.h"

#include <algorithm>

#include <sys/resource.h>

namespace lirra::platform {

namespace {
// The window's thread gets some nine tenths of a core both want.
constexpr int kBackgroundNice = 10;
} // namespace

void runThisThreadInBackground()
{
    // On Linux a thread has a nice value of its own: 0 names the calling thread. A program
    // started lower still stays as low. Only advice: a failure leaves the thread as it was.
    ::setpriority(PRIO_PROCESS, 0, std::max(::getpriority(PRIO_PROCESS, 0), kBackgroundNice));
}

} // namespace lirra::platform
