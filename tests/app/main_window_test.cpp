// The main window as a user meets it: start-up, opening books four ways, the status
// line, saving options, the history, and closing.

#include "app/main_window.h"

#include "reader/book_names.h"
#include "platform/registry_hive.h"
#include "widgets/rx_gradient_caption.h"
#include "widgets/windows_menu_style.h"
#include "error_text.h"
#include "file_size_limit.h"
#include "main_window_fixture.h"
#include "qt_printers.h"
#include "test_fifo.h"

#include <QDialog>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>

using namespace lirra;
using lirra::platform::Registry;

namespace {

class MainWindow : public MainWindowTest {
protected:
    static TBookView& view(TForm1& form) { return form.bookView(); }
    // Drags `paths` onto the window and drops them; whether the drag was accepted.
    static bool drop(TForm1& form, const std::vector<std::string>& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &enter);
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &dropped);
        return enter.isAccepted();
    }
};

const std::string kDosBook = "\x8F\xE0\xA8\xA2\xA5\xE2\r\nline two\r\nline three\r\n";  // "Привет", ...

} // namespace

TEST_F(MainWindow, StartsIdleWritingNothingAndSaveOptionsStoresTheDesignedLook)
{
    TForm1 form({});
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Lirra Reader"));
    EXPECT_EQ(view(form).lineCount(), 0);
    EXPECT_FALSE(menu(form, "History1")->menuAction()->isEnabled());
    EXPECT_FALSE(action(form, "ScrollText1")->isEnabled());
    EXPECT_FALSE(std::filesystem::exists(tempCopy()));
    EXPECT_TRUE(history().empty());
    EXPECT_TRUE(boxes.empty());

    view(form).setFontSize(15);
    action(form, "SaveOptions1")->trigger();
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Options was saved.")});
    Registry registry;
    registry.openKey("Software\\Lirra Reader\\Options", false);
    EXPECT_EQ(registry.readInteger("FontSize"), 15);
    EXPECT_EQ(static_cast<std::uint32_t>(registry.readInteger("FontColor")), 0x00C0C0C0u);
    EXPECT_EQ(registry.readString("FontName"), "Courier New Cyr");
    EXPECT_EQ(registry.readInteger("ConfirmSetBMExit"), 1);

    action(form, "DefaultsOptions1")->trigger();
    EXPECT_FALSE(registry.keyExists("Software\\Lirra Reader"));
}

TEST_F(MainWindow, CommandLineBookOpensWithOneTrailingBlankInCaptionAndHistory)
{
    const std::string path = book("my book.txt", kDosBook);
    // An unquoted path with a blank arrives as two arguments.
    const std::size_t blank = path.find(' ');
    TForm1 form({QString::fromStdString(path.substr(0, blank)), QString::fromStdString(path.substr(blank + 1))});
    const QString expected = QString::fromStdString(path) + QLatin1Char(' ');
    EXPECT_EQ(form.windowTitle(), expected);
    EXPECT_EQ(view(form).lineText(0), QStringLiteral("Привет"));
    EXPECT_FALSE(std::filesystem::exists(m_scratch / "runtime/lirra.tmp"));
    EXPECT_EQ(history(), std::vector<std::string>{expected.toStdString()});
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("1"));
    EXPECT_EQ(label(form, "Label6"), QStringLiteral("25%"));
}

TEST_F(MainWindow, MissingOrEmptyBooks)
{
    TForm1 form({QStringLiteral("/no/such/book.txt")});
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("File not found.")});
    EXPECT_EQ(form.windowTitle(), QStringLiteral("/no/such/book.txt "));
    EXPECT_EQ(view(form).lineCount(), 0);
    EXPECT_TRUE(history().empty());

    // An empty book: no lines, at 100 %.
    const std::string path = book("empty.txt", "");
    form.LoadBook(QString::fromStdString(path));
    EXPECT_EQ(view(form).lineCount(), 0);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("1"));
    EXPECT_EQ(label(form, "Label6"), QStringLiteral("100%"));
    EXPECT_EQ(form.windowTitle(), QString::fromStdString(path));
    EXPECT_EQ(history(), std::vector<std::string>{path});
}

