#include "bookview/core/book_file.h"

#include "bookview/core/line_index.h"
#include "platform/file_names.h"
#include "platform/lirra_error.h"
#include "platform/posix_io.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace lirra {

namespace {

constexpr std::size_t kChunkBytes = 1 << 16;
const char* const kSaveFailed = "Failed to Save Stream";

} // namespace

void throwLoadFailed()
{
    throw Error("Failed to Load Stream");
}

BookBytes readBookFile(const std::string& path)
{
    const platform::FileDescriptor file(platform::openRegularFile(platform::resolveFileName(path)));
    if (!file.valid())
        throw Error(formatText("Cannot open file %s", path));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || info.st_size > kMaxTextLength)
        throwLoadFailed();

    BookBytes data(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = platform::readSome(file.get(), data.data() + got, data.size() - got);
        if (n < 0)
            throwLoadFailed();
        if (n == 0)
            break;   // the file shrank since it was sized: take what is there
        got += static_cast<std::size_t>(n);
    }
    data.resize(got);
    return data;
}

BookFileWriter::BookFileWriter(const std::string& path)
    : m_file(::open(platform::resolveFileName(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666))
{
    if (!m_file.valid())
        throw Error(formatText("Cannot create file %s", path));
    m_buffer.reserve(kChunkBytes);
}

void BookFileWriter::put(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t room = kChunkBytes - m_buffer.size();
        const std::size_t take = std::min(room, bytes.size());
        m_buffer.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (m_buffer.size() == kChunkBytes)
            flush();
    }
}

void BookFileWriter::flush()
{
    if (!platform::writeAll(m_file.get(), m_buffer))
        throw Error(kSaveFailed);
    m_buffer.clear();
}

void BookFileWriter::finish()
{
    flush();
    if (!m_file.close())
        throw Error(kSaveFailed);
}

} // namespace lirra
