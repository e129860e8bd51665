#include "platform/file_names.h"

#include <sys/stat.h>
#include <unistd.h>

namespace lirra::platform {

std::string resolveFileName(const std::string& name)
{
    std::string candidate = name;
    struct stat info;
    while (::stat(candidate.c_str(), &info) != 0 && !candidate.empty() && candidate.back() == ' ')
        candidate.pop_back();
    return candidate;
}

std::int64_t fileSize(const std::string& name)
{
    struct stat info;
    if (::stat(resolveFileName(name).c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return -1;
    return info.st_size;
}

bool deleteFile(const std::string& path) noexcept
{
    return ::unlink(path.c_str()) == 0;
}

} // namespace lirra::platform