TEST_F(MainWindow, DamagedOptionsStopStartUpWithTheDesignedLook)
{
    {
        Registry registry;
        registry.openKey("Software\\Lirra Reader\\Options", true);
        registry.writeInteger("FontSize", 20);
        registry.writeString("FontColor", "silver");
    }
    TForm1 form({QString::fromStdString(book("b.txt", kDosBook))});
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Invalid data type for 'FontColor'")});  // no full stop after a quote
    EXPECT_EQ(view(form).fontSize(), 13);
    EXPECT_EQ(view(form).backgroundColor(), 0u);
    EXPECT_TRUE(action(form, "SetBookmarkBeforeExit1")->isChecked());
    EXPECT_EQ(view(form).lineCount(), 0);  // the book named on the command line is not opened
}

TEST_F(MainWindow, DroppedFilesOpenOnlyTheFirst)
{
    TForm1 form({});
    const std::string a = book("a.txt", "first book\r\n"), b = book("b.txt", "second\r\n");
    ASSERT_TRUE(drop(form, {a, b}));
    EXPECT_EQ(form.windowTitle(), QString::fromStdString(a));
    EXPECT_EQ(view(form).lineText(0), QStringLiteral("first book"));
    EXPECT_EQ(history(), std::vector<std::string>{a});
}

TEST_F(MainWindow, OpenDialogsCancelledOrGivenAMissingNameKeepTheBook)
{
    const std::string path = book("a.txt", kDosBook);
    TForm1 form({QString::fromStdString(path)});
    const QString title = form.windowTitle();
    ASSERT_TRUE(std::filesystem::exists(tempCopy()));
    nextFile.reset();
    action(form, "OpenBook1")->trigger();   // cancelled: the copy goes, the view stays
    EXPECT_EQ(dialogTitles(), std::vector<QString>{QStringLiteral("Open Book")});
    EXPECT_FALSE(std::filesystem::exists(tempCopy()));
    EXPECT_EQ(view(form).lineCount(), 3);

    // A file deleted after it was chosen.
    const std::string missing = m_scratch / "no such book.rtf";
    nextFile = QString::fromStdString(missing);
    action(form, "OpenBook1")->trigger();
    EXPECT_EQ(boxes.back(), QStringLiteral("File not found."));
    action(form, "OpenRTFBook1")->trigger();
    EXPECT_EQ(dialogTitles().back(), QStringLiteral("Open RTF Book"));
    EXPECT_EQ(boxes.back(), QString::fromStdString("Cannot open file " + missing + "."));
    EXPECT_EQ(view(form).lineCount(), 3);
    EXPECT_EQ(form.windowTitle(), title);
}

TEST_F(MainWindow, OnlyRegularFilesAreBooksWhicheverWayTheyCome)
{
    TForm1 form({QString::fromStdString(book("a.txt", kDosBook))});
    const QString title = form.windowTitle();
    const TestFifo fifo(m_scratch / "fifo.txt");
    // A device read to its end would otherwise fill the disk with its copy.
    const FileSizeLimit disk(1 << 20);
    const auto refusedWith = [&](const char* way, const std::string& text) {
        SCOPED_TRACE(way);
        EXPECT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes.empty() ? std::string() : boxes.back().toStdString(), text);
        EXPECT_EQ(view(form).lineText(0), QStringLiteral("Привет"));
        EXPECT_EQ(form.windowTitle(), title);
        boxes.clear();
    };
    for (const std::string& notABook : {fifo.path(), m_scratch.path(), std::string("/dev/zero")}) {
        SCOPED_TRACE(notABook);
        nextFile = QString::fromStdString(notABook);
        action(form, "OpenBook1")->trigger();
        refusedWith("Open Book", "File access denied.");
        drop(form, {notABook});
        refusedWith("dropped", "File access denied.");
        action(form, "OpenRTFBook1")->trigger();
        refusedWith("Open RTF Book", "Cannot open file " + notABook + ".");
    }
    EXPECT_FALSE(fifo.opened());
    EXPECT_EQ(history(), std::vector<std::string>{title.toStdString()});

    TForm1 other({QString::fromStdString(fifo.path())});
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("File access denied.")});
    EXPECT_EQ(view(other).lineCount(), 0);
    EXPECT_FALSE(fifo.opened());
}

