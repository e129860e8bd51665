// The real file dialog and message box as a user meets them: what the filter list shows,
// which names the dialog takes, and how wide a box is.

#include "reader/file_dialogs.h"
#include "reader/message_boxes.h"

#include "qt_printers.h"
#include "scratch_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace lirra;

// Windows filters become toolkit filters where *.* is every file; the dialog shows them as written.
TEST(Dialogs, OpenDialogShowsFiltersAsWrittenAndTakesAMissingNameAndAShortMessageMakesABoxAsWideAsItsTitle)
{
    EXPECT_EQ(qtNameFilters(QStringLiteral("Book's Files|*.*")), QStringLiteral("Book's Files (*)"));
    EXPECT_EQ(qtNameFilters(QStringLiteral("RTF Lirra (*.rtf)|*.rtf|All Files (*.*)|*.*")),
              QStringLiteral("RTF Lirra (*.rtf) (*.rtf);;All Files (*.*) (*)"));
    EXPECT_EQ(qtNameFilters(QStringLiteral("Texts|*.txt;*.doc")), QStringLiteral("Texts (*.txt *.doc)"));
    ScratchFolder scratch;
    const QString missing = QString::fromStdString(scratch / "no such book.rtf");
    FileDialog dialog(FileDialogRequest::Mode::Open, QStringLiteral("Open RTF Book"),
                      QStringLiteral("RTF Lirra (*.rtf)|*.rtf|All Files (*.*)|*.*"), false);
    QStringList filters;
    bool typed = false;
    QTimer::singleShot(0, [&] {
        QFileDialog* shown = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) != nullptr; }));
        for (auto* combo : shown->findChildren<QComboBox*>(QStringLiteral("fileTypeCombo")))
            for (int i = 0; i < combo->count(); ++i)
                filters << combo->itemText(i);
        auto* edit = shown->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(missing);
        typed = true;
        QTest::keyClick(edit, Qt::Key_Return);
    });
    const auto chosen = dialog.execute(nullptr);
    ASSERT_TRUE(typed);
    EXPECT_EQ(filters, QStringList({QStringLiteral("RTF Lirra (*.rtf)"), QStringLiteral("All Files (*.*)")}));
    // The name comes back even though no such file exists: opening it reports the error.
    EXPECT_EQ(std::pair(chosen.value_or(QString()), dialog.fileName()), std::pair(missing, missing));

    // A window manager writes the title in bold between an icon and three buttons, and cuts
    // what does not fit: a short message still makes a box that wide.
    QFont bold = QApplication::font("QMdiSubWindowTitleBar");
    bold.setBold(true);
    for (const BoxKind kind : {BoxKind::Plain, BoxKind::Stop, BoxKind::Error, BoxKind::Information}) {
        QString title;
        int width = 0;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_TRUE(box);
            title = box->windowTitle();
            width = box->width();
            static_cast<QMessageBox*>(box)->accept();
        });
        showMessage(kind, QStringLiteral("Hi!"));
        EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance(title) + 4 * 24) << title.toStdString();
    }
}
