#include "platform/hive_file.h"

#include "platform/hive_format.h"
#include "platform/posix_io.h"
#include "platform/user_folders.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lirra::platform::hive {

namespace fs = std::filesystem;

namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;

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

// A descriptor to read the file; -1 when there is no such file. Never waits: a FIFO
// opened for reading without O_NONBLOCK would wait for a writer forever.
int openIfExists(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0 && errno != ENOENT)
        throwErrno("cannot open " + path);
    return fd;
}

struct stat statOf(int fd, const std::string& path)
{
    struct stat info;
    if (::fstat(fd, &info) != 0)
        throwErrno("cannot look at " + path);
    return info;
}

std::string kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe";
    return "a device"; // a socket cannot be opened at all
}

std::string tooLarge()
{
    return "it is larger than " + std::to_string(kMaxHiveBytes >> 20) + " MB";
}

// Why the file is not read as a hive; empty when it may be. Anything but a regular
// file may never end (a pipe, /dev/zero), and a settings file of this size is not
// one this program wrote: reading it whole would cost its size in memory at every start.
std::string refusalOf(const struct stat& info)
{
    if (!S_ISREG(info.st_mode))
        return "it is " + kindOf(info.st_mode) + ", not a regular file";
    if (info.st_size > kMaxHiveBytes)
        return tooLarge();
    return {};
}

// The whole file, or nullopt when it has grown past kMaxHiveBytes since it was looked at.
std::optional<std::string> readAll(int fd, const struct stat& info, const std::string& path)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = readSome(fd, buffer, sizeof buffer);
        if (n < 0)
            throwErrno("cannot read " + path);
        if (n == 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > static_cast<std::size_t>(kMaxHiveBytes))
            return std::nullopt;
    }
}

std::string folderOf(const std::string& path)
{
    const auto folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

std::string freeDamagedName(const std::string& path)
{
    std::string name = path + ".damaged";
    for (int n = 1; ::access(name.c_str(), F_OK) == 0; ++n)
        name = path + ".damaged." + std::to_string(n);
    return name;
}

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// What tells one stored file from another: a change always renames a new file in.
struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    explicit Identity(const struct stat& info)
        : device(info.st_dev), inode(info.st_ino), size(info.st_size), modified(info.st_mtim), changed(info.st_ctim)
    {
    }
    bool operator==(const Identity& other) const
    {
        return device == other.device && inode == other.inode && size == other.size
               && sameTime(modified, other.modified) && sameTime(changed, other.changed);
    }
};

// The hive last parsed from each path, for every HiveFile of the process.
class ParsedHives {
public:
    std::shared_ptr<const Key> find(const std::string& path, const Identity& identity)
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_byPath.find(path);
        return it != m_byPath.end() && it->second.first == identity ? it->second.second : nullptr;
    }
    void keep(const std::string& path, const Identity& identity, std::shared_ptr<const Key> hive)
    {
        std::lock_guard lock(m_mutex);
        m_byPath.insert_or_assign(path, std::pair(identity, std::move(hive)));
    }

private:
    std::mutex m_mutex;
    std::map<std::string, std::pair<Identity, std::shared_ptr<const Key>>> m_byPath;
};

ParsedHives& parsedHives()
{
    static ParsedHives hives;
    return hives;
}

} // namespace

HiveFile::HiveFile(std::string path, std::function<void(const std::string&)> onDamage)
    : m_path(std::move(path)), m_onDamage(std::move(onDamage))
{
}

std::shared_ptr<const Key> HiveFile::load()
{
    const FileDescriptor file(openIfExists(m_path));
    if (!file.valid())
        return std::make_shared<const Key>();
    const struct stat info = statOf(file.get(), m_path);
    const Identity identity(info);
    if (auto parsed = parsedHives().find(m_path, identity))
        return parsed;
    const auto text = readAccepted(file.get(), info, m_path);
    if (!text)
        return std::make_shared<const Key>();
    std::string problem;
    try {
        auto parsed = std::make_shared<const Key>(parseHive(*text));
        parsedHives().keep(m_path, identity, parsed);
        return parsed;
    } catch (const SyntaxError& e) {
        problem = e.what();
    }
    // Setting the file aside must not race with a writer: redo it under the lock.
    std::optional<HiveLock> lock;
    try {
        lock.emplace(m_path);
    } catch (const std::system_error& failure) {
        m_onDamage(notMovedMessage(problem, failure.what()));
        return std::make_shared<const Key>();
    }
    try {
        return std::make_shared<const Key>(loadHoldingLock(targetPath()));
    } catch (const std::system_error&) {
        return std::make_shared<const Key>(); // the user has been told; reading goes on from an empty hive
    }
}