TEST_F(MainWindow, HistoryReopensWithoutRecordingAgain)
{
    const std::string a = book("a.txt", "book a\r\n"), b = book("b.txt", "book b\r\n");
    TForm1 form({});
    form.LoadBook(QString::fromStdString(a));
    form.LoadBook(QString::fromStdString(b));
    ASSERT_EQ(history(), (std::vector<std::string>{b, a}));

    const QList<QAction*> items = menu(form, "History1")->actions();
    ASSERT_EQ(items.size(), 2);
    items[1]->trigger();
    EXPECT_EQ(form.windowTitle(), QString::fromStdString(a));
    EXPECT_EQ(view(form).lineText(0), QStringLiteral("book a"));
    EXPECT_EQ(history(), (std::vector<std::string>{b, a}));
    EXPECT_TRUE(menu(form, "History1")->actions()[0]->text().endsWith(QString::fromStdString(b)));

    // Clear All goes idle and keeps the history.
    action(form, "ClearAll2")->trigger();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Lirra Reader"));
    EXPECT_EQ(view(form).accessibleName(), QStringLiteral("Lirra Reader"));
    EXPECT_EQ(view(form).lineCount(), 0);
    EXPECT_EQ(history().size(), 2u);
    EXPECT_TRUE(menu(form, "History1")->menuAction()->isEnabled());
}

TEST_F(MainWindow, KeysMoveTheStatusLineAndCurLineFollowsOnlyKeys)
{
    TForm1 form({QString::fromStdString(numberedBook(7))});
    ASSERT_TRUE(activate(form));
    QTest::keyClick(&view(form), Qt::Key_Down);
    QTest::keyClick(&view(form), Qt::Key_Down);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("3"));
    EXPECT_EQ(label(form, "Label6"), QStringLiteral("38%"));
    EXPECT_EQ(form.currentLine(), 3);

    auto* lineNumber = form.findChild<QLabel*>(QStringLiteral("Label3"));
    QTest::mouseMove(lineNumber, QPoint(2, 2));
    EXPECT_EQ(lineNumber->toolTip(), QStringLiteral("3 of 7"));
}

TEST_F(MainWindow, CharShowsTheColumnWithinTheViewsLine)
{
    TForm1 form({QString::fromStdString(book("a.txt", "first line\r\nsecond line\r\n"))});
    ASSERT_TRUE(activate(form));
    // Loading re-anchors on the first line: the caret stood at its end when the status was taken.
    EXPECT_EQ(label(form, "Label4"), QStringLiteral("11"));
    QTest::keyClick(&view(form), Qt::Key_Right);
    QTest::keyClick(&view(form), Qt::Key_Right);
    EXPECT_EQ(label(form, "Label4"), QStringLiteral("3"));
    QTest::keyClick(&view(form), Qt::Key_Down);
    QTest::keyClick(&view(form), Qt::Key_End);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("2"));
    EXPECT_EQ(label(form, "Label4"), QStringLiteral("12"));
    EXPECT_EQ(form.currentColumn(), 12);
}

