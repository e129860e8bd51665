#include "platform/hive_tree.h"

#include "platform/case_fold.h"
#include "platform/utf8.h"

#include <algorithm>
#include <compare>

namespace lirra::platform::hive {

std::string foldedName(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80)
            return utf16ToUtf8(foldCase(utf8ToUtf16(name)));
        c = static_cast<char>(foldCase(byte));
    }
    return folded;
}

namespace {

bool isAscii(std::string_view name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Compares foldedName(a) with foldedName(b), without making either when both are ASCII
// (a settings file may hold hundreds of thousands of names to sort).
std::strong_ordering compareFolded(std::string_view a, std::string_view b)
{
    if (!isAscii(a) || !isAscii(b))
        return foldedName(a) <=> foldedName(b);
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        const auto x = foldCase(static_cast<unsigned char>(a[i]));
        const auto y = foldCase(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x <=> y;
    }
    return a.size() <=> b.size();
}

bool comesBefore(const Value& a, const Value& b)
{
    return compareFolded(a.name, b.name) < 0;
}

} // namespace

bool sameName(std::string_view a, std::string_view b)
{
    return compareFolded(a, b) == 0;
}

const Key* Key::Subkeys::find(std::string_view keyName) const
{
    const auto it = m_positions.find(foldedName(keyName));
    return it == m_positions.end() ? nullptr : &m_keys[it->second];
}

Key* Key::Subkeys::find(std::string_view keyName)
{
    return const_cast<Key*>(static_cast<const Subkeys&>(*this).find(keyName));
}

Key& Key::Subkeys::add(std::string keyName)
{
    m_positions.emplace(foldedName(keyName), m_keys.size());
    return m_keys.emplace_back(Key{std::move(keyName), {}, {}});
}

bool Key::Subkeys::remove(std::string_view keyName)
{
    const auto it = m_positions.find(foldedName(keyName));
    if (it == m_positions.end())
        return false;
    const std::size_t removed = it->second;
    m_positions.erase(it);
    m_keys.erase(m_keys.begin() + static_cast<std::ptrdiff_t>(removed));
    for (auto& [folded, position] : m_positions)
        if (position > removed)
            --position;
    return true;
}

const Value* Key::Values::find(std::string_view valueName) const
{
    const auto it = std::lower_bound(m_values.begin(), m_values.end(), valueName,
                                     [](const Value& v, std::string_view n) { return compareFolded(v.name, n) < 0; });
    return it != m_values.end() && compareFolded(it->name, valueName) == 0 ? &*it : nullptr;
}

bool Key::Values::set(Value value)
{
    const auto it = std::lower_bound(m_values.begin(), m_values.end(), value, comesBefore);
    if (it == m_values.end() || compareFolded(it->name, value.name) != 0) {
        m_values.insert(it, std::move(value));
        return true;
    }
    value.name = it->name;
    if (*it == value)
        return false;
    *it = std::move(value);
    return true;
}

void Key::Values::sort()
{
    // Files this program wrote are in order already.
    if (!std::is_sorted(m_values.begin(), m_values.end(), comesBefore))
        std::stable_sort(m_values.begin(), m_values.end(), comesBefore);
    auto kept = m_values.begin();
    for (auto it = m_values.begin(); it != m_values.end(); ++it) {
        if (kept != m_values.begin() && compareFolded(std::prev(kept)->name, it->name) == 0) {
            std::prev(kept)->type = it->type;
            std::prev(kept)->data = std::move(it->data);
        } else {
            if (kept != it)
                *kept = std::move(*it);
            ++kept;
        }
    }
    m_values.erase(kept, m_values.end());
}

const Value* Key::findValue(std::string_view valueName) const
{
    return values.find(valueName);
}

bool Key::setValue(Value value)
{
    return values.set(std::move(value));
}

std::optional<KeyPath> splitKeyPath(std::string_view path)
{
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    KeyPath names;
    if (path.empty())
        return names;
    for (std::size_t start = 0;;) {
        const auto end = std::min(path.find('\\', start), path.size());
        const auto name = path.substr(start, end - start);
        const bool hasControl = std::any_of(name.begin(), name.end(),
                                            [](char c) { return static_cast<unsigned char>(c) < 0x20; });
        if (name.empty() || name.size() > 255 || hasControl)
            return std::nullopt;
        names.emplace_back(name);
        if (names.size() > kMaxKeyDepth)
            return std::nullopt;
        if (end == path.size())
            return names;
        start = end + 1;
    }
}

const Key* findKey(const Key& root, const KeyPath& path)
{
    const Key* key = &root;
    for (const auto& name : path) {
        key = key->subkeys.find(name);
        if (!key)
            return nullptr;
    }
    return key;
}

Key* findKey(Key& root, const KeyPath& path)
{
    return const_cast<Key*>(findKey(static_cast<const Key&>(root), path));
}

std::pair<Key*, bool> createKey(Key& root, const KeyPath& path)
{
    bool created = false;
    Key* key = &root;
    for (const auto& name : path) {
        Key* sub = key->subkeys.find(name);
        if (!sub) {
            sub = &key->subkeys.add(name);
            created = true;
        }
        key = sub;
    }
    return {key, created};
}

bool removeKey(Key& root, const KeyPath& path)
{
    if (path.empty())
        return false;
    Key* parent = findKey(root, KeyPath(path.begin(), path.end() - 1));
    return parent && parent->subkeys.remove(path.back());
}

Value dwordValue(std::string name, std::uint32_t number)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    return Value{std::move(name), RegDword, std::move(bytes)};
}

std::uint32_t dwordOf(const Value& value)
{
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i)
        number = (number << 8) | static_cast<unsigned char>(value.data[i]);
    return number;
}

} // namespace lirra::platform::hive
