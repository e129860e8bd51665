#include "bookview/core/rtf_reader.h"

#include "platform/codepages.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>

namespace lirra {

namespace {

// Deeper nesting than this is taken for a broken or hostile file, not for a book.
constexpr std::size_t kMaxDepth = 1000;
// Numeric parameters are clamped to this magnitude, so no arithmetic on them overflows.
constexpr std::int64_t kMaxParameter = 1'000'000'000;
// The largest font the view is asked for: 1638 points.
constexpr int kMaxHalfPoints = 3276;

constexpr char16_t kNoBreakSpace = u'\u00A0';
constexpr char16_t kNoBreakHyphen = u'\u2011';
constexpr char16_t kReplacement = u'\uFFFD';

using DecodeTable = std::array<char16_t, 256>;

enum class CodePage { Ansi1251, Ansi1252, Oem866 };

template <typename Decode>
DecodeTable makeTable(Decode decode)
{
    DecodeTable table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = decode(static_cast<unsigned char>(byte));
    return table;
}

// Western European: Latin-1 except 0x80..0x9F; the five undefined bytes decode to
// themselves, as 0x98 does in 1251.
constexpr std::array<char16_t, 32> kAnsi1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const DecodeTable& decodeTable(CodePage codePage)
{
    static const DecodeTable kAnsi1251 = makeTable(platform::ansiToUnicode);
    static const DecodeTable kAnsi1252 = makeTable([](unsigned char byte) -> char16_t {
        return (byte >= 0x80 && byte < 0xA0) ? kAnsi1252High[byte - 0x80] : byte;
    });
    // DOS text goes through 1251 exactly as plain books do.
    static const DecodeTable kOem866 = makeTable([](unsigned char byte) {
        char ansi = 0;
        platform::oemToCharBuff(reinterpret_cast<const char*>(&byte), &ansi, 1);
        return platform::ansiToUnicode(static_cast<unsigned char>(ansi));
    });
    switch (codePage) {
    case CodePage::Ansi1252: return kAnsi1252;
    case CodePage::Oem866: return kOem866;
    case CodePage::Ansi1251: break;
    }
    return kAnsi1251;
}

// \ansicpgN. Code pages without a table of ours read as 1251, the system's own.
CodePage codePageFromNumber(int number)
{
    switch (number) {
    case 1252: return CodePage::Ansi1252;
    case 866: return CodePage::Oem866;
    default: return CodePage::Ansi1251;
    }
}

// \fcharsetN of a font; none: the font takes the document's code page.
std::optional<CodePage> codePageFromCharset(int charset)
{
    switch (charset) {
    case 0: return CodePage::Ansi1252;
    case 204: return CodePage::Ansi1251;
    case 255: return CodePage::Oem866;
    default: return std::nullopt;
    }
}

enum class Destination : std::uint8_t { Text, FontTable, ColorTable, Skipped };

enum class Action : std::uint8_t {
    Destination, Character, Break,
    Bold, Italic, Underline, UnderlineNone, Strike, FontSize, Font, Foreground, Background, Plain,
    AnsiCodePage, DefaultFont, UnicodeSkip, Unicode, Binary,
    FontCharset, Red, Green, Blue,
};

struct Keyword {
    Action action;
    char16_t character = 0;                        // Action::Character
    Destination destination = Destination::Text;  // Action::Destination
};

const Keyword* findKeyword(std::string_view name)
{
    static const std::unordered_map<std::string_view, Keyword> kKeywords = [] {
        std::unordered_map<std::string_view, Keyword> map{
            {"fonttbl", {Action::Destination, 0, Destination::FontTable}},
            {"colortbl", {Action::Destination, 0, Destination::ColorTable}},
            {"par", {Action::Break}}, {"line", {Action::Break}}, {"sect", {Action::Break}},
            {"page", {Action::Break}}, {"row", {Action::Break}},
            {"tab", {Action::Character, u'\t'}}, {"cell", {Action::Character, u'\t'}},
            {"emdash", {Action::Character, u'\u2014'}}, {"endash", {Action::Character, u'\u2013'}},
            {"emspace", {Action::Character, u'\u2003'}}, {"enspace", {Action::Character, u'\u2002'}},
            {"bullet", {Action::Character, u'\u2022'}},
            {"lquote", {Action::Character, u'\u2018'}}, {"rquote", {Action::Character, u'\u2019'}},
            {"ldblquote", {Action::Character, u'\u201C'}}, {"rdblquote", {Action::Character, u'\u201D'}},
            {"b", {Action::Bold}}, {"i", {Action::Italic}},
            {"ul", {Action::Underline}}, {"uld", {Action::Underline}}, {"uldb", {Action::Underline}},
            {"uldash", {Action::Underline}}, {"ulw", {Action::Underline}}, {"ulwave", {Action::Underline}},
            {"ulnone", {Action::UnderlineNone}},
            {"strike", {Action::Strike}}, {"striked", {Action::Strike}},
            {"fs", {Action::FontSize}}, {"f", {Action::Font}},
            {"cf", {Action::Foreground}}, {"cb", {Action::Background}}, {"highlight", {Action::Background}},
            {"plain", {Action::Plain}},
            {"ansicpg", {Action::AnsiCodePage}}, {"deff", {Action::DefaultFont}},
            {"uc", {Action::UnicodeSkip}}, {"u", {Action::Unicode}}, {"bin", {Action::Binary}},
            {"fcharset", {Action::FontCharset}},
            {"red", {Action::Red}}, {"green", {Action::Green}}, {"blue", {Action::Blue}},
        };
        // Groups whose text is not part of the book: document properties, pictures and
        // objects, page furniture, footnotes, field instructions, list definitions.
        for (std::string_view skipped :
             {"stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf",
              "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "pn", "listtable",
              "listoverridetable", "revtbl", "filetbl", "xe", "tc", "annotation"})
            map.emplace(skipped, Keyword{Action::Destination, 0, Destination::Skipped});
        return map;
    }();
    const auto it = kKeywords.find(name);
    return it == kKeywords.end() ? nullptr : &it->second;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
int hexValue(char c)
{
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
bool isWhitespace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The character format as control words set it; the face is still a font number.
struct Style {
    int font = -1;
    int halfPoints = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::optional<std::uint32_t> color;
    std::optional<std::uint32_t> background;
    bool operator==(const Style&) const = default;
};

struct GroupState {
    Style style;
    int unicodeSkip = 1;   // \ucN: characters after \uN that stand in for it
    Destination destination = Destination::Text;
};

struct Font {
    std::int32_t face = CharFormat::kViewFace;   // in the format table's faces
    std::optional<CodePage> codePage;
};

using Fonts = std::unordered_map<int, Font>;   // by font number

// The font-table entry being read: its name grows character by character.
struct FontEntry {
    int number = 0;
    std::u16string face;
    std::optional<CodePage> codePage;
};

// Turns the style in force at each stretch of text into format runs, each naming its
// format in a table of distinct formats, and holds each distinct face name once. Looking
// a format up takes logarithmic time in the number of formats; a face name is looked at
// once, when its font is defined, never again per run.
class RunCollector {
public:
    // Text in `style` is about to be added at `position`.
    void textAt(std::int64_t position, const Style& style, const Fonts& fonts)
    {
        if (m_lastStyle && *m_lastStyle == style)
            return;
        m_lastStyle = style;
        const std::uint32_t format = formatOf(style, fonts);
        if (m_runs.empty() || m_runs.back().format != format)
            m_runs.push_back({position, format});
    }

    // The face's index in the table, the face added when it is new.
    std::int32_t faceIndex(std::u16string face)
    {
        if (face.empty())
            return CharFormat::kViewFace;
        const auto [it, added] = m_faceIndex.try_emplace(face, static_cast<std::int32_t>(m_table.faces.size()));
        if (added)
            m_table.faces.push_back(std::move(face));
        return it->second;
    }

    // A font number may now name another face.
    void fontsChanged() { m_lastStyle.reset(); }

    void finish(RichText& result)
    {
        result.runs = std::move(m_runs);
        result.formats = std::move(m_table);
    }

private:
    std::uint32_t formatOf(const Style& style, const Fonts& fonts)
    {
        const auto font = fonts.find(style.font);
        const CharFormat format{.face = font != fonts.end() ? font->second.face : CharFormat::kViewFace,
                                .halfPoints = style.halfPoints, .bold = style.bold, .italic = style.italic,
                                .underline = style.underline, .strikeOut = style.strikeOut,
                                .color = style.color, .background = style.background};
        const auto [it, added] = m_formatIndex.try_emplace(format, static_cast<std::uint32_t>(m_table.formats.size()));
        if (added)
            m_table.formats.push_back(format);
        return it->second;
    }

    FormatTable m_table;
    std::map<CharFormat, std::uint32_t> m_formatIndex;
    std::unordered_map<std::u16string, std::int32_t> m_faceIndex;
    std::vector<FormatRun> m_runs;
    std::optional<Style> m_lastStyle;
};

struct ColorEntry {
    int red = 0, green = 0, blue = 0;
    bool given = false;   // an entry without components is "auto"
};

class RtfParser {
public:
    explicit RtfParser(std::string_view data) : m_data(data) {}

    std::optional<RichText> parse()
    {
        m_pos = m_data.find('{');
        m_result.text.reserve(m_data.size());
        while (m_pos < m_data.size()) {
            const char c = m_data[m_pos];
            if (c == '{') {
                if (m_groups.size() >= kMaxDepth)
                    return std::nullopt;
                m_groups.push_back(m_groups.empty() ? GroupState{} : m_groups.back());
                m_pendingSkip = 0;
                ++m_pos;
            } else if (c == '}') {
                closeGroup();
                ++m_pos;
                if (m_groups.empty())
                    return finish();
            } else if (c == '\\') {
                if (!controlSequence())
                    return std::nullopt;
            } else if (c == '\r' || c == '\n') {
                ++m_pos;
            } else {
                plainText();
            }
        }
        return std::nullopt;   // the outer group never closed
    }

private:
    GroupState& state() { return m_groups.back(); }

    // After the outer group only line ends, blanks, NULs and a DOS end-of-file mark may follow.
    std::optional<RichText> finish()
    {
        const bool onlyPadding = std::all_of(m_data.begin() + m_pos, m_data.end(), [](char c) {
            return isWhitespace(c) || c == '\0' || c == '\x1A';
        });
        if (!onlyPadding)
            return std::nullopt;
        if (m_result.text.capacity() > 2 * m_result.text.size())
            m_result.text.shrink_to_fit();
        m_runs.finish(m_result);
        return std::move(m_result);
    }

    void closeGroup()
    {
        if (state().destination == Destination::FontTable && m_font)
            commitFont();
        m_groups.pop_back();
        m_pendingSkip = 0;
    }

    // Raw text bytes up to the next special character.
    void plainText()
    {
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            ++m_pos;
            return;
        }
        const DecodeTable& table = decodeTable(codePage());
        if (state().destination != Destination::Text) {
            emit(table[static_cast<unsigned char>(m_data[m_pos++])]);
            return;
        }
        beginText();
        for (; m_pos < m_data.size(); ++m_pos) {
            const char c = m_data[m_pos];
            if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n')
                break;
            m_result.text.push_back(table[static_cast<unsigned char>(c)]);
        }
    }

    // At a backslash. False when the file is malformed.
    bool controlSequence()
    {
        if (++m_pos >= m_data.size())
            return false;
        const char c = m_data[m_pos];
        if (isLetter(c))
            return controlWord();
        if (c == '\'')
            return hexEscape();
        ++m_pos;
        if (skipPending())
            return true;
        switch (c) {
        case '~': emit(kNoBreakSpace); break;
        case '_': emit(kNoBreakHyphen); break;
        case '*': state().destination = Destination::Skipped; break;
        case '\r': case '\n': emitBreak(); break;
        case '{': case '}': case '\\': emit(static_cast<char16_t>(c)); break;
        default: break;   // \- (optional hyphen) and symbols that add nothing to the text
        }
        return true;
    }

    bool hexEscape()
    {
        if (m_pos + 2 >= m_data.size())
            return false;
        const int high = hexValue(m_data[m_pos + 1]);
        const int low = hexValue(m_data[m_pos + 2]);
        if (high < 0 || low < 0)
            return false;
        m_pos += 3;
        if (!skipPending())
            emit(decodeTable(codePage())[high * 16 + low]);
        return true;
    }

    bool controlWord()
    {
        const std::size_t nameStart = m_pos;
        while (m_pos < m_data.size() && isLetter(m_data[m_pos]))
            ++m_pos;
        const std::string_view name = m_data.substr(nameStart, m_pos - nameStart);
        const std::optional<int> parameter = readParameter();
        if (m_pos < m_data.size() && m_data[m_pos] == ' ')
            ++m_pos;
        const Keyword* keyword = findKeyword(name);
        if (keyword && keyword->action == Action::Binary) {
            // Binary data is never text, but it must be stepped over even in skipped groups.
            const auto length = static_cast<std::size_t>(std::max(parameter.value_or(0), 0));
            if (length > m_data.size() - m_pos)
                return false;
            m_pos += length;
        }
        if (!skipPending() && keyword)
            apply(*keyword, parameter);
        return true;
    }

    std::optional<int> readParameter()
    {
        const bool negative = m_pos + 1 < m_data.size() && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1]);
        if (negative)
            ++m_pos;
        if (m_pos >= m_data.size() || !isDigit(m_data[m_pos]))
            return std::nullopt;
        std::int64_t value = 0;
        for (; m_pos < m_data.size() && isDigit(m_data[m_pos]); ++m_pos)
            value = std::min(value * 10 + (m_data[m_pos] - '0'), kMaxParameter);
        return static_cast<int>(negative ? -value : value);
    }

