#include "bookview/core/book_kind.h"
#include "bookview/core/fiction_book.h"
#include "bookview/core/unicode_text.h"

#include "book_texts.h"
#include "error_text.h"
#include "peak_memory.h"
#include "platform/codepages.h"
#include "platform/utf8.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using lirra::BookKind;

namespace {

const std::string kData = std::string(LIRRA_SOURCE_DIR) + "/tests/data/";

std::string utf8(std::u16string_view text) { return lirra::platform::utf16ToUtf8(text); }

// 1251 bytes of UTF-8 text (Cyrillic and ASCII only), and the same in 866.
std::string ansi(std::string_view text) { return lirra::platform::encodeAnsi(lirra::platform::utf8ToUtf16(text)); }

std::string dos(std::string_view text)
{
    std::string bytes = ansi(text);
    lirra::platform::charToOemBuff(bytes.data(), bytes.data(), bytes.size());
    return bytes;
}

// The head in one piece (as a file's first piece holds it), then a byte at a time.
BookKind kindFedByteByByte(std::string_view bytes)
{
    lirra::BookKindProbe probe;
    probe.feed(bytes.substr(0, 64));
    for (std::size_t i = 64; i < bytes.size(); ++i)
        probe.feed(bytes.substr(i, 1));
    return probe.kind();
}

std::string fb2(const std::string& body, const std::string& encoding = "UTF-8")
{
    return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?><FictionBook><body>" + body + "</body></FictionBook>";
}

// The formats of the text `what` in `rich`, as "b" (bold), "i", "s" (struck) and the size.
std::string formatOf(const lirra::RichText& rich, std::u16string_view what)
{
    const auto at = static_cast<std::int64_t>(rich.text.find(what));
    const auto run = std::find_if(rich.runs.rbegin(), rich.runs.rend(), [&](const auto& r) { return r.start <= at; });
    const lirra::CharFormat& f = rich.formats[run->format];
    return std::string(f.bold ? "b" : "") + (f.italic ? "i" : "") + (f.strikeOut ? "s" : "") +
           std::to_string(f.halfPoints);
}

} // namespace

TEST(BookKinds, AreToldByContentAndDosAndWindowsBooksAreNeverUtf8)
{
    using enum BookKind;
    const std::pair<std::string, BookKind> cases[] = {
        {"\xEF\xBB\xBFplain ASCII after a mark", Utf8}, {"\xFF\xFEh\0i\0", Utf16Le}, {"\xFE\xFF\0h\0i", Utf16Be},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\x9A", Utf8},
        {"only ASCII\r\n", CodePage}, {"", CodePage},                      // the same either way
        {"a download broken off at the end, far beyond the head: \xD0\xB0\xD0", Utf8},
        {"\xC3\xA9 then Ctrl+Z\x1A\xFF\xFE garbage", Utf8},                  // not part of the book
        {"overlong \xC0\x80", CodePage}, {"surrogate \xED\xA0\x80", CodePage},
        {"past U+10FFFF \xF4\x90\x80\x80", CodePage},
        {"{\\rtf1\\ansi \xC3\xA9}", CodePage},                               // RTF says its code page itself
        {"<?xml version=\"1.0\"?>\n<FictionBook xmlns=\"x\">", FictionBook}, {"\xEF\xBB\xBF<FictionBook>", FictionBook},
        {"<html><body>FictionBook</body></html>", CodePage}, {"Глава про <FictionBook>", Utf8},
    };
    for (const auto& [bytes, kind] : cases)
        EXPECT_EQ(std::pair(lirra::detectBookKind(bytes), kindFedByteByByte(bytes)), std::pair(kind, kind)) << bytes;

    // A DOS or Windows Cyrillic book is never valid UTF-8: the sample book, and generated
    // books of real words in both code pages. (Single words can be: "рад" in 866 is the
    // bytes E0 A0 A4, one UTF-8 character; a book never is.)
    EXPECT_EQ(lirra::detectBookKind(readFile(std::string(LIRRA_SOURCE_DIR) + "/resources/sample/sample-book.txt")),
              BookKind::CodePage);
    const char* const words[] = {"рад", "раб", "ряд", "в", "и", "с", "к", "я", "он", "она", "было", "ещё", "её",
                                 "Москва", "ЭХО", "Юг", "ёлка", "Ёж", "щука", "жизнь", "объём", "чай", "шёл",
                                 "фильм", "цифра", "хлеб", "пусть", "«так»", "№5", "—", "…", "день", "утро"};
    std::mt19937 random(21);
    for (int book = 0; book < 2000; ++book) {
        std::string text;
        for (int word = 0; word < 12; ++word)
            text += std::string(words[random() % std::size(words)]) + (word % 6 == 5 ? "\r\n" : " ");
        EXPECT_EQ(std::pair(lirra::detectBookKind(dos(text)), lirra::detectBookKind(ansi(text))),
                  std::pair(BookKind::CodePage, BookKind::CodePage)) << text;
    }
}

