// The main window as a user meets it: start-up, opening books four ways, the status
// line, saving options, the history, and closing.

#include "reader/book_names.h"
#include "widgets/rx_gradient_caption.h"
#include "widgets/windows_menu_style.h"
#include "error_text.h"
#include "file_size_limit.h"
#include "main_window_fixture.h"
#include "test_fifo.h"

#include <QDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

using namespace lirra;
using lirra::platform::Registry;

namespace {

using MainWindow = MainWindowTest;

// Drags `paths` onto the window and drops them; whether the drag was accepted.
bool drop(TForm1& form, const std::vector<std::string>& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths)
        urls << QUrl::fromLocalFile(qstr(path));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &enter);
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &dropped);
    return enter.isAccepted();
}

const std::string kDosBook = "\x8F\xE0\xA8\xA2\xA5\xE2\r\nline two\r\nline three\r\n";  // "Привет", ...

} // namespace

// The window starts idle with its designed menus and dialogs; Save Options stores the
// look, Defaults Options removes it, and damaged options stop start-up.
TEST_F(MainWindow, StartsIdleWithItsDesignedMenusAndDialogsAndItsOptionsAreStoredOrRefused)
{
    TForm1 form({});
    EXPECT_TRUE(idle(form) && history().empty() && boxes.empty());
    EXPECT_FALSE(menu(form, "History1")->menuAction()->isEnabled());
    EXPECT_FALSE(action(form, "ScrollText1")->isEnabled());
    // Alt+Enter works with both Enter keys.
    EXPECT_EQ(action(form, "FullScreen1")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)}));
    // The rows become a menu as its user sees it: captions, submenus and separators ("-") in order.
    QStringList files;
    for (const QAction* item : menu(form, "Files1")->actions())
        files << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(files.join(u'|'), "&Open Book|Open RTF Book|Save Book As...|-|&Print Book|&Setup Printer|-|Information|-"
                                "|History|-|E&xit");
    for (const char* name : {"Files1", "History1", "Options1", "ColorThemes1", "PopupMenu1", "PopupMenu2", "UsersURL1"})
        EXPECT_TRUE(qobject_cast<WindowsMenuStyle*>(menu(form, name)->style())) << name;
    for (const char* name : {"Form2", "Form4", "Form5", "Form6", "Form7", "Form8"}) {
        auto* dialog = form.findChild<QDialog*>(QLatin1String(name));
        auto* caption = dialog ? dialog->findChild<TRxGradientCaption*>() : nullptr;
        ASSERT_TRUE(caption) << name;
        EXPECT_EQ(caption->FormCaption(), dialog->windowTitle()) << name;
        EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::FramelessWindowHint)) << name;
    }
    // A left click in the empty view opens the book dialog.
    QTest::mouseClick(form.bookView().viewport(), Qt::LeftButton);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, QStringLiteral("Open Book"));

    form.bookView().setFontSize(15);
    action(form, "SaveOptions1")->trigger();
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Options was saved.")});
    Registry registry;
    registry.openKey(kOptionsKey, false);
    EXPECT_EQ(registry.readInteger("FontSize"), 15);
    EXPECT_EQ(registry.readString("FontName"), "Courier New Cyr");
    EXPECT_EQ(registry.readInteger("ConfirmSetBMExit"), 1);
    action(form, "DefaultsOptions1")->trigger();
    EXPECT_FALSE(registry.keyExists("Software\\Lirra Reader"));

    // Damaged options stop the next start-up, which keeps the designed look.
    boxes.clear();
    Registry().writeValues(kOptionsKey, {{"FontSize", 20}, {"FontColor", "silver"}});
    TForm1 damaged({qstr(book("b.txt", kDosBook))});
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Invalid data type for 'FontColor'")});  // no full stop after a quote
    EXPECT_EQ(damaged.bookView().fontSize(), 13);
    EXPECT_EQ(damaged.bookView().backgroundColor(), 0u);
    EXPECT_TRUE(action(damaged, "SetBookmarkBeforeExit1")->isChecked());
    EXPECT_EQ(damaged.bookView().lineCount(), 0);  // the book named on the command line is not opened
}

