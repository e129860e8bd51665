#include "bookview/core/fiction_book.h"

#include "platform/buffered_file.h"
#include "platform/codepage_tables.h"
#include "platform/codepages.h"
#include "platform/lirra_error.h"
#include "platform/utf8.h"

#include <expat.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace lirra {

namespace {

enum class Tag : std::uint8_t {
    Other, Description, TitleInfo, BookTitle, Author, AuthorName, Body, Section, Title, Subtitle, P, V,
    Stanza, Poem, Epigraph, Cite, TextAuthor, Emphasis, Strong, Strikethrough, Image, EmptyLine, Binary, Tr,
    Cell,
};

struct TagName {
    std::string_view name;
    Tag tag;
};

constexpr TagName kTags[] = {
    {"description", Tag::Description}, {"title-info", Tag::TitleInfo}, {"book-title", Tag::BookTitle},
    {"author", Tag::Author}, {"first-name", Tag::AuthorName}, {"middle-name", Tag::AuthorName},
    {"last-name", Tag::AuthorName}, {"nickname", Tag::AuthorName}, {"body", Tag::Body},
    {"section", Tag::Section}, {"title", Tag::Title}, {"subtitle", Tag::Subtitle}, {"p", Tag::P},
    {"v", Tag::V}, {"stanza", Tag::Stanza}, {"poem", Tag::Poem}, {"epigraph", Tag::Epigraph},
    {"cite", Tag::Cite}, {"text-author", Tag::TextAuthor}, {"emphasis", Tag::Emphasis},
    {"strong", Tag::Strong}, {"strikethrough", Tag::Strikethrough}, {"image", Tag::Image},
    {"empty-line", Tag::EmptyLine}, {"binary", Tag::Binary}, {"tr", Tag::Tr}, {"td", Tag::Cell},
    {"th", Tag::Cell},
};

// The element's own name, without a namespace prefix ("fb:section").
std::string_view localName(std::string_view name)
{
    const std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

Tag tagOf(const XML_Char* name)
{
    const std::string_view local = localName(name);
    for (const TagName& entry : kTags)
        if (entry.name == local)
            return entry.tag;
    return Tag::Other;
}

// Title sizes in half points, the view's text being some 13 points: the book's title,
// a body's, then sections' by depth.
constexpr int kBookTitleSize = 44;
constexpr int kBodyTitleSize = 40;
constexpr int kSectionTitleSizes[] = {34, 30, 28};
constexpr std::u16string_view kIndent = u"    ";
constexpr std::u16string_view kBreak = u"\r\n";
constexpr std::u16string_view kPicture = u"[Picture]";
// A title or an author's name longer than this is cut: it is never that long.
constexpr std::size_t kLongestName = 1024;
// Pieces handed to expat at once (its length argument is an int).
constexpr std::size_t kParseSlice = 1 << 20;
// Memory the text may take beyond twice the bytes read so far.
constexpr std::int64_t kBudgetSlack = 64 * 1024;

std::string_view trimmed(std::string_view words)
{
    return words.ends_with(' ') ? words.substr(0, words.size() - 1) : words;
}

bool endsWithBlankLine(const std::u16string& text)
{
    return text.empty() || text.ends_with(u"\r\n\r\n");
}

} // namespace

struct FictionBookReader::State {
    XML_Parser parser = XML_ParserCreate(nullptr);
    FormatTable formats;
    std::u16string text;
    std::vector<FormatRun> runs;
    std::vector<Tag> open;             // the elements open, outermost first
    int skipped = 0;                   // open elements whose content is not shown
    int sections = 0, indents = 0, bolds = 0, italics = 0, strikes = 0;
    int titleSize = -1;                // inside a title: its size (0: the view's); -1 outside
    int paragraphs = 0;                // open text-bearing elements
    int cells = 0;                     // cells begun in the table row
    bool pendingSpace = false;         // white space met since the line's last character
    bool lineHasText = false;
    // The description's title block, shown when its title-info ends.
    bool titleShown = false;
    std::string* collecting = nullptr;
    std::string bookTitle, authorName;
    std::vector<std::string> authors;
    // Reading stopped early: why, and the line it stopped on (0: a budget, not damage).
    std::string stopReason;
    std::int64_t stopLine = 0;
    bool stopped = false;
    std::int64_t fed = 0, lines = 0;

