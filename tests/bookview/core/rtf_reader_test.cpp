#include "bookview/core/rtf_reader.h"

#include "peak_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

using namespace lirra;

namespace {

// Parses and checks what every result must satisfy: runs sorted, the first at 0, each
// starting inside the text and naming a format of the table, no two neighbours with the
// same format, and each format and each face held once.
RichText parsed(std::string_view rtf)
{
    auto rich = parseRtf(rtf);
    if (!rich) {
        ADD_FAILURE() << "not taken as rich text: " << rtf;
        return {};
    }
    const auto& runs = rich->runs;
    const FormatTable& table = rich->formats;
    EXPECT_EQ(runs.empty(), rich->text.empty());
    if (!runs.empty()) {
        EXPECT_EQ(runs.front().start, 0);
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_LT(runs[i].start, static_cast<std::int64_t>(rich->text.size()));
        EXPECT_LT(runs[i].format, table.formats.size());
        if (i > 0) {
            EXPECT_LT(runs[i - 1].start, runs[i].start);
            EXPECT_NE(runs[i - 1].format, runs[i].format);
        }
    }
    EXPECT_EQ(std::set<CharFormat>(table.formats.begin(), table.formats.end()).size(), table.formats.size());
    EXPECT_EQ(std::set<std::u16string>(table.faces.begin(), table.faces.end()).size(), table.faces.size());
    for (const CharFormat& format : table.formats)
        EXPECT_TRUE(format.face == CharFormat::kViewFace || std::size_t(format.face) < table.faces.size());
    return std::move(*rich);
}

std::u16string textOf(std::string_view rtf) { return parsed(rtf).text; }

CharFormat formatAt(const RichText& rich, std::int64_t index)
{
    const auto after = std::upper_bound(rich.runs.begin(), rich.runs.end(), index,
                                        [](std::int64_t i, const FormatRun& run) { return i < run.start; });
    return rich.formats[std::prev(after)->format];
}

std::u16string faceAt(const RichText& rich, std::int64_t index)
{
    return std::u16string(rich.formats.face(formatAt(rich, index)));
}

} // namespace

TEST(RtfReader, CharacterFormatsFollowTheControlWords)
{
    const RichText rich = parsed(
        "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman{\\*\\panose 0202}Times New Roman;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red1\\green2\\blue3;}"
        "\\f0 a\\b b\\b0\\i c\\i0\\ul d\\ulnone\\strike e\\strike0\\f1\\fs40 f\\cf1\\highlight2 g\\plain h}");
    ASSERT_EQ(rich.text, u"abcdefgh");
    EXPECT_EQ(faceAt(rich, 0), u"Arial");
    EXPECT_EQ(faceAt(rich, 5), u"Times New Roman");
    CharFormat expected;
    expected.face = formatAt(rich, 0).face;
    EXPECT_EQ(formatAt(rich, 0), expected);
    expected.bold = true;
    EXPECT_EQ(formatAt(rich, 1), expected);
    std::swap(expected.bold, expected.italic);
    EXPECT_EQ(formatAt(rich, 2), expected);
    std::swap(expected.italic, expected.underline);
    EXPECT_EQ(formatAt(rich, 3), expected);
    std::swap(expected.underline, expected.strikeOut);
    EXPECT_EQ(formatAt(rich, 4), expected);
    expected.strikeOut = false;
    expected.face = formatAt(rich, 5).face;
    expected.halfPoints = 40;
    EXPECT_EQ(formatAt(rich, 5), expected);
    const CharFormat coloured = formatAt(rich, 6);
    EXPECT_EQ(coloured.color, 0x0000FFu);
    EXPECT_EQ(coloured.background, 0x030201u);
    EXPECT_EQ(formatAt(rich, 7), CharFormat{});   // \plain: no \deff, so no face either
}