TEST_F(MainWindow, CommandLineBooksOpenWithOneTrailingBlankAndNamesReachTheFileSystemAsTheyAre)
{
    const std::string path = book("my book.txt", kDosBook);
    // An unquoted path with a blank arrives as two arguments.
    const std::size_t blank = path.find(' ');
    TForm1 form({qstr(path.substr(0, blank)), qstr(path.substr(blank + 1))});
    EXPECT_EQ(form.windowTitle(), qstr(path + ' '));
    EXPECT_EQ(form.bookView().lineText(0), QStringLiteral("Привет"));
    EXPECT_FALSE(std::filesystem::exists(m_scratch / "runtime/lirra.tmp"));
    EXPECT_EQ(history(), std::vector<std::string>{path + ' '});
    EXPECT_EQ(label(form, "Label3") + label(form, "Label6"), QStringLiteral("125%"));

    // "Привет.txt" named in CP866, as old archives name their files: no UTF-8.
    const std::string oldName = book("\x8F\xE0\xA8\xA2\xA5\xE2.txt", kDosBook);
    TForm1 old({bookNameFromBytes(oldName)});
    EXPECT_EQ(old.windowTitle(), qstr(m_scratch / "Привет.txt "));
    EXPECT_EQ(history().front(), oldName + " ");
    // Trailing blanks go one at a time: a file whose name ends in a blank is found.
    writeFile(m_scratch / "blank.txt ", "one real blank\r\n");
    writeFile(m_scratch / "blank.txt", "no blank\r\n");
    old.LoadBook(qstr(m_scratch / "blank.txt  "));
    EXPECT_EQ(old.bookView().lineText(0), QStringLiteral("one real blank"));
    // The history reopens the very same file.
    ASSERT_GE(menu(old, "History1")->actions().size(), 2);
    menu(old, "History1")->actions()[1]->trigger();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(old.bookView().lineText(0), QStringLiteral("Привет"));
}

// A missing book is named in the caption, an empty one shows at 100 %, of dropped files the
// first opens, and the history reopens books without recording them again.
TEST_F(MainWindow, MissingEmptyAndDroppedBooksAndTheHistoryThatReopensThem)
{
    TForm1 form({QStringLiteral("/no/such/book.txt")});
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("File not found.")});
    EXPECT_EQ(form.windowTitle(), QStringLiteral("/no/such/book.txt "));
    EXPECT_EQ(form.bookView().lineCount(), 0);
    EXPECT_TRUE(history().empty());
    const std::string empty = book("empty.txt", ""), a = book("a.txt", "book a\r\n"), b = book("b.txt", "book b\r\n");
    form.LoadBook(qstr(empty));
    EXPECT_EQ(form.bookView().lineCount(), 0);
    EXPECT_EQ(label(form, "Label3") + label(form, "Label6"), QStringLiteral("1100%"));
    EXPECT_EQ(form.windowTitle(), qstr(empty));
    ASSERT_TRUE(drop(form, {a, b}));
    EXPECT_EQ(form.windowTitle(), qstr(a));
    form.LoadBook(qstr(b));
    ASSERT_EQ(history(), (std::vector<std::string>{b, a, empty}));

    const QList<QAction*> items = menu(form, "History1")->actions();
    ASSERT_EQ(items.size(), 3);
    items[1]->trigger();
    EXPECT_EQ(form.windowTitle(), qstr(a));
    EXPECT_EQ(form.bookView().lineText(0), QStringLiteral("book a"));
    EXPECT_EQ(history(), (std::vector<std::string>{b, a, empty}));
    EXPECT_TRUE(menu(form, "History1")->actions()[0]->text().endsWith(qstr(b)));

    action(form, "ClearAll2")->trigger();   // idle, with the history kept
    EXPECT_EQ(form.windowTitle() + form.bookView().accessibleName(), QStringLiteral("Lirra ReaderLirra Reader"));
    EXPECT_EQ(form.bookView().lineCount(), 0);
    EXPECT_EQ(history().size(), 3u);
    EXPECT_TRUE(menu(form, "History1")->menuAction()->isEnabled());
}

