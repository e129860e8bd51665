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

} // namespace

TEST(FontComboBox, ListsInstalledFamiliesOnceEachSortedWithTheDesignedFaces)
{
    TFontComboBox combo;
    const QStringList names = listed(combo);
    // The designed faces stand for their Liberation twins and keep their spelling.
    EXPECT_TRUE(names.contains("Liberation Mono") && names.contains("Courier New Cyr") && names.contains("MS Sans Serif"));
    EXPECT_EQ(names.filter(QStringLiteral("[")), QStringList()) << "foundry names shown";
    QStringList sorted = names;
    EXPECT_EQ(sorted.removeDuplicates(), 0);
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(names, sorted);
    EXPECT_EQ(combo.fontType(int(names.indexOf("Courier New Cyr"))), kTrueTypeFontType | kNotSymbolFont);
}

TEST(FontComboBox, FontNameMatchesWithoutCaseAndOnlyARealChangeIsAnEvent)
{
    TFontComboBox combo;
    QSignalSpy changes(&combo, &TOwnerDrawComboBox::changed);
    combo.setFontName(QStringLiteral("liberation MONO"));
    EXPECT_EQ(combo.fontName(), QStringLiteral("Liberation Mono"));
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

TEST(FontComboBox, FiltersKeepAFaceThatPassesAndDropOneThatDoesNotWithAChange)
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

    combo.setFontName(QStringLiteral("Liberation Mono"));
    changes.clear();
    combo.setOptions(TFontListOption::foFixedPitchOnly);
    EXPECT_EQ(combo.fontName(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(changes.count(), 0);
    for (const QString& name : listed(combo))
        EXPECT_TRUE(QFontDatabase::isFixedPitch(name) || name == "Courier New Cyr") << name.toStdString();
    combo.setFontName(QStringLiteral("Liberation Serif"));
    EXPECT_EQ(combo.fontName(), QString());
}

TEST(FontComboBox, ItemsAreAsHighAsTheFontOrTheGlyphAndDrawGlyphThenName)
{
    TFontComboBox combo;
    QFont font = combo.font();
    font.setPixelSize(6);
    combo.setFont(font);
    EXPECT_EQ(combo.itemHeight(), 11);   // the 12-pixel glyph less one
    font.setPixelSize(30);
    combo.setFont(font);
    EXPECT_EQ(combo.itemHeight(), QFontMetrics(font).height() + 1);

    QImage item(200, 20, QImage::Format_RGB32);
    {
        QPainter painter(&item);
        combo.drawItem(painter, item.rect(), int(listed(combo).indexOf("Liberation Mono")), false);
    }
    const QRgb background = combo.palette().color(QPalette::Base).rgb();
    const auto inked = [&](int from, int to) {
        for (int y = 0; y < item.height(); ++y)
            for (int x = from; x < to; ++x)
                if (item.pixel(x, y) != background)
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(0, 23));   // the TrueType glyph
    EXPECT_FALSE(inked(23, 26));
    EXPECT_TRUE(inked(26, 60));
}