TEST_F(MainWindow, ReadingKeysPageScrollAndResize)
{
    TForm1 form({QString::fromStdString(numberedBook(300))});
    ASSERT_TRUE(activate(form));
    view(form).caretToStart();

    // Space: the view and the caret one line on; Backspace: both back, also mid-page.
    QTest::keyClick(&view(form), Qt::Key_Space);
    EXPECT_EQ(view(form).firstVisibleLine(), 1);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("2"));
    QTest::keyClick(&view(form), Qt::Key_Backspace);
    EXPECT_EQ(view(form).firstVisibleLine(), 0);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("1"));
    view(form).reanchorLine(60);
    view(form).scroll(ScrollStep::LineDown);   // line 61 is no longer on the top row
    const std::int64_t top = view(form).firstVisibleLine();
    QTest::keyClick(&view(form), Qt::Key_Backspace);
    EXPECT_EQ(view(form).firstVisibleLine(), top - 1);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("60"));
    // Enter: a page on.
    QTest::keyClick(&view(form), Qt::Key_Return);
    EXPECT_GT(label(form, "Label3").toInt(), 5);
    EXPECT_EQ(view(form).lineCount(), 300);  // nothing typed into the book

    const int size = view(form).fontSize();
    QTest::keyClick(&view(form), Qt::Key_Plus);
    EXPECT_EQ(view(form).fontSize(), size + 1);
    QTest::keyClick(&view(form), Qt::Key_Minus);
    QTest::keyClick(&view(form), Qt::Key_Minus);
    EXPECT_EQ(view(form).fontSize(), size - 1);
}

TEST_F(MainWindow, FullScreenTakesBothEnterKeysAndMenusHaveNoBoxForUntickedItems)
{
    TForm1 form({});
    // Alt+Enter works with both Enter keys.
    EXPECT_EQ(action(form, "FullScreen1")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)}));
    for (const char* name : {"Files1", "History1", "Options1", "ColorThemes1", "PopupMenu1", "PopupMenu2", "UsersURL1"})
        EXPECT_TRUE(qobject_cast<WindowsMenuStyle*>(menu(form, name)->style())) << name;
}

TEST_F(MainWindow, SixDialogsCarryTheGradientCaptionWithTheirTitle)
{
    TForm1 form({});
    for (const char* name : {"Form2", "Form4", "Form5", "Form6", "Form7", "Form8"}) {
        auto* dialog = form.findChild<QDialog*>(QLatin1String(name));
        ASSERT_TRUE(dialog) << name;
        auto* caption = dialog->findChild<TRxGradientCaption*>();
        ASSERT_TRUE(caption) << name;
        EXPECT_EQ(caption->FormCaption(), dialog->windowTitle()) << name;
        EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::FramelessWindowHint)) << name;
    }
    // A left click in the empty view opens the book dialog.
    nextFile.reset();
    QTest::mouseClick(view(form).viewport(), Qt::LeftButton);
    EXPECT_EQ(dialogTitles(), std::vector<QString>{QStringLiteral("Open Book")});
}

TEST_F(MainWindow, ACopyThatCannotBeDeletedAtCloseIsNoError)
{
    // Every folder the copy may be in is open to others by the time the window closes.
    setEnv("TMPDIR", m_scratch / "tmp");
    const std::string fallback = m_scratch / ("tmp/lirra-" + std::to_string(::geteuid()));
    std::filesystem::create_directories(fallback);
    TForm1 form({QString::fromStdString(book("a.txt", kDosBook))});
    for (const std::string& folder : {m_scratch / "cache/lirra-reader", m_scratch / "runtime", fallback})
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all | std::filesystem::perms::group_read);
    form.show();
    form.close();
    EXPECT_FALSE(form.isVisible());
    // The bookmark offer (declined here) is all the user sees.
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Set Book-Mark before exit?")});
}

TEST_F(MainWindow, ACopyCutShortIsDeletedAtOnce)
{
    const std::string path = numberedBook(20000, "big.txt");
    TForm1 form({});
    {
        FileSizeLimit disk(64 * 1024);
        EXPECT_EQ(errorText([&] { form.LoadBook(QString::fromStdString(path)); }), "I/O error 27"); // EFBIG
    }
    EXPECT_FALSE(std::filesystem::exists(tempCopy()));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Lirra Reader"));
}