std::shared_ptr<const Key> HiveFile::update(const std::function<bool(Key&)>& change)
{
    if (const std::string folder = fs::path(m_path).parent_path().string(); !createFolders(folder))
        throwErrno("cannot create the folder " + folder);
    HiveLock lock(m_path);
    const std::string target = targetPath();
    Key hive = loadHoldingLock(target);
    removeStaleTemporaries(target);
    if (change(hive))
        replace(target, formatHive(hive));
    return std::make_shared<const Key>(std::move(hive));
}

// The file the hive's path stands for: the path itself, or where its symbolic links
// lead (a file that may not exist yet).
std::string HiveFile::targetPath() const
{
    fs::path path = m_path;
    for (int links = 0;; ++links) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return path.string();
        if (links == kMaxLinks)
            throw std::system_error(ELOOP, std::generic_category(), "cannot follow the links of " + m_path);
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            throw std::system_error(ec, "cannot follow the link " + path.string());
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

Key HiveFile::loadHoldingLock(const std::string& target)
{
    const FileDescriptor file(openIfExists(target));
    if (!file.valid())
        return {};
    const struct stat info = statOf(file.get(), target);
    const auto text = readAccepted(file.get(), info, target);
    if (!text)
        throw std::system_error(EPERM, std::generic_category(), "will not replace " + target);
    try {
        return parseHive(*text);
    } catch (const SyntaxError& problem) {
        if (!mayChange(target, info)) {
            m_onDamage(notMovedMessage(problem.what(), "it is read-only"));
            throw std::system_error(EACCES, std::generic_category(), "cannot set aside " + target);
        }
        const std::string aside = freeDamagedName(target);
        if (::rename(target.c_str(), aside.c_str()) != 0) {
            const int err = errno;
            m_onDamage(notMovedMessage(problem.what(), "cannot rename it to " + aside + ": " + std::strerror(err)));
            errno = err;
            throwErrno("cannot set aside " + target);
        }
        m_onDamage("The settings file " + m_path + " is damaged (" + problem.what() + "). It was kept as "
                   + aside + " and Lirra Reader goes on with its default settings.");
        return {};
    }
}

std::optional<std::string> HiveFile::readAccepted(int fd, const struct stat& info, const std::string& path)
{
    std::string refusal = refusalOf(info);
    std::optional<std::string> text;
    if (refusal.empty() && !(text = readAll(fd, info, path)))
        refusal = tooLarge();
    if (!refusal.empty())
        m_onDamage("The settings file " + m_path + " is not read: " + refusal + ". Lirra Reader starts with its "
                   "default settings, leaves that file as it is and saves no settings until it is replaced by a "
                   "settings file or removed.");
    return text;
}

std::string HiveFile::notMovedMessage(const std::string& problem, const std::string& failure) const
{
    return "The settings file " + m_path + " is damaged (" + problem + ") and could not be kept aside ("
           + failure + "). Lirra Reader uses its default settings and saves none until that file is repaired or removed.";
}

void HiveFile::replace(const std::string& target, const std::string& text)
{
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !mayChange(target, old))
        throw std::system_error(EACCES, std::generic_category(), target + " is read-only");
    std::string temporary = target + ".tmp.XXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.valid())
        throwErrno("cannot create a temporary file beside " + target);
    try {
        // The new file is what the old one was to its owner: same mode, same owner.
        if (::fchmod(file.get(), exists ? old.st_mode & 0777 : 0600) != 0)
            throwErrno("cannot protect " + temporary);
        if (exists && ::geteuid() == 0 && ::fchown(file.get(), old.st_uid, old.st_gid) != 0)
            throwErrno("cannot give " + temporary + " its owner");
        if (!writeAll(file.get(), text))
            throwErrno("cannot write " + temporary);
        if (::fsync(file.get()) != 0)
            throwErrno("cannot flush " + temporary);
        if (!file.close())
            throwErrno("cannot close " + temporary);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            throwErrno("cannot replace " + target);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
}

// Temporary files exist only while a writer holds the lock; any found by the lock's
// holder were left by a writer that died before its rename.
void HiveFile::removeStaleTemporaries(const std::string& target)
{
    const std::string prefix = fs::path(target).filename().string() + ".tmp.";
    std::error_code ec;
    for (fs::directory_iterator it(folderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().starts_with(prefix))
            ::unlink(it->path().c_str());
    }
}

} // namespace lirra::platform::hive
