#include "platform/hive_format.h"

#include "platform/utf8.h"

#include <charconv>
#include <vector>

namespace lirra::platform::hive {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHeaderV5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";
// Like regedit: a hex line with its continuation mark fits in 80 columns.
constexpr std::size_t kHexLineWidth = 79;

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && sameName(s.substr(0, prefix.size()), prefix);
}

std::string escape(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::string hexByte(unsigned char b)
{
    static constexpr char digits[] = "0123456789abcdef";
    return {digits[b >> 4], digits[b & 0xF]};
}

std::string typeTag(std::uint32_t type)
{
    if (type == RegBinary)
        return "hex:";
    char buf[16];
    const auto end = std::to_chars(buf, buf + sizeof buf, type, 16).ptr;
    return "hex(" + std::string(buf, end) + "):";
}

void formatValue(std::string& out, const Value& v)
{
    // Appended, not "\"" + name: GCC 12 wrongly warns (-Wrestrict) about that temporary.
    std::string line = "@=";
    if (!v.name.empty())
        line.assign("\"").append(escape(v.name)).append("\"=");
    if (v.type == RegSz) {
        out += line + "\"" + escape(v.data) + "\"\n";
        return;
    }
    if (v.type == RegDword && v.data.size() == 4) {
        const std::string digits = hexByte(v.data[3]) + hexByte(v.data[2]) + hexByte(v.data[1]) + hexByte(v.data[0]);
        out += line + "dword:" + digits + "\n";
        return;
    }
    // Long byte lists wrap as regedit wraps them: "...,\" then two blanks on the next line.
    line += typeTag(v.type);
    for (std::size_t i = 0; i < v.data.size(); ++i) {
        const std::string item = hexByte(v.data[i]) + (i + 1 < v.data.size() ? "," : "");
        if (line.size() + item.size() > kHexLineWidth) {
            out += line + "\\\n";
            line = "  ";
        }
        line += item;
    }
    out += line + "\n";
}

// The root gets a section only when it holds values; every other key always has one.
void formatKey(std::string& out, const Key& key, const std::string& path, bool isRoot)
{
    if (!isRoot || !key.values.empty()) {
        out += "[" + path + "]\n";
        for (const auto& v : key.values)
            formatValue(out, v);
        out += "\n";
    }
    for (const auto& sub : key.subkeys)
        formatKey(out, sub, path + "\\" + sub.name, false);
}

// Reads the lines of a hive, hiding line-end style and hex continuation lines.
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {}

    bool next(std::string_view& line)
    {
        if (m_at > m_text.size())
            return false;
        const auto end = std::min(m_text.find('\n', m_at), m_text.size());
        line = m_text.substr(m_at, end - m_at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_at = end + 1;
        ++m_number;
        return true;
    }
    int number() const { return m_number; }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
    int m_number = 0;
};

class Parser {
public:
    explicit Parser(std::string_view text) : m_lines(text) {}

    Key parse()
    {
        readHeader();
        std::string_view raw;
        while (m_lines.next(raw)) {
            const auto line = trim(raw);
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[')
                openSection(line);
            else
                readValue(line);
        }
        closeSection();
        return std::move(m_root);
    }

private:
    [[noreturn]] void fail(const std::string& problem) const { throw SyntaxError(m_lines.number(), problem); }

    void readHeader()
    {
        std::string_view raw;
        while (m_lines.next(raw)) {
            auto line = trim(raw);
            if (m_lines.number() == 1 && line.substr(0, 3) == "\xEF\xBB\xBF")
                line.remove_prefix(3);
            if (line.empty())
                continue;
            if (line != kHeader && line != kHeaderV5)
                fail("the first line is not REGEDIT4");
            return;
        }
        fail("the file is empty");
    }

    void openSection(std::string_view line)
    {
        if (line.back() != ']')
            fail("a key line does not end with ']'");
        const auto name = line.substr(1, line.size() - 2);
        if (!startsWithNoCase(name, kRoot) || (name.size() > kRoot.size() && name[kRoot.size()] != '\\'))
            fail("a key outside HKEY_CURRENT_USER");
        const auto path = splitKeyPath(name.substr(kRoot.size()));
        if (!path)
            fail("an invalid key name");
        closeSection();
        m_section = createKey(m_root, *path).first;
    }

    // The values of a section are appended as read and put in order once it ends.
    void closeSection()
    {
        if (m_section)
            m_section->values.sort();
    }

    void readValue(std::string_view line)
    {
        if (!m_section)
            fail("a value before the first key");
        Value value;
        std::size_t at = 0;
        if (line.front() == '@')
            at = 1;
        else
            value.name = readQuoted(line, at);
        if (at >= line.size() || line[at] != '=')
            fail("a value line without '='");
        readData(trim(line.substr(at + 1)), value);
        m_section->values.append(std::move(value));
    }

    // The quoted string starting at `at`; leaves `at` after the closing quote.
    std::string readQuoted(std::string_view line, std::size_t& at)
    {
        if (line[at] != '"')
            fail("a name or string without its opening quote");
        std::string out;
        for (++at; at < line.size(); ++at) {
            // Plain characters are copied a run at a time. (string_view::find_first_of
            // would call memchr once per character.)
            std::size_t special = at;
            while (special < line.size() && line[special] != '"' && line[special] != '\\')
                ++special;
            out.append(line.substr(at, special - at));
            at = special;
            if (at == line.size())
                break;
            const char c = line[at];
            if (c == '"') {
                ++at;
                return out;
            }
            if (at + 1 == line.size()) {
                out += c;
                continue;
            }
            switch (line[++at]) {
            case '\\': out += '\\'; break;
            case '"': out += '"'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            default: out += '\\', out += line[at]; // not an escape: kept as written
            }
        }
        fail("a string without its closing quote");
    }

    void readData(std::string_view data, Value& value)
    {
        if (!data.empty() && data.front() == '"') {
            std::size_t at = 0;
            value.type = RegSz;
            value.data = readQuoted(data, at);
            if (at != data.size())
                fail("text after a closing quote");
        } else if (startsWithNoCase(data, "dword:")) {
            value = dwordValue(std::move(value.name), parseHexNumber(data.substr(6), 8));
        } else if (startsWithNoCase(data, "hex:")) {
            value.type = RegBinary;
            value.data = readBytes(data.substr(4));
        } else if (startsWithNoCase(data, "hex(")) {
            const auto close = data.find("):");
            if (close == std::string_view::npos)
                fail("a hex( type without '):'");
            value.type = parseHexNumber(data.substr(4, close - 4), 8);
            value.data = readBytes(data.substr(close + 2));
            if (value.type == RegSz)
                value.data = utf16leBytesToUtf8(value.data);
        } else {
            fail("a value of unknown form");
        }
    }

    std::uint32_t parseHexNumber(std::string_view digits, std::size_t maxDigits)
    {
        std::uint32_t number = 0;
        const auto* end = digits.data() + digits.size();
        const auto result = std::from_chars(digits.data(), end, number, 16);
        if (digits.empty() || digits.size() > maxDigits || result.ptr != end || result.ec != std::errc())
            fail("a bad hexadecimal number");
        return number;
    }

    // A comma-separated byte list, continued on the next lines while a line ends in '\'.
    std::string readBytes(std::string_view first)
    {
        std::string list(trim(first));
        while (!list.empty() && list.back() == '\\') {
            list.pop_back();
            std::string_view more;
            if (!m_lines.next(more))
                fail("a hex list continued past the end of the file");
            list += trim(more);
        }
        std::string bytes;
        if (trim(list).empty())
            return bytes;
        std::string_view rest = list;
        for (;;) {
            const auto comma = std::min(rest.find(','), rest.size());
            bytes += static_cast<char>(parseHexNumber(trim(rest.substr(0, comma)), 2));
            if (comma == rest.size())
                return bytes;
            rest.remove_prefix(comma + 1);
        }
    }

    LineReader m_lines;
    Key m_root;
    // The key of the section being read; valid until the next section adds keys.
    Key* m_section = nullptr;
};

} // namespace

SyntaxError::SyntaxError(int line, const std::string& problem)
    : std::runtime_error("line " + std::to_string(line) + ": " + problem)
{
}

Key parseHive(std::string_view text)
{
    return Parser(text).parse();
}

std::string formatHive(const Key& root)
{
    std::string out = std::string(kHeader) + "\n\n";
    formatKey(out, root, std::string(kRoot), true);
    return out;
}

} // namespace lirra::platform::hive