    CharFormat current() const
    {
        CharFormat format;
        format.bold = bolds > 0 || titleSize >= 0;
        format.italic = italics > 0;
        format.strikeOut = strikes > 0;
        format.halfPoints = std::max(titleSize, 0);
        return format;
    }

    std::uint32_t formatIndex(const CharFormat& format)
    {
        auto& all = formats.formats;
        const auto found = std::find(all.begin(), all.end(), format);
        if (found != all.end())
            return static_cast<std::uint32_t>(found - all.begin());
        all.push_back(format);
        return static_cast<std::uint32_t>(all.size() - 1);
    }

    void put(std::u16string_view units, const CharFormat& format)
    {
        if (units.empty())
            return;
        const std::uint32_t index = formatIndex(format);
        if (runs.empty() || runs.back().format != index)
            runs.push_back({static_cast<std::int64_t>(text.size()), index});
        text.append(units);
    }

    void put(std::u16string_view units) { put(units, current()); }

    void stop(std::string reason, std::int64_t line)
    {
        if (stopped)
            return;
        stopped = true;
        stopReason = std::move(reason);
        stopLine = line;
        XML_StopParser(parser, XML_FALSE);
    }

    // The text, its runs and its line starts must fit in twice the bytes read so far:
    // with the file read piece by piece, the whole book then stays within three times
    // its file.
    bool withinBudget()
    {
        const std::int64_t bytes = 2 * static_cast<std::int64_t>(text.size()) +
                                   static_cast<std::int64_t>(runs.size() * sizeof(FormatRun)) + 4 * lines;
        if (bytes <= 2 * fed + kBudgetSlack)
            return true;
        stop("the rest would take more memory than a book of this size may", 0);
        return false;
    }

    void startLine()
    {
        for (int i = 0; i < indents; ++i)
            put(kIndent);
        pendingSpace = false;
        lineHasText = false;
    }

    void endLine()
    {
        put(kBreak);
        ++lines;
        pendingSpace = false;
        lineHasText = false;
    }

    void blankLine()
    {
        if (!endsWithBlankLine(text))
            endLine();
    }

    // Text of a paragraph: runs of white space (line ends included) become one blank,
    // none at the line's start or end.
    void paragraphText(std::string_view utf8)
    {
        std::string collapsed;
        for (const char c : utf8) {
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                pendingSpace = lineHasText || !collapsed.empty();
                continue;
            }
            if (pendingSpace)
                collapsed.push_back(' ');
            pendingSpace = false;
            collapsed.push_back(c);
        }
        if (collapsed.empty())
            return;
        put(platform::utf8ToUtf16(collapsed));
        lineHasText = true;
        withinBudget();
    }

    // A title's or an author's words, one blank between them, cut at kLongestName.
    void collect(std::string_view utf8)
    {
        for (const char c : utf8) {
            if (collecting->size() >= kLongestName)
                return;
            const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
            if (!blank)
                collecting->push_back(c);
            else if (!collecting->empty() && collecting->back() != ' ')
                collecting->push_back(' ');
        }
    }

    void characters(std::string_view utf8)
    {
        if (stopped)
            return;
        if (collecting)
            collect(utf8);
        else if (skipped == 0 && paragraphs > 0)
            paragraphText(utf8);
    }

    void showTitleBlock()
    {
        if (titleShown)
            return;
        titleShown = true;
        CharFormat title;
        title.bold = true;
        title.halfPoints = kBookTitleSize;
        if (!bookTitle.empty()) {
            put(platform::utf8ToUtf16(trimmed(bookTitle)), title);
            put(kBreak, title);
        }
        std::string names;
        for (const std::string& author : authors)
            names += (names.empty() ? "" : ", ") + std::string(trimmed(author));
        if (!names.empty()) {
            put(platform::utf8ToUtf16(names), CharFormat{});
            put(kBreak, CharFormat{});
        }
        if (!text.empty())
            put(kBreak, CharFormat{});
    }

