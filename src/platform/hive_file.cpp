#include "platform/hive_file.h"

#include "platform/hive_format.h"
#include "platform/posix_io.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lirra::platform::hive {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void throwErrno(const std::string& what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

// Holds an exclusive flock on the lock file beside the hive for its lifetime.
class HiveLock {
public:
    explicit HiveLock(const std::string& hivePath)
        : m_file(::open((hivePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600))
    {
        if (!m_file.valid())
            throwErrno("cannot open the lock file of " + hivePath);
        while (::flock(m_file.get(), LOCK_EX) != 0) {
            if (errno != EINTR)
                throwErrno("cannot lock " + hivePath);
        }
    }

private:
    FileDescriptor m_file;
};

std::optional<std::string> readWholeFile(const std::string& path)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        if (errno == ENOENT)
            return std::nullopt;
        throwErrno("cannot open " + path);
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = readSome(file.get(), buffer, sizeof buffer);
        if (n < 0)
            throwErrno("cannot read " + path);
        if (n == 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

// mkdir -p, the new folders private to the user.
void createFolders(const fs::path& folder)
{
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec))
        return;
    createFolders(folder.parent_path());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throwErrno("cannot create the folder " + folder.string());
}

std::string folderOf(const std::string& path)
{
    const auto folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

} // namespace

HiveFile::HiveFile(std::string path, std::function<void(const std::string&)> onDamage)
    : m_path(std::move(path)), m_onDamage(std::move(onDamage))
{
}

Key HiveFile::load()
{
    const auto text = readWholeFile(m_path);
    if (!text)
        return {};
    std::string problem;
    try {
        return parseHive(*text);
    } catch (const SyntaxError& e) {
        problem = e.what();
    }
    // Setting the file aside must not race with a writer: redo it under the lock.
    std::optional<HiveLock> lock;
    try {
        lock.emplace(m_path);
    } catch (const std::system_error& failure) {
        m_onDamage(notMovedMessage(problem, failure.what()));
        return {};
    }
    try {
        return loadHoldingLock();
    } catch (const std::system_error&) {
        return {}; // the user has been told; reading goes on from an empty hive
    }
}

Key HiveFile::update(const std::function<bool(Key&)>& change)
{
    createFolders(fs::path(m_path).parent_path());
    HiveLock lock(m_path);
    removeStaleTemporaries();
    Key hive = loadHoldingLock();
    if (change(hive))
        replace(formatHive(hive));
    return hive;
}

Key HiveFile::loadHoldingLock()
{
    const auto text = readWholeFile(m_path);
    if (!text)
        return {};
    try {
        return parseHive(*text);
    } catch (const SyntaxError& problem) {
        const std::string aside = freeDamagedName();
        if (::rename(m_path.c_str(), aside.c_str()) != 0) {
            const int err = errno;
            m_onDamage(notMovedMessage(problem.what(), "cannot rename it to " + aside + ": " + std::strerror(err)));
            errno = err;
            throwErrno("cannot set aside " + m_path);
        }
        m_onDamage("The settings file " + m_path + " is damaged (" + problem.what() + "). It was kept as "
                  + aside + " and Lirra Reader goes on with its default settings.");
        return {};
    }
}

std::string HiveFile::notMovedMessage(const std::string& problem, const std::string& failure) const
{
    return "The settings file " + m_path + " is damaged (" + problem + ") and could not be kept aside as "
           + m_path + ".damaged (" + failure
           + "). Lirra Reader uses its default settings and saves none until that file is repaired or removed.";
}

std::string HiveFile::freeDamagedName() const
{
    std::string name = m_path + ".damaged";
    for (int n = 1; ::access(name.c_str(), F_OK) == 0; ++n)
        name = m_path + ".damaged." + std::to_string(n);
    return name;
}

void HiveFile::replace(const std::string& text)
{
    std::string temporary = m_path + ".tmp.XXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.valid())
        throwErrno("cannot create a temporary file beside " + m_path);
    try {
        if (::fchmod(file.get(), 0600) != 0)
            throwErrno("cannot protect " + temporary);
        if (!writeAll(file.get(), text))
            throwErrno("cannot write " + temporary);
        if (::fsync(file.get()) != 0)
            throwErrno("cannot flush " + temporary);
        if (!file.close())
            throwErrno("cannot close " + temporary);
        if (::rename(temporary.c_str(), m_path.c_str()) != 0)
            throwErrno("cannot replace " + m_path);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
}

// Temporary files exist only while a writer holds the lock; any found by the lock's
// holder were left by a writer that died before its rename.
void HiveFile::removeStaleTemporaries()
{
    const std::string prefix = fs::path(m_path).filename().string() + ".tmp.";
    std::error_code ec;
    for (fs::directory_iterator it(folderOf(m_path), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().starts_with(prefix))
            ::unlink(it->path().c_str());
    }
}

} // namespace lirra::platform::hive
