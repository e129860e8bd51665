#include "widgets/owner_draw_combo_box.h"

#include <QEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <algorithm>

namespace lirra {

namespace {

constexpr int kMinimumItemHeight = 9;

// Hands the drawing of the list's items to the combo box.
class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit OwnerDrawDelegate(TOwnerDrawComboBox* combo) : QStyledItemDelegate(combo), m_combo(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        m_combo->drawItem(*painter, option.rect, index.row(), option.state & QStyle::State_Selected);
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return {option.rect.width(), m_combo->itemHeight()};
    }

private:
    TOwnerDrawComboBox* m_combo;
};

} // namespace

TOwnerDrawComboBox::TOwnerDrawComboBox(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new OwnerDrawDelegate(this));
    updateItemHeight();
}

TComboBoxStyle TOwnerDrawComboBox::comboStyle() const
{
    return isEditable() ? TComboBoxStyle::csDropDown : TComboBoxStyle::csDropDownList;
}

void TOwnerDrawComboBox::setComboStyle(TComboBoxStyle style)
{
    setEditable(style == TComboBoxStyle::csDropDown);
}

void TOwnerDrawComboBox::updateItemHeight()
{
    m_itemHeight = std::max({kMinimumItemHeight, fontMetrics().height() + 1, ownItemHeight()});
    updateGeometry();
    update();
}

void TOwnerDrawComboBox::selectItemOr(int index, const QString& text)
{
    if (index >= 0 || isDropDownList())
        setCurrentIndex(index);
    else
        setEditText(text);
}

void TOwnerDrawComboBox::fillItem(QPainter& painter, const QRect& rect, bool selected) const
{
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.fillRect(rect, palette().color(group, selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
}

void TOwnerDrawComboBox::paintEvent(QPaintEvent* event)
{
    if (isEditable()) {
        QComboBox::paintEvent(event);
        return;
    }
    // The closed box: the frame and arrow by the style, the chosen item by drawItem.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0) {
        painter.save();
        painter.setClipRect(field);
        drawItem(painter, field, currentIndex(), hasFocus());
        painter.restore();
    }
}

void TOwnerDrawComboBox::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateItemHeight();
}

} // namespace lirra
