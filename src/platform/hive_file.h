#pragma once

// The hive file on disk. Readers see either the old or the new file, never half of
// one: every change is read-modify-write under an exclusive flock on "<hive>.lock",
// written to a temporary file in the same folder, flushed and renamed over the hive.
// A hive that is a symbolic link is written through to the file it leads to, with
// that file's mode (and, for root, its owner) kept. A file that cannot be parsed is
// never overwritten: it is renamed to "<hive>.damaged" (".damaged.1", ... when that
// exists) and work goes on from an empty hive. A read-only file is never replaced.

#include "platform/hive_tree.h"

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <sys/types.h>

namespace lirra::platform::hive {

class HiveFile {
public:
    // `onDamage` receives a message for the user each time a damaged file is found.
    HiveFile(std::string path, std::function<void(const std::string&)> onDamage);

    // The hive as stored now; empty when there is no file. A file unchanged since this
    // object last read it is not parsed again. Throws std::system_error when the file
    // exists but cannot be read.
    std::shared_ptr<const Key> load();
    // Applies `change` to the stored hive and stores the result if `change` returns
    // true; returns the hive as stored afterwards. Throws std::system_error when the
    // hive cannot be read or written, or is read-only; the stored file is then as it was.
    std::shared_ptr<const Key> update(const std::function<bool(Key&)>& change);

private:
    // What tells one stored file from another: a change always renames a new file in.
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const Identity& other) const;
    };

    std::string targetPath() const;
    Key loadHoldingLock(const std::string& target);
    void replace(const std::string& target, const std::string& text);
    void removeStaleTemporaries(const std::string& target);
    std::string notMovedMessage(const std::string& problem, const std::string& failure) const;

    std::string m_path;
    std::function<void(const std::string&)> m_onDamage;
    std::optional<Identity> m_lastReadIdentity;
    std::shared_ptr<const Key> m_lastRead;
};

} // namespace lirra::platform::hive
