// The book utilities of the main window: "Convert to Win", "Save Book As...", the
// "Information" dialog, printing and the "&Internet" menu, driven through their menu items.

#include "app/book_conversion.h"
#include "app/book_information.h"
#include "extras/print_commands.h"
#include "history/library_links.h"
#include "history/user_addresses.h"
#include "reader/book_names.h"
#include "main_window_fixture.h"
#include "test_fifo.h"
#include "xdg_open_stand_in.h"

#include <QDialog>
#include <QPrinter>

using namespace lirra;

namespace {

using BookUtilities = MainWindowTest;

// "Привет, «мир» – Ёж" in code page 1251, then two more lines.
const std::string kWindowsBook = "\xCF\xF0\xE8\xE2\xE5\xF2, \xAB\xEC\xE8\xF0\xBB \x96 \xA8\xE6\r\nline two\r\nline three\r\n";

} // namespace

TEST(WindowsRoundTrip, KeepsWhat866HoldsAndIsStableOnASecondTrip)
{
    const ByteTable& table = windowsRoundTrip();
    for (int byte : {0x00, 0x41, 0x7F, 0xA8, 0xB8, 0xB9, 0xC0, 0xDF, 0xE0, 0xFF})
        EXPECT_EQ(table[byte], byte) << byte;
    // 866 has no guillemets, no dashes, no euro.
    for (const auto& [byte, standIn] : {std::pair{0xAB, '<'}, {0xBB, '>'}, {0x96, '-'}, {0x88, '?'}})
        EXPECT_EQ(table[byte], standIn) << byte;
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(table[table[byte]], table[byte]) << byte;
}

TEST_F(BookUtilities, ConvertToWinRereadsTheBookBelowTheCaretsLineOrSaysWhyNotAndKeepsTheView)
{
    const std::string path = book("win.txt", kWindowsBook);
    TForm1 form({});
    // A file named like the idle caption is no book of the reader's.
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(m_scratch.path());
    writeFile(m_scratch / "Lirra Reader", "not a book\r\n");
    action(form, "ConverttoWin1")->trigger();
    std::filesystem::current_path(old);
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("File not found.")});
    EXPECT_EQ(form.bookView().lineCount(), 0);

    form.LoadBook(qstr(path));
    ASSERT_NE(form.bookView().lineText(0), QStringLiteral("Привет, «мир» – Ёж"));
    form.bookView().reanchorLine(1);   // caret on line 2: CurLine is 2
    ASSERT_EQ(form.currentLine(), 2);
    action(form, "ConverttoWin1")->trigger();
    EXPECT_EQ(form.bookView().lineText(0), QStringLiteral("Привет, <мир> - Ёж"));
    EXPECT_EQ(form.currentLine(), 3);   // the zero-based line 2
    EXPECT_EQ(form.windowTitle(), qstr(path));
    EXPECT_EQ(history().front(), path);
    // Again, from the last line: the same text, and the view stays where the load put it.
    form.bookView().reanchorLine(2);
    action(form, "ConverttoWin1")->trigger();
    EXPECT_EQ(form.bookView().lineText(0), QStringLiteral("Привет, <мир> - Ёж"));
    EXPECT_EQ(form.currentLine(), 1);
    EXPECT_EQ(boxes.size(), 1u);

    std::filesystem::remove(path);
    action(form, "ConverttoWin1")->trigger();
    EXPECT_EQ(boxes.back(), QStringLiteral("File not found."));
    // A FIFO in the book's place is refused before it is opened, not waited on.
    const TestFifo fifo(path);
    action(form, "ConverttoWin1")->trigger();
    EXPECT_EQ(boxes.back(), QStringLiteral("File access denied."));
    EXPECT_FALSE(fifo.opened());
    EXPECT_EQ(form.bookView().lineCount(), 3);
    EXPECT_EQ(form.bookView().lineText(1), QStringLiteral("line two"));
}

