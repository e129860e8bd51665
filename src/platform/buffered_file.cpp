#include "platform/buffered_file.h"

#include "platform/file_errors.h"
#include "platform/file_names.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lirra::platform {

namespace {
constexpr std::size_t kBufferSize = 1 << 18;

// close() that reports its error once the descriptor is gone either way.
void closeChecked(int& fd)
{
    const int closing = fd;
    fd = -1;
    if (closing >= 0 && ::close(closing) != 0 && errno != EINTR)
        throwFileError(errno);
}
} // namespace

FileReader::FileReader(const std::string& name)
    : fd_(::open(resolveFileName(name).c_str(), O_RDONLY | O_CLOEXEC)), buffer_(kBufferSize)
{
    if (fd_ < 0)
        throwFileError(errno);
}

FileReader::~FileReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::string_view FileReader::takeChunk()
{
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throwFileError(errno);
        return {buffer_.data(), static_cast<std::size_t>(n)};
    }
}

void FileReader::close()
{
    closeChecked(fd_);
}

FileWriter::FileWriter(const std::string& path)
    : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600))
{
    if (fd_ < 0)
        throwFileError(errno);
    buffer_.reserve(kBufferSize);
}

FileWriter::~FileWriter()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void FileWriter::write(std::string_view bytes)
{
    if (buffer_.size() + bytes.size() > kBufferSize)
        flush();
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void FileWriter::flush()
{
    for (std::size_t done = 0; done < buffer_.size();) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throwFileError(errno);
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void FileWriter::close()
{
    flush();
    closeChecked(fd_);
}

} // namespace lirra::platform
