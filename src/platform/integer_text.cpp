#include "platform/integer_text.h"

#include "platform/lirra_error.h"

namespace lirra {

namespace {
int digitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}
} // namespace

std::optional<std::int32_t> parseInteger(std::string_view text)
{
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos)
        return std::nullopt;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+')
        ++at;
    int base = 10;
    if (at < text.size() && text[at] == '$') {
        base = 16;
        ++at;
    }
    if (at == text.size())
        return std::nullopt;
    // Hexadecimal spells a bit pattern ("$FFFFFFFF" is -1); decimal a signed value.
    const std::int64_t limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    std::int64_t value = 0;
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text[at], base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(bits)) : bits;
}

std::int32_t strToInt(const std::string& text, std::int32_t lowest, std::int32_t highest)
{
    if (const std::optional<std::int32_t> value = parseInteger(text); value && *value >= lowest && *value <= highest)
        return *value;
    throw Error(formatText("'%s' is not a valid integer value", text));
}

std::int32_t strToInt(const std::string& text)
{
    return strToInt(text, INT32_MIN, INT32_MAX);
}

} // namespace lirra
