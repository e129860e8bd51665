// The owner-drawn combo boxes: the font names and the colours.

#include "widgets/color_combo_box.h"
#include "widgets/font_combo_box.h"
#include "widgets/font_list.h"

#include "any_pixel.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace lirra;
using O = TFontListOption;

namespace {

const FontFamily kMono{QStringLiteral("Mono"), FontCharset::Ansi, true, kTrueTypeFontType};
const FontFamily kSerif{QStringLiteral("serif"), FontCharset::Ansi, false, kTrueTypeFontType};
const FontFamily kSymbols{QStringLiteral("Symbols"), FontCharset::Symbol, false, kTrueTypeFontType};
const FontFamily kTerminal{QStringLiteral("Terminal"), FontCharset::Oem, true, kRasterFontType};
const FontFamily kGreek{QStringLiteral("Alpha"), FontCharset::Other, false, kDeviceFontType};

QStringList names(const QList<FontListItem>& items)
{
    QStringList result;
    for (const FontListItem& item : items)
        result << item.name;
    return result;
}

// Item `index` as the drop-down list paints it.
QImage drawnItem(const TOwnerDrawComboBox& combo, int index, QSize size)
{
    QImage item(size, QImage::Format_RGB32);
    QPainter painter(&item);
    combo.drawItem(painter, item.rect(), index, false);
    painter.end();
    return item;
}

QStringList listed(const TFontComboBox& combo)
{
    QStringList names;
    for (int i = 0; i < combo.count(); ++i)
        names << combo.itemText(i);
    return names;
}

} // namespace

TEST(FontComboBox, ListsFamiliesByOptionSortedOnceEachDrawsGlyphThenNameFiltersAndMatchesNamesWithoutCase)
{
    const QList<FontFamily> all{kMono, kSerif, kSymbols, kTerminal, kGreek};
    const std::pair<TFontListOptions, QStringList> kept[] = {
        {{}, {"Alpha", "Mono", "serif", "Symbols", "Terminal"}},   {O::foAnsiOnly, {"Mono", "serif"}},
        {O::foTrueTypeOnly, {"Mono", "serif", "Symbols"}},         {O::foFixedPitchOnly, {"Mono", "Terminal"}},
        {O::foNoOEMFonts, {"Alpha", "Mono", "serif", "Symbols"}},   {O::foOEMFontsOnly, {"Terminal"}},
        {O::foScalableOnly, {"Alpha", "Mono", "serif", "Symbols"}}, {O::foFixedPitchOnly | O::foScalableOnly, {"Mono"}},
        {O::foNoSymbolFonts, {"Alpha", "Mono", "serif", "Terminal"}}};
    for (const auto& [options, families] : kept)
        EXPECT_EQ(names(buildFontList(all, options)), families) << options.toInt();
    // A name reported again (by another foundry, in another case) is listed once; a
    // report that fails the options does not take the name.
    const FontFamily proportionalMono{QStringLiteral("MONO"), FontCharset::Ansi, false, kTrueTypeFontType};
    const QList<FontListItem> items =
        buildFontList({proportionalMono, kSymbols, kMono, kTerminal, {QStringLiteral("mono"), FontCharset::Ansi, true, 0}},
                      O::foFixedPitchOnly);
    ASSERT_EQ(names(items), QStringList({"Mono", "Terminal"}));
    EXPECT_TRUE(items[0].fontType == (kTrueTypeFontType | kNotSymbolFont));
    EXPECT_EQ(buildFontList({kSymbols}, {}).first().fontType, kTrueTypeFontType);
    EXPECT_TRUE(glyphFor(kTrueTypeFontType | kDeviceFontType | kNotSymbolFont) == FontGlyph::TrueType &&
                glyphFor(kDeviceFontType) == FontGlyph::Device && glyphFor(kRasterFontType | kNotSymbolFont) == FontGlyph::None);
    TFontComboBox combo;
    const QStringList names = listed(combo);
    // The designed faces stand for their Liberation twins and keep their spelling.
    EXPECT_TRUE(names.contains("Liberation Mono") && names.contains("Courier New Cyr") && names.contains("MS Sans Serif"));
    EXPECT_EQ(names.filter(QStringLiteral("[")), QStringList()) << "foundry names shown";
    const auto unsorted = std::adjacent_find(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) >= 0;   // sorted without case, each name once
    });
    EXPECT_TRUE(unsorted == names.end()) << unsorted->toStdString();
    EXPECT_EQ(combo.fontType(int(names.indexOf("Courier New Cyr"))), kTrueTypeFontType | kNotSymbolFont);
    QFont font = combo.font();
    for (const int pixels : {6, 30}) {   // at 6 pixels, the 12-pixel glyph less one
        font.setPixelSize(pixels);
        combo.setFont(font);
        EXPECT_EQ(combo.itemHeight(), pixels == 6 ? 11 : QFontMetrics(font).height() + 1);
    }

    const QImage item = drawnItem(combo, int(listed(combo).indexOf("Liberation Mono")), {200, 20});
    const QRgb background = combo.palette().color(QPalette::Base).rgb();
    const auto inked = [&](int from, int to) {
        return anyPixel(item, [&](QColor c) { return c.rgb() != background; }, QRect(from, 0, to - from, 20));
    };
    EXPECT_TRUE(inked(0, 23) && !inked(23, 26) && inked(26, 60));   // the TrueType glyph, a gap, the name
    const QString symbols = QStringLiteral("Standard Symbols PS");
    ASSERT_TRUE(listed(combo).contains(symbols)) << "fonts-urw-base35 is expected on the test machine";
    combo.setFontName(symbols);
    QSignalSpy changes(&combo, &TOwnerDrawComboBox::changed);
    combo.setOptions(TFontListOption::foNoSymbolFonts);
    EXPECT_TRUE(!listed(combo).contains(symbols) && combo.fontName().isEmpty() && changes.count() == 1);
    combo.setFontName(QStringLiteral("Liberation Mono"));
    changes.clear();
    combo.setOptions(TFontListOption::foFixedPitchOnly);
    EXPECT_TRUE(combo.fontName() == QStringLiteral("Liberation Mono") && changes.count() == 0);
    for (const QString& name : listed(combo))
        EXPECT_TRUE(QFontDatabase::isFixedPitch(name) || name == "Courier New Cyr") << name.toStdString();
    combo.setFontName(QStringLiteral("Liberation Serif"));
    EXPECT_EQ(combo.fontName(), QString());

    changes.clear();
    for (const auto& [typed, shown, count] : {std::tuple{"liberation MONO", "Liberation Mono", 1},
                                              {"LIBERATION MONO", "Liberation Mono", 1}, {"No Such Face", "", 2}}) {
        combo.setFontName(QString::fromLatin1(typed));
        EXPECT_TRUE(combo.fontName() == shown && changes.count() == count) << typed;
    }
    EXPECT_EQ(combo.currentIndex(), -1);
    // A drop-down that can be typed into shows an unknown name as text.
    combo.setComboStyle(TComboBoxStyle::csDropDown);
    combo.setFontName(QStringLiteral("No Such Face"));
    EXPECT_EQ(combo.fontName(), QStringLiteral("No Such Face"));
}

