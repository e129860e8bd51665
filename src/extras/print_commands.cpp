#include "extras/print_commands.h"

#include "bookview/widget/book_view.h"
#include "reader/message_boxes.h"
#include "reader/reader_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QScopeGuard>

#include <utility>

namespace lirra {

// The printer of the two commands. It reports each new page, which is where a long job
// shows its progress and can be stopped.
class PagedPrinter final : public QPrinter {
public:
    PagedPrinter() : QPrinter(QPrinter::HighResolution) {}
    bool newPage() override
    {
        if (onNewPage)
            onNewPage();
        return QPrinter::newPage();
    }
    std::function<void()> onNewPage;
};

namespace {

// A job shorter than this shows no progress at all.
constexpr qint64 kProgressAfterMs = 400;
// Between two looks at the Cancel button; each look costs a round of events.
constexpr qint64 kProgressStepMs = 50;

struct PrintCancelled {};

PrintDialogPresenter& presenter()
{
    static PrintDialogPresenter current;
    return current;
}

// The print dialog with only the choices the printing honours: printer, its properties and
// the number of copies. The whole book is always printed, each copy whole before the
// next, first page first; the toolkit shows its page range, collation and page order
// whatever the options say, so they are taken out once the dialog is up.
class BookPrintDialog final : public QPrintDialog {
public:
    BookPrintDialog(QPrinter& printer, QWidget* parent) : QPrintDialog(&printer, parent)
    {
        setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QPrintDialog::showEvent(event);
        for (const char* name : {"gbPrintRange", "collate", "reverse"})
            if (auto* choice = findChild<QWidget*>(QLatin1String(name)))
                choice->hide();
    }
};

bool runDialog(PrintDialogKind kind, QPrinter& printer, QWidget* parent)
{
    if (kind == PrintDialogKind::PageSetup)
        return QPageSetupDialog(&printer, parent).exec() == QDialog::Accepted;
    return BookPrintDialog(printer, parent).exec() == QDialog::Accepted;
}

bool confirmed(PrintDialogKind kind, QPrinter& printer, QWidget* parent)
{
    return presenter() ? presenter()(kind, printer, parent) : runDialog(kind, printer, parent);
}

// The progress of a job that takes a while, page by page, with Cancel. The window stays
// modal while it shows, so nothing the reader does can change the book being printed.
class PrintProgress {
public:
    explicit PrintProgress(QWidget* parent) : m_dialog(QString(), QStringLiteral("Cancel"), 0, 0, parent)
    {
        m_dialog.setObjectName(QStringLiteral("PrintProgress"));
        m_dialog.setWindowTitle(kApplicationTitle);
        m_dialog.setWindowModality(Qt::ApplicationModal);
        m_dialog.setAutoReset(false);
        m_dialog.setMinimumWidth(300);   // room for the title
        m_clock.start();
    }

    // A page is done and the next begins. Throws PrintCancelled once Cancel was pressed.
    void nextPage()
    {
        ++m_page;
        const qint64 now = m_clock.elapsed();
        if (now < kProgressAfterMs || now - m_lastLook < kProgressStepMs)
            return;
        m_lastLook = now;
        m_dialog.setLabelText(QStringLiteral("Printing page %1...").arg(m_page));
        if (!m_dialog.isVisible())
            m_dialog.show();
        QCoreApplication::processEvents();
        if (m_dialog.wasCanceled())
            throw PrintCancelled{};
    }

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_clock;
    qint64 m_lastLook = 0;
    int m_page = 1;
};

} // namespace

PrintDialogPresenter setPrintDialogPresenter(PrintDialogPresenter replacement)
{
    return std::exchange(presenter(), std::move(replacement));
}

QString proposedPdfName(const QString& title, const QString& folder)
{
    const QString base = QFileInfo(title).completeBaseName();
    return QDir(folder).filePath(base.isEmpty() ? QStringLiteral("print.pdf") : base + QStringLiteral(".pdf"));
}

PrintCommands::PrintCommands(ReaderWindow& reader) : m_reader(reader) {}

PrintCommands::~PrintCommands() = default;

PagedPrinter& PrintCommands::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<PagedPrinter>();
    return *m_printer;
}

void PrintCommands::printBook()
{
    PagedPrinter& paged = printer();
    const QString title = m_reader.lastChosenBookName();
    paged.setDocName(title);
    // A PDF file is named after the book open now, in the folder of the last one (at
    // first the home folder); the toolkit would keep the first job's name all run long.
    if (paged.outputFormat() == QPrinter::PdfFormat) {
        const QString last = paged.outputFileName();
        const QString folder = last.isEmpty() ? QDir::homePath() : QFileInfo(last).absolutePath();
        paged.setOutputFileName(proposedPdfName(m_reader.hasBook() ? m_reader.bookName() : QString(), folder));
    }
    if (!confirmed(PrintDialogKind::Print, paged, m_reader.dialogParent()))
        return;

    PrintProgress progress(m_reader.dialogParent());
    paged.onNewPage = [&progress] { progress.nextPage(); };
    const auto unhook = qScopeGuard([&paged] { paged.onNewPage = nullptr; });
    try {
        m_reader.bookView().print(paged, title);
    } catch (const PrintCancelled&) {
        // A spooled job cannot be taken back; a file can.
        if (paged.outputFormat() == QPrinter::PdfFormat && !paged.outputFileName().isEmpty())
            QFile::remove(paged.outputFileName());
    }
}

void PrintCommands::setupPrinter()
{
    confirmed(PrintDialogKind::PageSetup, printer(), m_reader.dialogParent());
}

} // namespace lirra
