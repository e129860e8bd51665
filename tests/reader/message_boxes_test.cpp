#include "reader/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace lirra;

// A window manager writes the title in bold between an icon and three buttons, and cuts
// what does not fit: a short message still makes a box that wide.
TEST(MessageBoxes, AShortMessageMakesABoxWideEnoughForTheWholeTitle)
{
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