TEST(UnicodeBooks, KeepEveryCharacterUnderTheLineRulesOfDosBooksCutBetweenPiecesOrNotAndSaveInUtf8)
{
    const ScratchFolder scratch;
    // The book's text as the view takes it, checked to be the copy written on the way.
    const auto read = [&](const std::string& bytes) {
        writeFile(scratch / "book.txt", bytes);
        auto book = lirra::readUnicodeBook(scratch / "book.txt", scratch / "lirra.tmp");
        if (!book)
            return std::u16string(u"(code page)");
        EXPECT_EQ(book->charset(), lirra::Charset::Unicode);
        const std::u16string text = book->text(0, book->length());
        if (!book->runs().empty())
            return text;   // FictionBook: no copy
        EXPECT_EQ(readFile(scratch / "lirra.tmp"), utf8(text));
        return text;
    };
    // Every character is kept under the line rules of DOS books.
    const std::pair<std::string, std::u16string> cases[] = {
        {"\xEF\xBB\xBF\xCE\xB1\xCE\x92 \xE2\x82\xAC\r\n\xF0\x9F\x98\x80", u"αΒ €\r\n😀\r\n"},
        {"\xD0\xB0\n\xD0\xB1\r\xD0\xB2\r\n", u"а\nб\r\nв\r\n"},     // a lone LF stays in its line
        {"\xD0\xB0\x1A\xD0\xB1", u"а\r\n"},                          // Ctrl+Z ends the text
        {"\xEF\xBB\xBF\xD0\xB0\xD0", u"а\uFFFD\r\n"},                // cut by the end
        {std::string("\xFF\xFE\x1A\x04\r\0\r\0\n\0=\xD8\0\xDE", 14), u"К\r\n\r\n😀\r\n"},
        {std::string("\xFE\xFF\x04\x1A\0\r\0\x1A\0x", 10), u"К\r\n"},
        {fb2("<p>\xD0\x81\xD0\xB6</p>"), u"Ёж\r\n\r\n"},                      // a FictionBook, read without a copy
        {"plain ASCII", u"(code page)"}, {"\x8F\xE0\xA8\xA2\xA5\xE2", u"(code page)"},   // "Привет" in 866
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(read(bytes), text) << bytes;

    read("\xEF\xBB\xBF\xCE\xB1 \xF0\x9F\x93\x9A\r\n\xD0\x81\r\n");
    lirra::readUnicodeBook(scratch / "book.txt", "")->saveAsPlainText(scratch / "saved.txt");
    EXPECT_EQ(readFile(scratch / "saved.txt"), "\xCE\xB1 \xF0\x9F\x93\x9A\r\n\xD0\x81\r\n");

    // However UTF-8 is cut into pieces, good and bad, it decodes as it does whole.
    const auto decode = [](std::initializer_list<std::string_view> pieces) {
        lirra::Utf8Decoder decoder;
        std::u16string text;
        for (const std::string_view piece : pieces)
            if (!piece.empty())   // an empty piece is the end
                decoder.decode(piece, text);
        decoder.decode({}, text);
        return text;
    };
    for (const std::string_view bytes : {"a\xEF\xEF\xEF\xEF\xEF" "b", "\xF0\x9F\x93\x9A\xE2\x82", "\xE2\x80\x41\xC3"})
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut)
            for (std::size_t next = cut; next <= bytes.size(); ++next)
                EXPECT_EQ(decode({bytes.substr(0, cut), bytes.substr(cut, next - cut), bytes.substr(next)}),
                          decode({bytes}))
                    << bytes << " cut at " << cut << " and " << next;

    // Pieces of the file are 256 KiB: two- and four-byte characters, CRs and CR LFs
    // fall across their edges; 131067 "ж" and 3 "€" put a CR LF astride the first edge both
    // in UTF-8 and, after its mark, in UTF-16.
    const std::u16string head = std::u16string(131067, u'ж') + u"€€€\r\n", line = u"жизнь 😀\r";
    const std::u16string book = head + repeated(line + line + u"\n", 20000);
    const std::u16string expected = head + repeated(line + u"\n", 40000);
    // Where a text first differs from the expected one: a diff of texts this long takes minutes.
    const auto differsAt = [&](const std::u16string& text) {
        const auto [at, _] = std::mismatch(text.begin(), text.end(), expected.begin(), expected.end());
        return text == expected ? -1 : at - text.begin();
    };
    EXPECT_EQ(differsAt(read(utf8(book))), -1);
    std::string utf16le("\xFF\xFE");
    for (const char16_t unit : book)
        utf16le += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    EXPECT_EQ(differsAt(read(utf16le)), -1);
}

