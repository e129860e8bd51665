#include "app/reading_keys.h"

#include "bookview/widget/book_view.h"

namespace lirra {

void applyReadingKey(TBookView& view, QChar character)
{
    switch (character.unicode()) {
    case ' ':
        view.scroll(ScrollStep::LineDown);
        view.sendKey(VirtualKey::Down);
        break;
    case '\r':
        view.sendKey(VirtualKey::Next);
        break;
    case '\b':
        view.scroll(ScrollStep::LineUp);
        view.sendKey(VirtualKey::Up);
        break;
    case '+':
        view.setFontSize(view.fontSize() + 1);
        break;
    case '-':
        view.setFontSize(view.fontSize() - 1);
        break;
    default:
        break;
    }
}

} // namespace lirra
