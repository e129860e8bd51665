#include "widgets/font_combo_box.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

QStringList listed(const TFontComboBox& combo)
{
    QStringList names;
    for (int i = 0; i < combo.count(); ++i)
        names << combo.itemText(i);
    return names;
}

QImage drawn(const TOwnerDrawComboBox& combo, int index, QSize size = {200, 20})
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    combo.drawItem(painter, QRect(QPoint(0, 0), size), index, false);
    return image;
}

} // namespace

TEST(FontComboBox, ListsInstalledFamiliesOnceEachSortedWithTheDesignedFaces)
{
    TFontComboBox combo;
    const QStringList names = listed(combo);
    EXPECT_TRUE(names.contains("Liberation Mono"));
    // The designed faces stand for their Liberation twins and keep their spelling.
    EXPECT_TRUE(names.contains("Courier New Cyr"));
    EXPECT_TRUE(names.contains("MS Sans Serif"));
    EXPECT_EQ(names.filter(QStringLiteral("[")), QStringList()) << "foundry names shown";
    QStringList sorted = names;
    EXPECT_EQ(sorted.removeDuplicates(), 0);
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(names, sorted);
    const int mono = int(names.indexOf("Courier New Cyr"));
    EXPECT_EQ(combo.fontType(mono), kTrueTypeFontType | kNotSymbolFont);
}

TEST(FontComboBox, SymbolFontsGoWithTheirOptionAndRaiseChangeWhenTheSelectionDrops)
{
    TFontComboBox combo;
    const QString symbols = QStringLiteral("Standard Symbols PS");
    ASSERT_TRUE(listed(combo).contains(symbols)) << "fonts-urw-base35 is expected on the test machine";
    combo.setFontName(symbols);
    QSignalSpy changes(&combo, &TOwnerDrawComboBox::changed);
    combo.setOptions(TFontListOption::foNoSymbolFonts);
    EXPECT_FALSE(listed(combo).contains(symbols));
    EXPECT_EQ(combo.fontName(), QString());
    EXPECT_EQ(changes.count(), 1);
}

TEST(FontComboBox, FontNameMatchesWithoutCaseAndOnlyARealChangeIsAnEvent)
{
    TFontComboBox combo;
    QSignalSpy changes(&combo, &TOwnerDrawComboBox::changed);
    combo.setFontName(QStringLiteral("liberation MONO"));
    EXPECT_EQ(combo.fontName(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(changes.count(), 1);
    combo.setFontName(QStringLiteral("Liberation Mono"));
    combo.setFontName(QStringLiteral("LIBERATION MONO"));
    EXPECT_EQ(changes.count(), 1);
    combo.setFontName(QStringLiteral("No Such Face"));
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.fontName(), QString());
    EXPECT_EQ(changes.count(), 2);

    // A drop-down that can be typed into shows an unknown name as text.
    combo.setComboStyle(TComboBoxStyle::csDropDown);
    combo.setFontName(QStringLiteral("No Such Face"));
    EXPECT_EQ(combo.fontName(), QStringLiteral("No Such Face"));
}

TEST(FontComboBox, FixedPitchFilterKeepsAFixedFaceAndDropsAProportionalOne)
{
    TFontComboBox combo;
    combo.setFontName(QStringLiteral("Liberation Mono"));
    QSignalSpy changes(&combo, &TOwnerDrawComboBox::changed);
    combo.setOption(TFontListOption::foFixedPitchOnly, true);
    EXPECT_EQ(combo.fontName(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(changes.count(), 0);
    for (const QString& name : listed(combo))
        EXPECT_TRUE(QFontDatabase::isFixedPitch(name) || name == "Courier New Cyr") << name.toStdString();

    combo.setOption(TFontListOption::foFixedPitchOnly, false);
    combo.setFontName(QStringLiteral("Liberation Serif"));
    combo.setOption(TFontListOption::foFixedPitchOnly, true);
    EXPECT_EQ(combo.fontName(), QString());
    combo.setFontName(QStringLiteral("Liberation Serif"));
    EXPECT_EQ(combo.fontName(), QString());
    EXPECT_FALSE(combo.trueTypeOnly());
    combo.setTrueTypeOnly(true);
    EXPECT_EQ(combo.options(), TFontListOption::foFixedPitchOnly | TFontListOption::foTrueTypeOnly);
}

TEST(FontComboBox, ItemsAreAsHighAsTheFontOrTheGlyphAndDrawGlyphThenName)
{
    TFontComboBox combo;
    QFont small = combo.font();
    small.setPixelSize(6);
    combo.setFont(small);
    EXPECT_EQ(combo.itemHeight(), 11);   // the 12-pixel glyph less one
    QFont large = combo.font();
    large.setPixelSize(30);
    combo.setFont(large);
    EXPECT_EQ(combo.itemHeight(), QFontMetrics(large).height() + 1);

    const QImage item = drawn(combo, int(listed(combo).indexOf("Liberation Mono")));
    const QRgb background = combo.palette().color(QPalette::Base).rgb();
    EXPECT_EQ(item.pixel(0, 10), background);
    EXPECT_EQ(item.pixel(3, 4), qRgb(0x80, 0x80, 0x80)) << "TrueType glyph's top bar, 2 pixels in, centred";
    bool textBeforeItsPlace = false;
    bool text = false;
    for (int y = 0; y < item.height(); ++y) {
        for (int x = 23; x < 26; ++x)
            textBeforeItsPlace |= item.pixel(x, y) != background;
        for (int x = 26; x < 60; ++x)
            text |= item.pixel(x, y) != background;
    }
    EXPECT_FALSE(textBeforeItsPlace);
    EXPECT_TRUE(text);
}
