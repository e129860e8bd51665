#include "settings/view_options.h"

#include "bookview/widget/book_view.h"
#include "reader/message_boxes.h"

namespace lirra {

void applyViewOptions(TBookView& view, OptionsRecord& options)
{
    view.setFontSize(options.FontSize);
    view.setFontColor(options.FontColor);
    view.setBackgroundColor(options.BGColor);
    options.ScrollSpeedHandOver = options.ScrollTextSpeed;
    if (!options.FontName.isEmpty())
        view.setFontName(options.FontName);
    view.setWordWrap(options.WordWrap != 0);
}

void saveViewOptions(const TBookView& view, const OptionsRecord& options, std::int32_t scrollTextSpeed)
{
    OptionsRecord saved = options;
    saved.FontSize = view.fontSize();
    saved.FontColor = view.fontColor();
    saved.BGColor = view.backgroundColor();
    saved.ScrollTextSpeed = scrollTextSpeed;
    saved.FontName = view.fontName();
    saveOptions(saved);
    showMessage(BoxKind::Plain, QStringLiteral("Options was saved."));
}

} // namespace lirra
