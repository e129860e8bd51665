#include "navigation/dialog_look.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lirra {

void paintBlackAndSilver(QWidget* dialog)
{
    QPalette look = dialog->palette();
    look.setColor(QPalette::Window, Qt::black);
    look.setColor(QPalette::WindowText, QColor(192, 192, 192));
    dialog->setPalette(look);
    dialog->setAutoFillBackground(true);
}

void centreOnScreen(QWidget* dialog)
{
    const QWidget* owner = dialog->parentWidget();
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    dialog->move(area.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
}

} // namespace lirra
