#include "platform/posix_io.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
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

int openRegularFile(const std::string& path) noexcept
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        errno = EACCES;
        return -1;
    }
    // Not blocking, in case the name was given to a FIFO since it was looked at.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EACCES;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool mayChange(const std::string& path, const struct stat& info) noexcept
{
    if (::geteuid() == 0)
        return (info.st_mode & 0222) != 0;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
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
