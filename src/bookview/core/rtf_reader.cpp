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
    static const DecodeTable ansi1251 = makeTable(platform::ansiToUnicode);
    static const DecodeTable ansi1252 = makeTable([](unsigned char byte) -> char16_t {
        return (byte >= 0x80 && byte < 0xA0) ? kAnsi1252High[byte - 0x80] : byte;
    });
    // DOS text goes through 1251 exactly as plain books do.
    static const DecodeTable oem866 = makeTable([](unsigned char byte) {
        char ansi = 0;
        platform::oemToCharBuff(reinterpret_cast<const char*>(&byte), &ansi, 1);
        return platform::ansiToUnicode(static_cast<unsigned char>(ansi));
    });
    switch (codePage) {
    case CodePage::Ansi1252: return ansi1252;
    case CodePage::Oem866: return oem866;
    case CodePage::Ansi1251: break;
    }
    return ansi1251;
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
    static const std::unordered_map<std::string_view, Keyword> keywords = [] {
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
    const auto it = keywords.find(name);
    return it == keywords.end() ? nullptr : &it->second;
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
    auto operator<=>(const Style&) const = default;
};

struct GroupState {
    Style style;
    int unicodeSkip = 1;   // \ucN: characters after \uN that stand in for it
    Destination destination = Destination::Text;
};

struct Font {
    std::u16string face;
    std::optional<CodePage> codePage;
};

using Fonts = std::unordered_map<int, Font>;   // by font number

// Turns the style in force at each stretch of text into format runs. Runs are kept as
// format numbers and expanded once at the end: a book has hundreds of thousands of
// runs but few distinct formats.
class RunCollector {
public:
    // Text in `style` is about to be added at `position`.
    void textAt(std::int64_t position, const Style& style, const Fonts& fonts)
    {
        if (lastStyle_ && *lastStyle_ == style)
            return;
        lastStyle_ = style;
        const std::size_t format = formatOf(style, fonts);
        if (starts_.empty() || formats_[starts_.back().format] != formats_[format])
            starts_.push_back({position, format});
    }

    // A font number may now name another face.
    void fontsChanged()
    {
        lastStyle_.reset();
        formatOfStyle_.clear();
    }

    std::vector<FormatRun> runs() const
    {
        std::vector<FormatRun> runs;
        runs.reserve(starts_.size());
        for (const RunStart& run : starts_)
            runs.push_back({run.start, formats_[run.format]});
        return runs;
    }

private:
    std::size_t formatOf(const Style& style, const Fonts& fonts)
    {
        const auto [it, added] = formatOfStyle_.try_emplace(style, formats_.size());
        if (added) {
            const auto font = fonts.find(style.font);
            formats_.push_back({.face = font != fonts.end() ? font->second.face : std::u16string(),
                                .halfPoints = style.halfPoints, .bold = style.bold, .italic = style.italic,
                                .underline = style.underline, .strikeOut = style.strikeOut,
                                .color = style.color, .background = style.background});
        }
        return it->second;
    }

    struct RunStart {
        std::int64_t start;
        std::size_t format;
    };
    std::vector<CharFormat> formats_;
    std::map<Style, std::size_t> formatOfStyle_;
    std::vector<RunStart> starts_;
    std::optional<Style> lastStyle_;
};

struct ColorEntry {
    int red = 0, green = 0, blue = 0;
    bool given = false;   // an entry without components is "auto"
};

class RtfParser {
public:
    explicit RtfParser(std::string_view data) : data_(data) {}

    std::optional<RichText> parse()
    {
        pos_ = data_.find('{');
        result_.text.reserve(data_.size());
        while (pos_ < data_.size()) {
            const char c = data_[pos_];
            if (c == '{') {
                if (groups_.size() >= kMaxDepth)
                    return std::nullopt;
                groups_.push_back(groups_.empty() ? GroupState{} : groups_.back());
                pendingSkip_ = 0;
                ++pos_;
            } else if (c == '}') {
                closeGroup();
                ++pos_;
                if (groups_.empty())
                    return finish();
            } else if (c == '\\') {
                if (!controlSequence())
                    return std::nullopt;
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                plainText();
            }
        }
        return std::nullopt;   // the outer group never closed
    }

private:
    GroupState& state() { return groups_.back(); }

    // After the outer group only line ends, blanks, NULs and a DOS end-of-file mark may follow.
    std::optional<RichText> finish()
    {
        const bool onlyPadding = std::all_of(data_.begin() + pos_, data_.end(), [](char c) {
            return isWhitespace(c) || c == '\0' || c == '\x1A';
        });
        if (!onlyPadding)
            return std::nullopt;
        if (result_.text.capacity() > 2 * result_.text.size())
            result_.text.shrink_to_fit();
        result_.runs = runs_.runs();
        return std::move(result_);
    }

    void closeGroup()
    {
        if (state().destination == Destination::FontTable && font_)
            commitFont();
        groups_.pop_back();
        pendingSkip_ = 0;
    }

