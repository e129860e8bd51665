#pragma once

// "&Print Book" and "&Setup Printer": the toolkit's print and page set-up dialogs choose
// the printer and its settings, which last until the program ends; the book view lays
// the whole book out on the printer's pages. Where no printer is installed, the
// toolkit's PDF output is the printer.

#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace lirra {

class ReaderWindow;
class PagedPrinter;

enum class PrintDialogKind { Print, PageSetup };

// Shows the dialog of `kind` for `printer`; true when the user confirmed. Tests answer in
// advance through setPrintDialogPresenter(); an empty function restores the real dialogs.
using PrintDialogPresenter = std::function<bool(PrintDialogKind kind, QPrinter& printer, QWidget* parent)>;
PrintDialogPresenter setPrintDialogPresenter(PrintDialogPresenter presenter);

// The PDF file the print dialog proposes for a job titled `title`: the title's base name
// with ".pdf" in `folder`, "print.pdf" for an untitled job.
QString proposedPdfName(const QString& title, const QString& folder);

class PrintCommands {
public:
    explicit PrintCommands(ReaderWindow& reader);
    ~PrintCommands();

    // PrintBook1Click: the print dialog (printer and copies; the whole book is always
    // printed), then one job titled with the file last chosen in "Open Book", the book as
    // many times as the copies asked for. A PDF file is proposed under the name of the book
    // open now. A long job shows its progress, and Cancel there stops it; a cancelled PDF
    // file is removed.
    void printBook();
    // SetupPrinter1Click: the page set-up dialog; confirming or cancelling changes nothing else.
    void setupPrinter();

private:
    PagedPrinter& printer();

    ReaderWindow& m_reader;
    std::unique_ptr<PagedPrinter> m_printer;   // made when first needed
};

} // namespace lirra
