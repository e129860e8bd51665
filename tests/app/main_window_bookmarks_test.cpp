// The bookmark commands as a reader meets them in the main window: the two dialogs,
// "Get Last Bookmark", the offer at exit and its menu item, and the right click in an
// empty view.

#include "app/main_window.h"
#include "bookview/widget/book_view.h"
#include "navigation/bookmark_store.h"
#include "platform/registry_hive.h"
#include "reader/book_names.h"
#include "reader/message_boxes.h"
#include "main_window_fixture.h"
#include "qt_printers.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace lirra;
using lirra::platform::Registry;

namespace {

class BookmarkCommands : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // Each box as "title: text"; a question is answered with `answer`.
        setMessagePresenter([this](const MessageBoxRequest& box) {
            boxes.push_back(box.title + QStringLiteral(": ") + box.text);
            return box.buttons == BoxButtons::YesNo ? answer : BoxAnswer::Ok;
        });
    }

    // A DOS book of `count` lines "<prefix> 1", "<prefix> 2", ...
    QString book(const std::string& name, int count, const std::string& prefix = "line")
    {
        return QString::fromStdString(numberedBook(count, name, prefix));
    }
    static QString entry(const QString& book, int line)
    {
        return QStringLiteral("[%1] %2 <%3>").arg(QDate::currentDate().toString(QStringLiteral("dd.MM.yy")), book).arg(line);
    }
    // Shows a bookmark dialog without blocking, as the menu would show it.
    static QDialog& opened(TForm1& form, const char* name)
    {
        auto& shown = *form.findChild<QDialog*>(QLatin1String(name));
        shown.show();
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
    static void press(QWidget& shown, const char* button) { shown.findChild<QPushButton*>(QLatin1String(button))->click(); }
    // Selects `row` (-1: none) and presses `button`.
    static void pressOn(QWidget& shown, int row, const char* button)
    {
        list(shown).setCurrentRow(row);
        press(shown, button);
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
    // Runs `blocking`, which must show the modal dialog `name`, and once it is up and
    // active, as the window manager makes it, presses `buttons` on it with `row` selected.
    static void whenModal(const std::function<void()>& blocking, const char* name, int row,
                          std::initializer_list<const char*> buttons)
    {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
            QWidget& modal = *QApplication::activeModalWidget();
            QApplication::setActiveWindow(&modal);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&modal));
            EXPECT_EQ(modal.objectName(), QLatin1String(name));
            list(modal).setCurrentRow(row);
            for (const char* button : buttons)
                press(modal, button);
            acted = true;
        });
        blocking();
        EXPECT_TRUE(acted);
    }

    BoxAnswer answer = BoxAnswer::Yes;
};

TEST_F(BookmarkCommands, DialogsLoadTheStoredListAtStartAndSetNeedsABook)
{
    const QStringList stored{QStringLiteral("[05.12.99] /a.txt <3>"), QStringLiteral("[06.12.99] /b.txt <9>")};
    storeBookmarks(stored);
    TForm1 form({});
    for (const char* name : {"Form4", "Form5"}) {
        QDialog& shown = opened(form, name);
        EXPECT_EQ(rows(shown), stored) << name;
        EXPECT_TRUE(shown.findChild<QPushButton*>(QStringLiteral("Button2"))->hasFocus()) << name;
        press(shown, "Button2");
        EXPECT_FALSE(shown.isVisible()) << name;
    }

    Registry().deleteKey(kBookMarksKey);
    QDialog& set = opened(form, "Form4");
    press(set, "Button1");
    EXPECT_EQ(boxes, std::vector<QString>{"Error: The book was not opened! Please, open the book."});
    EXPECT_FALSE(set.isVisible());
    EXPECT_FALSE(loadBookmarks().found);
}