TEST_F(MainWindow, OpeningNoRegularFileOrCancellingKeepsTheBookWhicheverWayItComes)
{
    TForm1 form({qstr(book("a.txt", kDosBook))});
    const QString title = form.windowTitle();
    ASSERT_TRUE(std::filesystem::exists(tempCopy()));
    action(form, "OpenBook1")->trigger();   // cancelled: the copy goes, the view stays
    EXPECT_EQ(requests.back().title, QStringLiteral("Open Book"));
    EXPECT_FALSE(std::filesystem::exists(tempCopy()));
    EXPECT_EQ(form.bookView().lineCount(), 3);

    const TestFifo fifo(m_scratch / "fifo.txt");
    // A device read to its end would otherwise fill the disk with its copy.
    const FileSizeLimit disk(1 << 20);
    const std::string missing = m_scratch / "no such book.rtf";   // as if deleted after it was chosen
    const auto refusedWith = [&](const char* way, const std::string& text) {
        SCOPED_TRACE(way);
        EXPECT_EQ(boxes, std::vector<QString>{qstr(text)});
        EXPECT_EQ(form.windowTitle() + u'|' + form.bookView().lineText(0), title + QStringLiteral("|Привет"));
        boxes.clear();
    };
    for (const std::string& notABook : {missing, fifo.path(), m_scratch.path(), std::string("/dev/zero")}) {
        SCOPED_TRACE(notABook);
        const std::string refusal = notABook == missing ? "File not found." : "File access denied.";
        nextFile = qstr(notABook);
        action(form, "OpenBook1")->trigger();
        refusedWith("Open Book", refusal);
        drop(form, {notABook});
        refusedWith("dropped", refusal);
        action(form, "OpenRTFBook1")->trigger();
        refusedWith("Open RTF Book", "Cannot open file " + notABook + ".");
    }
    EXPECT_EQ(requests.back().title, QStringLiteral("Open RTF Book"));
    EXPECT_FALSE(fifo.opened());
    EXPECT_EQ(history(), std::vector<std::string>{title.toStdString()});

    TForm1 other({qstr(fifo.path())});
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("File access denied.")});
    EXPECT_EQ(other.bookView().lineCount(), 0);
    EXPECT_FALSE(fifo.opened());
}

// The status line shows the caret's line and column in the view; CurLine follows only keys.
TEST_F(MainWindow, ReadingKeysMoveCaretPageScrollAndResizeAndTheStatusLineFollows)
{
    TForm1 form({qstr(numberedBook(300))});
    ASSERT_TRUE(activate(form));
    TBookView& view = form.bookView();
    const auto press = [&](std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys)
            QTest::keyClick(&view, key);
    };
    const auto lineAndChar = [&] { return label(form, "Label3") + u':' + label(form, "Label4"); };
    // Loading re-anchors on the first line: the caret stood at its end when the status was taken.
    EXPECT_EQ(lineAndChar(), QStringLiteral("1:7"));
    press({Qt::Key_Right, Qt::Key_Right});
    EXPECT_EQ(lineAndChar(), QStringLiteral("1:3"));
    press({Qt::Key_Down, Qt::Key_Down, Qt::Key_End});
    EXPECT_EQ(lineAndChar(), QStringLiteral("3:7"));
    EXPECT_EQ(std::pair(form.currentLine(), form.currentColumn()), std::pair(3, 7));
    auto* lineNumber = form.findChild<QLabel*>(QStringLiteral("Label3"));
    QTest::mouseMove(lineNumber, QPoint(2, 2));
    EXPECT_EQ(lineNumber->toolTip(), QStringLiteral("3 of 300"));

    // Space: the view and the caret one line on; Backspace: both back, also mid-page.
    const auto topAndLine = [&] { return QString::number(view.firstVisibleLine()) + u'/' + label(form, "Label3"); };
    view.caretToStart();
    press({Qt::Key_Space});
    EXPECT_EQ(topAndLine(), QStringLiteral("1/2"));
    press({Qt::Key_Backspace});
    EXPECT_EQ(topAndLine(), QStringLiteral("0/1"));
    view.reanchorLine(60);
    view.scroll(ScrollStep::LineDown);   // line 61 is no longer on the top row
    const QString top = QString::number(view.firstVisibleLine() - 1);
    press({Qt::Key_Backspace});
    EXPECT_EQ(topAndLine(), top + QStringLiteral("/60"));
    // Enter: a page on.
    press({Qt::Key_Return});
    EXPECT_GT(label(form, "Label3").toInt(), 70);
    EXPECT_EQ(view.lineCount(), 300);  // nothing typed into the book

    const int size = view.fontSize();
    press({Qt::Key_Plus});
    EXPECT_EQ(view.fontSize(), size + 1);
    press({Qt::Key_Minus, Qt::Key_Minus});
    EXPECT_EQ(view.fontSize(), size - 1);
}

