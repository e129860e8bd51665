#include "app/application.h"

#include <QApplication>
#include <QMainWindow>

namespace lirra {

int runApplication(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lirra Reader v1.01"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Lirra Reader"));
    window.show();
    return app.exec();
}

} // namespace lirra
