#pragma once

// The user's folders: home, the XDG base folders, and private folders made in them.

#include <optional>
#include <string>

namespace lirra::platform {

// $HOME, else the home folder the password database names; nullopt when neither is known.
std::optional<std::string> homeFolder();
// An XDG base folder: $`variable` when it holds an absolute path (a relative one is
// ignored, as the XDG rules say), else `underHome` in the home folder; nullopt
// without a home.
std::optional<std::string> xdgFolder(const char* variable, const char* underHome);
// mkdir -p: creates the folder and its missing parents, the new ones private to the
// user (0700). False with errno set when one cannot be created.
bool createFolders(const std::string& folder);

} // namespace lirra::platform
