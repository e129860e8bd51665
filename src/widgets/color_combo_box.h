#pragma once

// TColorComboBox: picks one of sixteen standard colours, each shown as a swatch with its
// name. It keeps the last colour value set or chosen apart from the selection, so a
// colour that is not among the sixteen survives a showing of the picker.

#include "bookview/core/book_types.h"
#include "widgets/owner_draw_combo_box.h"

#include <QStringList>
#include <array>

namespace lirra {

struct NamedColor {
    const char* name;
    ColorValue value;
};

// The sixteen colours in list order, with the names shown.
inline constexpr std::array<NamedColor, 16> kPickerColors{{
    {"Black", 0x00000000},   {"Maroon", 0x00000080}, {"Green", 0x00008000}, {"Olive", 0x00008080},
    {"Navy", 0x00800000},    {"Purple", 0x00800080}, {"Teal", 0x00808000},  {"Gray", 0x00808080},
    {"Silver", 0x00C0C0C0},  {"Red", 0x000000FF},    {"Lime", 0x0000FF00},  {"Yellow", 0x0000FFFF},
    {"Blue", 0x00FF0000},    {"Fuchsia", 0x00FF00FF}, {"Aqua", 0x00FFFF00}, {"White", 0x00FFFFFF},
}};

class TColorComboBox : public TOwnerDrawComboBox {
    Q_OBJECT
public:
    explicit TColorComboBox(QWidget* parent = nullptr);

    // Reading gives the kept value (in a drop-down with nothing selected, the typed colour
    // name or number if there is one). Writing keeps the value, selects the first item of
    // that colour or nothing, and raises `changed`, unless an item is selected and the
    // value is the kept one already.
    ColorValue colorValue() const;
    void setColorValue(ColorValue value);

    // Names shown instead of the built-in ones, by position; an empty entry keeps the
    // built-in name.
    QStringList colorNames() const { return m_colorNames; }
    void setColorNames(const QStringList& names);
    bool displayNames() const { return m_displayNames; }
    void setDisplayNames(bool on);

    void drawItem(QPainter& painter, const QRect& rect, int index, bool selected) const override;

signals:
    // The user chose an item; its colour is the value by then.
    void clicked();

private:
    void rebuildList();
    int selectedItem() const;
    void chooseItem(int index);

    ColorValue m_value = 0;
    QStringList m_colorNames;
    bool m_displayNames = true;
};

} // namespace lirra