TEST(FictionBooks, SwellingStopsWithinTheMemoryBudgetTitlesAndEmphasisShowInTheirFormatsAndDamageWhatWasRead)
{
    // A book that swells stops within its memory budget. Empty verse lines: four bytes of
    // file make an indent, a line break and its start.
    const std::string book = fb2("<poem><stanza>" + repeated("<v/>", 300'000) + "</stanza></poem>");
    lirra::RichText rich;
    const long long peak = residentPeakGrowth([&] { rich = lirra::parseFictionBook(book); });
    EXPECT_TRUE(utf8(rich.text).ends_with("[Reading stopped here: the rest would take more memory than a book of "
                                          "this size may.]\r\n"));
    EXPECT_LE(static_cast<long long>(rich.text.size()), static_cast<long long>(book.size()));
    // Three times the file, and a little for the allocator: under the sanitizers a
    // vector's old buffer stays resident in quarantine after it grows.
    EXPECT_LT(peak, 3LL * static_cast<long long>(book.size()) + 256 * 1024);

    const lirra::RichText every = lirra::parseFictionBook(readFile(kData + "every-element.fb2"));
    const std::pair<std::u16string_view, std::string> cases[] = {
        {u"Всё в одной книге", "b44"}, {u"Анна", "0"},        {u"Глава 1", "b34"}, {u"Часть 1.1", "b30"},
        {u"курсивом", "i0"},           {u"жирным", "b0"},     {u"зачёркнутая", "s0"}, {u"Стихи", "b0"},
        {u"Примечания", "b40"},        {u"Текст сноски", "0"}, {u"* * *", "b0"},
    };
    for (const auto& [what, format] : cases)
        EXPECT_EQ(formatOf(every, what), format) << utf8(what);

    // Damage shows what was read and why.
    const std::pair<std::string, std::string> damaged[] = {
        {fb2("<p>Раз</p><p>Два</p>").substr(0, 80), "Раз\r\nДва\r\n[Reading stopped here: unclosed token, line 1.]\r\n"},
        {fb2("<p>Один</p><p>x &nbsp; y</p>"), "Один\r\nx\r\n[Reading stopped here: undefined entity, line 1.]\r\n"},
        {"<?xml version=\"1.0\"?><!DOCTYPE FictionBook [<!ENTITY a \"aaaa\">]><FictionBook><body><p>&a;</p>",
         "(error) This FictionBook cannot be read: it declares entities, line 1."},
        {"<FictionBook><", "(error) This FictionBook cannot be read: unclosed token, line 1."},
        {fb2("<p>\xCF\xF0\xE8\xE2\xE5\xF2</p>", "windows-1251"), "Привет\r\n\r\n"},
        {fb2("<p>\x8F\xE0\xA8\xA2\xA5\xE2</p>", "ibm866"), "Привет\r\n\r\n"},
        {fb2("<p>x</p>", "koi8-u"), "(error) This FictionBook cannot be read: unknown encoding, line 1."},
    };
    for (const auto& [bytes, shown] : damaged) {
        std::string text;
        const std::string error = errorText([&] { text = utf8(lirra::parseFictionBook(bytes).text); });
        EXPECT_EQ(error == "(no error)" ? text : "(error) " + error, shown) << bytes;
    }
}

