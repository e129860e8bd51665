#pragma once

// Prints a book: the shared text laid out afresh, in a row layout of the printout's own,
// on the printer's printable area, in the view's fonts and colours, long lines wrapped
// to the page, page after page. The text is shared, never copied.

#include "bookview/core/book_text.h"
#include "bookview/widget/view_font.h"

#include <QColor>
#include <QString>
#include <memory>

class QPrinter;

namespace lirra {

class BookPrinter {
public:
    // `screenDpi`: the resolution the view font's pixel heights are meant for.
    BookPrinter(std::shared_ptr<const BookText> text, const ViewFont& font, QColor color, int screenDpi)
        : m_text(std::move(text)), m_font(font), m_color(color), m_screenDpi(screenDpi) {}

    // One job titled `title`: the whole book as many times as the printer's copy count
    // says, each copy whole before the next. Throws Error when the printer cannot be opened.
    void print(QPrinter& printer, const QString& title) const;

private:
    std::shared_ptr<const BookText> m_text;
    ViewFont m_font;
    QColor m_color;
    int m_screenDpi;
};

} // namespace lirra
