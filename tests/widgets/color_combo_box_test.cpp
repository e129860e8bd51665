#include "widgets/color_combo_box.h"

#include "any_pixel.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace lirra;

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
    QImage item(160, 18, QImage::Format_RGB32);
    const auto drawRed = [&] {
        QPainter painter(&item);
        combo.drawItem(painter, item.rect(), 9, false);
    };
    const QRgb background = combo.palette().color(QPalette::Base).rgb();
    const QRgb red = qRgb(255, 0, 0);
    drawRed();
    EXPECT_EQ(item.pixel(12, 9), red);
    EXPECT_TRUE(anyPixel(item, [&](QColor c) { return c.rgb() != background && c.rgb() != red; }, QRect(28, 0, 32, 18)));

    combo.setDisplayNames(false);
    drawRed();
    EXPECT_EQ(item.pixel(100, 9), red);
}