// Save Book As writes each line in 1251 with CR LF, renames the book, and replaces an
// existing file whole or not at all.
TEST_F(BookUtilities, SaveBookAsWritesEachLineIn1251WithCrLfAndReplacesAFileWholeOrNotAtAll)
{
    // "слово слово ..."
    const std::string dosWords = QByteArray("\xE1\xAB\xAE\xA2\xAE ").repeated(40).toStdString();
    const std::string windowsWords = QByteArray("\xF1\xEB\xEE\xE2\xEE ").repeated(40).toStdString();
    const std::string dos = book("dos.txt", "\x8F\xE0\xA8\xA2\xA5\xE2 " + dosWords + "\nsecond\r\n");
    nextFile = qstr(dos);
    TForm1 form({});
    action(form, "OpenBook1")->trigger();
    form.show();
    form.bookView().setWordWrap(true);   // the first line wraps on screen, not in the file
    ASSERT_GT(form.bookView().lineCount(), 2);

    const QString saved = qstr(m_scratch / "saved");   // no extension: none added
    nextFile = saved;
    action(form, "SaveBookAs1")->trigger();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(requests[1].fileName, qstr(dos));
    EXPECT_EQ(requests[1].filter, QStringLiteral("Text File (*.txt)|*.txt|Other File (*.*)|*.*"));
    EXPECT_EQ(readFile(m_scratch / "saved"), "\xCF\xF0\xE8\xE2\xE5\xF2 " + windowsWords + "\r\nsecond\r\n");
    EXPECT_EQ(form.windowTitle(), saved);
    EXPECT_EQ(history().front(), dos);   // saving records nothing

    // A rich book writes its visible text, and the dialog still proposes the last book
    // "Open Book" chose.
    nextFile = qstr(book("rich.rtf", "{\\rtf1\\ansi {\\b Bold} words\\par second\\par}"));
    action(form, "OpenRTFBook1")->trigger();
    nextFile = qstr(m_scratch / "rich.txt");
    action(form, "SaveBookAs1")->trigger();
    EXPECT_EQ(requests.back().fileName, qstr(dos));
    EXPECT_EQ(readFile(m_scratch / "rich.txt"), "Bold words\r\nsecond\r\n");

    // Cancelled: nothing written, the caption stays.
    nextFile.reset();
    action(form, "SaveBookAs1")->trigger();
    EXPECT_EQ(form.windowTitle(), qstr(m_scratch / "rich.txt"));
    EXPECT_TRUE(boxes.empty());

    // An existing file is replaced whole, keeping its permissions. A folder that does not
    // exist, a folder in the way of the name, a file without a write bit (read-only, also
    // to root): the error names the chosen file, the caption stays, nothing is left beside it.
    const std::string target = book("keep.txt", "the old book, longer than the new one\r\n");
    std::filesystem::permissions(target, std::filesystem::perms(0604));
    nextFile = qstr(target);
    action(form, "SaveBookAs1")->trigger();
    EXPECT_EQ(readFile(target), "Bold words\r\nsecond\r\n");
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0604));
    std::filesystem::create_directory(m_scratch / "shelf");
    const std::string locked = book("locked.txt", "locked book\r\n");
    std::filesystem::permissions(locked, std::filesystem::perms(0444));
    for (const std::string& refused : {m_scratch / "no folder/book.txt", m_scratch / "shelf", locked}) {
        nextFile = qstr(refused);
        action(form, "SaveBookAs1")->trigger();
        EXPECT_EQ(boxes.back(), QStringLiteral("Cannot create file %1.").arg(*nextFile));
        EXPECT_EQ(form.windowTitle(), qstr(target));
    }
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(readFile(locked), "locked book\r\n");
    for (const auto& entry : std::filesystem::directory_iterator(m_scratch.path()))
        EXPECT_EQ(entry.path().filename().string().find(".lirra-"), std::string::npos) << entry.path();
}

// Today's books are known by their content whichever way they come in, and no command
// takes a code page to them: the copy and a saved book are UTF-8, Convert to Win keeps the
// text.
TEST_F(BookUtilities, UnicodeAndFictionBooksKeepEveryCharacterThroughEveryCommand)
{
    const std::string utf8 = "\xCE\xB1 \xE2\x82\xAC \xD0\x81\xD0\xB6 \xF0\x9F\x93\x9A\r\nline two\r\n";
    const std::string path = book("unicode.txt", "\xEF\xBB\xBF" + utf8);
    TForm1 form({});
    form.LoadBook(qstr(path));
    EXPECT_EQ(form.bookView().lineText(0), QStringLiteral("α € Ёж 📚"));
    EXPECT_EQ(readFile(tempCopy()), utf8);
    form.bookView().reanchorLine(1);
    action(form, "ConverttoWin1")->trigger();
    EXPECT_EQ(form.bookView().lineText(0), QStringLiteral("α € Ёж 📚"));
    EXPECT_EQ(readFile(tempCopy()), utf8);
    nextFile = qstr(m_scratch / "saved.txt");
    action(form, "SaveBookAs1")->trigger();
    EXPECT_EQ(readFile(m_scratch / "saved.txt"), utf8);

    // A FictionBook named .txt by "Open Book", a Unicode text by "Open RTF Book".
    nextFile = qstr(book("story.txt", "<?xml version=\"1.0\"?><FictionBook><body><title><p>Заглавие"
                                      "</p></title><p><emphasis>Текст</emphasis></p></body></FictionBook>"));
    action(form, "OpenBook1")->trigger();
    EXPECT_EQ(form.bookView().lineText(0) + u'|' + form.bookView().lineText(1), QStringLiteral("Заглавие|Текст"));
    EXPECT_FALSE(std::filesystem::exists(tempCopy()));
    nextFile = qstr(path);
    action(form, "OpenRTFBook1")->trigger();
    EXPECT_EQ(form.bookView().lineText(0), QStringLiteral("α € Ёж 📚"));
    EXPECT_TRUE(boxes.empty());
}

