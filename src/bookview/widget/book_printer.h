#pragma once

// Prints a book: the whole text laid out afresh on the printer's printable area, in the
// view's fonts and colours, long lines wrapped to the page, page after page.

#include "bookview/core/book_document.h"
#include "bookview/widget/view_font.h"

#include <QColor>
#include <QString>

class QPrinter;

namespace lirra {

class BookPrinter {
public:
    // `screenDpi`: the resolution the view font's pixel heights are meant for.
    BookPrinter(const BookDocument& document, const ViewFont& font, QColor text, int screenDpi)
        : m_document(document), m_font(font), m_text(text), m_screenDpi(screenDpi) {}

    // One job titled `title`. Throws Error when the printer cannot be opened.
    void print(QPrinter& printer, const QString& title) const;

private:
    const BookDocument& m_document;
    ViewFont m_font;
    QColor m_text;
    int m_screenDpi;
};

} // namespace lirra
