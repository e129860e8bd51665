#pragma once

// The registry hive in memory: a tree of keys holding typed values. Key and value
// names compare without regard to letter case, as on Windows, and keep the spelling
// they were created with. Keys nest at most kMaxKeyDepth deep, as on Windows, so
// nothing that walks the tree recursively can run out of stack.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
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
    // The subkeys in the order they were created, each found by its name in constant
    // time (a hive may hold thousands of siblings).
    class Subkeys {
    public:
        const Key* find(std::string_view keyName) const;
        Key* find(std::string_view keyName);
        // Adds a subkey named `keyName`; there must be none of that name yet.
        Key& add(std::string keyName);
        // False when there is no such subkey.
        bool remove(std::string_view keyName);
        void clear()
        {
            m_keys.clear();
            m_positions.clear();
        }
        bool empty() const { return m_keys.empty(); }
        auto begin() const { return m_keys.cbegin(); }
        auto end() const { return m_keys.cend(); }

    private:
        std::vector<Key> m_keys;
        std::unordered_map<std::string, std::size_t> m_positions; // by foldedName(key name)
    };

    // The values in the order of their folded names, which is the order they are
    // written in. A flat array: a key of thousands of values costs one allocation per
    // value's data, not a tree node and a folded copy of its name besides.
    class Values {
    public:
        const Value* find(std::string_view valueName) const;
        bool set(Value value);  // as Key::setValue
        // For reading a file: appends without looking for the name, then sort() puts
        // every value appended since in its place. Nothing may be looked up in between.
        void append(Value value) { m_values.push_back(std::move(value)); }
        // Of values with the same name the last appended wins, under the first spelling.
        void sort();
        void clear() { m_values.clear(); }
        bool empty() const { return m_values.empty(); }
        auto begin() const { return m_values.cbegin(); }
        auto end() const { return m_values.cend(); }

    private:
        std::vector<Value> m_values;
    };

    std::string name;
    Values values;
    Subkeys subkeys;

    const Value* findValue(std::string_view valueName) const;
    // Adds or replaces the value (an existing value keeps its name's spelling);
    // returns false when the stored value was already equal.
    bool setValue(Value value);
};

using KeyPath = std::vector<std::string>;

// How deep keys may nest below the root.
inline constexpr std::size_t kMaxKeyDepth = 512;

// The name in one letter case, so that equal folded names mean the same name.
std::string foldedName(std::string_view name);
bool sameName(std::string_view a, std::string_view b);

// "Software\\Lirra Reader\\Options" -> its names. Outer backslashes are ignored;
// an empty inner name, a name over 255 bytes, a control character or more than
// kMaxKeyDepth names make the path invalid (nullopt). The empty path names the root.
std::optional<KeyPath> splitKeyPath(std::string_view path);

const Key* findKey(const Key& root, const KeyPath& path);
Key* findKey(Key& root, const KeyPath& path);
// Creates the missing keys along the path; returns the key and whether any was created.
std::pair<Key*, bool> createKey(Key& root, const KeyPath& path);
// Removes the key with everything below it; false when it does not exist or is the root.
bool removeKey(Key& root, const KeyPath& path);

Value dwordValue(std::string name, std::uint32_t number);
std::uint32_t dwordOf(const Value& value);  // requires 4 bytes of data

} // namespace lirra::platform::hive
