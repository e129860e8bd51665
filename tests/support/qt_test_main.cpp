// main() for every GoogleTest executable that needs a QApplication (widgets, menus,
// windows): offscreen unless a platform is asked for, the designed fonts resolved as in
// the program, and a watchdog over modal windows.
#include "bookview/widget/view_font.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A modal window no test answers would hold its test until CTest's time limit ends the
// whole program, naming nothing. One left up this long fails the running test, naming
// the window, and is closed, so the test runs on to its end: a stuck test fails fast.
// Once a test has failed so, the next windows it leaves up are closed at once.
constexpr int kModalLimitMs = 6000;

// The texts a window shows: its labels (a message box's text among them) and buttons.
QString shownText(QWidget& window)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty())
            texts << label->text();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->isVisible() && !button->text().isEmpty())
            texts << QStringLiteral("[%1]").arg(button->text());
    return texts.join(QStringLiteral(" / "));
}

void watchModalWindows()
{
    static QPointer<QWidget> seen;
    static QElapsedTimer since;
    static const ::testing::TestInfo* failedTest = nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != seen) {
        seen = modal;
        since.start();
        return;
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!modal || since.elapsed() < (test && test == failedTest ? 0 : kModalLimitMs))
        return;
    failedTest = test;
    ADD_FAILURE() << "a modal window was left up with no answer: '"
                  << modal->windowTitle().toStdString() << "': " << shownText(*modal).toStdString();
    // Hiding a dialog ends its exec(), whatever buttons it has.
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->done(QDialog::Rejected);
    else
        modal->close();
    since.start();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lirra::registerFontSubstitutions();
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &watchModalWindows);
    watchdog.start(250);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
