#pragma once

// TOwnerDrawComboBox: a combo box that draws every item itself, all items one height.
// The base of the font and colour pickers.

#include <QComboBox>

namespace lirra {

// A drop-down list only lets the user choose an entry; a drop-down also lets them type.
// (A list that is always open has no counterpart among the toolkit's combo boxes.)
enum class TComboBoxStyle { csDropDown, csDropDownList };

class TOwnerDrawComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TOwnerDrawComboBox(QWidget* parent = nullptr);

    TComboBoxStyle comboStyle() const;
    void setComboStyle(TComboBoxStyle style);
    bool isDropDownList() const { return comboStyle() == TComboBoxStyle::csDropDownList; }

    // The larger of 9 pixels and the font's height plus 1, raised to what the items
    // themselves need.
    int itemHeight() const { return m_itemHeight; }

    // Draws item `index` into `rect` of `painter`, as in the list or in the closed box.
    virtual void drawItem(QPainter& painter, const QRect& rect, int index, bool selected) const = 0;

signals:
    // The control's change event: a real change of what it holds, by the user or by the
    // program.
    void changed();

protected:
    // The height the items need beyond the font's (0: none).
    virtual int ownItemHeight() const { return 0; }
    void updateItemHeight();
    // Selects item `index`; with none (-1), a drop-down shows `text` as typed instead.
    void selectItemOr(int index, const QString& text);
    // Paints the background of an item, the selection colour when selected, and sets the
    // pen to the matching text colour.
    void fillItem(QPainter& painter, const QRect& rect, bool selected) const;

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int m_itemHeight = 0;
};

} // namespace lirra
