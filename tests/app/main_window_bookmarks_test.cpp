// The bookmark commands as a reader meets them in the main window: the two dialogs,
// "Get Last Bookmark", the offer at exit and its menu item, and the right click in an
// empty view.

#include "navigation/bookmark_store.h"
#include "reader/book_names.h"
#include "main_window_fixture.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>

using namespace lirra;
using lirra::platform::Registry;

namespace {

class BookmarkCommands : public MainWindowTest {
protected:
    // A DOS book of `count` lines "<prefix> 1", "<prefix> 2", ...
    QString book(const std::string& name, int count, const std::string& prefix = "line")
    {
        return qstr(numberedBook(count, name, prefix));
    }
    static QString entry(const QString& book, int line)
    {
        return QStringLiteral("[%1] %2 <%3>").arg(QDate::currentDate().toString(QStringLiteral("dd.MM.yy")), book).arg(line);
    }
    // Shows a bookmark dialog without blocking, as the menu would show it, or makes it
    // active again.
    static QDialog& opened(TForm1& form, const char* name)
    {
        auto& shown = *form.findChild<QDialog*>(QLatin1String(name));
        shown.show();
        QApplication::setActiveWindow(&form);
        QApplication::setActiveWindow(&shown);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
        return shown;
    }
    static QListWidget& list(QWidget& shown) { return *shown.findChild<QListWidget*>(QStringLiteral("ListBox1")); }
    static QStringList rows(QWidget& shown)
    {
        QStringList texts;
        for (int i = 0; i < list(shown).count(); ++i)
            texts << list(shown).item(i)->text();
        return texts;
    }
    // Selects `row` (-1: none, and by default the selection stays) and presses `button`.
    static void press(QWidget& shown, const char* button, std::optional<int> row = std::nullopt)
    {
        if (row)
            list(shown).setCurrentRow(*row);
        click(shown, button);
    }
    // The first press of a double-click selects the row, as a real one does.
    static void doubleClick(QWidget& shown, int row)
    {
        const QPoint at = list(shown).visualItemRect(list(shown).item(row)).center();
        QTest::mouseClick(list(shown).viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list(shown).viewport(), Qt::LeftButton, {}, at);
    }
    // A right press, then the context menu event, as the X server delivers them.
    static void rightClick(TForm1& form)
    {
        QWidget* viewport = form.bookView().viewport();
        QTest::mousePress(viewport, Qt::RightButton);
        const QPoint at = viewport->rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport, &menu);
        QTest::mouseRelease(viewport, Qt::RightButton);
    }
    // Presses `buttons`, with `row` selected, on the modal dialog `name` that the next step
    // shows, once it is active, as the window manager makes it.
    static void onNextDialog(TForm1& form, const char* name, int row, std::vector<const char*> buttons)
    {
        onNextModal(form, [=](QWidget& modal) {
            QApplication::setActiveWindow(&modal);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&modal));
            EXPECT_EQ(modal.objectName(), QLatin1String(name));
            list(modal).setCurrentRow(row);
            for (const char* button : buttons)
                press(modal, button);
        });
    }
};

// Set stores the shown line and Delete removes the selected row; the rows outlive Defaults
// Options, lists reload on activation, and Clear needs a list.
TEST_F(BookmarkCommands, SetDeleteAndClearChangeTheStoredListAsTheRowsShowIt)
{
    const QString path = book("a.txt", 50);
    TForm1 form({});
    form.LoadBook(path);
    QDialog& set = opened(form, "Form4");
    for (int line : {1, 12, 30}) {
        form.bookView().reanchorLine(line - 1);
        press(set, "Button1");
    }
    EXPECT_TRUE(set.isVisible());
    EXPECT_EQ(rows(set), (QStringList{entry(path, 1), entry(path, 12), entry(path, 30)}));
    EXPECT_EQ(loadBookmarks().names, rows(set));

    press(set, "Button3", -1);   // no row selected: no question, no change
    press(set, "Button3", 1);    // declined
    questionAnswer = BoxAnswer::Yes;
    press(set, "Button3");
    EXPECT_EQ(titledBoxes, std::vector<QString>(2, "Information: Are you sure?"));
    EXPECT_EQ(rows(set), (QStringList{entry(path, 1), entry(path, 30)}));
    EXPECT_EQ(loadBookmarks().names, rows(set));
    Registry registry;
    ASSERT_TRUE(registry.openKey(kBookMarksKey, false));
    EXPECT_FALSE(registry.valueExists("2"));   // the former last index is gone

    // A double-click on a row adds a bookmark; it does not jump.
    doubleClick(set, 0);
    EXPECT_EQ(rows(set), (QStringList{entry(path, 1), entry(path, 30), entry(path, 30)}));

    // The key gone, the rows stay and are stored with the next bookmark.
    action(form, "DefaultsOptions1")->trigger();
    press(opened(form, "Form4"), "Button1");
    EXPECT_EQ(rows(set), (QStringList{entry(path, 1), entry(path, 30), entry(path, 30), entry(path, 30)}));
    EXPECT_EQ(loadBookmarks().names, rows(set));

    replaceBookmarks({entry(path, 2)});
    QDialog& get = opened(form, "Form5");   // becoming active again reloads the list
    ASSERT_EQ(rows(get).size(), 1);
    press(get, "Button3", 0);
    EXPECT_TRUE(rows(get).isEmpty());
    EXPECT_EQ(lastBookmark(), std::nullopt);
    EXPECT_TRUE(Registry().keyExists(kBookMarksKey));   // "Count" -1, no entries

    press(get, "Button4");
    EXPECT_FALSE(Registry().keyExists(kBookMarksKey));
    press(get, "Button4");
    EXPECT_EQ(titledBoxes.back(), QStringLiteral("Information: Set any bookmarks before clearing list."));
    questionAnswer = BoxAnswer::No;
    storeBookmarks({entry(path, 2)});
    press(get, "Button4");
    EXPECT_TRUE(Registry().keyExists(kBookMarksKey));
}