    // Consumes one token of the stand-in text after \uN; true when it did.
    bool skipPending()
    {
        if (m_pendingSkip == 0)
            return false;
        --m_pendingSkip;
        return true;
    }

    void apply(const Keyword& keyword, std::optional<int> parameter)
    {
        // A missing parameter switches an on/off word on and means 0 to the others.
        const int value = parameter.value_or(0);
        const bool on = parameter.value_or(1) != 0;
        Style& style = state().style;
        switch (keyword.action) {
        case Action::Destination:
            if (state().destination != Destination::Skipped)
                state().destination = keyword.destination;
            break;
        case Action::Character: emit(keyword.character); break;
        case Action::Break: emitBreak(); break;
        case Action::Bold: style.bold = on; break;
        case Action::Italic: style.italic = on; break;
        case Action::Underline: style.underline = on; break;
        case Action::UnderlineNone: style.underline = false; break;
        case Action::Strike: style.strikeOut = on; break;
        case Action::FontSize: style.halfPoints = std::clamp(value, 0, kMaxHalfPoints); break;
        case Action::Font:
            if (state().destination == Destination::FontTable)
                beginFont(value);
            else
                style.font = value;
            break;
        case Action::Foreground: style.color = color(value); break;
        case Action::Background: style.background = color(value); break;
        case Action::Plain:
            style = Style{};
            style.font = m_defaultFont;
            break;
        case Action::AnsiCodePage: m_documentCodePage = codePageFromNumber(value); break;
        case Action::DefaultFont: m_defaultFont = style.font = value; break;
        case Action::UnicodeSkip: state().unicodeSkip = std::max(value, 0); break;
        case Action::Unicode:
            emit(unicodeUnit(value));
            m_pendingSkip = state().unicodeSkip;
            break;
        case Action::Binary: break;
        case Action::FontCharset:
            if (m_font)
                m_font->codePage = codePageFromCharset(value);
            break;
        case Action::Red: setColorComponent(m_colorEntry.red, value); break;
        case Action::Green: setColorComponent(m_colorEntry.green, value); break;
        case Action::Blue: setColorComponent(m_colorEntry.blue, value); break;
        }
    }

