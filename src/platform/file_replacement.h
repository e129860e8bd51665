#pragma once

// Writing a file so that it is either wholly the new one or still the old one: the new
// content goes to a temporary file in the same folder, which is flushed to disk and then
// renamed over the target. A failed or interrupted write never leaves a half-written file
// where a good one was. Only where the folder refuses new files but the file itself may
// be written is the file written in place: that is the one way to replace it at all.

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
    // else a new file's); when the folder refuses it, an existing regular target that
    // may be written is to be written in place, and keeps its bytes until then. False
    // with errno set when the file cannot be written either way or the target is a file
    // the user may not change (see mayChange).
    bool create() noexcept;
    // Where the new content is to be written between create() and commit().
    const std::string& writePath() const { return m_writePath; }
    // Makes sure the written content is on the disk. False with errno set when the
    // disk refused it.
    bool flush() noexcept;
    // Renames the temporary file over the target (nothing to do in place). False with
    // errno set when that failed; the target is then untouched.
    bool commit() noexcept;

private:
    bool writeInPlace() noexcept;

    std::string m_target;
    std::string m_writePath;
    bool m_inPlace = false;
    bool m_committed = false;
};

} // namespace lirra::platform
