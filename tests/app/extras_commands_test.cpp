// The clipboard window and the help as the main window opens them, and the help pages
// against the main window's own menus. (The About box is driven in tests/e2e/extras_e2e.sh.)

#include "extras/clipboard_window.h"
#include "extras/help_window.h"
#include "widgets/clipboard_viewer.h"
#include "widgets/plain_text_view.h"
#include "main_window_fixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>

using namespace lirra;

namespace {

const QString kHelpPages = QStringLiteral(LIRRA_SOURCE_DIR "/resources/help");

using ExtrasCommands = MainWindowTest;

QString helpSource(const QString& page)
{
    QFile file(QDir(kHelpPages).filePath(page));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    return QString::fromUtf8(file.readAll());
}

// The help's text as a reader sees it, blanks collapsed.
QString helpText(const QString& page)
{
    QTextDocument document;
    document.setHtml(helpSource(page));
    return document.toPlainText().simplified();
}

QString caption(const QAction* item) { return item->text().remove(u'&').simplified(); }

} // namespace

TEST_F(ExtrasCommands, ViewClipboardShowsOneWindowThatFollowsCopiesFromTheBookWhenHidden)
{
    TForm1 form({});
    form.LoadBook(qstr(book("book.txt", "first line\r\nsecond line\r\n")));
    auto* window = form.findChild<TForm12*>();
    ASSERT_TRUE(window);
    EXPECT_FALSE(window->isVisible());   // created hidden at start
    QApplication::clipboard()->setText(QStringLiteral("copied before"));
    action(form, "ViewClipBoard1")->trigger();
    action(form, "ViewClipBoard1")->trigger();
    EXPECT_EQ(form.findChildren<TForm12*>().size(), 1);
    EXPECT_TRUE(window->isVisible());
    window->showMinimized();   // asked for again, it comes back from the task bar
    action(form, "ViewClipBoard1")->trigger();
    EXPECT_FALSE(window->isMinimized());
    auto* viewer = window->findChild<TClipboardViewer*>();
    EXPECT_EQ(qobject_cast<PlainTextView*>(viewer->shownControl())->text(), "copied before");
    window->close();   // only hides: copies still reach it

    action(form, "SelectAll2")->trigger();
    action(form, "Copy2")->trigger();
    QCoreApplication::processEvents();
    auto* memo = qobject_cast<PlainTextView*>(viewer->shownControl());
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->text().startsWith(QStringLiteral("first line\nsecond line")));
    QApplication::clipboard()->clear();
}

// Without its pages the help says where it looked for them. Every command of every menu
// is described in the help, and the reference page gives each main-menu command's keys.
TEST_F(ExtrasCommands, HelpDescribesEveryMenuCommandWithItsKeysAndTellsWhenItIsMissing)
{
    TForm1 form({});
    action(form, "Help2")->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].startsWith(QStringLiteral("The help pages are not installed: ")));
    EXPECT_TRUE(boxes[0].endsWith(QStringLiteral("/share/lirra-reader/help/index.html was not found.")));
    EXPECT_FALSE(form.findChild<HelpWindow*>()->isVisible());

    QString everything;
    for (const QString& page : QDir(kHelpPages).entryList({QStringLiteral("*.html")}))
        everything += helpText(page) + u' ';
    const QString menus = helpSource(QStringLiteral("menus.html"));
    static const QRegularExpression row(QStringLiteral("<tr><td>(.*?)</td><td>(.*?)</td>"));

    QSet<QAction*> commands;
    for (const QMenu* menu : form.findChildren<QMenu*>()) {
        commands.insert(menu->menuAction());
        for (QAction* item : menu->actions())
            commands.insert(item);
    }
    int described = 0;
    for (const QAction* item : commands) {
        if (item->isSeparator() || caption(item).isEmpty())
            continue;
        ++described;
        EXPECT_TRUE(everything.contains(caption(item))) << caption(item).toStdString();
        if (item->shortcut().isEmpty() || item->shortcutContext() == Qt::WidgetShortcut)
            continue;
        const QString keys = item->shortcut().toString().replace(QStringLiteral("Return"), QStringLiteral("Enter"));
        bool listed = false;
        for (const QRegularExpressionMatch& match : row.globalMatch(menus))
            listed |= match.captured(1).contains(caption(item)) && match.captured(2).contains(keys);
        EXPECT_TRUE(listed) << caption(item).toStdString() << " " << keys.toStdString();
    }
    EXPECT_GT(described, 70);   // the menus were all found
}
