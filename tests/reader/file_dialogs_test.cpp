// The real file dialog as a user meets it: what its filter list shows, and which
// names it takes.

#include "reader/file_dialogs.h"

#include "qt_printers.h"
#include "scratch_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace lirra;

TEST(FileDialogs, WindowsFiltersBecomeToolkitFiltersWhereStarDotStarIsEveryFile)
{
    EXPECT_EQ(qtNameFilters(QStringLiteral("Book's Files|*.*")), QStringLiteral("Book's Files (*)"));
    EXPECT_EQ(qtNameFilters(QStringLiteral("RTF Lirra (*.rtf)|*.rtf|All Files (*.*)|*.*")),
              QStringLiteral("RTF Lirra (*.rtf) (*.rtf);;All Files (*.*) (*)"));
    EXPECT_EQ(qtNameFilters(QStringLiteral("Texts|*.txt;*.doc")), QStringLiteral("Texts (*.txt *.doc)"));
}

TEST(FileDialogs, OpenDialogShowsFiltersAsWrittenAndTakesAMissingName)
{
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
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, missing);
    EXPECT_EQ(dialog.fileName(), missing);
}
