#include "extras/help_window.h"

#include "platform/lirra_error.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace lirra {

namespace {

const QString kTitle = QStringLiteral("Lirra Reader Help");
const char* const kMissingPages = "The help pages are not installed: %s was not found";

QAction* addTool(QToolBar* bar, const char* name, const QString& caption)
{
    QAction* action = bar->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

QString installedHelpFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" LIRRA_HELP_FROM_BIN));
}

HelpWindow::HelpWindow(QWidget* parent, const QString& folder)
    : QWidget(parent, Qt::Window), m_folder(folder), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(kTitle);
    resize(640, 560);

    auto* tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("HelpTools"));
    QAction* contents = addTool(tools, "HelpContents", QStringLiteral("Contents"));
    QAction* back = addTool(tools, "HelpBack", QStringLiteral("Back"));
    QAction* forward = addTool(tools, "HelpForward", QStringLiteral("Forward"));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);

    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setAccessibleName(QStringLiteral("Help page"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({m_folder});
    connect(contents, &QAction::triggered, this, &HelpWindow::showContents);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::showTitle);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(tools);
    column->addWidget(m_browser, 1);
}

void HelpWindow::showContents()
{
    const QString page = QDir(m_folder).filePath(QString::fromLatin1(kContentsPage));
    if (!QFileInfo(page).isFile())
        throw Error(formatText(kMissingPages, page.toStdString()));
    m_browser->setSource(QUrl::fromLocalFile(page));
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

// "Lirra Reader Help - " and the page's own title.
void HelpWindow::showTitle()
{
    const QString page = m_browser->documentTitle();
    setWindowTitle(page.isEmpty() ? kTitle : kTitle + QStringLiteral(" - ") + page);
}

} // namespace lirra
