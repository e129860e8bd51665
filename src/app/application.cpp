#include "app/application.h"

#include "app/main_window.h"
#include "app/termination_signals.h"
#include "reader/book_names.h"
#include "reader/message_boxes.h"
#include "bookview/widget/book_view.h"
#include "platform/registry_hive.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

// The icon is compiled into this static library, where nothing refers to it, so the
// linker would leave it out unless it is registered by hand.
static void registerResources() { Q_INIT_RESOURCE(resources); }

namespace lirra {

namespace {

const char* const kUsage =
    "Usage: lirra [BOOK]\n"
    "Opens BOOK, a plain-text book in the DOS code page 866, in Lirra Reader.\n"
    "All arguments are joined by blanks into one file name, so a path with blanks\n"
    "needs no quotes; an argument that starts with '-' is part of the name too.\n"
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

// Outside a desktop session XDG_RUNTIME_DIR is unset; the toolkit then uses a private
// folder of its own, which is right, but says so on stderr at every start. Only that
// one notice is dropped.
QtMessageHandler g_previousHandler = nullptr;

void quietAboutRuntimeDir(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    g_previousHandler(type, context, message);
}

} // namespace

int runApplication(int argc, char** argv)
{
    // Every argument is part of the book's name, as the file system has it: its bytes.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << bookNameFromBytes(argv[i]);
    if (answeredInTerminal(arguments))
        return 0;

    g_previousHandler = qInstallMessageHandler(quietAboutRuntimeDir);
    // The toolkit sees none of the arguments, so it takes none of them ("-reverse",
    // "-style x") as its own options.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    QApplication::setApplicationName(QStringLiteral("lirra-reader"));
    registerResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lirra/lirra.png")));
    registerFontSubstitutions();
    platform::Registry::setDamageReporter(
        [](const std::string& message) { showErrorBox(QString::fromStdString(message)); });

    // Caught before the window is made, so a signal while a start-up box is up (a book
    // not found, a damaged settings file) ends the program too. Exit ends every event
    // loop, a box's included, and makes any box opened after it return at once.
    TerminationSignals endings;
    TForm1* shown = nullptr;
    bool ending = false;
    QObject::connect(&endings, &TerminationSignals::received, [&shown, &ending] {
        ending = true;
        if (shown)
            shown->closeWithoutQuestion();
        QCoreApplication::exit(0);
    });
    TForm1 form(arguments);
    if (ending) {
        form.closeWithoutQuestion();
        return 0;
    }
    shown = &form;
    form.showMaximized();
    return app.exec();
}

} // namespace lirra
