#include "platform/temp_dir.h"

#include "platform/lirra_error.h"
#include "platform/user_folders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace lirra::platform {

namespace {

// Why the folder is unsafe for our files, or empty when it is safe.
std::string unsafeBecause(const std::string& folder)
{
    struct stat info;
    if (::lstat(folder.c_str(), &info) != 0)
        return std::strerror(errno);
    if (S_ISLNK(info.st_mode))
        return "it is a symbolic link";
    if (!S_ISDIR(info.st_mode))
        return "it is not a folder";
    if (info.st_uid != ::geteuid())
        return "it belongs to another user";
    if ((info.st_mode & 0777) != 0700)
        return "other users may open it";
    return {};
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::optional<std::string> cacheFolder()
{
    const auto cache = xdgFolder("XDG_CACHE_HOME", ".cache");
    return cache ? std::optional(withoutTrailingSlashes(*cache) + "/lirra-reader") : std::nullopt;
}

std::string fallbackFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    const std::string base = withoutTrailingSlashes(tmp && *tmp ? tmp : "/tmp");
    return (base == "/" ? "" : base) + "/lirra-" + std::to_string(::geteuid());
}

} // namespace

std::string tempDirectory()
{
    if (const auto cache = cacheFolder(); cache && createFolders(*cache) && unsafeBecause(*cache).empty())
        return *cache + "/";
    const std::string folder = fallbackFolder();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throw Error("Cannot create the temporary folder " + folder + ": " + std::strerror(errno));
    if (const auto reason = unsafeBecause(folder); !reason.empty())
        throw Error("The temporary folder " + folder + " is not safe to use: " + reason);
    return folder + "/";
}

std::optional<std::string> existingTempDirectory()
{
    if (const auto cache = cacheFolder(); cache && unsafeBecause(*cache).empty())
        return *cache + "/";
    if (const std::string folder = fallbackFolder(); unsafeBecause(folder).empty())
        return folder + "/";
    return std::nullopt;
}

} // namespace lirra::platform
