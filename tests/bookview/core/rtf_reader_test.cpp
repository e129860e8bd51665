#include "bookview/core/rtf_reader.h"

#include "book_texts.h"
#include "peak_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

using namespace lirra;

// Expected formats name only the fields that differ from the defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

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
    EXPECT_TRUE(runs.empty() || runs.front().start == 0);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_LT(runs[i].start, static_cast<std::int64_t>(rich->text.size()));
        EXPECT_LT(runs[i].format, table.formats.size());
        EXPECT_TRUE(i == 0 || (runs[i - 1].start < runs[i].start && runs[i - 1].format != runs[i].format)) << i;
    }
    EXPECT_EQ(std::set<CharFormat>(table.formats.begin(), table.formats.end()).size(), table.formats.size());
    EXPECT_EQ(std::set<std::u16string>(table.faces.begin(), table.faces.end()).size(), table.faces.size());
    for (const CharFormat& format : table.formats)
        EXPECT_TRUE(format.face == CharFormat::kViewFace || std::size_t(format.face) < table.faces.size());
    return std::move(*rich);
}

CharFormat formatAt(const RichText& rich, std::int64_t index)
{
    const auto after = std::upper_bound(rich.runs.begin(), rich.runs.end(), index,
                                        [](std::int64_t i, const FormatRun& run) { return i < run.start; });
    return rich.formats[std::prev(after)->format];
}

// The format, or the face name, of each character in turn.
std::vector<CharFormat> formatsOf(const RichText& rich)
{
    std::vector<CharFormat> formats;
    for (std::size_t i = 0; i < rich.text.size(); ++i)
        formats.push_back(formatAt(rich, std::int64_t(i)));
    return formats;
}
using Formats = std::vector<CharFormat>;
using Faces = std::vector<std::u16string>;
Faces facesOf(const RichText& rich)
{
    Faces faces;
    for (const CharFormat& format : formatsOf(rich))
        faces.emplace_back(rich.formats.face(format));
    return faces;
}

} // namespace

