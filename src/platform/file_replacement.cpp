#include "platform/file_replacement.h"

#include "platform/posix_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lirra::platform {

namespace {

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a symlink finally names; the path itself when it is none (or dangles).
std::string followLinks(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

bool syncPath(const std::string& path, int flags) noexcept
{
    FileDescriptor file(::open(path.c_str(), flags | O_CLOEXEC));
    return file.valid() && ::fsync(file.get()) == 0 && file.close();
}

} // namespace

FileReplacement::FileReplacement(const std::string& target) : m_target(followLinks(target)) {}

FileReplacement::~FileReplacement()
{
    if (!m_writePath.empty() && !m_inPlace && !m_committed)
        ::unlink(m_writePath.c_str());
}

bool FileReplacement::create() noexcept
{
    const auto slash = m_target.rfind('/');
    const std::string stem = folderOf(m_target) + "/." + m_target.substr(slash == std::string::npos ? 0 : slash + 1);
    struct stat existing;
    const bool replacing = ::stat(m_target.c_str(), &existing) == 0;
    // A file the user may not change stays as it is, although its folder would let a
    // rename replace it.
    if (replacing && !mayChange(m_target, existing)) {
        errno = EACCES;
        return false;
    }
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = stem + ".lirra-" + std::to_string(entropy());
        // 0666 as any new file, narrowed by the umask; O_EXCL never reuses or follows
        // anything already there.
        FileDescriptor file(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!file.valid()) {
            if (errno == EEXIST)
                continue;
            const bool folderRefuses = errno == EACCES || errno == EPERM;
            return replacing && folderRefuses && S_ISREG(existing.st_mode) && writeInPlace();
        }
        m_writePath = std::move(candidate);
        if ((replacing && ::fchmod(file.get(), existing.st_mode & 07777) != 0) || !file.close()) {
            const int err = errno;
            ::unlink(m_writePath.c_str());
            m_writePath.clear();
            errno = err;
            return false;
        }
        return true;
    }
    errno = EEXIST;
    return false;
}

// Opened only to learn that it can be: the bytes stay until the writer opens it.
bool FileReplacement::writeInPlace() noexcept
{
    FileDescriptor file(::open(m_target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid() || !file.close())
        return false;
    m_writePath = m_target;
    m_inPlace = true;
    return true;
}

bool FileReplacement::flush() noexcept
{
    return syncPath(m_writePath, O_RDONLY);
}

bool FileReplacement::commit() noexcept
{
    if (m_inPlace)
        return m_committed = true;
    if (::rename(m_writePath.c_str(), m_target.c_str()) != 0)
        return false;
    m_committed = true;
    // The rename itself reaches the disk with the folder; the new file is in place either way.
    syncPath(folderOf(m_target), O_RDONLY | O_DIRECTORY);
    return true;
}

} // namespace lirra::platform
