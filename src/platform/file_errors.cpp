#include "platform/file_errors.h"

#include "platform/lirra_error.h"

#include <cerrno>

namespace lirra::platform {

std::string fileErrorText(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case ENAMETOOLONG:
    case EINVAL:
        return "Invalid filename";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    // Windows refuses a folder opened as a file, and a refused symlink, the same way.
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ELOOP:
        return "File access denied";
    case ENOSPC:
    case EDQUOT:
        return "Disk full";
    default:
        return formatText("I/O error %d", static_cast<long long>(err));
    }
}

void throwFileError(int err)
{
    throw Error(fileErrorText(err));
}

void throwReadBeyondEndOfFile()
{
    throw Error("Read beyond end of file");
}

} // namespace lirra::platform
