#include "bookview/book_file.h"

#include "bookview/line_index.h"
#include "platform/file_names.h"
#include "platform/lirra_error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lirra {

namespace {

constexpr std::size_t kChunkBytes = 1 << 16;
const char* const kLoadFailed = "Failed to Load Stream";
const char* const kSaveFailed = "Failed to Save Stream";

class FileCloser {
public:
    explicit FileCloser(int fd) : fd_(fd) {}
    ~FileCloser() { ::close(fd_); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    int fd_;
};

} // namespace

BookBytes readBookFile(const std::string& path)
{
    const int fd = ::open(platform::resolveFileName(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Error(formatText("Cannot open file %s", path));
    const FileCloser closer(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxTextLength)
        throw Error(kLoadFailed);

    BookBytes data(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw Error(kLoadFailed);
        if (n == 0)
            break;   // the file shrank since it was sized: take what is there
        got += static_cast<std::size_t>(n);
    }
    data.resize(got);
    return data;
}

BookFileWriter::BookFileWriter(const std::string& path)
    : fd_(::open(platform::resolveFileName(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666))
{
    if (fd_ < 0)
        throw Error(formatText("Cannot create file %s", path));
    buffer_.reserve(kChunkBytes);
}

BookFileWriter::~BookFileWriter()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void BookFileWriter::put(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t room = kChunkBytes - buffer_.size();
        const std::size_t take = std::min(room, bytes.size());
        buffer_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (buffer_.size() == kChunkBytes)
            flush();
    }
}

void BookFileWriter::flush()
{
    std::string_view pending = buffer_;
    while (!pending.empty()) {
        const ssize_t n = ::write(fd_, pending.data(), pending.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw Error(kSaveFailed);
        pending.remove_prefix(static_cast<std::size_t>(n));
    }
    buffer_.clear();
}

void BookFileWriter::finish()
{
    flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        throw Error(kSaveFailed);
}

} // namespace lirra
