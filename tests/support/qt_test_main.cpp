// main() for every GoogleTest executable that needs a QApplication (widgets, menus,
// windows): offscreen unless a platform is asked for, the designed fonts resolved as in
// the program.
#include "bookview/widget/view_font.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lirra::registerFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
