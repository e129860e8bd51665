#pragma once

// The registry of the current user (HKEY_CURRENT_USER), kept in one text file.
// Used like the toolkit's registry object: open a key, read or write its values,
// close it. Key paths are always taken from HKEY_CURRENT_USER
// ("Software\\Lirra Reader\\Options"). Names compare without regard to letter case
// and keep the spelling they were created with.
//
// Every openKey reads the file afresh (unless it is unchanged since it was last
// read), and every change is made on the file as it is at that moment, so two running readers never lose each other's changes. File
// format, location and locking: docs/registry-format.md.

#include "platform/hive_file.h"
#include "platform/hive_tree.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lirra::platform {

class Registry {
public:
    // $LIRRA_REGISTRY, else ${XDG_CONFIG_HOME:-$HOME/.config}/lirra-reader/registry.reg.
    static std::string defaultHivePath();
    // Where the message about a damaged or refused hive file goes (the default prints
    // it on stderr). Each reporter is told at most once per process.
    static void setDamageReporter(std::function<void(const std::string& message)> reporter);

    explicit Registry(std::string hivePath = defaultHivePath());

    bool keyExists(const std::string& path);
    // Makes `path` the open key; with `canCreate` a missing key is created.
    // False when the key is missing (and may not or cannot be created); the key
    // open before stays open.
    bool openKey(const std::string& path, bool canCreate);
    // Creates the key and any missing parent; throws "Failed to create key %s".
    void createKey(const std::string& path);
    // Deletes the key with everything below it; false when that did not happen.
    bool deleteKey(const std::string& path);
    void closeKey();

    // Values of the open key, as read by the last openKey or change. With no key
    // open there are no values to read, and writes fail.
    bool valueExists(const std::string& name) const;
    // The names in the spelling they were created with, in no particular order.
    std::vector<std::string> valueNames() const;
    // REG_DWORD; throws "Failed to get data for '%s'" or "Invalid data type for '%s'".
    std::int32_t readInteger(const std::string& name) const;
    // REG_SZ or REG_EXPAND_SZ (not expanded); missing: empty; other types throw
    // "Invalid data type for '%s'".
    std::string readString(const std::string& name) const;
    // Both throw "Failed to set data for '%s'", also when the open key has been
    // deleted meanwhile. Text is stored up to its first NUL character.
    void writeInteger(const std::string& name, std::int32_t value);
    void writeString(const std::string& name, const std::string& text);
    // The layout of the stored lists (History, BookMarks, InterNet): REG_DWORD
    // "Count" = index of the last entry (-1 for none), REG_SZ "0", "1", ... the
    // entries in order. Other values of the key stay. One change of the file, so all
    // values are stored or none ("Failed to set data for 'Count'").
    void writeStringList(const std::vector<std::string>& entries);
    // Makes `path` the open key and leaves it holding the list and nothing else, as if
    // the key were deleted, created anew and written, but in one change: a reader, or
    // a crash, meets either the old key or the new one, never a missing or half-written
    // one. A missing key is created. Throws "Failed to create key %s" for a path that
    // cannot name a key and "Failed to set data for 'Count'" when the hive cannot be
    // changed.
    void replaceKeyWithStringList(const std::string& path, const std::vector<std::string>& entries);

    // A value for writeValues: a number is stored as REG_DWORD, a text as REG_SZ.
    struct NamedValue {
        std::string name;
        std::variant<std::int32_t, std::string> data;
    };
    // Writes the values (at least one) into the key `path`, creating it when missing,
    // in one change of the file: a reader, or a crash, meets the key as it was or with
    // all the values, never some of them. Makes `path` the open key. Throws "Failed to
    // create key %s" when the key is missing and cannot be created, else "Failed to
    // set data for '%s'" with the first value's name.
    void writeValues(const std::string& path, const std::vector<NamedValue>& values);

private:
    enum class Failure { None, BadPath, Unwritable };
    // Creates the key at `path` when it is missing and changes it, in one change of the
    // file; the key is the open one afterwards.
    Failure changeKeyCreatingIt(const std::string& path, const std::function<bool(hive::Key&)>& change);
    const hive::Value* findValue(const std::string& name) const;
    void writeValues(std::vector<hive::Value> values);

    hive::HiveFile m_file;
    std::shared_ptr<const hive::Key> m_snapshot;
    std::optional<hive::KeyPath> m_openPath;
};

} // namespace lirra::platform
