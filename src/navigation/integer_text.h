#pragma once

// Text that must hold a number, read as the toolkit reads it: a decimal integer that
// fits 32 bits, or the error "'%s' is not a valid integer value".

#include <QString>
#include <cstdint>

namespace lirra {

// An optional sign and decimal digits, nothing else. Raises lirra::Error.
std::int32_t toInteger(const QString& text);

} // namespace lirra
