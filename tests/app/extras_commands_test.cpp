// The clipboard window, the About box and the help as the main window opens them, and the
// help pages against the main window's own menus.

#include "app/main_window.h"

#include "extras/about_box.h"
#include "extras/clipboard_window.h"
#include "extras/help_window.h"
#include "reader/message_boxes.h"
#include "widgets/clipboard_viewer.h"
#include "widgets/plain_text_view.h"
#include "widgets/secret_panel.h"
#include "main_window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

using namespace lirra;

namespace {

const QString kHelpPages = QStringLiteral(LIRRA_SOURCE_DIR "/resources/help");

class ExtrasCommands : public MainWindowTest {
protected:
    void TearDown() override
    {
        QApplication::clipboard()->clear();
        MainWindowTest::TearDown();
    }
    QAction* action(const char* name) { return MainWindowTest::action(form, name); }

    TForm1 form{{}};
};

// The help's text as a reader sees it, blanks collapsed.
QString helpText(const QString& page)
{
    QFile file(QDir(kHelpPages).filePath(page));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    return document.toPlainText().simplified();
}

QString caption(const QAction* item) { return item->text().remove(u'&').simplified(); }

} // namespace

TEST_F(ExtrasCommands, ViewClipboardShowsOneWindowThatFollowsCopiesFromTheBook)
{
    const std::string path = m_scratch / "book.txt";
    writeFile(path, "first line\r\nsecond line\r\n");
    form.LoadBook(QString::fromStdString(path));
    const QList<TForm12*> windows = form.findChildren<TForm12*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_FALSE(windows.first()->isVisible());   // created hidden at start
    EXPECT_EQ(windows.first()->windowTitle(), "View Clipboard");
    EXPECT_EQ(windows.first()->size(), QSize(447, 318));
    QApplication::clipboard()->setText(QStringLiteral("copied before"));
    action("ViewClipBoard1")->trigger();
    action("ViewClipBoard1")->trigger();
    EXPECT_EQ(form.findChildren<TForm12*>().size(), 1);
    EXPECT_TRUE(windows.first()->isVisible());
    auto* viewer = windows.first()->findChild<TClipboardViewer*>();
    EXPECT_EQ(qobject_cast<PlainTextView*>(viewer->shownControl())->text(), "copied before");
    windows.first()->close();   // only hides: copies still reach it

    action("SelectAll2")->trigger();
    action("Copy2")->trigger();
    QCoreApplication::processEvents();
    auto* memo = qobject_cast<PlainTextView*>(viewer->shownControl());
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->text(), QApplication::clipboard()->text());
    EXPECT_TRUE(memo->text().startsWith(QStringLiteral("first line")));
}

TEST_F(ExtrasCommands, AboutOpensModallyWithRunningCreditsAndClosesOnAClick)
{
    bool creditsRan = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<TForm9*>(QApplication::activeModalWidget()));
        auto* about = qobject_cast<TForm9*>(QApplication::activeModalWidget());
        creditsRan = about->findChild<TSecretPanel*>()->active();
        QTest::mouseClick(about->findChild<QLabel*>(QStringLiteral("Image1")), Qt::LeftButton, {}, QPoint(20, 20));
    });
    action("About1")->trigger();
    EXPECT_TRUE(creditsRan);
    EXPECT_FALSE(form.findChild<TForm9*>()->isVisible());
}

TEST_F(ExtrasCommands, HelpWithoutItsPagesSaysWhereItLookedForThem)
{
    action("Help2")->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].startsWith(QStringLiteral("The help pages are not installed: ")));
    EXPECT_TRUE(boxes[0].endsWith(QStringLiteral("/share/lirra-reader/help/index.html was not found.")));
    EXPECT_FALSE(form.findChild<HelpWindow*>()->isVisible());
}

// Every command of every menu is described in the help, and the reference page gives
// each main-menu command's keys.
TEST_F(ExtrasCommands, HelpDescribesEveryMenuCommandWithItsKeys)
{
    QString everything;
    for (const QString& page : QDir(kHelpPages).entryList({QStringLiteral("*.html")}))
        everything += helpText(page) + u' ';
    QFile reference(QDir(kHelpPages).filePath(QStringLiteral("menus.html")));
    ASSERT_TRUE(reference.open(QIODevice::ReadOnly));
    const QString menus = QString::fromUtf8(reference.readAll());
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