TEST_F(MainWindow, ACopyThatCannotBeDeletedAtCloseIsNoError)
{
    // Every folder the copy may be in is open to others by the time the window closes.
    setEnv("TMPDIR", m_scratch / "tmp");
    const std::string fallback = m_scratch / ("tmp/lirra-" + std::to_string(::geteuid()));
    std::filesystem::create_directories(fallback);
    TForm1 form({qstr(book("a.txt", kDosBook))});
    for (const std::string& folder : {m_scratch / "cache/lirra-reader", m_scratch / "runtime", fallback})
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all | std::filesystem::perms::group_read);
    form.show();
    form.close();
    EXPECT_FALSE(form.isVisible());
    // The bookmark offer (declined here) is all the user sees.
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Set Book-Mark before exit?")});
}

// A big book shows its first page at once and its figures once it is whole; a load cut
// short, stopped or failing half-way leaves no half book nor copy.
TEST_F(MainWindow, ABigBookShowsItsFirstPageAtOnceAndALoadCutShortLeavesNoHalfBook)
{
    const int count = 200000;   // some 2.5 MB: more than the first page
    const QString big = qstr(numberedBook(count, "big.txt"));
    TForm1 form({});
    ASSERT_TRUE(activate(form));
    TBookView& shown = form.bookView();
    form.LoadBook(big);
    ASSERT_FALSE(shown.holdsWholeText());
    EXPECT_LT(shown.lineCount(), count);
    EXPECT_EQ(shown.lineText(0), QStringLiteral("line 1"));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&shown, Qt::Key_Down);
    shown.scroll(ScrollStep::LineDown);
    const auto lineAndPercent = [&] { return label(form, "Label3") + u'|' + label(form, "Label6"); };
    EXPECT_EQ(lineAndPercent(), QStringLiteral("4|"));   // until the count is known, no percentage

    // The rest taken in keeps the caret and the top line; the percentage appears.
    EXPECT_TRUE(form.awaitWholeBook());
    EXPECT_EQ(shown.lineCount(), count);
    EXPECT_EQ(shown.lineFromChar(shown.caretPosition()), 3);
    EXPECT_EQ(shown.firstVisibleLine(), 1);
    EXPECT_EQ(label(form, "Label6"), QStringLiteral("0%"));
    EXPECT_EQ(std::filesystem::file_size(tempCopy()), std::filesystem::file_size(big.toStdString()));

    // Ctrl+End on a first page waits for the book's end.
    form.LoadBook(big);
    ASSERT_FALSE(shown.holdsWholeText());
    QTest::keyClick(&shown, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(lineAndPercent(), QStringLiteral("200001|100%"));

    const QString small = qstr(book("small.txt", kDosBook)), shorter = qstr(numberedBook(20000, "shorter.txt"));
    // A book shorter than a first page is copied whole before it shows; when that fails,
    // the first page of the book loading before is gone too.
    form.LoadBook(big);
    {
        FileSizeLimit disk(64 * 1024);
        EXPECT_EQ(errorText([&] { form.LoadBook(shorter); }), "I/O error 27"); // EFBIG
    }
    EXPECT_TRUE(idle(form));
    // Another book opened during the load: the first load's rest never arrives.
    form.LoadBook(big);
    form.LoadBook(small);
    EXPECT_TRUE(form.awaitWholeBook());
    QTest::qWait(20);
    EXPECT_EQ(form.bookView().lineCount(), 3);
    // Cleared during the load: no copy cut short stays (one made whole by then stays, as
    // after any Clear All).
    form.LoadBook(big);
    action(form, "ClearAll2")->trigger();
    EXPECT_EQ(form.windowTitle() + QString::number(form.bookView().lineCount()), QStringLiteral("Lirra Reader0"));
    EXPECT_TRUE(!std::filesystem::exists(tempCopy())
                || std::filesystem::file_size(tempCopy()) == std::filesystem::file_size(big.toStdString()));
    // The disk fills up behind the first page.
    {
        FileSizeLimit disk(64 * 1024);
        form.LoadBook(big);
        EXPECT_FALSE(form.awaitWholeBook());
    }
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("I/O error 27.")});
    EXPECT_TRUE(idle(form));
    // Closed during the load.
    form.LoadBook(big);
    form.close();
    EXPECT_FALSE(std::filesystem::exists(tempCopy()));
}