TEST_F(MainWindow, NamesReachTheFileSystemAsTheyAre)
{
    // "Привет.txt" named in CP866, as old archives name their files: no UTF-8.
    const std::string oldName = m_scratch / "\x8F\xE0\xA8\xA2\xA5\xE2.txt";
    writeFile(oldName, kDosBook);
    TForm1 form({bookNameFromBytes(oldName)});
    EXPECT_EQ(form.windowTitle(), QString::fromStdString(m_scratch / "Привет.txt "));
    EXPECT_EQ(history(), std::vector<std::string>{oldName + " "});

    // Trailing blanks go one at a time: a file whose name ends in a blank is found.
    writeFile(m_scratch / "blank.txt ", "one real blank\r\n");
    writeFile(m_scratch / "blank.txt", "no blank\r\n");
    form.LoadBook(QString::fromStdString(m_scratch / "blank.txt  "));
    EXPECT_EQ(view(form).lineText(0), QStringLiteral("one real blank"));

    // The history reopens the very same file.
    const QList<QAction*> items = menu(form, "History1")->actions();
    ASSERT_EQ(items.size(), 2);
    items[1]->trigger();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(view(form).lineText(0), QStringLiteral("Привет"));
}

TEST_F(MainWindow, ABigBookShowsItsFirstPageAtOnceAndFiguresOnlyOnceItIsWhole)
{
    const int count = 200000;   // some 2.5 MB: more than the first page
    const QString path = QString::fromStdString(numberedBook(count, "big.txt"));
    TForm1 form({});
    ASSERT_TRUE(activate(form));
    TBookView& shown = view(form);
    form.LoadBook(path);
    ASSERT_FALSE(shown.holdsWholeText());
    EXPECT_LT(shown.lineCount(), count);
    EXPECT_EQ(shown.lineText(0), QStringLiteral("line 1"));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&shown, Qt::Key_Down);
    shown.scroll(ScrollStep::LineDown);
    // Until the count is known, no percentage.
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("4"));
    EXPECT_EQ(label(form, "Label6"), QString());

    // The rest taken in keeps the caret and the top line; the percentage appears.
    EXPECT_TRUE(form.awaitWholeBook());
    EXPECT_EQ(shown.lineCount(), count);
    EXPECT_EQ(shown.lineFromChar(shown.caretPosition()), 3);
    EXPECT_EQ(shown.firstVisibleLine(), 1);
    EXPECT_EQ(label(form, "Label6"), QStringLiteral("0%"));
    EXPECT_EQ(std::filesystem::file_size(tempCopy()), std::filesystem::file_size(path.toStdString()));

    // Ctrl+End on a first page waits for the book's end.
    form.LoadBook(path);
    ASSERT_FALSE(shown.holdsWholeText());
    QTest::keyClick(&shown, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(label(form, "Label3"), QString::number(count + 1));
    EXPECT_EQ(label(form, "Label6"), QStringLiteral("100%"));
}

TEST_F(MainWindow, ALoadStoppedOrFailingHalfWayLeavesNoHalfBookNorCopy)
{
    const QString big = QString::fromStdString(numberedBook(200000, "big.txt"));
    const QString small = QString::fromStdString(book("small.txt", kDosBook));
    TForm1 form({});
    form.show();
    // Another book opened during the load: the first load's rest never arrives.
    form.LoadBook(big);
    form.LoadBook(small);
    EXPECT_TRUE(form.awaitWholeBook());
    QTest::qWait(20);
    EXPECT_EQ(view(form).lineCount(), 3);
    // Cleared during the load.
    form.LoadBook(big);
    action(form, "ClearAll2")->trigger();
    EXPECT_FALSE(std::filesystem::exists(tempCopy()));
    EXPECT_EQ(view(form).lineCount(), 0);
    // The disk fills up behind the first page.
    {
        FileSizeLimit disk(64 * 1024);
        form.LoadBook(big);
        EXPECT_FALSE(form.awaitWholeBook());
    }
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("I/O error 27.")});
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Lirra Reader"));
    EXPECT_EQ(view(form).lineCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(tempCopy()));
    // Closed during the load.
    form.LoadBook(big);
    form.close();
    EXPECT_FALSE(std::filesystem::exists(tempCopy()));
}