    void setColorComponent(int& component, int value)
    {
        if (state().destination != Destination::ColorTable)
            return;
        component = std::clamp(value, 0, 255);
        m_colorEntry.given = true;
    }

    void commitColor()
    {
        m_colors.push_back(m_colorEntry.given ? std::optional<std::uint32_t>(m_colorEntry.red | m_colorEntry.green << 8 |
                                                                           m_colorEntry.blue << 16)
                                            : std::nullopt);
        m_colorEntry = {};
    }

    static char16_t unicodeUnit(int value)
    {
        if (value < 0)
            value += 65536;
        return (value >= 0 && value <= 0xFFFF) ? static_cast<char16_t>(value) : kReplacement;
    }

    std::optional<std::uint32_t> color(int index) const
    {
        if (index < 0 || static_cast<std::size_t>(index) >= m_colors.size())
            return std::nullopt;
        return m_colors[index];
    }

    CodePage codePage() const
    {
        if (m_groups.back().destination == Destination::FontTable && m_font && m_font->codePage)
            return *m_font->codePage;
        const auto it = m_fonts.find(m_groups.back().style.font);
        if (it != m_fonts.end() && it->second.codePage)
            return *it->second.codePage;
        return m_documentCodePage;
    }

    void emitBreak()
    {
        emit(u'\r');
        emit(u'\n');
    }

