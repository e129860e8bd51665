#pragma once

// The help window: the program's help pages (HTML) in a browser of their own with Back,
// Forward and Contents, beside the main window, never blocking it.

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace lirra {

// The folder of the help pages: share/lirra-reader/help beside the program's bin folder,
// where `cmake --install` puts them and where the build copies them.
QString installedHelpFolder();

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kContentsPage = "index.html";

    explicit HelpWindow(QWidget* parent = nullptr, const QString& folder = installedHelpFolder());

    // Opens the contents page and brings the window to the front. Raises lirra::Error,
    // and shows nothing, when the contents page is not there.
    void showContents();

private:
    void showTitle();

    QString m_folder;
    QTextBrowser* m_browser;
};

} // namespace lirra