    void picture(bool inline_)
    {
        if (!inline_)
            startLine();
        if (pendingSpace)
            put(u" ");
        put(kPicture);
        lineHasText = true;
        if (!inline_)
            endLine();
    }

    void start(const XML_Char* name)
    {
        const Tag tag = tagOf(name);
        const Tag parent = open.empty() ? Tag::Other : open.back();
        open.push_back(tag);
        if (stopped)
            return;
        if (tag == Tag::Description || tag == Tag::Binary)
            ++skipped;
        if (skipped > 0) {
            // Of the description only the title-info's title and authors are read.
            const Tag grandparent = open.size() >= 3 ? open[open.size() - 3] : Tag::Other;
            if (tag == Tag::BookTitle && parent == Tag::TitleInfo)
                collecting = &bookTitle;
            else if (tag == Tag::AuthorName && parent == Tag::Author && grandparent == Tag::TitleInfo)
                collecting = &authorName;
            if (collecting && !collecting->empty() && collecting->back() != ' ')
                collecting->push_back(' ');
            return;
        }
        switch (tag) {
        case Tag::Body:
            showTitleBlock();
            blankLine();
            break;
        case Tag::Section:
            ++sections;
            break;
        case Tag::Title:
            blankLine();
            titleSize = parent == Tag::Body      ? kBodyTitleSize
                        : parent == Tag::Section ? kSectionTitleSizes[std::min(sections, 3) - 1]
                                                 : 0;
            break;
        case Tag::Epigraph:
        case Tag::Poem:
        case Tag::Cite:
            ++indents;
            break;
        case Tag::Subtitle:
            ++bolds;
            [[fallthrough]];
        case Tag::P:
        case Tag::V:
        case Tag::TextAuthor:
        case Tag::Tr:
            if (paragraphs++ == 0)
                startLine();
            cells = 0;
            break;
        case Tag::Cell:
            if (cells++ > 0)
                put(u"\t");
            pendingSpace = false;
            break;
        case Tag::Emphasis:
            ++italics;
            break;
        case Tag::Strong:
            ++bolds;
            break;
        case Tag::Strikethrough:
            ++strikes;
            break;
        case Tag::Image:
            picture(paragraphs > 0);
            break;
        case Tag::EmptyLine:
            if (paragraphs == 0)
                endLine();
            break;
        default:
            break;
        }
        withinBudget();
    }

    void end()
    {
        const Tag tag = open.back();
        open.pop_back();
        if (stopped)
            return;
        if (skipped > 0) {
            if (tag == Tag::BookTitle || tag == Tag::AuthorName)
                collecting = nullptr;
            else if (tag == Tag::Author && !authorName.empty())
                authors.push_back(std::exchange(authorName, std::string()));
            else if (tag == Tag::TitleInfo)
                showTitleBlock();
            if (tag == Tag::Description || tag == Tag::Binary)
                --skipped;
            return;
        }
        switch (tag) {
        case Tag::Body:
            blankLine();
            break;
        case Tag::Section:
            --sections;
            break;
        case Tag::Title:
            titleSize = -1;
            break;
        case Tag::Epigraph:
        case Tag::Poem:
        case Tag::Cite:
            --indents;
            break;
        case Tag::Stanza:
            blankLine();
            break;
        case Tag::Subtitle:
            --bolds;
            [[fallthrough]];
        case Tag::P:
        case Tag::V:
        case Tag::TextAuthor:
        case Tag::Tr:
            if (--paragraphs == 0)
                endLine();
            break;
        case Tag::Emphasis:
            --italics;
            break;
        case Tag::Strong:
            --bolds;
            break;
        case Tag::Strikethrough:
            --strikes;
            break;
        default:
            break;
        }
        withinBudget();
    }
};

