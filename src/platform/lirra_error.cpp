#include "platform/lirra_error.h"

namespace lirra {

namespace {
std::string replaceFirst(const std::string& pattern, const std::string& hole, const std::string& value)
{
    const auto at = pattern.find(hole);
    if (at == std::string::npos)
        return pattern;
    return pattern.substr(0, at) + value + pattern.substr(at + hole.size());
}
} // namespace

std::string formatText(const std::string& pattern, const std::string& value)
{
    return replaceFirst(pattern, "%s", value);
}

std::string formatText(const std::string& pattern, long long value)
{
    return replaceFirst(pattern, "%d", std::to_string(value));
}

} // namespace lirra
