#include "platform/user_folders.h"

#include <cerrno>
#include <cstdlib>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lirra::platform {

std::optional<std::string> homeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir)
        return user->pw_dir;
    return std::nullopt;
}

std::optional<std::string> xdgFolder(const char* variable, const char* underHome)
{
    if (const char* value = std::getenv(variable); value && *value == '/')
        return value;
    if (const auto home = homeFolder())
        return *home + "/" + underHome;
    return std::nullopt;
}

bool createFolders(const std::string& folder)
{
    struct stat info;
    if (folder.empty() || ::stat(folder.c_str(), &info) == 0)
        return true;
    const auto slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !createFolders(folder.substr(0, slash)))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace lirra::platform