TEST_F(BookmarkCommands, SetStoresTheShownLineAndDeleteRemovesTheSelectedRow)
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

    pressOn(set, -1, "Button3");   // no row selected: no question, no change
    EXPECT_TRUE(boxes.empty());
    answer = BoxAnswer::No;
    pressOn(set, 1, "Button3");
    EXPECT_EQ(rows(set).size(), 3);
    answer = BoxAnswer::Yes;
    pressOn(set, 1, "Button3");
    EXPECT_EQ(boxes, std::vector<QString>(2, "Information: Are you sure?"));
    EXPECT_EQ(rows(set), (QStringList{entry(path, 1), entry(path, 30)}));
    EXPECT_EQ(loadBookmarks().names, rows(set));
    Registry registry;
    ASSERT_TRUE(registry.openKey(kBookMarksKey, false));
    EXPECT_FALSE(registry.valueExists("2"));   // the former last index is gone

    // A double-click on a row adds a bookmark; it does not jump.
    doubleClick(set, 0);
    EXPECT_EQ(rows(set), (QStringList{entry(path, 1), entry(path, 30), entry(path, 30)}));
}

TEST_F(BookmarkCommands, DeletingTheOnlyRowAndClearingTwice)
{
    const QString path = book("a.txt", 5);
    TForm1 form({});
    form.LoadBook(path);
    QDialog& get = opened(form, "Form5");
    storeBookmarks({entry(path, 2)});
    QApplication::setActiveWindow(&form);
    QApplication::setActiveWindow(&get);   // becoming active again reloads the list
    ASSERT_TRUE(QTest::qWaitForWindowActive(&get));
    ASSERT_EQ(rows(get).size(), 1);
    pressOn(get, 0, "Button3");
    EXPECT_TRUE(rows(get).isEmpty());
    EXPECT_EQ(lastBookmark(), std::nullopt);
    EXPECT_TRUE(Registry().keyExists(kBookMarksKey));   // "Count" -1, no entries

    press(get, "Button4");
    EXPECT_FALSE(Registry().keyExists(kBookMarksKey));
    press(get, "Button4");
    EXPECT_EQ(boxes.back(), QStringLiteral("Information: Set any bookmarks before clearing list."));
    answer = BoxAnswer::No;
    storeBookmarks({entry(path, 2)});
    press(get, "Button4");
    EXPECT_TRUE(Registry().keyExists(kBookMarksKey));
}

TEST_F(BookmarkCommands, RowsShownBeforeDefaultsOptionsAreStoredAgainWithTheNextBookmark)
{
    const QString path = book("a.txt", 5);
    storeBookmarks({entry(path, 1), entry(path, 2)});
    TForm1 form({});
    form.LoadBook(path);
    action(form, "DefaultsOptions1")->trigger();
    QDialog& set = opened(form, "Form4");
    EXPECT_EQ(rows(set).size(), 2);   // the key is gone; the rows stay
    press(set, "Button1");
    EXPECT_EQ(loadBookmarks().names, (QStringList{entry(path, 1), entry(path, 2), entry(path, 1)}));
}

TEST_F(BookmarkCommands, GetOpensTheBookAnewWithTheBookmarkedLineOnTop)
{
    const QString a = book("a.txt", 20, "a"), b = book("b.txt", 1000, "b");
    storeBookmarks({entry(b, 128), entry(b, 1), entry(b, 998)});
    TForm1 form({});
    form.resize(800, 600);
    form.show();
    form.LoadBook(a);
    QDialog& get = opened(form, "Form5");
    pressOn(get, -1, "Button1");   // no row selected: nothing
    EXPECT_TRUE(get.isVisible());

    pressOn(get, 0, "Button1");
    EXPECT_FALSE(get.isVisible());
    EXPECT_EQ(form.windowTitle(), b);
    EXPECT_EQ(form.bookView().firstVisibleLine(), 127);
    EXPECT_EQ(form.bookView().caretPosition(), form.bookView().lineIndex(128));
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("129"));
    EXPECT_EQ(history(), std::vector<std::string>{a.toStdString()});   // not recorded

    // Line 1: the first line stays on top. Near the end the view ends with the book's
    // last line at the bottom, the bookmarked line in view.
    opened(form, "Form5");
    pressOn(get, 1, "Button1");
    EXPECT_EQ(form.bookView().firstVisibleLine(), 0);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("2"));
    opened(form, "Form5");
    doubleClick(get, 2);
    EXPECT_FALSE(get.isVisible());
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("999"));
    EXPECT_EQ(form.bookView().firstVisibleLine(), 1000 - form.bookView().document().visibleLines());
}

