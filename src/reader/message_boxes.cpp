#include "reader/message_boxes.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include <utility>

namespace lirra {

namespace {

MessagePresenter& presenter()
{
    static MessagePresenter current;
    return current;
}

QString titleFor(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Information: return QStringLiteral("Information");
    case BoxKind::Error: return QStringLiteral("Error");
    case BoxKind::Plain:
    case BoxKind::Stop: break;
    }
    return kApplicationTitle;
}

QMessageBox::Icon iconFor(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Information: return QMessageBox::Information;
    case BoxKind::Error:
    case BoxKind::Stop: return QMessageBox::Critical;
    case BoxKind::Plain: break;
    }
    return QMessageBox::NoIcon;
}

// What a window manager's title bar needs besides the title: an icon and three buttons.
constexpr int kTitleBarButtonsWidth = 120;

// A short text makes a narrow box, and the window manager then cuts the title to fit.
// The box is made as wide as the title written in bold, as title bars write it.
void leaveRoomForTitle(QMessageBox& box)
{
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtonsWidth;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

BoxAnswer runDialog(const MessageBoxRequest& request)
{
    QMessageBox box(iconFor(request.kind), request.title, request.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    leaveRoomForTitle(box);
    if (request.buttons == BoxButtons::YesNo) {
        auto* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes ? BoxAnswer::Yes : BoxAnswer::No;
    }
    box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.exec();
    return BoxAnswer::Ok;
}

} // namespace

MessagePresenter setMessagePresenter(MessagePresenter replacement)
{
    return std::exchange(presenter(), std::move(replacement));
}

BoxAnswer showMessage(BoxKind kind, const QString& text, BoxButtons buttons)
{
    const MessageBoxRequest request{kind, titleFor(kind), text, buttons};
    return presenter() ? presenter()(request) : runDialog(request);
}

QString withClosingFullStop(const QString& text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void showErrorBox(const QString& text)
{
    showMessage(BoxKind::Stop, withClosingFullStop(text));
}

} // namespace lirra
