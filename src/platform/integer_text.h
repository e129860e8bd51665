#pragma once

// Text typed as a whole number, read the way the reader's number fields always have:
// leading blanks, an optional sign, decimal digits or "$" and hexadecimal digits, and
// nothing after them; the value must fit in 32 bits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lirra {

std::optional<std::int32_t> parseInteger(std::string_view text);
// Raises lirra::Error "'<text>' is not a valid integer value" when the text is not one.
std::int32_t strToInt(const std::string& text);
// The same, for a field that holds only [lowest, highest]: a number outside is refused
// with the same error, as one the field cannot take.
std::int32_t strToInt(const std::string& text, std::int32_t lowest, std::int32_t highest);

} // namespace lirra
