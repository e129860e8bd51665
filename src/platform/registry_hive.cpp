#include "platform/registry_hive.h"

#include "platform/lirra_error.h"
#include "platform/user_folders.h"
#include "platform/utf8.h"

#include <cassert>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <system_error>


namespace lirra::platform {

namespace {

struct DamageReporting {
    std::mutex mutex;
    std::function<void(const std::string&)> reporter = [](const std::string& message) {
        std::cerr << message << '\n';
    };
    bool told = false;
};

DamageReporting& damageReporting()
{
    static DamageReporting reporting;
    return reporting;
}

void reportDamage(const std::string& message)
{
    auto& r = damageReporting();
    std::function<void(const std::string&)> reporter;
    {
        std::lock_guard lock(r.mutex);
        if (r.told)
            return;
        r.told = true;
        reporter = r.reporter;
    }
    reporter(message);
}

} // namespace

std::string Registry::defaultHivePath()
{
    if (const char* path = std::getenv("LIRRA_REGISTRY"); path && *path)
        return path;
    const auto config = xdgFolder("XDG_CONFIG_HOME", ".config");
    if (!config)
        throw Error("Cannot find the home folder for the settings file");
    return *config + "/lirra-reader/registry.reg";
}

void Registry::setDamageReporter(std::function<void(const std::string& message)> reporter)
{
    auto& r = damageReporting();
    std::lock_guard lock(r.mutex);
    r.reporter = std::move(reporter);
    r.told = false;
}

Registry::Registry(std::string hivePath) : m_file(std::move(hivePath), reportDamage) {}

bool Registry::keyExists(const std::string& path)
{
    const auto names = hive::splitKeyPath(path);
    if (!names)
        return false;
    try {
        return hive::findKey(*m_file.load(), *names) != nullptr;
    } catch (const std::system_error&) {
        return false;
    }
}

bool Registry::openKey(const std::string& path, bool canCreate)
{
    const auto names = hive::splitKeyPath(path);
    if (!names)
        return false;
    try {
        auto current = m_file.load();
        if (!hive::findKey(*current, *names)) {
            if (!canCreate)
                return false;
            current = m_file.update([&](hive::Key& root) { return hive::createKey(root, *names).second; });
        }
        m_snapshot = std::move(current);
    } catch (const std::system_error&) {
        return false;
    }
    m_openPath = *names;
    return true;
}

void Registry::createKey(const std::string& path)
{
    const auto names = hive::splitKeyPath(path);
    try {
        if (names && !names->empty()) {
            m_snapshot = m_file.update([&](hive::Key& root) { return hive::createKey(root, *names).second; });
            return;
        }
    } catch (const std::system_error&) {
    }
    throw Error(formatText("Failed to create key %s", path));
}

bool Registry::deleteKey(const std::string& path)
{
    const auto names = hive::splitKeyPath(path);
    if (!names)
        return false;
    bool removed = false;
    try {
        m_snapshot = m_file.update([&](hive::Key& root) { return removed = hive::removeKey(root, *names); });
    } catch (const std::system_error&) {
        return false;
    }
    return removed;
}

void Registry::closeKey()
{
    m_openPath.reset();
    m_snapshot.reset();
}

const hive::Value* Registry::findValue(const std::string& name) const
{
    const auto* key = m_openPath && m_snapshot ? hive::findKey(*m_snapshot, *m_openPath) : nullptr;
    return key ? key->findValue(name) : nullptr;
}

bool Registry::valueExists(const std::string& name) const
{
    return findValue(name) != nullptr;
}

std::vector<std::string> Registry::valueNames() const
{
    std::vector<std::string> names;
    if (const auto* key = m_openPath ? hive::findKey(*m_snapshot, *m_openPath) : nullptr)
        for (const auto& value : key->values)
            names.push_back(value.name);
    return names;
}

std::int32_t Registry::readInteger(const std::string& name) const
{
    const auto* value = findValue(name);
    if (!value)
        throw Error(formatText("Failed to get data for '%s'", name));
    if (value->type != hive::RegDword)
        throw Error(formatText("Invalid data type for '%s'", name));
    if (value->data.size() != 4)
        throw Error(formatText("Failed to get data for '%s'", name));
    return static_cast<std::int32_t>(hive::dwordOf(*value));
}

std::string Registry::readString(const std::string& name) const
{
    const auto* value = findValue(name);
    if (!value)
        return {};
    if (value->type == hive::RegSz)
        return value->data;
    if (value->type == hive::RegExpandSz)
        return utf16leBytesToUtf8(value->data);
    throw Error(formatText("Invalid data type for '%s'", name));
}

namespace {
hive::Value stringValue(std::string name, const std::string& text)
{
    return hive::Value{std::move(name), hive::RegSz, text.substr(0, text.find('\0'))};
}

// The list layout: "Count" = index of the last entry, then "0", "1", ...
std::vector<hive::Value> listValues(const std::vector<std::string>& entries)
{
    std::vector<hive::Value> values{hive::dwordValue("Count", static_cast<std::uint32_t>(static_cast<std::int32_t>(entries.size()) - 1))};
    for (std::size_t i = 0; i < entries.size(); ++i)
        values.push_back(stringValue(std::to_string(i), entries[i]));
    return values;
}
} // namespace

void Registry::writeInteger(const std::string& name, std::int32_t value)
{
    writeValues({hive::dwordValue(name, static_cast<std::uint32_t>(value))});
}

void Registry::writeString(const std::string& name, const std::string& text)
{
    writeValues({stringValue(name, text)});
}

void Registry::writeStringList(const std::vector<std::string>& entries)
{
    writeValues(listValues(entries));
}

void Registry::replaceKeyWithStringList(const std::string& path, const std::vector<std::string>& entries)
{
    const auto failed = changeKeyCreatingIt(path, [&](hive::Key& key) {
        key.values.clear();
        key.subkeys.clear();
        for (auto& value : listValues(entries))
            key.setValue(std::move(value));
        return true;
    });
    if (failed == Failure::BadPath)
        throw Error(formatText("Failed to create key %s", path));
    if (failed == Failure::Unwritable)
        throw Error("Failed to set data for 'Count'");
}

// The error names the first value, the one a caller writing them one by one would
// have failed on.
void Registry::writeValues(std::vector<hive::Value> values)
{
    const Error failure(formatText("Failed to set data for '%s'", values.front().name));
    if (!m_openPath)
        throw failure;
    bool keyGone = false;
    try {
        m_snapshot = m_file.update([&](hive::Key& root) {
            hive::Key* key = hive::findKey(root, *m_openPath);
            if (!key) { // deleted since it was opened
                keyGone = true;
                return false;
            }
            bool changed = false;
            for (auto& value : values)
                changed |= key->setValue(std::move(value));
            return changed;
        });
    } catch (const std::system_error&) {
        throw failure;
    }
    if (keyGone)
        throw failure;
}

void Registry::writeValues(const std::string& path, const std::vector<NamedValue>& values)
{
    assert(!values.empty());
    const auto failed = changeKeyCreatingIt(path, [&](hive::Key& key) {
        bool changed = false;
        for (const auto& [name, data] : values) {
            changed |= key.setValue(std::holds_alternative<std::int32_t>(data)
                                        ? hive::dwordValue(name, static_cast<std::uint32_t>(std::get<std::int32_t>(data)))
                                        : stringValue(name, std::get<std::string>(data)));
        }
        return changed;
    });
    // Written one by one, the values would have failed at the first of them, or at
    // creating the key before it.
    if (failed == Failure::Unwritable && keyExists(path))
        throw Error(formatText("Failed to set data for '%s'", values.front().name));
    if (failed != Failure::None)
        throw Error(formatText("Failed to create key %s", path));
}

Registry::Failure Registry::changeKeyCreatingIt(const std::string& path, const std::function<bool(hive::Key&)>& change)
{
    const auto names = hive::splitKeyPath(path);
    if (!names || names->empty())
        return Failure::BadPath;
    try {
        m_snapshot = m_file.update([&](hive::Key& root) {
            auto [key, created] = hive::createKey(root, *names);
            return change(*key) || created;
        });
    } catch (const std::system_error&) {
        return Failure::Unwritable;
    }
    m_openPath = *names;
    return Failure::None;
}

} // namespace lirra::platform
