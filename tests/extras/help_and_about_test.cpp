#include "extras/about_box.h"
#include "extras/help_window.h"

#include "widgets/secret_panel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
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
TEST(HelpWindow, LinksLeadToPagesThatExistEveryPageIsReachableAndTheWindowWalksBackAndForthAndF1GoesToTheContents)
{
    static const QRegularExpression link(QStringLiteral(R"(href="([^"#]*)(?:#([^"]*))?")"));
    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList toVisit{QStringLiteral("index.html")};
    while (!toVisit.isEmpty()) {
        const QString page = toVisit.takeFirst();
        const QString html = readPage(page);
        ASSERT_TRUE(html.contains(QStringLiteral("<title>"))) << page.toStdString();
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
            const QString anchor = match.captured(2);
            const std::string where = (page + QStringLiteral(" -> ") + target + QLatin1Char('#') + anchor).toStdString();
            ASSERT_FALSE(readPage(target).isEmpty()) << where;
            EXPECT_TRUE(anchor.isEmpty() || readPage(target).contains(QStringLiteral("name=\"%1\"").arg(anchor))) << where;
            if (target.endsWith(QStringLiteral(".html")) && !reached.contains(target)) {
                reached.insert(target);
                toVisit << target;
            }
        }
    }
    const QStringList pages = QDir(kHelpPages).entryList({QStringLiteral("*.html")});
    EXPECT_EQ(QSet<QString>(pages.begin(), pages.end()), reached);
    QWidget owner;
    HelpWindow help(&owner, kHelpPages);
    help.showContents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    auto* back = help.findChild<QAction*>(QStringLiteral("HelpBack"));
    auto* forward = help.findChild<QAction*>(QStringLiteral("HelpForward"));
    ASSERT_TRUE(browser && back && forward);
    EXPECT_FALSE(back->isEnabled());

    browser->setSource(QUrl(QStringLiteral("bookmarks.html"))); // as a click on its link does
    ASSERT_TRUE(help.windowTitle() == "Lirra Reader Help - Bookmarks" && back->isEnabled());
    back->trigger();
    EXPECT_TRUE(browser->source().fileName() == "index.html" && forward->isEnabled());

    browser->setSource(QUrl(QStringLiteral("look.html")));
    help.showContents();
    EXPECT_TRUE(browser->source().fileName() == "index.html" && owner.findChildren<HelpWindow*>().size() == 1);
}

TEST(AboutBox, TheCreditsFitAndRestartFromBelowEachShowingAndOnlyThePictureTakesTheClick)
{
    TForm9 form;
    auto* image = form.findChild<QLabel*>(QStringLiteral("Image1"));
    auto* panel = form.findChild<TSecretPanel*>(QStringLiteral("SecretPanel1"));
    ASSERT_TRUE(image && panel);
    const QFontMetrics metrics(panel->font());
    for (const QString& line : panel->lines())
        EXPECT_LE(metrics.horizontalAdvance(line), panel->textRect().width()) << line.toStdString();

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(form.pos() == form.screen()->geometry().center() - form.rect().center() && panel->active());
    for (int i = 0; i < 40; ++i)
        panel->tick();
    QTest::mouseClick(panel, Qt::LeftButton); // the credits take no clicks
    EXPECT_TRUE(form.isVisible());
    QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_TRUE(!form.isVisible() && !panel->active());

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(panel->scrollCounter(), 0);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(!form.isVisible() && !panel->active()); // however it closed, nothing runs behind it
}
