// "&Print Book" and "&Setup Printer" with the dialogs answered in advance and the PDF
// output as the printer.

#include "extras/print_commands.h"

#include "fake_reader_window.h"
#include "scratch_folder.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QMessageBox>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

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

    void loadLines(int count)
    {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "line " + std::to_string(i) + "\r\n";
        writeFile(folder / "book.txt", text);
        reader.view.loadFile(folder / "book.txt");
    }
    // The pages of the printed PDF, counted by their page objects.
    int pdfPages() const
    {
        const std::string bytes = readFile(pdf);
        int pages = 0;
        for (auto at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
            pages += bytes.compare(at, 12, "/Type /Pages") != 0;
        return pages;
    }

    ScratchFolder folder;
    std::string pdf = folder / "out.pdf";
    FakeReaderWindow reader;
    PrintCommands commands{reader};
    std::vector<PrintDialogKind> asked;
    std::vector<std::pair<QString, int>> proposed;   // file name and copies the dialog opened with
    int copies = 1;
    bool confirm = true;
};

// A job title as the PDF stores it: UTF-16, high byte first.
std::string utf16Title(const QString& title)
{
    std::string bytes;
    for (QChar c : title)
        bytes += {char(c.unicode() >> 8), char(c.unicode() & 0xFF)};
    return bytes;
}

} // namespace

TEST(ProposedPdfName, TheTitlesBaseNameInTheFolder)
{
    for (const auto& [title, folder, name] : {std::tuple{"/books/war and peace.txt", "/home/anna", "war and peace.pdf"},
                                              {"/books/tales.v2.rtf", "/home/anna/", "tales.v2.pdf"}, {"", "/home/anna", "print.pdf"}})
        EXPECT_EQ(proposedPdfName(QString::fromUtf8(title), QString::fromUtf8(folder)), QStringLiteral("/home/anna/") + name);
}

TEST_F(Printing, TheWholeBookIsOneJobTitledWithTheLastOpenBookChoice)
{
    loadLines(1);
    reader.lastChosen = QStringLiteral("/книги/Война.txt");
    reader.caption = QStringLiteral("/elsewhere/opened from history.txt");
    commands.printBook();
    EXPECT_EQ(asked, std::vector<PrintDialogKind>{PrintDialogKind::Print});
    EXPECT_EQ(pdfPages(), 1);
    EXPECT_NE(readFile(pdf).find(utf16Title(reader.lastChosen)), std::string::npos);

    loadLines(400);
    commands.printBook();
    EXPECT_GT(pdfPages(), 3);
}

TEST_F(Printing, CopiesRepeatTheWholeBookAndTheFileIsNamedAfterTheBookOpenNow)
{
    loadLines(150);
    commands.printBook();
    const int once = pdfPages();
    ASSERT_GT(once, 1);
    for (const char* book : {"/books/war and peace.txt", "/elsewhere/tales.rtf"}) {
        copies = 2;
        reader.caption = QLatin1String(book);
        commands.printBook();
        EXPECT_EQ(pdfPages(), 2 * once) << book;
    }
    const QString here = QString::fromStdString(folder.path());
    EXPECT_EQ(proposed, (std::vector<std::pair<QString, int>>{{QDir::home().filePath(QStringLiteral("print.pdf")), 1},
                                                              {here + QStringLiteral("/war and peace.pdf"), 1},
                                                              {here + QStringLiteral("/tales.pdf"), 2}}));
}

// Print asked for over an existing file: the question names it and defaults to No.
TEST_F(Printing, TheRealDialogOffersPrinterAndCopiesButNoPageRangeAndAsksBeforeOverwriting)
{
    commands.printBook();   // answered in advance, into the scratch folder
    setPrintDialogPresenter({});
    reader.caption = QStringLiteral("/books/tale.txt");
    const std::string existing = folder / "tale.pdf";
    writeFile(existing, "old");
    std::map<std::string, bool> offered;
    QString question;
    bool safeDefault = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
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
    watcher.start(5);
    commands.printBook();
    EXPECT_EQ(offered, (std::map<std::string, bool>{{"printers", true}, {"copies", true}, {"gbPrintRange", false},
                                                    {"printRange", false}, {"collate", false}, {"reverse", false}}));
    EXPECT_TRUE(question.contains(QString::fromStdString(existing))) << question.toStdString();
    EXPECT_TRUE(safeDefault);
    EXPECT_EQ(readFile(existing), "old");
}

TEST_F(Printing, AnEmptyViewStillMakesAJobAndCancellingEitherDialogPrintsNothing)
{
    commands.printBook();
    EXPECT_EQ(pdfPages(), 1);
    std::filesystem::remove(pdf);

    confirm = false;
    loadLines(10);
    commands.printBook();
    commands.setupPrinter();
    EXPECT_EQ(asked, (std::vector<PrintDialogKind>{PrintDialogKind::Print, PrintDialogKind::Print,
                                                   PrintDialogKind::PageSetup}));
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(reader.view.lineCount(), 10);
}

TEST_F(Printing, CancelInTheProgressOfALongJobStopsItAndLeavesNoFile)
{
    loadLines(100000);
    bool cancelled = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (progress && !cancelled) {
            cancelled = true;
            EXPECT_TRUE(progress->labelText().startsWith(QStringLiteral("Printing page ")));
            progress->cancel();
        }
    });
    watcher.start(5);
    commands.printBook();
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
