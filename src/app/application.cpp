#include "app/application.h"

#include "app/main_window.h"
#include "reader/message_boxes.h"
#include "bookview/widget/book_view.h"
#include "platform/registry_hive.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

// The program's icon lives in the app library's resources; a static library's
// resources must be pulled in by name.
static void loadAppResources() { Q_INIT_RESOURCE(resources); }

namespace lirra {

namespace {

const char* const kUsage =
    "Usage: lirra [BOOK]\n"
    "Opens BOOK, a plain-text book in the DOS code page 866, in Lirra Reader.\n"
    "All arguments are joined by blanks into one file name, so a path with blanks\n"
    "needs no quotes.\n"
    "\n"
    "  --help      show this text and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Settings: $LIRRA_REGISTRY, else ~/.config/lirra-reader/registry.reg\n";

// --help and --version count only as the one and only argument; anything else is a book.
bool answeredInTerminal(const QStringList& arguments)
{
    if (arguments.size() != 1)
        return false;
    QTextStream out(stdout);
    if (arguments.first() == QLatin1String("--help")) {
        out << kUsage;
        return true;
    }
    if (arguments.first() == QLatin1String("--version")) {
        out << kApplicationTitle << '\n';
        return true;
    }
    return false;
}


} // namespace

int runApplication(int argc, char** argv)
{
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    if (answeredInTerminal(raw))
        return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lirra-reader"));
    loadAppResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lirra/lirra.png")));
    registerFontSubstitutions();
    platform::Registry::setDamageReporter(
        [](const std::string& message) { showErrorBox(QString::fromStdString(message)); });

    // Qt has taken its own options (-platform, -style, ...) out of the list by now.
    TForm1 form(QApplication::arguments().mid(1));
    form.showMaximized();
    return app.exec();
}

} // namespace lirra
