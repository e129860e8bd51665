#pragma once

// A number typed into a field, converted as the reader has always converted them.

#include <QString>
#include <cstdint>

namespace lirra {

// Leading blanks, an optional sign, then decimal digits or hexadecimal ones after "$"
// or "0x"; nothing after them; within 32 bits. Raises lirra::Error
// "'<text>' is not a valid integer value" for anything else.
std::int32_t strToInt(const QString& text);

} // namespace lirra