    // One decoded character, to wherever the current group sends its text.
    void emit(char16_t c)
    {
        switch (state().destination) {
        case Destination::Text:
            beginText();
            m_result.text.push_back(c);
            break;
        case Destination::FontTable:
            if (c == u';')
                commitFont();
            else if (m_font)
                m_font->face.push_back(c);
            break;
        case Destination::ColorTable:
            if (c == u';')
                commitColor();
            break;
        case Destination::Skipped:
            break;
        }
    }

    void beginText()
    {
        m_runs.textAt(static_cast<std::int64_t>(m_result.text.size()), state().style, m_fonts);
    }

    void beginFont(int number)
    {
        if (m_font)
            commitFont();
        m_font.emplace(FontEntry{number, {}, std::nullopt});
    }

    void commitFont()
    {
        if (!m_font)
            return;
        std::u16string& face = m_font->face;
        const auto notBlank = [](char16_t c) { return c != u' '; };
        face.erase(std::find_if(face.rbegin(), face.rend(), notBlank).base(), face.end());
        face.erase(face.begin(), std::find_if(face.begin(), face.end(), notBlank));
        m_fonts[m_font->number] = Font{m_runs.faceIndex(std::move(face)), m_font->codePage};
        m_font.reset();
        m_runs.fontsChanged();
    }

    std::string_view m_data;
    std::size_t m_pos = 0;
    std::vector<GroupState> m_groups;
    int m_pendingSkip = 0;
    CodePage m_documentCodePage = CodePage::Ansi1251;
    int m_defaultFont = -1;
    Fonts m_fonts;
    std::optional<FontEntry> m_font;   // the font-table entry being read
    std::vector<std::optional<std::uint32_t>> m_colors;
    ColorEntry m_colorEntry;
    RunCollector m_runs;
    RichText m_result;
};

} // namespace

bool looksLikeRtf(std::string_view data)
{
    const auto start = std::find_if_not(data.begin(), data.end(), isWhitespace);
    return data.substr(static_cast<std::size_t>(start - data.begin())).starts_with("{\\rtf");
}

std::optional<RichText> parseRtf(std::string_view data)
{
    if (!looksLikeRtf(data))
        return std::nullopt;
    return RtfParser(data).parse();
}

} // namespace lirra