TEST_F(BookmarkCommands, GetFailuresLeaveViewCaptionAndDialog)
{
    const QString a = book("a.txt", 20, "a"), b = book("b.txt", 20, "b");
    storeBookmarks({entry(m_scratch.path().c_str() + QStringLiteral("/gone.txt"), 3),
                    QStringLiteral("[05.12.99] ") + b + QStringLiteral(" <x12>"), QStringLiteral("no book here"),
                    entry(b, 500)});
    TForm1 form({});
    form.LoadBook(a);
    QDialog& get = opened(form, "Form5");
    const QString expected[] = {"Lirra Reader v1.01: File not found.", "Lirra Reader v1.01: 'x12' is not a valid integer value.",
                                "Lirra Reader v1.01: 'no book here' is not a book-mark."};
    for (int row = 0; row < 3; ++row) {
        pressOn(get, row, "Button1");
        EXPECT_EQ(boxes.back(), expected[row]);
        EXPECT_TRUE(get.isVisible());
        EXPECT_EQ(form.windowTitle(), a);
        EXPECT_EQ(form.bookView().lineText(0), QStringLiteral("a 1"));
    }
    // A line past the end of a shorter book: the book opens, the caret stays at its start.
    pressOn(get, 3, "Button1");
    EXPECT_EQ(form.windowTitle(), b);
    EXPECT_EQ(form.bookView().caretPosition(), 0);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("1"));
}

TEST_F(BookmarkCommands, GetLastOpensTheNewestEntryThroughTheHistory)
{
    const QString a = book("a.txt", 300, "a"), b = book("b book.txt", 300, "b");
    TForm1 form({});
    form.resize(800, 600);
    form.show();
    action(form, "GetLastBookmark1")->trigger();
    EXPECT_EQ(boxes, std::vector<QString>{"Information: No book-mark has been set yet."});
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Lirra Reader"));

    storeBookmarks({entry(a, 40), entry(b, 70), entry(a, 5)});
    form.LoadBook(a);
    replaceBookmarks({entry(a, 40), entry(b, 70)});   // the newest deleted: b is last now
    action(form, "GetLastBookmark1")->trigger();
    EXPECT_EQ(form.windowTitle(), b);
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("71"));
    EXPECT_EQ(form.bookView().lineText(form.bookView().firstVisibleLine()), QStringLiteral("b 70"));
    EXPECT_EQ(history(), (std::vector<std::string>{b.toStdString(), a.toStdString()}));

    storeBookmarks({QStringLiteral("[05.12.99] ") + a + QStringLiteral(" <seven>")});
    action(form, "GetLastBookmark1")->trigger();
    EXPECT_EQ(boxes.back(), QStringLiteral("Lirra Reader v1.01: 'seven' is not a valid integer value."));
    EXPECT_EQ(form.windowTitle(), b);
}

TEST_F(BookmarkCommands, TheMenuAndARightClickInAnEmptyViewShowTheDialogsModally)
{
    const QString path = book("a.txt", 10);
    TForm1 form({});
    form.LoadBook(path);
    whenModal([&] { action(form, "SetBookMark1")->trigger(); }, "Form4", -1, {"Button1", "Button2"});
    EXPECT_EQ(loadBookmarks().names, QStringList{entry(path, 1)});

    // The context menu that follows the press stays away; with a book shown the menu
    // comes and nothing else.
    action(form, "ClearAll2")->trigger();
    form.show();
    whenModal([&] { rightClick(form); }, "Form5", 0, {"Button1"});
    EXPECT_EQ(form.windowTitle(), path);
    EXPECT_FALSE(QApplication::activePopupWidget());
    rightClick(form);
    EXPECT_FALSE(QApplication::activeModalWidget());
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup->objectName(), QStringLiteral("PopupMenu1"));
    popup->close();
    EXPECT_TRUE(dialogTitles().empty());
}

