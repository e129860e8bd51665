#pragma once

// Writing a file so that it is either wholly the new one or still the old one: the new
// content goes to a temporary file in the same folder, which is flushed to disk and then
// renamed over the target. A failed or interrupted write never leaves a half-written file
// where a good one was.

#include <string>

namespace lirra::platform {

class FileReplacement {
public:
    // Nothing is created yet. A symlink at `target` is followed: the file it names is
    // the one replaced, and the link stays.
    explicit FileReplacement(const std::string& target);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    // Removes the temporary file unless it was committed.
    ~FileReplacement();

    // Creates the empty temporary file (permissions: those of the target when it exists,
    // else a new file's). False with errno set when the folder refuses it or the target
    // is a file the user may not write.
    bool create() noexcept;
    // Where the new content is to be written between create() and commit().
    const std::string& temporaryPath() const { return m_temporary; }
    // Makes sure the written content is on the disk. False with errno set when the
    // disk refused it.
    bool flush() noexcept;
    // Renames the temporary file over the target. False with errno set when that
    // failed; the target is then untouched.
    bool commit() noexcept;

private:
    std::string m_target;
    std::string m_temporary;
    bool m_committed = false;
};

} // namespace lirra::platform