// Get opens the book anew, not recorded, with the bookmarked line on top; Get Last opens the
// newest entry through the history. A damaged entry leaves view, caption and dialog.
TEST_F(BookmarkCommands, GetAndGetLastOpenTheBookWithTheBookmarkedLineOnTopOrReportTheEntry)
{
    const QString a = book("a.txt", 20, "a"), b = book("b book.txt", 1000, "b"), gone = qstr(m_scratch / "gone.txt");
    TForm1 form({});
    form.resize(800, 600);
    form.show();
    form.LoadBook(a);
    action(form, "GetLastBookmark1")->trigger();
    EXPECT_EQ(titledBoxes, std::vector<QString>{"Information: No book-mark has been set yet."});
    storeBookmarks({entry(gone, 3), QStringLiteral("[05.12.99] ") + a + QStringLiteral(" <x12>"),
                    QStringLiteral("no book here"), entry(b, 128), entry(b, 1), entry(b, 998), entry(a, 500)});
    QDialog& get = opened(form, "Form5");
    press(get, "Button1", -1);   // no row selected: nothing
    const char* errors[] = {"File not found.", "'x12' is not a valid integer value.",
                            "'no book here' is not a book-mark."};
    for (int row = 0; row < 3; ++row) {
        press(get, "Button1", row);
        EXPECT_EQ(titledBoxes.back(), QStringLiteral("Lirra Reader v1.01: ") + errors[row]);
        EXPECT_TRUE(get.isVisible());
        EXPECT_EQ(form.windowTitle() + form.bookView().lineText(0), a + QStringLiteral("a 1"));
    }
    EXPECT_EQ(titledBoxes.size(), 4u);
    press(get, "Button1", 3);
    EXPECT_FALSE(get.isVisible());
    EXPECT_EQ(form.windowTitle(), b);
    EXPECT_EQ(form.bookView().firstVisibleLine(), 127);
    EXPECT_EQ(form.bookView().caretPosition(), form.bookView().lineIndex(128));
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("129"));
    EXPECT_EQ(history(), std::vector<std::string>{a.toStdString()});   // not recorded

    // Line 1: the first line stays on top. Near the end the view ends with the book's
    // last line at the bottom, the bookmarked line in view.
    press(opened(form, "Form5"), "Button1", 4);
    EXPECT_EQ(form.bookView().firstVisibleLine(), 0);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("2"));
    doubleClick(opened(form, "Form5"), 5);
    EXPECT_FALSE(get.isVisible());
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("999"));
    EXPECT_EQ(form.bookView().firstVisibleLine(), 1000 - form.bookView().document().visibleLines());
    // A line past the end of a shorter book: the book opens, the caret stays at its start.
    press(opened(form, "Form5"), "Button1", 6);
    EXPECT_EQ(form.windowTitle(), a);
    EXPECT_EQ(form.bookView().caretPosition(), 0);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("1"));

    // The newest entry by "Count", not the highest index stored (a's line 500).
    storeBookmarks({entry(b, 70)});
    action(form, "GetLastBookmark1")->trigger();
    EXPECT_EQ(form.windowTitle() + label(form, "Label3"), b + QStringLiteral("71"));
    EXPECT_EQ(form.bookView().lineText(form.bookView().firstVisibleLine()), QStringLiteral("b 70"));
    EXPECT_EQ(history(), (std::vector<std::string>{b.toStdString(), a.toStdString()}));
    storeBookmarks({QStringLiteral("[05.12.99] ") + a + QStringLiteral(" <seven>")});
    action(form, "GetLastBookmark1")->trigger();
    EXPECT_EQ(titledBoxes.back(), QStringLiteral("Lirra Reader v1.01: 'seven' is not a valid integer value."));
    EXPECT_EQ(form.windowTitle(), b);
}