TEST(BookInformation, NamePartPagesAndSize)
{
    const std::pair<const char*, const char*> names[] = {{"/home/anna/books/war.txt", "war.txt"},
        {"C:\\Books\\peace.txt", "peace.txt"}, {"C:book.txt ", "book.txt "}, {"plain", "plain"}, {"/folder/", ""}};
    for (const auto& [path, part] : names)
        EXPECT_EQ(fileNamePart(QString::fromLatin1(path)), QString::fromLatin1(part)) << path;

    const std::pair<std::int64_t, std::int64_t> pages[] = {{0, 0},  {13, 0}, {14, 0},  {15, 1},   {42, 2},
                                                           {70, 2}, {98, 4}, {1000, 36}, {6000000000, 214285714}};
    for (const auto& [lines, estimate] : pages)
        EXPECT_EQ(pageEstimate(lines), estimate) << lines;

    EXPECT_EQ(describeBook(QStringLiteral("/no/such/book.txt"), 5).fileSize, -1);
    EXPECT_EQ(describeBook(QStringLiteral("/"), 5).fileSize, -1);
    // A name that is not UTF-8 is decoded as the caption decodes it.
    EXPECT_EQ(describeBook(bookNameFromBytes("/books/\x8F\xE0\xA8\xA2\xA5\xE2.txt"), 5).fileName, QStringLiteral("Привет.txt"));
}

// Information shows only for an open book and is filled each time; printing is titled
// with the last "Open Book" choice, not the book shown.
TEST_F(BookUtilities, InformationAndPrintingDescribeTheOpenBook)
{
    const std::string path = numberedBook(42, "forty two.txt");
    // From the command line, with its trailing blank: shown in the name, not in the look-up.
    TForm1 form({qstr(path)});
    const auto information = [&] {
        QStringList seen;
        onNextModal(form, [&](QWidget& dialog) {
            for (const char* name : {"Label4", "Label5", "Label6", "Label8"})
                seen << label(dialog, name);
            seen << dialog.windowTitle();
            static_cast<QDialog&>(dialog).reject();
        });
        action(form, "Info1")->trigger();
        return seen;
    };
    EXPECT_EQ(information(), (QStringList{QStringLiteral("forty two.txt "),
                                          QString::number(std::filesystem::file_size(path)), "42", "2", "Information"}));
    std::filesystem::remove(path);
    EXPECT_EQ(information().mid(1, 2), (QStringList{QStringLiteral("-1"), QStringLiteral("42")}));
    action(form, "ClearAll2")->trigger();
    action(form, "Info1")->trigger();   // no book: a dialog shown would be left up, failing the test

    QString title;
    setPrintDialogPresenter([&](PrintDialogKind, QPrinter& printer, QWidget*) {
        title = printer.docName();
        return false;
    });
    nextFile = qstr(book("chosen.txt", "chosen\r\n"));
    action(form, "OpenBook1")->trigger();
    form.LoadBook(qstr(book("shown.txt", "shown\r\n")));   // as the History menu or a drop would
    action(form, "PrintBook1")->trigger();
    setPrintDialogPresenter({});
    EXPECT_EQ(title, *nextFile);
}

TEST_F(BookUtilities, InternetMenuLaunchesFixedAndListedAddressesAndClearsTheList)
{
    XdgOpenStandIn xdgOpen;
    storeAddresses({QStringLiteral("my.site/a b"), QStringLiteral("other.org")});
    TForm1 form({});
    QMenu* users = menu(form, "UsersURL1");
    ASSERT_TRUE(users->menuAction()->isEnabled());
    ASSERT_EQ(users->actions().size(), 2);

    // Each library item opens the address it shows, one at a time so that their order is known.
    std::vector<std::string> shown;
    for (std::size_t i = 1; i <= kLibraryLinks.size(); ++i) {
        QAction* library = action(form, ("url" + std::to_string(i)).c_str());
        shown.push_back(library->text().toStdString());
        library->trigger();
        ASSERT_EQ(xdgOpen.launches(i).size(), i);
    }
    EXPECT_EQ(shown.front(), "https://www.gutenberg.org");
    users->actions()[0]->trigger();   // the address, not the caption "&1<tab>my.site/a b"
    shown.push_back("my.site/a b");
    EXPECT_EQ(xdgOpen.addresses(shown.size()), shown);

    action(form, "ClearAllUsersURL1")->trigger();
    EXPECT_FALSE(users->menuAction()->isEnabled());
    EXPECT_FALSE(platform::Registry().keyExists(kInternetKey));
}
