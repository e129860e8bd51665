#pragma once

// The hive's text: the .reg export syntax, UTF-8.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Lirra Reader\Options]
//   "FontSize"=dword:0000000d
//   "FontName"="Courier New Cyr"
//   "Path"=hex(2):25,00,41,00,25,00,00,00
//
// Strings escape backslash, quote, line feed and carriage return as \\ \" \n \r;
// every other character is stored as it is. REG_SZ text is the value's UTF-8 text;
// REG_EXPAND_SZ and all other types are hex(n) bytes exactly as Windows exports them.

#include "platform/hive_tree.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace lirra::platform::hive {

class SyntaxError : public std::runtime_error {
public:
    SyntaxError(int line, const std::string& problem);
};

// The whole hive; throws SyntaxError for text that is not a hive of this shape.
Key parseHive(std::string_view text);
std::string formatHive(const Key& root);

} // namespace lirra::platform::hive
