#include "platform/buffered_file.h"

#include "platform/file_errors.h"
#include "platform/file_names.h"

#include <cerrno>

#include <fcntl.h>

namespace lirra::platform {

namespace {
constexpr std::size_t kBufferSize = 1 << 18;

int openOrThrow(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0600);
    if (fd < 0)
        throwFileError(errno);
    return fd;
}

void closeOrThrow(FileDescriptor& file)
{
    if (!file.close())
        throwFileError(errno);
}
} // namespace

FileReader::FileReader(const std::string& name)
    : file_(openOrThrow(resolveFileName(name), O_RDONLY)), buffer_(kBufferSize)
{
}

std::string_view FileReader::takeChunk()
{
    const ssize_t n = readSome(file_.get(), buffer_.data(), buffer_.size());
    if (n < 0)
        throwFileError(errno);
    return {buffer_.data(), static_cast<std::size_t>(n)};
}

void FileReader::close()
{
    closeOrThrow(file_);
}

FileWriter::FileWriter(const std::string& path)
    : file_(openOrThrow(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW))
{
    buffer_.reserve(kBufferSize);
}

void FileWriter::write(std::string_view bytes)
{
    if (buffer_.size() + bytes.size() > kBufferSize)
        flush();
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void FileWriter::flush()
{
    if (!writeAll(file_.get(), std::string_view(buffer_.data(), buffer_.size())))
        throwFileError(errno);
    buffer_.clear();
}

void FileWriter::close()
{
    flush();
    closeOrThrow(file_);
}

} // namespace lirra::platform