TEST(RtfReader, GroupsRestoreTheOuterFormatAndEqualNeighboursMerge)
{
    const RichText rich = parsed("{\\rtf1 a{\\b b{\\i c}d}e\\b f\\b0\\b g{\\i}h}");
    ASSERT_EQ(rich.text, u"abcdefgh");
    std::vector<std::int64_t> starts;
    for (const FormatRun& run : rich.runs)
        starts.push_back(run.start);
    // "fgh" is one bold run: switching off and on again, or a format without text, splits nothing.
    EXPECT_EQ(starts, (std::vector<std::int64_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_FALSE(formatAt(rich, 0).bold);
    CharFormat boldItalic;
    boldItalic.bold = boldItalic.italic = true;
    EXPECT_EQ(formatAt(rich, 2), boldItalic);
    EXPECT_TRUE(formatAt(rich, 3).bold);
    EXPECT_FALSE(formatAt(rich, 3).italic);
    EXPECT_EQ(formatAt(rich, 4), CharFormat{});
}

TEST(RtfReader, ClampsParametersAndLeavesColoursOutsideTheTableUnset)
{
    const RichText rich = parsed("{\\rtf1{\\colortbl;\\red999\\green-7\\blue256;\\red10\\green20\\blue30;}"
                                 "\\fs99999999999999 a\\fs-4 b\\cf1\\bogus123 c\\b d\\pard e"
                                 "\\plain\\cf2 f\\cf0 g\\cf7 h\\cb2 i}");
    ASSERT_EQ(rich.text, u"abcdefghi");
    EXPECT_EQ(formatAt(rich, 0).halfPoints, 3276);
    EXPECT_EQ(formatAt(rich, 1).halfPoints, 0);
    EXPECT_EQ(formatAt(rich, 2).color, 0xFF00FFu);
    EXPECT_TRUE(formatAt(rich, 4).bold);   // a paragraph reset keeps the character format
    EXPECT_EQ(formatAt(rich, 5).color, 0x1E140Au);
    EXPECT_FALSE(formatAt(rich, 6).color);   // auto
    EXPECT_FALSE(formatAt(rich, 7).color);   // no such entry
    EXPECT_EQ(formatAt(rich, 8).background, 0x1E140Au);
}

TEST(RtfReader, DefaultFontAppliesFromTheStartAndAfterPlain)
{
    const RichText rich = parsed("{\\rtf1\\deff1{\\fonttbl\\f0 Courier;\\f1 Arial;}a\\f0 b\\plain c}");
    ASSERT_EQ(rich.text, u"abc");
    EXPECT_EQ(faceAt(rich, 0), u"Arial");
    EXPECT_EQ(faceAt(rich, 1), u"Courier");
    EXPECT_EQ(faceAt(rich, 2), u"Arial");
}

TEST(RtfReader, DecodesEightBitTextInTheDocumentOrFontCodePage)
{
    // 1251 unless the document says otherwise; escaped and raw bytes alike.
    EXPECT_EQ(textOf("{\\rtf1\\ansi \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}"), u"Привет");
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8}"), u"При");
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg1252 \\'e0\\'80}"), u"à€");
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg866 \\'8f\\'e0}"), u"Пр");
    // A font's character set wins over the document's code page.
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}"
                     "\\f0\\'e0\\f1\\'e0{\\f0\\'e0}\\'e0}"),
              u"àаàа");
    // Face names are decoded too.
    EXPECT_EQ(faceAt(parsed("{\\rtf1{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}\\f0 x}"), 0), u"Ариал");
}

TEST(RtfReader, UnicodeCharactersSkipTheirStandIns)
{
    EXPECT_EQ(textOf("{\\rtf1\\u1055?\\u1088?}"), u"Пр");                 // \uc1 by default
    EXPECT_EQ(textOf("{\\rtf1\\uc0\\u1055\\u1088 x}"), u"Прx");
    EXPECT_EQ(textOf("{\\rtf1\\uc2\\u1055\\'cf\\'3f\\u1088 ab}"), u"Пр");
    EXPECT_EQ(textOf("{\\rtf1\\u-3913?\\u-1?x}"), u"\uF0B7\uFFFFx");        // negative: N + 65536
    EXPECT_EQ(textOf("{\\rtf1\\u1055\\par x}"), u"Пx");                    // a control word is one
    EXPECT_EQ(textOf("{\\rtf1\\u1055\r\n?x}"), u"Пx");                     // line ends are not
    EXPECT_EQ(textOf("{\\rtf1{\\uc2\\u1055 a}b}"), u"Пb");                 // skipping ends with the group
    EXPECT_EQ(textOf("{\\rtf1{\\uc3 x}\\u1055 ab}"), u"xПb");              // \uc is scoped by groups
    EXPECT_EQ(textOf("{\\rtf1{\\uc99999999999999\\u1055 abc}d}"), u"Пd");
    EXPECT_EQ(textOf("{\\rtf1\\u99999999999 x}"), u"\uFFFD");
}

TEST(RtfReader, BreaksTabsAndSpecialCharacters)
{
    EXPECT_EQ(textOf("{\\rtf1 a\\par b\\line c\\tab d\r\ne\\\nf}"), u"a\r\nb\r\nc\td" u"e\r\nf");
    EXPECT_EQ(textOf("{\\rtf1 a\\~b\\-c\\_d\\{\\}\\\\}"), u"a\u00A0bc\u2011d{}\\");
    EXPECT_EQ(textOf("{\\rtf1\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}"),
              u"\u2014\u2013\u2022\u2018\u2019\u201C\u201D");
    // A blank ends a control word and is eaten; a negative parameter and other delimiters stay.
    EXPECT_EQ(textOf("{\\rtf1\\b  x\\fs-5-y\\i0;z}"), u" x-y;z");
}

