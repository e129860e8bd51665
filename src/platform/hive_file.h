#pragma once

// The hive file on disk. Readers see either the old or the new file, never half of
// one: every change is read-modify-write under an exclusive flock on "<hive>.lock",
// written to a temporary file in the same folder, flushed and renamed over the hive.
// A hive that is a symbolic link is written through to the file it leads to, with
// that file's mode (and, for root, its owner) kept. A file that cannot be parsed is
// never overwritten: it is renamed to "<hive>.damaged" (".damaged.1", ... when that
// exists) and work goes on from an empty hive. A read-only file is never replaced.
// A path that is not a regular file once its links are followed (a folder, a named
// pipe, a device) or a file larger than kMaxHiveBytes is never read nor written:
// it reads as an empty hive, every change fails, and the user is told why.

#include "platform/hive_tree.h"

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <sys/stat.h>
#include <sys/types.h>

namespace lirra::platform::hive {

// The largest hive file read. The reader's own settings take a few kilobytes.
inline constexpr off_t kMaxHiveBytes = off_t{64} << 20;

class HiveFile {
public:
    // `onDamage` receives a message for the user each time a damaged or refused file
    // is found.
    HiveFile(std::string path, std::function<void(const std::string&)> onDamage);

    // The hive as stored now; empty when there is no file. A file unchanged since it
    // was last read through this path, by any HiveFile of the process, is not parsed
    // again: the reader opens its settings many times at start-up. Throws std::system_error when the file
    // exists but cannot be read.
    std::shared_ptr<const Key> load();
    // Applies `change` to the stored hive and stores the result if `change` returns
    // true; returns the hive as stored afterwards. Throws std::system_error when the
    // hive cannot be read or written, or is read-only; the stored file is then as it was.
    std::shared_ptr<const Key> update(const std::function<bool(Key&)>& change);

private:
    std::string targetPath() const;
    Key loadHoldingLock(const std::string& target);
    // The text of the open file; nullopt when the file is refused, which is reported.
    std::optional<std::string> readAccepted(int fd, const struct stat& info, const std::string& path);
    void replace(const std::string& target, const std::string& text);
    void removeStaleTemporaries(const std::string& target);
    std::string notMovedMessage(const std::string& problem, const std::string& failure) const;

    std::string m_path;
    std::function<void(const std::string&)> m_onDamage;
};

} // namespace lirra::platform::hive
