#include "platform/registry_list.h"

#include "platform/lirra_error.h"
#include "platform/registry_hive.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

namespace lirra::platform {

namespace {

constexpr std::int32_t kNoLast = std::numeric_limits<std::int32_t>::max();

// The index a value's name stands for: decimal digits without leading zeros.
std::optional<std::int32_t> indexOf(const std::string& name)
{
    std::int32_t index = -1;
    const char* end = name.data() + name.size();
    const auto [stop, failure] = std::from_chars(name.data(), end, index);
    const bool canonical = name == "0" || (!name.empty() && name.front() != '0');
    if (failure != std::errc() || stop != end || !canonical || index < 0)
        return std::nullopt;
    return index;
}

} // namespace

StoredList readStringList(Registry& registry, const std::string& path, std::size_t limit)
{
    StoredList list;
    if (!registry.openKey(path, false) || !registry.valueExists("Count"))
        return list;
    list.found = true;
    std::int32_t last = kNoLast;
    try {
        last = registry.readInteger("Count");
    } catch (const Error& error) {
        list.error = error.text();
    }
    std::vector<std::pair<std::int32_t, std::string>> stored;
    for (std::string& name : registry.valueNames())
        if (const auto index = indexOf(name); index && *index <= last)
            stored.emplace_back(*index, std::move(name));
    std::sort(stored.begin(), stored.end());
    for (const auto& [index, name] : stored) {
        if (list.entries.size() >= limit)
            break;
        try {
            list.entries.push_back(registry.readString(name));
        } catch (const Error& error) {
            if (list.error.empty())
                list.error = error.text();
        }
    }
    registry.closeKey();
    return list;
}

} // namespace lirra::platform
