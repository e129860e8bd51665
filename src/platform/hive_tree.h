#pragma once

// The registry hive in memory: a tree of keys holding typed values. Key and value
// names compare without regard to letter case, as on Windows, and keep the spelling
// they were created with.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lirra::platform::hive {

// Windows' registry type numbers; any other number is kept as opaque bytes.
enum ValueType : std::uint32_t {
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
};

struct Value {
    std::string name;  // empty: the key's default value ("@")
    std::uint32_t type = RegSz;
    // RegSz: UTF-8 text; RegDword: 4 bytes, little-endian; other types: the raw bytes.
    std::string data;

    bool operator==(const Value&) const = default;
};

struct Key {
    std::string name;
    std::map<std::string, Value> values; // by foldedName(value name)
    std::vector<Key> subkeys;

    const Key* findSubkey(std::string_view keyName) const;
    const Value* findValue(std::string_view valueName) const;
    // Adds or replaces the value (an existing value keeps its name's spelling);
    // returns false when the stored value was already equal.
    bool setValue(Value value);
};

using KeyPath = std::vector<std::string>;

// The name in one letter case, so that equal folded names mean the same name.
std::string foldedName(std::string_view name);
bool sameName(std::string_view a, std::string_view b);

// "Software\\Lirra Reader\\Options" -> its names. Outer backslashes are ignored;
// an empty inner name, a name over 255 bytes or a control character make the path
// invalid (nullopt). The empty path names the root.
std::optional<KeyPath> splitKeyPath(std::string_view path);

const Key* findKey(const Key& root, const KeyPath& path);
Key* findKey(Key& root, const KeyPath& path);
// Creates the missing keys along the path; returns whether any was created.
bool createKey(Key& root, const KeyPath& path);
// Removes the key with everything below it; false when it does not exist or is the root.
bool removeKey(Key& root, const KeyPath& path);

Value dwordValue(std::string name, std::uint32_t number);
std::uint32_t dwordOf(const Value& value);  // requires 4 bytes of data

} // namespace lirra::platform::hive