TEST(ColorComboBox, NamesGoByPositionOutsideColoursAreKeptChoosingClicksTypingIsReadAndItemsShowTheirColour)
{
    TColorComboBox combo;
    ASSERT_EQ(combo.count(), 16);
    combo.setColorNames({QStringLiteral("Schwarz"), QString(), QStringLiteral("Grün")});   // an empty name keeps its own
    for (const auto& [index, name] :
         {std::pair{0, "Schwarz"}, {1, "Maroon"}, {2, "Grün"}, {3, "Olive"}, {9, "Red"}, {15, "White"}})
        EXPECT_EQ(combo.itemText(index), QString::fromUtf8(name));
    std::vector<std::string> events;
    QObject::connect(&combo, &TOwnerDrawComboBox::changed, [&] { events.push_back("change " + std::to_string(combo.colorValue())); });
    QObject::connect(&combo, &TColorComboBox::clicked, [&] { events.push_back("click"); });
    // With nothing selected, even the same value is set again and announced. A system colour
    // (0x80000008) is none of the sixteen.
    for (const auto& [value, index, count] : {std::tuple{0x00B4B4B4u, -1, 1}, {0x00B4B4B4u, -1, 2}, {0x000000FFu, 9, 3},
                                              {0x000000FFu, 9, 3}, {0x80000008u, -1, 4}}) {
        combo.setColorValue(value);
        EXPECT_TRUE(combo.currentIndex() == index && combo.colorValue() == value && int(events.size()) == count) << value;
    }
    events.clear();
    combo.setCurrentIndex(12);
    emit combo.activated(12);   // as the list does when the user picks "Blue"
    EXPECT_EQ(events, (std::vector<std::string>{"change " + std::to_string(0x00FF0000), "click"}));
    combo.setComboStyle(TComboBoxStyle::csDropDown);
    combo.setColorValue(0x00B4B4B4);
    EXPECT_EQ(combo.currentText(), QStringLiteral("$00B4B4B4"));
    for (const auto& [typed, value] : {std::pair{"navy", 0x00800000u}, {"255", 0x000000FFu}, {"no colour", 0x00B4B4B4u}}) {
        combo.setEditText(QString::fromLatin1(typed));
        EXPECT_EQ(combo.colorValue(), value) << typed;
    }
    const QRgb background = combo.palette().color(QPalette::Base).rgb();
    const QRgb red = qRgb(255, 0, 0);
    const QImage item = drawnItem(combo, 9, {160, 18});
    EXPECT_EQ(item.pixel(12, 9), red);
    EXPECT_TRUE(anyPixel(item, [&](QColor c) { return c.rgb() != background && c.rgb() != red; }, QRect(28, 0, 32, 18)));

    combo.setDisplayNames(false);
    EXPECT_EQ(drawnItem(combo, 9, {160, 18}).pixel(100, 9), red);
}