    // Raw text bytes up to the next special character.
    void plainText()
    {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            ++pos_;
            return;
        }
        const DecodeTable& table = decodeTable(codePage());
        if (state().destination != Destination::Text) {
            emit(table[static_cast<unsigned char>(data_[pos_++])]);
            return;
        }
        beginText();
        for (; pos_ < data_.size(); ++pos_) {
            const char c = data_[pos_];
            if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n')
                break;
            result_.text.push_back(table[static_cast<unsigned char>(c)]);
        }
    }

    // At a backslash. False when the file is malformed.
    bool controlSequence()
    {
        if (++pos_ >= data_.size())
            return false;
        const char c = data_[pos_];
        if (isLetter(c))
            return controlWord();
        if (c == '\'')
            return hexEscape();
        ++pos_;
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
        if (pos_ + 2 >= data_.size())
            return false;
        const int high = hexValue(data_[pos_ + 1]);
        const int low = hexValue(data_[pos_ + 2]);
        if (high < 0 || low < 0)
            return false;
        pos_ += 3;
        if (!skipPending())
            emit(decodeTable(codePage())[high * 16 + low]);
        return true;
    }

    bool controlWord()
    {
        const std::size_t nameStart = pos_;
        while (pos_ < data_.size() && isLetter(data_[pos_]))
            ++pos_;
        const std::string_view name = data_.substr(nameStart, pos_ - nameStart);
        const std::optional<int> parameter = readParameter();
        if (pos_ < data_.size() && data_[pos_] == ' ')
            ++pos_;
        const Keyword* keyword = findKeyword(name);
        if (keyword && keyword->action == Action::Binary) {
            // Binary data is never text, but it must be stepped over even in skipped groups.
            const auto length = static_cast<std::size_t>(std::max(parameter.value_or(0), 0));
            if (length > data_.size() - pos_)
                return false;
            pos_ += length;
        }
        if (!skipPending() && keyword)
            apply(*keyword, parameter);
        return true;
    }

    std::optional<int> readParameter()
    {
        const bool negative = pos_ + 1 < data_.size() && data_[pos_] == '-' && isDigit(data_[pos_ + 1]);
        if (negative)
            ++pos_;
        if (pos_ >= data_.size() || !isDigit(data_[pos_]))
            return std::nullopt;
        std::int64_t value = 0;
        for (; pos_ < data_.size() && isDigit(data_[pos_]); ++pos_)
            value = std::min(value * 10 + (data_[pos_] - '0'), kMaxParameter);
        return static_cast<int>(negative ? -value : value);
    }

    // Consumes one token of the stand-in text after \uN; true when it did.
    bool skipPending()
    {
        if (pendingSkip_ == 0)
            return false;
        --pendingSkip_;
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
            style.font = defaultFont_;
            break;
        case Action::AnsiCodePage: documentCodePage_ = codePageFromNumber(value); break;
        case Action::DefaultFont: defaultFont_ = style.font = value; break;
        case Action::UnicodeSkip: state().unicodeSkip = std::max(value, 0); break;
        case Action::Unicode:
            emit(unicodeUnit(value));
            pendingSkip_ = state().unicodeSkip;
            break;
        case Action::Binary: break;
        case Action::FontCharset:
            if (font_)
                font_->second.codePage = codePageFromCharset(value);
            break;
        case Action::Red: setColorComponent(colorEntry_.red, value); break;
        case Action::Green: setColorComponent(colorEntry_.green, value); break;
        case Action::Blue: setColorComponent(colorEntry_.blue, value); break;
        }
    }

    void setColorComponent(int& component, int value)
    {
        if (state().destination != Destination::ColorTable)
            return;
        component = std::clamp(value, 0, 255);
        colorEntry_.given = true;
    }

    void commitColor()
    {
        colors_.push_back(colorEntry_.given ? std::optional<std::uint32_t>(colorEntry_.red | colorEntry_.green << 8 |
                                                                           colorEntry_.blue << 16)
                                            : std::nullopt);
        colorEntry_ = {};
    }

    static char16_t unicodeUnit(int value)
    {
        if (value < 0)
            value += 65536;
        return (value >= 0 && value <= 0xFFFF) ? static_cast<char16_t>(value) : kReplacement;
    }

    std::optional<std::uint32_t> color(int index) const
    {
        if (index < 0 || static_cast<std::size_t>(index) >= colors_.size())
            return std::nullopt;
        return colors_[index];
    }

    CodePage codePage() const
    {
        if (groups_.back().destination == Destination::FontTable && font_ && font_->second.codePage)
            return *font_->second.codePage;
        const auto it = fonts_.find(groups_.back().style.font);
        if (it != fonts_.end() && it->second.codePage)
            return *it->second.codePage;
        return documentCodePage_;
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
            result_.text.push_back(c);
            break;
        case Destination::FontTable:
            if (c == u';')
                commitFont();
            else if (font_)
                font_->second.face.push_back(c);
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
        runs_.textAt(static_cast<std::int64_t>(result_.text.size()), state().style, fonts_);
    }

    void beginFont(int number)
    {
        if (font_)
            commitFont();
        font_.emplace(number, Font{});
    }

    void commitFont()
    {
        if (!font_)
            return;
        std::u16string& face = font_->second.face;
        const auto notBlank = [](char16_t c) { return c != u' '; };
        face.erase(std::find_if(face.rbegin(), face.rend(), notBlank).base(), face.end());
        face.erase(face.begin(), std::find_if(face.begin(), face.end(), notBlank));
        fonts_[font_->first] = std::move(font_->second);
        font_.reset();
        runs_.fontsChanged();
    }

    std::string_view data_;
    std::size_t pos_ = 0;
    std::vector<GroupState> groups_;
    int pendingSkip_ = 0;
    CodePage documentCodePage_ = CodePage::Ansi1251;
    int defaultFont_ = -1;
    Fonts fonts_;
    std::optional<std::pair<int, Font>> font_;   // the font-table entry being read
    std::vector<std::optional<std::uint32_t>> colors_;
    ColorEntry colorEntry_;
    RunCollector runs_;
    RichText result_;
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