TEST(RtfReader, TextOfEachConstructFormatsByControlWordsAndGroupsClampedParametersAndRefusedMalformedInput)
{
    // The text of each kind of construct.
    const std::pair<std::string_view, std::u16string_view> cases[] = {
        // Eight-bit text: 1251 unless the document says otherwise; escaped and raw bytes alike.
        {"{\\rtf1\\ansi \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}", u"Привет"}, {"{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8}", u"При"},
        {"{\\rtf1\\ansi\\ansicpg1252 \\'e0\\'80}", u"à€"}, {"{\\rtf1\\ansi\\ansicpg866 \\'8f\\'e0}", u"Пр"},
        // A font's character set wins over the document's code page.
        {"{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}"
         "\\f0\\'e0\\f1\\'e0{\\f0\\'e0}\\'e0}", u"àаàа"},
        // Unicode characters skip their stand-ins, \uc1 by default.
        {"{\\rtf1\\u1055?\\u1088?}", u"Пр"}, {"{\\rtf1\\uc0\\u1055\\u1088 x}", u"Прx"},
        {"{\\rtf1\\uc2\\u1055\\'cf\\'3f\\u1088 ab}", u"Пр"}, {"{\\rtf1\\u99999999999 x}", u"\uFFFD"},
        {"{\\rtf1\\u-3913?\\u-1?x}", u"\uF0B7\uFFFFx"},           // negative: N + 65536
        {"{\\rtf1\\u1055\\par x}", u"Пx"},                       // a control word is one stand-in
        {"{\\rtf1\\u1055\r\n?x}", u"Пx"},                        // line ends are not
        {"{\\rtf1{\\uc2\\u1055 a}b}", u"Пb"},                    // skipping ends with the group
        {"{\\rtf1{\\uc3 x}\\u1055 ab}", u"xПb"},                 // \uc is scoped by groups
        {"{\\rtf1{\\uc99999999999999\\u1055 abc}d}", u"Пd"},
        // Breaks, tabs and special characters.
        {"{\\rtf1 a\\par b\\line c\\tab d\r\ne\\\nf}", u"a\r\nb\r\nc\td" u"e\r\nf"},
        {"{\\rtf1 a\\~b\\-c\\_d\\{\\}\\\\}", u"a\u00A0bc\u2011d{}\\"},
        {"{\\rtf1\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}", u"\u2014\u2013\u2022\u2018\u2019\u201C\u201D"},
        // A blank ends a control word and is eaten; a negative parameter and other delimiters stay.
        {"{\\rtf1\\b  x\\fs-5-y\\i0;z}", u" x-y;z"},
        // Destinations that are not text are skipped, pictures even when binary holds braces.
        {"{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
         "{\\*\\generator W;}{\\header H}{\\footerl F}a{\\footnote N}b}", u"ab"},
        {"{\\rtf1 a{\\pict\\pngblip 89504e47}{\\pict\\bin4 }{\\}}b}", u"ab"}, {"{\\rtf1 a\\bin3 {{{b}", u"ab"},
        // A field shows its result, not its instruction.
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}{\\field{\\fldinst PAGE}{\\fldrslt 7}}}", u"link7"},
        {std::string_view(" \r\n{\\rtf1 a}\r\n\0\x1A", 16), u"a"}, {"{\\rtf1}", u""},   // padding after the document
    };
    for (const auto& [rtf, text] : cases)
        EXPECT_EQ(parsed(rtf).text, text) << rtf;
    // Face names are decoded too.
    EXPECT_EQ(facesOf(parsed("{\\rtf1{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}\\f0 x}")), Faces{u"Ариал"});

    // Character formats follow the control words.
    const RichText rich = parsed(
        "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman{\\*\\panose 0202}Times New Roman;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red1\\green2\\blue3;}"
        "\\f0 a\\b b\\b0\\i c\\i0\\ul d\\ulnone\\strike e\\strike0\\f1\\fs40 f\\cf1\\highlight2 g\\plain h}");
    ASSERT_EQ(rich.text, u"abcdefgh");
    EXPECT_EQ(facesOf(rich), (Faces{u"Arial", u"Arial", u"Arial", u"Arial", u"Arial", u"Times New Roman",
                                    u"Times New Roman", u""}));   // \plain: no \deff, so no face either
    const std::int32_t arial = formatAt(rich, 0).face, times = formatAt(rich, 5).face;
    EXPECT_EQ(formatsOf(rich), (Formats{{.face = arial}, {.face = arial, .bold = true}, {.face = arial, .italic = true},
                                        {.face = arial, .underline = true}, {.face = arial, .strikeOut = true},
                                        {.face = times, .halfPoints = 40},
                                        {.face = times, .halfPoints = 40, .color = 0x0000FFu, .background = 0x030201u},
                                        {}}));

    // Groups restore the outer format; "fgh" is one bold run (parsed() refuses equal neighbours):
    // switching off and on again, or a format without text, splits nothing.
    const RichText grouped = parsed("{\\rtf1 a{\\b b{\\i c}d}e\\b f\\b0\\b g{\\i}h}");
    ASSERT_EQ(grouped.text, u"abcdefgh");
    const CharFormat bold{.bold = true};
    EXPECT_EQ(formatsOf(grouped), (Formats{{}, bold, {.bold = true, .italic = true}, bold, {}, bold, bold, bold}));

    // Parameters are clamped; colours outside the table stay unset.
    const RichText clamped = parsed("{\\rtf1{\\colortbl;\\red999\\green-7\\blue256;\\red10\\green20\\blue30;}"
                                    "\\fs99999999999999 a\\fs-4 b\\cf1\\bogus123 c\\b d\\pard e"
                                    "\\plain\\cf2 f\\cf0 g\\cf7 h\\cb2 i}");
    ASSERT_EQ(clamped.text, u"abcdefghi");
    // A paragraph reset keeps the character format; \cf0 is auto; \cf7 has no entry.
    const CharFormat boldMagenta{.bold = true, .color = 0xFF00FFu};
    EXPECT_EQ(formatsOf(clamped), (Formats{{.halfPoints = 3276}, {}, {.color = 0xFF00FFu}, boldMagenta, boldMagenta,
                                           {.color = 0x1E140Au}, {}, {}, {.background = 0x1E140Au}}));
    // The default font applies from the start and after \plain.
    EXPECT_EQ(facesOf(parsed("{\\rtf1\\deff1{\\fonttbl\\f0 Courier;\\f1 Arial;}a\\f0 b\\plain c}")),
              (Faces{u"Arial", u"Courier", u"Arial"}));

    // Malformed input and nesting deeper than a thousand groups are refused.
    const auto nested = [](std::size_t depth) {
        return "{\\rtf1" + std::string(depth - 1, '{') + "x" + std::string(depth, '}');
    };
    EXPECT_EQ(parsed(nested(1000)).text, u"x");
    for (const std::string& bad : std::initializer_list<std::string>{
             "", "plain text", "{\\rtf", "{\\rtf1 a", "{\\rtf1 a}}", "{\\rtf1 a}b", "{\\rtf1 {a}",
             "{\\rtf1 a\\", "{\\rtf1 \\'4}", "{\\rtf1 \\'zz}", "{\\rt1 a}", "x{\\rtf1 a}",
             "{\\rtf1 \\bin99999999999999 ab}", "{\\rtf1 \\bin5 ab}", nested(1001), std::string(1'000'000, '{'),
         })
        EXPECT_FALSE(parseRtf(bad)) << bad.substr(0, 40);
}

// However many runs use a format or a face, it is held once: a file of a megabyte, a font named
// by most of it and bold switched on and off two thousand times, stays small once read.
TEST(RtfReader, EachFormatAndFaceIsHeldOnceSoASmallFileStaysSmall)
{
    std::string rtf = "{\\rtf1\\deff0{\\fonttbl{\\f0 " + std::string(1 << 20, 'F') + ";}{\\f1 Arial;}{\\f2 Arial;}}{\\colortbl;";
    for (int i = 0; i < 300; ++i)
        rtf += "\\red" + std::to_string(i % 256) + "\\green" + std::to_string(i / 256) + "\\blue0;";
    rtf += "}";
    rtf += repeated("\\b x\\b0 y", 1000);
    for (int i = 1; i <= 300; ++i)
        rtf += "\\f" + std::to_string(1 + i % 2) + "\\cf" + std::to_string(i) + " c";
    rtf += "}";
    // Measured first, in a process of its own, before this one has read the file.
    EXPECT_EXIT(
        {
            const long long growth = residentPeakGrowth([&] {
                if (parseRtf(rtf)->text.size() != 2300)
                    std::exit(2);
            });
            std::exit(growth < (64LL << 20) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    const RichText rich = parsed(rtf);
    ASSERT_EQ(rich.runs.size(), 2300u);
    EXPECT_EQ(rich.formats.faces, (Faces{std::u16string(1 << 20, u'F'), u"Arial"}));
    EXPECT_EQ(rich.formats.formats.size(), 302u);   // bold or not in the long face, 300 colours in Arial
    EXPECT_EQ(formatAt(rich, 2299), (CharFormat{.face = 1, .color = 0x012Bu}));   // entry 300: red 43, green 1
}
