#include "bookview/core/book_kind.h"

#include "bookview/core/fiction_book.h"
#include "bookview/core/rtf_reader.h"
#include "bookview/core/unicode_text.h"
#include "platform/buffered_file.h"
#include "platform/lirra_error.h"

#include <cstring>

namespace lirra {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// A FictionBook's root comes after its XML declaration and perhaps a comment or two.
constexpr std::size_t kRootWithin = 4096;

bool looksLikeFictionBook(std::string_view head)
{
    if (head.starts_with(kUtf8Mark))
        head.remove_prefix(kUtf8Mark.size());
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || head[first] != '<')
        return false;
    return head.substr(0, kRootWithin).find("<FictionBook") != std::string_view::npos;
}

} // namespace

void BookKindProbe::decideFromHead(std::string_view head)
{
    m_decided = true;
    if (looksLikeRtf(head))
        m_kind = BookKind::CodePage;   // RTF says its code page itself
    else if (looksLikeFictionBook(head))
        m_kind = BookKind::FictionBook;
    else if (head.starts_with(kUtf8Mark))
        m_kind = BookKind::Utf8;
    else if (head.starts_with("\xFF\xFE"))
        m_kind = BookKind::Utf16Le;
    else if (head.starts_with("\xFE\xFF"))
        m_kind = BookKind::Utf16Be;
    else
        m_decided = false;   // UTF-8 or a code page: every byte has its say
}

void BookKindProbe::feed(std::string_view piece)
{
    if (m_decided || piece.empty())
        return;
    if (!m_started) {
        m_started = true;
        decideFromHead(piece);
        if (m_decided)
            return;
    }
    followUtf8(piece);
}

void BookKindProbe::followUtf8(std::string_view piece)
{
    // The text ends at Ctrl+Z; what follows is not the book's.
    if (const std::size_t end = piece.find('\x1A'); end != std::string_view::npos) {
        piece = piece.substr(0, end);
        m_decided = true;
    }
    const auto* at = reinterpret_cast<const unsigned char*>(piece.data());
    const auto* const end = at + piece.size();
    while (at < end) {
        if (m_pending == 0) {
            while (end - at >= 8) {   // ASCII, eight bytes at a time
                std::uint64_t word;
                std::memcpy(&word, at, 8);
                if (word & 0x8080808080808080ULL)
                    break;
                at += 8;
            }
            if (at == end)
                break;
            const unsigned char lead = *at++;
            if (lead < 0x80)
                continue;
            m_nonAscii = true;
            if (lead >= 0xC2 && lead <= 0xDF && at < end && (*at & 0xC0) == 0x80) {
                ++at;   // a two-byte letter (Cyrillic, Greek) the short way
                continue;
            }
            m_low = 0x80;
            m_high = 0xBF;
            if (lead >= 0xC2 && lead <= 0xDF) {
                m_pending = 1;
            } else if (lead >= 0xE0 && lead <= 0xEF) {
                m_pending = 2;
                m_low = lead == 0xE0 ? 0xA0 : 0x80;
                m_high = lead == 0xED ? 0x9F : 0xBF;
            } else if (lead >= 0xF0 && lead <= 0xF4) {
                m_pending = 3;
                m_low = lead == 0xF0 ? 0x90 : 0x80;
                m_high = lead == 0xF4 ? 0x8F : 0xBF;
            } else {
                m_kind = BookKind::CodePage;
                m_decided = true;
                return;
            }
            continue;
        }
        const unsigned char next = *at++;
        if (next < m_low || next > m_high) {
            m_kind = BookKind::CodePage;
            m_decided = true;
            return;
        }
        --m_pending;
        m_low = 0x80;
        m_high = 0xBF;
    }
    if (m_decided)
        m_kind = m_nonAscii ? BookKind::Utf8 : BookKind::CodePage;
}

BookKind BookKindProbe::kind() const
{
    if (m_decided || !m_started)
        return m_kind;
    // A sequence cut by the end of the file (a download broken off) still leaves the
    // book UTF-8.
    return m_nonAscii ? BookKind::Utf8 : BookKind::CodePage;
}

BookKind detectBookKind(std::string_view bytes)
{
    BookKindProbe probe;
    probe.feed(bytes);
    return probe.kind();
}

BookKind detectBookFileKind(const std::string& path, std::int64_t limit)
{
    BookKindProbe probe;
    try {
        platform::FileReader in(path);
        for (std::string_view piece = in.takeChunk(); !piece.empty() && !probe.decided() && limit > 0;
             piece = in.takeChunk()) {
            probe.feed(piece);
            limit -= std::int64_t(piece.size());
        }
    } catch (const Error&) {
        return BookKind::CodePage;
    }
    return probe.kind();
}

std::optional<BookText> readUnicodeBook(const std::string& path, const std::string& copy)
{
    switch (const BookKind kind = detectBookFileKind(path)) {
    case BookKind::CodePage:
        return std::nullopt;
    case BookKind::FictionBook:
        return BookText(readFictionBook(path), Charset::Unicode);
    case BookKind::Utf8:
    case BookKind::Utf16Le:
    case BookKind::Utf16Be:
        return BookText(RichText{readUnicodeText(path, kind, copy), {}, {}}, Charset::Unicode);
    }
    return std::nullopt;
}

} // namespace lirra