namespace {

// Old books declare a Russian code page, which expat does not know by itself.
int declaredCodePage(void*, const XML_Char* name, XML_Encoding* info)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    const bool windows = lower == "windows-1251" || lower == "cp1251" || lower == "x-cp1251";
    const bool dos = lower == "ibm866" || lower == "cp866" || lower == "866" || lower == "x-cp866";
    if (!windows && !dos)
        return XML_STATUS_ERROR;
    for (int byte = 0; byte < 256; ++byte) {
        const auto ansi = static_cast<unsigned char>(dos ? platform::tables::kOem866ToAnsi1251[byte] : byte);
        // 866's box drawing has no 1251 form and comes back as ASCII, which expat refuses
        // for a byte above 127.
        info->map[byte] = byte < 0x80 ? byte : ansi < 0x80 ? 0xFFFD : platform::ansiToUnicode(ansi);
    }
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

} // namespace

FictionBookReader::FictionBookReader(std::int64_t size) : m_state(std::make_unique<State>())
{
    // The budget holds the text within the file's size in characters: room for all of it
    // at once, so that it never moves (a move holds it twice for a moment). Pages not
    // written to are not taken.
    m_state->text.reserve(static_cast<std::size_t>(std::max<std::int64_t>(size, 0) + kBudgetSlack));
    XML_Parser parser = m_state->parser;
    if (!parser)
        throw std::bad_alloc();
    XML_SetUserData(parser, m_state.get());
    XML_SetElementHandler(
        parser, [](void* data, const XML_Char* name, const XML_Char**) { static_cast<State*>(data)->start(name); },
        [](void* data, const XML_Char*) { static_cast<State*>(data)->end(); });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* s, int length) {
        static_cast<State*>(data)->characters(std::string_view(s, static_cast<std::size_t>(length)));
    });
    // A FictionBook declares no entities; one that does is taken for an attack on memory.
    XML_SetEntityDeclHandler(parser, [](void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                        const XML_Char*, const XML_Char*, const XML_Char*) {
        auto* state = static_cast<State*>(data);
        state->stop("it declares entities", static_cast<std::int64_t>(XML_GetCurrentLineNumber(state->parser)));
    });
    XML_SetUnknownEncodingHandler(parser, declaredCodePage, nullptr);
}

FictionBookReader::~FictionBookReader()
{
    XML_ParserFree(m_state->parser);
}

bool FictionBookReader::feed(std::string_view piece, bool last)
{
    State& state = *m_state;
    do {
        if (state.stopped)
            return false;
        const std::string_view slice = piece.substr(0, kParseSlice);
        piece.remove_prefix(slice.size());
        state.fed += static_cast<std::int64_t>(slice.size());
        const bool final = last && piece.empty();
        if (XML_Parse(state.parser, slice.data(), static_cast<int>(slice.size()), final) == XML_STATUS_ERROR)
            state.stop(XML_ErrorString(XML_GetErrorCode(state.parser)),
                       static_cast<std::int64_t>(XML_GetCurrentLineNumber(state.parser)));
    } while (!piece.empty());
    return !state.stopped;
}

RichText FictionBookReader::finish()
{
    State& state = *m_state;
    if (state.stopped) {
        std::string why = state.stopReason;
        if (state.stopLine > 0)
            why += ", line " + std::to_string(state.stopLine);
        if (state.text.empty())
            throw Error("This FictionBook cannot be read: " + why + ".");
        CharFormat note;
        note.italic = true;
        if (!state.text.ends_with(kBreak))
            state.put(kBreak, CharFormat{});
        state.put(platform::utf8ToUtf16("[Reading stopped here: " + why + ".]"), note);
        state.put(kBreak, note);
    }
    return RichText{std::move(state.text), std::move(state.runs), std::move(state.formats)};
}

RichText parseFictionBook(std::string_view data)
{
    FictionBookReader reader(static_cast<std::int64_t>(data.size()));
    reader.feed(data, true);
    return reader.finish();
}

RichText readFictionBook(const std::string& path)
{
    platform::FileReader in(path);
    FictionBookReader reader(in.size());
    for (bool more = true; more;) {
        const std::string_view piece = in.takeChunk();
        more = !piece.empty() && reader.feed(piece, false);
        if (piece.empty())
            reader.feed({}, true);
    }
    in.close();
    return reader.finish();
}

} // namespace lirra
