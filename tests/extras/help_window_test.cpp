#include "extras/help_window.h"

#include "platform/lirra_error.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

const QString kHelpPages = QStringLiteral(LIRRA_SOURCE_DIR "/resources/help");

QString readPage(const QString& name)
{
    QFile file(QDir(kHelpPages).filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// Every link between the pages leads to a page (and an anchor) that exists, and every
// page can be reached from the contents.
TEST(HelpPages, LinksLeadToPagesThatExistAndEveryPageIsReachable)
{
    static const QRegularExpression link(QStringLiteral(R"(href="([^"#]*)(?:#([^"]*))?")"));
    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList toVisit{QStringLiteral("index.html")};
    while (!toVisit.isEmpty()) {
        const QString page = toVisit.takeFirst();
        const QString html = readPage(page);
        ASSERT_FALSE(html.isEmpty()) << page.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << page.toStdString();
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
            const QString anchor = match.captured(2);
            ASSERT_FALSE(readPage(target).isEmpty()) << page.toStdString() << " -> " << target.toStdString();
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(readPage(target).contains(QStringLiteral("name=\"%1\"").arg(anchor)))
                    << page.toStdString() << " -> " << target.toStdString() << "#" << anchor.toStdString();
            }
            if (target.endsWith(QStringLiteral(".html")) && !reached.contains(target)) {
                reached.insert(target);
                toVisit << target;
            }
        }
    }
    const QStringList pages = QDir(kHelpPages).entryList({QStringLiteral("*.html")});
    EXPECT_EQ(QSet<QString>(pages.begin(), pages.end()), reached);
}

TEST(HelpWindow, OpensAtTheContentsAndWalksBackAndForthBetweenPages)
{
    QWidget owner;
    HelpWindow help(&owner, kHelpPages);
    EXPECT_FALSE(help.isVisible());
    help.showContents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    auto* back = help.findChild<QAction*>(QStringLiteral("HelpBack"));
    ASSERT_TRUE(browser && back);
    EXPECT_EQ(browser->source().fileName(), "index.html");
    EXPECT_EQ(help.windowTitle(), "Lirra Reader Help - Contents");
    EXPECT_FALSE(back->isEnabled());

    browser->setSource(QUrl(QStringLiteral("bookmarks.html")));   // as a click on its link does
    EXPECT_EQ(help.windowTitle(), "Lirra Reader Help - Bookmarks");
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Ctrl+F2")));
    ASSERT_TRUE(back->isEnabled());
    back->trigger();
    EXPECT_EQ(browser->source().fileName(), "index.html");
    EXPECT_TRUE(help.findChild<QAction*>(QStringLiteral("HelpForward"))->isEnabled());

    browser->setSource(QUrl(QStringLiteral("look.html")));
    help.showContents();   // F1 again: the same window, back at the contents
    EXPECT_EQ(browser->source().fileName(), "index.html");
    EXPECT_EQ(owner.findChildren<HelpWindow*>().size(), 1);
}

TEST(HelpWindow, AMissingHelpFolderIsAnErrorNotAnEmptyWindow)
{
    HelpWindow help(nullptr, QStringLiteral("/nonexistent/lirra/help"));
    try {
        help.showContents();
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "The help pages are not installed: /nonexistent/lirra/help/index.html was not found");
    }
    EXPECT_FALSE(help.isVisible());
}
