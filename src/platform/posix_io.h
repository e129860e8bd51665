#pragma once

// The few POSIX file-descriptor chores every file reader and writer here shares. The
// callers turn a failure into their own error text.

#include <cstddef>
#include <string>
#include <string_view>

#include <sys/types.h>

struct stat;

namespace lirra::platform {

// Owns a file descriptor; the destructor closes it without reporting errors, close()
// reports them (a deferred write failure may only show there).
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor();

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // False with errno set when closing failed; the descriptor is gone either way.
    bool close() noexcept;

private:
    int m_fd;
};

// Opens the regular file `path` for reading. Anything else (a folder, FIFO, device or
// socket) is refused before it is opened, because opening a FIFO waits for a writer,
// opening a device may act on it, and reading either may never end: -1 with errno EACCES,
// as for a file the user may not read. Other failures: -1 with open()'s errno.
int openRegularFile(const std::string& path) noexcept;

// Whether the user lets the file `path` (whose status is `info`) be changed. Root may
// write any file, but a file without a single write permission was made read-only on
// purpose: root keeps to that too.
bool mayChange(const std::string& path, const struct stat& info) noexcept;

// Writes all of `data`, going on after interrupted and short writes. False with errno set
// when a write failed.
bool writeAll(int fd, std::string_view data) noexcept;

// Reads up to `count` bytes, going on after interrupted reads: the number read, 0 at the
// end of the file, -1 with errno set on failure.
ssize_t readSome(int fd, char* into, std::size_t count) noexcept;

} // namespace lirra::platform
