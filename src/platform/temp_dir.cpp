#include "platform/temp_dir.h"

#include "platform/lirra_error.h"

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

} // namespace

std::string tempDirectory()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        const std::string folder = withoutTrailingSlashes(runtime);
        if (unsafeBecause(folder).empty())
            return folder + "/";
    }
    const char* tmp = std::getenv("TMPDIR");
    const std::string base = withoutTrailingSlashes(tmp && *tmp ? tmp : "/tmp");
    const std::string folder = (base == "/" ? "" : base) + "/lirra-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throw Error("Cannot create the temporary folder " + folder + ": " + std::strerror(errno));
    if (const auto reason = unsafeBecause(folder); !reason.empty())
        throw Error("The temporary folder " + folder + " is not safe to use: " + reason);
    return folder + "/";
}

} // namespace lirra::platform
