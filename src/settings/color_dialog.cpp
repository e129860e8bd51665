#include "settings/color_dialog.h"

#include "bookview/widget/color_value.h"

#include <QColorDialog>
#include <QWidget>

namespace lirra {

namespace {

ColorDialogPresenter& presenter()
{
    static ColorDialogPresenter instance;
    return instance;
}

std::optional<QColor> runColorDialog(QWidget* parent, const QColor& current)
{
    QColorDialog dialog(current, parent);
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

} // namespace

ColorDialogPresenter setColorDialogPresenter(ColorDialogPresenter replacement)
{
    return std::exchange(presenter(), std::move(replacement));
}

std::optional<ColorValue> chooseColor(QWidget* parent, ColorValue current)
{
    const QColor start = colorFromValue(current, parent ? parent->palette() : QPalette());
    const std::optional<QColor> chosen = presenter() ? presenter()(start) : runColorDialog(parent, start);
    if (!chosen)
        return std::nullopt;
    return valueFromColor(*chosen);
}

} // namespace lirra
