#include "platform/utf8.h"

namespace lirra::platform {

namespace {
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMalformed = 0xFFFFFFFF;
// Lone low surrogates U+DC80..U+DCFF stand for the bytes 0x80..0xFF that are no UTF-8.
constexpr char32_t kEscapedByte = 0xDC00;

// Decodes the sequence at `at`, advancing it; kMalformed for a byte that does not
// start a valid sequence (only that byte is consumed).
char32_t decodeOne(std::string_view s, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(s[at++]);
    if (lead < 0x80)
        return lead;
    int extra;
    char32_t code, minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, code = lead & 0x07, minimum = 0x10000;
    } else {
        return kMalformed;
    }
    if (at + extra > s.size())
        return kMalformed;
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(s[at + i]);
        if ((next & 0xC0) != 0x80)
            return kMalformed;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return kMalformed;
    at += extra;
    return code;
}

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}
// Whether text[i] and text[i + 1] are a surrogate pair.
bool pairAt(std::u16string_view text, std::size_t i)
{
    return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00
           && text[i + 1] <= 0xDFFF;
}

bool isEscapedByte(char16_t unit)
{
    return unit >= kEscapedByte + 0x80 && unit <= kEscapedByte + 0xFF;
}

// Each malformed byte becomes what `badByte` makes of it.
template <class BadByte>
std::u16string decode(std::string_view utf8, BadByte badByte)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t code = decodeOne(utf8, at);
        if (code == kMalformed)
            code = badByte(static_cast<unsigned char>(utf8[at - 1]));
        if (code < 0x10000) {
            out += static_cast<char16_t>(code);
        } else {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return out;
}
} // namespace

std::u16string utf8ToUtf16(std::string_view utf8)
{
    return decode(utf8, [](unsigned char) { return kReplacement; });
}

std::u16string bytesToUtf16(std::string_view bytes)
{
    return decode(bytes, [](unsigned char byte) { return kEscapedByte + byte; });
}

bool holdsEscapedBytes(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (pairAt(text, i))
            ++i;
        else if (isEscapedByte(text[i]))
            return true;
    }
    return false;
}

std::string utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        char32_t code = unit;
        if (pairAt(utf16, i)) {
            code = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(utf16[i + 1]) - 0xDC00);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            code = kReplacement;
        }
        appendUtf8(out, code);
    }
    return out;
}

std::string bytesFromUtf16(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool paired = pairAt(text, i);
        if (!paired && isEscapedByte(text[i]))
            out += static_cast<char>(text[i] - kEscapedByte);
        else
            out += utf16ToUtf8(text.substr(i, paired ? 2 : 1));
        i += paired ? 1 : 0;
    }
    return out;
}

std::string utf16leBytesToUtf8(std::string_view bytes)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i])
                                                | static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == 0)
            break;
        units += unit;
    }
    return utf16ToUtf8(units);
}

} // namespace lirra::platform