TEST_F(BookmarkCommands, TheMenuAndARightClickInAnEmptyViewShowTheDialogsModally)
{
    const QString path = book("a.txt", 10);
    TForm1 form({});
    form.LoadBook(path);
    onNextDialog(form, "Form4", -1, {"Button1", "Button2"});
    action(form, "SetBookMark1")->trigger();
    EXPECT_EQ(loadBookmarks().names, QStringList{entry(path, 1)});

    // The context menu that follows the press stays away; with a book shown the menu
    // comes and nothing else.
    action(form, "ClearAll2")->trigger();
    form.show();
    onNextDialog(form, "Form5", 0, {"Button1"});
    rightClick(form);
    EXPECT_EQ(form.windowTitle(), path);
    EXPECT_FALSE(QApplication::activePopupWidget());
    rightClick(form);
    EXPECT_FALSE(QApplication::activeModalWidget());
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup->objectName(), QStringLiteral("PopupMenu1"));
    popup->close();
    EXPECT_TRUE(requests.empty());
}

// A read error comes once per showing of either dialog, however often it becomes active
// again (the error box itself takes the activation away); the readable rows stay usable.
TEST_F(BookmarkCommands, ADamagedListIsReportedOncePerShowingAndTheDialogStaysUsable)
{
    const QString path = book("a.txt", 5);
    for (const Registry::NamedValue& damaged : {Registry::NamedValue{"Count", "abc"}, {"1", 5}}) {
        const bool isCount = damaged.name == "Count";
        storeBookmarks({entry(path, 1), entry(path, 2), entry(path, 3)});
        Registry().writeValues(kBookMarksKey, {damaged});
        TForm1 form({});
        for (const char* name : {"Form4", "Form5"}) {
            titledBoxes.clear();
            opened(form, name);
            QDialog& shown = opened(form, name);
            const QString error =
                QStringLiteral("Lirra Reader v1.01: Invalid data type for '%1'").arg(qstr(damaged.name));
            EXPECT_EQ(titledBoxes, std::vector<QString>{error}) << name;
            EXPECT_EQ(rows(shown).size(), isCount ? 3 : 2) << name;
            press(shown, "Button2");
            EXPECT_FALSE(shown.isVisible()) << name;
            opened(form, name);
            EXPECT_EQ(titledBoxes.size(), 2u) << name;
            press(shown, "Button2");
        }
    }
}

// The dialogs load the stored list, with the focus on "Exit"; a name that is not UTF-8 is
// stored as its bytes and found again after a restart; Set needs a book. The offer at
// close needs a book and follows its menu item, also as saved for the next start.
TEST_F(BookmarkCommands, BookmarksAndTheOfferAtCloseOutliveARestartWhateverTheBooksName)
{
    const QString oldName = bookNameFromBytes(numberedBook(40, "\x8F\xE0\xA8\xA2\xA5\xE2.txt"));
    QStringList stored{QStringLiteral("[05.12.99] /a.txt <3>")};
    storeBookmarks(stored);
    // Questions are declined: one asked by mistake must not block.
    const auto closeAndCountQuestions = [&](TForm1& form) {
        form.show();
        form.close();
        return std::ranges::count(titledBoxes, QStringLiteral("Information: Set Book-Mark before exit?"));
    };
    {
        TForm1 form({});
        EXPECT_EQ(closeAndCountQuestions(form), 0);   // no book, no question
        form.LoadBook(oldName);
        form.bookView().reanchorLine(11);
        QDialog& set = opened(form, "Form4");
        press(set, "Button1");
        stored << shownBookName(entry(oldName, 12));
        EXPECT_EQ(rows(set), stored);
        press(set, "Button2");
        EXPECT_EQ(closeAndCountQuestions(form), 1);
        action(form, "SetBookmarkBeforeExit1")->trigger();
        EXPECT_EQ(closeAndCountQuestions(form), 1);
        action(form, "SaveOptions1")->trigger();   // stores the flag as 0
    }
    EXPECT_EQ(titledBoxes.size(), 2u);   // and "Options was saved."
    TForm1 form({});
    for (const char* name : {"Form4", "Form5"}) {
        QDialog& shown = opened(form, name);
        EXPECT_EQ(rows(shown), stored) << name;   // a declined offer added nothing
        EXPECT_TRUE(child(shown, "Button2")->hasFocus()) << name;
        press(shown, "Button2");
        EXPECT_FALSE(shown.isVisible()) << name;
    }
    press(opened(form, "Form5"), "Button1", 1);
    EXPECT_EQ(titledBoxes.size(), 2u);
    EXPECT_EQ(form.windowTitle(), qstr(m_scratch / "Привет.txt"));
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("13"));
    QAction& offer = *action(form, "SetBookmarkBeforeExit1");
    EXPECT_FALSE(offer.isChecked());
    offer.trigger();
    EXPECT_EQ(closeAndCountQuestions(form), 2);

    action(form, "ClearAll2")->trigger();
    Registry().deleteKey(kBookMarksKey);
    QDialog& set = opened(form, "Form4");
    press(set, "Button1");
    EXPECT_EQ(titledBoxes.back(), QStringLiteral("Error: The book was not opened! Please, open the book."));
    EXPECT_FALSE(set.isVisible());
    EXPECT_FALSE(loadBookmarks().found);
}

} // namespace
