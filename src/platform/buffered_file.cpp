#include "platform/buffered_file.h"

#include "platform/file_errors.h"
#include "platform/file_names.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>

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

int openRegularOrThrow(const std::string& path)
{
    const int fd = openRegularFile(path);
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
    : m_file(openRegularOrThrow(resolveFileName(name))), m_buffer(kBufferSize)
{
    struct stat info {};
    if (::fstat(m_file.get(), &info) != 0)
        throwFileError(errno);
    m_size = info.st_size;
}

std::string_view FileReader::takeChunk()
{
    const ssize_t n = readSome(m_file.get(), m_buffer.data(), m_buffer.size());
    if (n < 0)
        throwFileError(errno);
    return {m_buffer.data(), static_cast<std::size_t>(n)};
}

void FileReader::close()
{
    closeOrThrow(m_file);
}

FileWriter::FileWriter(const std::string& path)
    : m_file(openOrThrow(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW))
{
    m_buffer.reserve(kBufferSize);
}

void FileWriter::write(std::string_view bytes)
{
    if (m_buffer.size() + bytes.size() > kBufferSize)
        flush();
    if (bytes.size() >= kBufferSize) {
        if (!writeAll(m_file.get(), bytes))
            throwFileError(errno);
        return;
    }
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

void FileWriter::flush()
{
    if (!writeAll(m_file.get(), std::string_view(m_buffer.data(), m_buffer.size())))
        throwFileError(errno);
    m_buffer.clear();
}

void FileWriter::close()
{
    flush();
    closeOrThrow(m_file);
}

} // namespace lirra::platform
