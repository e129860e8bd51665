#include "platform/posix_io.h"

#include <cerrno>

#include <unistd.h>

namespace lirra::platform {

FileDescriptor::~FileDescriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileDescriptor::close() noexcept
{
    const int closing = m_fd;
    m_fd = -1;
    // EINTR from close() leaves the descriptor closed on Linux: nothing was lost.
    return closing < 0 || ::close(closing) == 0 || errno == EINTR;
}

bool writeAll(int fd, std::string_view data) noexcept
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

ssize_t readSome(int fd, char* into, std::size_t count) noexcept
{
    for (;;) {
        const ssize_t n = ::read(fd, into, count);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

} // namespace lirra::platform