TEST(RtfReader, SkipsDestinationsThatAreNotText)
{
    EXPECT_EQ(textOf("{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
                     "{\\*\\generator W;}{\\header H}{\\footerl F}a{\\footnote N}b}"),
              u"ab");
    // Picture data, even binary holding braces and backslashes, is stepped over.
    EXPECT_EQ(textOf("{\\rtf1 a{\\pict\\pngblip 89504e47}{\\pict\\bin4 }{\\}}b}"), u"ab");
    EXPECT_EQ(textOf("{\\rtf1 a\\bin3 {{{b}"), u"ab");
    // A field shows its result, not its instruction.
    EXPECT_EQ(textOf("{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}"
                     "{\\field{\\fldinst PAGE}{\\fldrslt 7}}}"),
              u"link7");
}

TEST(RtfReader, AcceptsPaddingAfterTheDocumentButRejectsMalformedInput)
{
    EXPECT_EQ(textOf(std::string_view(" \r\n{\\rtf1 a}\r\n\0\x1A", 16)), u"a");
    EXPECT_TRUE(parsed("{\\rtf1}").runs.empty());
    for (std::string_view bad : {
             "", "plain text", "{\\rtf", "{\\rtf1 a", "{\\rtf1 a}}", "{\\rtf1 a}b", "{\\rtf1 {a}",
             "{\\rtf1 a\\", "{\\rtf1 \\'4}", "{\\rtf1 \\'zz}", "{\\rt1 a}", "x{\\rtf1 a}",
             "{\\rtf1 \\bin99999999999999 ab}", "{\\rtf1 \\bin5 ab}",
         })
        EXPECT_FALSE(parseRtf(bad)) << bad;
}

TEST(RtfReader, LimitsNesting)
{
    const auto nested = [](std::size_t depth) {
        return "{\\rtf1" + std::string(depth - 1, '{') + "x" + std::string(depth, '}');
    };
    EXPECT_EQ(textOf(nested(1000)), u"x");
    EXPECT_FALSE(parseRtf(nested(1001)));
    EXPECT_FALSE(parseRtf(std::string(1'000'000, '{')));
}

TEST(RtfReader, EachFormatAndFaceIsHeldOnceHoweverManyRunsUseThem)
{
    const std::u16string longFace(100000, u'F');
    std::string rtf = "{\\rtf1\\deff0{\\fonttbl{\\f0 " + std::string(longFace.begin(), longFace.end()) +
                      ";}{\\f1 Arial;}{\\f2 Arial;}}{\\colortbl;";
    for (int i = 0; i < 300; ++i)
        rtf += "\\red" + std::to_string(i % 256) + "\\green" + std::to_string(i / 256) + "\\blue0;";
    rtf += "}";
    for (int i = 0; i < 1000; ++i)
        rtf += i % 2 == 0 ? "\\b x" : "\\b0 y";
    for (int i = 1; i <= 300; ++i)
        rtf += "\\f" + std::to_string(1 + i % 2) + "\\cf" + std::to_string(i) + " c";
    const RichText rich = parsed(rtf + "}");
    ASSERT_EQ(rich.runs.size(), 1300u);
    EXPECT_EQ(rich.formats.faces, (std::vector<std::u16string>{longFace, u"Arial"}));
    EXPECT_EQ(rich.formats.formats.size(), 302u);   // bold or not in the long face, 300 colours in Arial
    EXPECT_EQ(faceAt(rich, 1000), u"Arial");
    EXPECT_EQ(formatAt(rich, 1299).color, 0x012Bu);   // entry 300: red 43, green 1
}

TEST(RtfReader, ASmallFileStaysSmallWhateverItsFontNames)
{
    // 1 MB: a font named by a megabyte, and bold switched on and off two thousand times.
    std::string rtf = "{\\rtf1\\deff0{\\fonttbl{\\f0 " + std::string(1 << 20, 'F') + ";}}";
    for (int i = 0; i < 2000; ++i)
        rtf += i % 2 == 0 ? "\\b x" : "\\b0 y";
    rtf += "}";
    EXPECT_EXIT(
        {
            const long long growth = residentPeakGrowth([&] {
                if (parseRtf(rtf)->text.size() != 2000)
                    std::exit(2);
            });
            std::exit(growth < (64LL << 20) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
