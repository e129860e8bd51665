#include "bookview/core/unicode_text.h"

#include "bookview/core/book_file.h"
#include "bookview/core/line_index.h"
#include "platform/buffered_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

namespace lirra {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr char16_t kLf = u'\n';
constexpr char16_t kCtrlZ = u'\x1A';
// Room beyond the book's own length: lone CRs grow into CR LF.
constexpr std::int64_t kSlack = 64 * 1024;

// The length of the UTF-8 sequence led by `lead` and the range its second byte must lie
// in (which rules out overlong forms, surrogates and code points past U+10FFFF); 0 for a
// byte that leads nothing.
struct Lead {
    int length;
    unsigned char low, high;
};

Lead leadOf(unsigned char lead)
{
    if (lead < 0x80)
        return {1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, 0x80, 0xBF};
    if (lead == 0xE0)
        return {3, 0xA0, 0xBF};
    if (lead == 0xED)
        return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {3, 0x80, 0xBF};
    if (lead == 0xF0)
        return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {4, 0x80, 0xBF};
    if (lead == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

void putCodePoint(char32_t c, char16_t*& to)
{
    if (c < 0x10000) {
        *to++ = static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    *to++ = static_cast<char16_t>(0xD800 + (c >> 10));
    *to++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

// Decodes [from, end) to `to`, which has room for a unit per byte, and returns where it
// stopped: at the end, or at a valid but unfinished sequence that the next piece may
// complete.
const unsigned char* decodeUtf8(const unsigned char* from, const unsigned char* end, char16_t*& to)
{
    while (from < end) {
        // Eight ASCII bytes at a time: most of a book, even a Cyrillic one, is blanks and
        // punctuation between the letters.
        while (end - from >= 8) {
            std::uint64_t word;
            std::memcpy(&word, from, 8);
            if (word & 0x8080808080808080ULL)
                break;
            to = std::copy(from, from + 8, to);
            from += 8;
        }
        if (from == end)
            break;
        // Two-byte letters (Cyrillic, Greek) the short way.
        if (*from >= 0xC2 && *from <= 0xDF && end - from >= 2 && (from[1] & 0xC0) == 0x80) {
            *to++ = static_cast<char16_t>(((from[0] & 0x1F) << 6) | (from[1] & 0x3F));
            from += 2;
            continue;
        }
        const Lead lead = leadOf(*from);
        if (lead.length == 1) {
            *to++ = *from++;
            continue;
        }
        if (lead.length == 0) {
            *to++ = kReplacement;
            ++from;
            continue;
        }
        char32_t c = *from & (0x7F >> lead.length);
        int got = 1;
        for (; got < lead.length && from + got < end; ++got) {
            const unsigned char next = from[got];
            if (next < (got == 1 ? lead.low : 0x80) || next > (got == 1 ? lead.high : 0xBF))
                break;
            c = (c << 6) | (next & 0x3F);
        }
        if (got == lead.length) {
            putCodePoint(c, to);
            from += got;
        } else if (from + got == end) {
            return from;   // unfinished: the next piece may hold the rest
        } else {
            *to++ = kReplacement;
            ++from;
        }
    }
    return end;
}

// Appends `units` to `text` under the line rules: CR LF stays, a lone CR becomes CR LF,
// Ctrl+Z ends the text (true then). `afterCr` carries a CR at the end of one piece over
// to the next, whose LF then belongs to it.
bool appendLines(std::u16string_view units, std::u16string& text, bool& afterCr)
{
    std::size_t i = 0;
    if (afterCr && !units.empty() && units.front() == kLf)
        ++i;
    if (!units.empty())
        afterCr = false;
    while (i < units.size()) {
        const std::size_t stop = std::min(units.find_first_of(u"\r\x1A", i), units.size());
        text.append(units.substr(i, stop - i));
        if (stop == units.size() || units[stop] == kCtrlZ)
            return stop < units.size();
        text.append(u"\r\n");
        i = stop + 1;
        if (i == units.size())
            afterCr = true;
        else if (units[i] == kLf)
            ++i;
    }
    return false;
}

std::size_t markLength(BookKind kind, std::string_view head)
{
    if (kind == BookKind::Utf8)
        return head.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    return 2;
}

// UTF-16 in either byte order, a unit cut between two pieces carried over.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian) : m_bigEndian(bigEndian) {}

    // An empty piece is the end: an odd last byte becomes U+FFFD.
    void decode(std::string_view piece, std::u16string& out)
    {
        if (piece.empty() && m_odd)
            out.push_back(kReplacement);
        for (const char byte : piece) {
            if (!m_odd) {
                m_first = static_cast<unsigned char>(byte);
                m_odd = true;
                continue;
            }
            const auto second = static_cast<unsigned char>(byte);
            out.push_back(static_cast<char16_t>(m_bigEndian ? (m_first << 8) | second : (second << 8) | m_first));
            m_odd = false;
        }
    }

private:
    bool m_bigEndian;
    bool m_odd = false;
    unsigned char m_first = 0;
};

} // namespace

void Utf8Decoder::decode(std::string_view piece, std::u16string& out)
{
    if (piece.empty()) {
        out.append(m_carry.size(), kReplacement);
        m_carry.clear();
        return;
    }
    // Room for a unit per byte, the carried bytes included; cut back to what was made.
    const std::size_t start = out.size();
    out.resize(start + m_carry.size() + piece.size());
    char16_t* to = out.data() + start;
    // A sequence cut by the previous piece is finished first, from a few bytes of this one.
    while (!m_carry.empty() && !piece.empty()) {
        m_carry.push_back(piece.front());
        piece.remove_prefix(1);
        const auto* begin = reinterpret_cast<const unsigned char*>(m_carry.data());
        const auto* stop = decodeUtf8(begin, begin + m_carry.size(), to);
        m_carry.erase(0, static_cast<std::size_t>(stop - begin));
    }
    if (m_carry.empty()) {   // else still unfinished: this piece went into it whole
        const auto* begin = reinterpret_cast<const unsigned char*>(piece.data());
        const auto* stop = decodeUtf8(begin, begin + piece.size(), to);
        m_carry.assign(reinterpret_cast<const char*>(stop), piece.size() - static_cast<std::size_t>(stop - begin));
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
}

void appendUtf8(std::u16string_view units, std::string& out)
{
    // Room for three bytes a unit (a pair's four bytes come from two); cut back at the end.
    const std::size_t start = out.size();
    out.resize(start + 3 * units.size());
    auto* to = reinterpret_cast<unsigned char*>(out.data() + start);
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c < 0x80) {
            *to++ = static_cast<unsigned char>(c);
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            const bool paired = c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
            c = paired ? 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00) : kReplacement;
        }
        if (c < 0x800) {
            *to++ = static_cast<unsigned char>(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            *to++ = static_cast<unsigned char>(0xE0 | (c >> 12));
            *to++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
        } else {
            *to++ = static_cast<unsigned char>(0xF0 | (c >> 18));
            *to++ = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
            *to++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
        }
        *to++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
    }
    out.resize(static_cast<std::size_t>(reinterpret_cast<char*>(to) - out.data()));
}

std::u16string readUnicodeText(const std::string& path, BookKind kind, const std::string& copy)
{
    platform::FileReader in(path);
    std::optional<platform::FileWriter> out;
    if (!copy.empty())
        out.emplace(copy);
    const std::int64_t units = kind == BookKind::Utf8 ? in.size() : in.size() / 2;
    std::u16string text;
    text.reserve(static_cast<std::size_t>(std::clamp<std::int64_t>(units + kSlack, 0, kMaxTextLength + 1)));
    Utf8Decoder utf8;
    Utf16Decoder utf16(kind == BookKind::Utf16Be);
    std::u16string decoded;   // one piece's worth, before the line rules
    std::string encoded;      // the same for the copy
    bool afterCr = false;
    bool ended = false;       // Ctrl+Z seen
    bool first = true;
    while (!ended) {
        std::string_view piece = in.takeChunk();
        if (first)
            piece.remove_prefix(std::min(piece.size(), markLength(kind, piece)));
        first = false;
        decoded.clear();
        if (kind == BookKind::Utf8)
            utf8.decode(piece, decoded);   // an empty piece, the end, flushes what is cut
        else
            utf16.decode(piece, decoded);
        const std::size_t start = text.size();
        ended = appendLines(decoded, text, afterCr) || piece.empty();
        if (static_cast<std::int64_t>(text.size()) > kMaxTextLength)
            throwLoadFailed();
        if (out) {
            encoded.clear();
            appendUtf8(std::u16string_view(text).substr(start), encoded);
            out->write(encoded);
        }
    }
    if (!text.empty() && !text.ends_with(u"\r\n")) {
        text.append(u"\r\n");
        if (out)
            out->write("\r\n");
    }
    in.close();
    if (out)
        out->close();
    return text;
}

} // namespace lirra
