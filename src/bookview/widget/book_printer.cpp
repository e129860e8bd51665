#include "bookview/widget/book_printer.h"

#include "bookview/widget/book_renderer.h"
#include "platform/lirra_error.h"

#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>
#include <algorithm>

namespace lirra {

void BookPrinter::print(QPrinter& printer, const QString& title) const
{
    printer.setDocName(title);
    // The copies are printed here, each whole before the next: a PDF file has no copy
    // count, and a printer asked for copies as well would multiply them.
    const int copies = std::max(1, printer.copyCount());
    printer.setCopyCount(1);
    const auto keepCopies = qScopeGuard([&printer, copies] { printer.setCopyCount(copies); });
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error("Cannot start printing on " + printer.printerName().toStdString());

    // Lay out in the view's own pixels, scaled to the printer's resolution.
    const double scale = double(printer.resolution()) / m_screenDpi;
    painter.scale(scale, scale);
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    const int pageWidth = std::max(1, int(area.width() / scale));
    const int pageHeight = std::max(1, int(area.height() / scale));

    ViewFonts fonts;
    fonts.setFont(m_font, m_screenDpi, m_text->formats());
    RowLayout pages(*m_text);
    pages.setWrap(&fonts.base(), pageWidth);

    const BookRenderer renderer(pages, fonts, {m_color, {}, {}});
    const int rowsPerPage = std::max(1, pageHeight / fonts.rowHeight());
    for (int copy = 0; copy < copies; ++copy)
        for (std::int64_t first = 0; first < pages.lineCount(); first += rowsPerPage) {
            if (copy > 0 || first > 0)
                printer.newPage();
            for (int i = 0; i < rowsPerPage && first + i < pages.lineCount(); ++i)
                renderer.paintRow(painter, first + i, i * fonts.rowHeight(), 0, pageWidth, 0, 0);
        }
    painter.end();
}

} // namespace lirra
