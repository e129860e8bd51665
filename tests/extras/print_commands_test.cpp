// "&Print Book" and "&Setup Printer" with the dialogs answered in advance and the PDF
// output as the printer.

#include "extras/print_commands.h"

#include "fake_reader_window.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QMessageBox>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringEncoder>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>

using namespace lirra;

namespace {

class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        setPrintDialogPresenter([this](PrintDialogKind kind, QPrinter& printer, QWidget*) {
            asked.push_back(kind);
            proposed.push_back({printer.outputFileName(), printer.copyCount()});
            printer.setCopyCount(copies);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf));
            return confirm;
        });
    }
    void TearDown() override { setPrintDialogPresenter({}); }

    // The pages of the printed PDF, counted by their page objects ("/Type /Pages" is their tree).
    int pdfPages() const
    {
        static const std::regex page("/Type /Page[^s]");
        const std::string bytes = readFile(pdf);
        return int(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), {}));
    }
    // Runs `act` on each modal window while printing.
    void printWatching(const std::function<void(QWidget*)>& act)
    {
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] { act(QApplication::activeModalWidget()); });
        watcher.start(5);
        commands.printBook();
    }

    FakeReaderWindow reader;
    std::string pdf = reader.scratch / "out.pdf";
    PrintCommands commands{reader};
    std::vector<PrintDialogKind> asked;
    std::vector<std::pair<QString, int>> proposed;   // file name and copies the dialog opened with
    int copies = 1;
    bool confirm = true;
};

} // namespace

// One job titled with the last "Open Book" choice; copies repeat the whole book; the file
// is named after the book open now; an empty view still makes a page.
TEST_F(Printing, TheWholeBookIsOneJobRepeatedPerCopyAndItsFileIsNamedAfterTheBookOpenNow)
{
    for (const auto& [title, folder, name] : {std::tuple{"/books/war and peace.txt", "/home/anna", "war and peace.pdf"},
                                              {"/books/tales.v2.rtf", "/home/anna/", "tales.v2.pdf"}, {"", "/home/anna", "print.pdf"}})
        EXPECT_EQ(proposedPdfName(QString::fromUtf8(title), QString::fromUtf8(folder)), QStringLiteral("/home/anna/") + name);
    commands.printBook();
    EXPECT_EQ(pdfPages(), 1);
    reader.openNumbered(1);
    reader.lastChosen = QStringLiteral("/книги/Война.txt");
    commands.printBook();
    EXPECT_EQ(pdfPages(), 1);
    const QByteArray title = QStringEncoder(QStringEncoder::Utf16BE)(reader.lastChosen);   // as the PDF stores it
    EXPECT_NE(readFile(pdf).find(title.toStdString()), std::string::npos);

    reader.openNumbered(150);
    commands.printBook();
    const int once = pdfPages();
    ASSERT_GT(once, 1);
    for (const char* book : {"/books/war and peace.txt", "/elsewhere/tales.rtf"}) {
        copies = 2;
        reader.caption = QLatin1String(book);
        commands.printBook();
        EXPECT_EQ(pdfPages(), 2 * once) << book;
    }
    const QString here = QString::fromStdString(reader.scratch.path());
    const QString print = here + QStringLiteral("/print.pdf");
    EXPECT_EQ(proposed, (std::vector<std::pair<QString, int>>{{QDir::home().filePath(QStringLiteral("print.pdf")), 1},
                                                              {print, 1}, {print, 1},
                                                              {here + QStringLiteral("/war and peace.pdf"), 1},
                                                              {here + QStringLiteral("/tales.pdf"), 2}}));
}

// Print asked for over an existing file: the question names it and defaults to No.
TEST_F(Printing, TheRealDialogOffersPrinterAndCopiesButNoPageRangeAndAsksBeforeOverwriting)
{
    commands.printBook();   // answered in advance, into the scratch folder
    setPrintDialogPresenter({});
    reader.caption = QStringLiteral("/books/tale.txt");
    const std::string existing = reader.scratch / "tale.pdf";
    writeFile(existing, "old");
    std::map<std::string, bool> offered;
    QString question;
    bool safeDefault = false;
    printWatching([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            question = box->text();
            safeDefault = box->defaultButton() && box->defaultButton() == box->button(QMessageBox::No);
            box->defaultButton() ? box->defaultButton()->click() : box->reject();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && !offered.empty()) {
            dialog->reject();
        } else if (dialog) {
            for (auto* button : dialog->findChildren<QPushButton*>())
                if (button->text().contains(QStringLiteral("Options")))
                    button->click();   // "Options >>" shows the rest
            for (const char* name : {"printers", "copies", "gbPrintRange", "printRange", "collate", "reverse"})
                if (auto* choice = dialog->findChild<QWidget*>(QLatin1String(name)))
                    offered[name] = choice->isVisibleTo(dialog);
            // Queued: the question it asks waits in a loop of its own, where this timer must fire again.
            QMetaObject::invokeMethod(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                                      &QPushButton::click, Qt::QueuedConnection);
        }
    });
    EXPECT_EQ(offered, (std::map<std::string, bool>{{"printers", true}, {"copies", true}, {"gbPrintRange", false},
                                                    {"printRange", false}, {"collate", false}, {"reverse", false}}));
    EXPECT_TRUE(question.contains(QString::fromStdString(existing))) << question.toStdString();
    EXPECT_TRUE(safeDefault);
    EXPECT_EQ(readFile(existing), "old");
}

// Cancelling either dialog, or the progress of a long job, leaves no file.
TEST_F(Printing, CancellingADialogOrTheProgressOfALongJobPrintsNothing)
{
    confirm = false;
    reader.openNumbered(100000);
    commands.printBook();
    commands.setupPrinter();
    EXPECT_EQ(asked, (std::vector<PrintDialogKind>{PrintDialogKind::Print, PrintDialogKind::PageSetup}));
    EXPECT_FALSE(std::filesystem::exists(pdf));

    confirm = true;
    bool cancelled = false;
    printWatching([&](QWidget* modal) {
        auto* progress = qobject_cast<QProgressDialog*>(modal);
        if (progress && !cancelled) {
            cancelled = true;
            EXPECT_TRUE(progress->labelText().startsWith(QStringLiteral("Printing page ")));
            progress->cancel();
        }
    });
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(reader.view.lineCount(), 100000);
}
