#include "settings/color_commands.h"

#include "bookview/widget/book_view.h"
#include "settings/color_dialog.h"

namespace lirra {

void applyColorTheme(TBookView& view, const ColorTheme& theme)
{
    view.setFontColor(theme.text);
    view.setBackgroundColor(theme.background);
}

void stepFontSize(TBookView& view, int points)
{
    view.setFontSize(view.fontSize() + points);
    view.repaintNow();
    view.hideCaret();
}

namespace {
void chooseViewColor(TBookView& view, QWidget* parent, ColorValue (TBookView::*get)() const,
                     void (TBookView::*set)(ColorValue))
{
    if (const std::optional<ColorValue> chosen = chooseColor(parent, (view.*get)()))
        (view.*set)(*chosen);
    view.hideCaret();
}
} // namespace

void chooseFontColor(TBookView& view, QWidget* parent)
{
    chooseViewColor(view, parent, &TBookView::fontColor, &TBookView::setFontColor);
}

void chooseBackgroundColor(TBookView& view, QWidget* parent)
{
    chooseViewColor(view, parent, &TBookView::backgroundColor, &TBookView::setBackgroundColor);
}

} // namespace lirra