// A read error comes once per showing of either dialog, however often it becomes active
// again (the error box itself takes the activation away); the readable rows stay usable.
TEST_F(BookmarkCommands, ADamagedListIsReportedOncePerShowingAndTheDialogStaysUsable)
{
    const QString path = book("a.txt", 5);
    const struct {
        std::function<void(Registry&)> damage;
        QString error;
    } cases[] = {
        {[](Registry& r) { r.writeString("Count", "abc"); }, "Lirra Reader v1.01: Invalid data type for 'Count'"},
        {[](Registry& r) { r.writeInteger("1", 5); }, "Lirra Reader v1.01: Invalid data type for '1'"},
    };
    for (const auto& [damage, error] : cases) {
        storeBookmarks({entry(path, 1), entry(path, 2), entry(path, 3)});
        Registry registry;
        registry.openKey(kBookMarksKey, false);
        damage(registry);
        TForm1 form({});
        for (const char* name : {"Form4", "Form5"}) {
            boxes.clear();
            QDialog& shown = opened(form, name);
            for (int again = 0; again < 2; ++again) {
                QApplication::setActiveWindow(&form);
                QApplication::setActiveWindow(&shown);
                ASSERT_TRUE(QTest::qWaitForWindowActive(&shown));
            }
            EXPECT_EQ(boxes, std::vector<QString>{error}) << name;
            EXPECT_EQ(rows(shown).size(), error.endsWith(u"'1'") ? 2 : 3) << name;
            press(shown, "Button2");
            EXPECT_FALSE(shown.isVisible()) << name;
            opened(form, name);
            EXPECT_EQ(boxes.size(), 2u) << name;
            press(shown, "Button2");
        }
    }
}

// A name that is not UTF-8 is stored as its bytes and found again after a restart.
TEST_F(BookmarkCommands, ACp866NamedBookIsFoundThroughItsBookmarkAfterARestart)
{
    const QString name = bookNameFromBytes(numberedBook(40, "\x8F\xE0\xA8\xA2\xA5\xE2.txt"));
    {
        TForm1 form({});
        form.LoadBook(name);
        form.bookView().reanchorLine(11);
        QDialog& set = opened(form, "Form4");
        press(set, "Button1");
        EXPECT_EQ(rows(set), QStringList{shownBookName(entry(name, 12))});
    }
    TForm1 form({});
    pressOn(opened(form, "Form5"), 0, "Button1");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(form.windowTitle(), QString::fromStdString(m_scratch / "Привет.txt"));
    EXPECT_EQ(label(form, "Label3"), QStringLiteral("13"));
}

TEST_F(BookmarkCommands, TheOfferAtCloseNeedsABookAndFollowsItsMenuItemAndTheSavedOption)
{
    const QString path = book("a.txt", 10);
    answer = BoxAnswer::No;   // declined; a question asked by mistake must not block
    {
        TForm1 form({});
        form.show();
        form.close();
        EXPECT_TRUE(boxes.empty());   // no book, no question
        form.LoadBook(path);
        form.show();
        form.close();
        EXPECT_EQ(boxes, std::vector<QString>{"Information: Set Book-Mark before exit?"});
        EXPECT_FALSE(loadBookmarks().found);

        action(form, "SetBookmarkBeforeExit1")->trigger();
        form.show();
        form.close();
        EXPECT_EQ(boxes.size(), 1u);
        action(form, "SaveOptions1")->trigger();   // stores the flag as 0
        boxes.clear();
    }
    TForm1 form({});
    QAction& item = *action(form, "SetBookmarkBeforeExit1");
    EXPECT_FALSE(item.isChecked());
    item.trigger();
    form.LoadBook(path);
    form.show();
    form.close();
    EXPECT_EQ(boxes, std::vector<QString>{"Information: Set Book-Mark before exit?"});
}

} // namespace
