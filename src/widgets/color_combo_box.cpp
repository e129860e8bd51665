#include "widgets/color_combo_box.h"

#include "bookview/widget/color_value.h"
#include "platform/case_fold.h"
#include "platform/integer_text.h"

#include <QPainter>

namespace lirra {

namespace {
constexpr int kSwatchInset = 2;
constexpr int kSwatchWidth = 22;
constexpr int kSwatchRightGap = 3;
constexpr int kNameLeft = 28;

int indexOfColor(ColorValue value)
{
    for (std::size_t i = 0; i < kPickerColors.size(); ++i)
        if (kPickerColors[i].value == value)
            return int(i);
    return -1;
}

// How a drop-down shows a colour that is not in the list: "$" and eight hex digits,
// which reading parses back.
QString colorNumber(ColorValue value)
{
    return QLatin1Char('$') + QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}
} // namespace

TColorComboBox::TColorComboBox(QWidget* parent) : TOwnerDrawComboBox(parent)
{
    rebuildList();
    connect(this, &QComboBox::activated, this, [this](int index) { chooseItem(index); });
}

void TColorComboBox::rebuildList()
{
    clear();
    for (std::size_t i = 0; i < kPickerColors.size(); ++i) {
        const QString custom = qsizetype(i) < m_colorNames.size() ? m_colorNames[qsizetype(i)] : QString();
        addItem(custom.isEmpty() ? QLatin1String(kPickerColors[i].name) : custom);
    }
    selectItemOr(indexOfColor(m_value), colorNumber(m_value));
}

void TColorComboBox::setColorNames(const QStringList& names)
{
    m_colorNames = names;
    rebuildList();
}

void TColorComboBox::setDisplayNames(bool on)
{
    m_displayNames = on;
    update();
}

// In a drop-down, typing over the chosen name leaves no item selected.
int TColorComboBox::selectedItem() const
{
    const int index = currentIndex();
    if (index < 0 || isDropDownList() || currentText() == itemText(index))
        return index;
    return -1;
}

ColorValue TColorComboBox::colorValue() const
{
    if (isDropDownList() || selectedItem() >= 0)
        return m_value;
    const std::u16string typed = currentText().trimmed().toStdU16String();
    for (int i = 0; i < count(); ++i)
        if (platform::equalFolded(itemText(i).toStdU16String(), typed))
            return kPickerColors[std::size_t(i)].value;
    if (const std::optional<std::int32_t> number = parseInteger(currentText().toStdString()))
        return ColorValue(*number);
    return m_value;
}

void TColorComboBox::setColorValue(ColorValue value)
{
    if (selectedItem() >= 0 && value == m_value)
        return;
    m_value = value;
    selectItemOr(indexOfColor(value), colorNumber(value));
    emit changed();
}

void TColorComboBox::chooseItem(int index)
{
    if (index >= 0)
        setColorValue(kPickerColors[std::size_t(index)].value);
    emit clicked();
}

void TColorComboBox::drawItem(QPainter& painter, const QRect& rect, int index, bool selected) const
{
    fillItem(painter, rect, selected);
    QRect swatch(rect.left() + kSwatchInset, rect.top() + kSwatchInset, 0, rect.height() - 2 * kSwatchInset);
    swatch.setWidth(m_displayNames ? kSwatchWidth : rect.width() - kSwatchInset - kSwatchRightGap);
    painter.fillRect(swatch, palette().color(QPalette::Text));
    painter.fillRect(swatch.adjusted(1, 1, -1, -1), colorFromValue(kPickerColors[std::size_t(index)].value, palette()));
    if (m_displayNames)
        painter.drawText(rect.adjusted(kNameLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         itemText(index));
}

} // namespace lirra
