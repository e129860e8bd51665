#include "platform/codepages.h"

#include "platform/codepage_tables.h"

#include <algorithm>

namespace lirra::platform {

namespace {
void translate(const std::array<unsigned char, 256>& table, const char* src, char* dst, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        dst[i] = static_cast<char>(table[static_cast<unsigned char>(src[i])]);
}
} // namespace

void oemToCharBuff(const char* src, char* dst, std::size_t count)
{
    translate(tables::kOem866ToAnsi1251, src, dst, count);
}

void charToOemBuff(const char* src, char* dst, std::size_t count)
{
    translate(tables::kAnsi1251ToOem866, src, dst, count);
}

char16_t ansiToUnicode(unsigned char byte)
{
    return tables::kAnsi1251ToUnicode[byte];
}

std::u16string decodeAnsi(std::string_view ansi)
{
    std::u16string text(ansi.size(), u'\0');
    std::transform(ansi.begin(), ansi.end(), text.begin(),
                   [](char c) { return ansiToUnicode(static_cast<unsigned char>(c)); });
    return text;
}

unsigned char unicodeToAnsi(char16_t unit)
{
    const auto& table = tables::kUnicodeToAnsi1251;
    const auto it = std::lower_bound(table.begin(), table.end(), unit,
                                     [](const tables::UnicodeToAnsi& e, char16_t u) { return e.unicode < u; });
    return (it != table.end() && it->unicode == unit) ? it->ansi : '?';
}

std::string encodeAnsi(std::u16string_view text)
{
    std::string ansi(text.size(), '\0');
    std::transform(text.begin(), text.end(), ansi.begin(),
                   [](char16_t u) { return static_cast<char>(unicodeToAnsi(u)); });
    return ansi;
}

} // namespace lirra::platform
