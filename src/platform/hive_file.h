#pragma once

// The hive file on disk. Readers see either the old or the new file, never half of
// one: every change is read-modify-write under an exclusive flock on "<hive>.lock",
// written to a temporary file in the same folder, flushed and renamed over the hive.
// A file that cannot be parsed is never overwritten: it is renamed to
// "<hive>.damaged" (".damaged.1", ... when that exists) and work goes on from an
// empty hive.

#include "platform/hive_tree.h"

#include <functional>
#include <string>

namespace lirra::platform::hive {

class HiveFile {
public:
    // `onDamage` receives a message for the user each time a damaged file is found.
    HiveFile(std::string path, std::function<void(const std::string&)> onDamage);

    // The hive as stored now; empty when there is no file. Throws std::system_error
    // when the file exists but cannot be read.
    Key load();
    // Applies `change` to the stored hive and stores the result if `change` returns
    // true; returns the hive as stored afterwards. Throws std::system_error when the
    // hive cannot be read or written; the stored file is then as it was.
    Key update(const std::function<bool(Key&)>& change);

private:
    Key loadHoldingLock();
    void replace(const std::string& text);
    void removeStaleTemporaries();
    std::string freeDamagedName() const;
    std::string notMovedMessage(const std::string& problem, const std::string& failure) const;

    std::string m_path;
    std::function<void(const std::string&)> m_onDamage;
};

} // namespace lirra::platform::hive
