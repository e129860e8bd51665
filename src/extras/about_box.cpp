#include "extras/about_box.h"

#include "widgets/secret_panel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace lirra {

namespace {

const QString kCaption = QStringLiteral("About Lirra Reader " LIRRA_VERSION " SE");
const QString kPicture = QStringLiteral(":/lirra/about.png");

// The credits: groups of lines parted by empty ones. The panel skips the empty lines
// at the top and lets those at the end pause the loop before it begins again.
const QStringList kCredits = {
    QString(),
    QStringLiteral("Lirra Reader " LIRRA_VERSION " SE"),
    QStringLiteral("for long evenings"),
    QString(),
    QString(),
    QStringLiteral("Books in DOS 866,"),
    QStringLiteral("Windows 1251"),
    QStringLiteral("and RTF"),
    QString(),
    QString(),
    QStringLiteral("Book view and search"),
    QStringLiteral("written from scratch"),
    QString(),
    QString(),
    QStringLiteral("Bookmarks with dates,"),
    QStringLiteral("history, auto-scroll"),
    QString(),
    QString(),
    QStringLiteral("Nine colour themes"),
    QStringLiteral("and a clock that ticks"),
    QString(),
    QString(),
    QStringLiteral("Made with C++ and Qt"),
    QStringLiteral("Liberation fonts"),
    QString(),
    QString(),
    QStringLiteral("Tested under Xvfb"),
    QStringLiteral("at every change"),
    QString(),
    QString(),
    QStringLiteral("Thanks to every reader"),
    QStringLiteral("who sent us a bug"),
    QString(),
    QString(),
    QStringLiteral("Happy reading!"),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
};

} // namespace

TForm9::TForm9(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(kCaption);
    setFixedSize(398, 249);

    // The picture is 400 × 250, drawn at its natural size from the top-left corner.
    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setAccessibleName(QStringLiteral("Lirra Reader"));
    m_image1->setAccessibleDescription(QStringLiteral("Click to close"));
    m_image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image1->setPixmap(QPixmap(kPicture));
    m_image1->setGeometry(rect());
    m_image1->installEventFilter(this);

    m_secretPanel1 = new TSecretPanel(this);
    m_secretPanel1->setObjectName(QStringLiteral("SecretPanel1"));
    m_secretPanel1->setAccessibleName(QStringLiteral("Credits"));
    m_secretPanel1->setAccessibleDescription(kCredits.join(u' ').simplified());
    m_secretPanel1->setGeometry(225, 105, 166, 61);
    m_secretPanel1->setCycled(true);
    m_secretPanel1->setInterval(70);
    m_secretPanel1->setBevelOuter(TBevelCut::bvNone);
    m_secretPanel1->setColor(Qt::black);
    m_secretPanel1->setFontColor(QColor(0, 255, 0));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    m_secretPanel1->setFont(font);
    m_secretPanel1->setLines(kCredits);
}

// A modal box becomes the active window exactly when it is shown.
void TForm9::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    move(screen()->geometry().center() - rect().center());
    FormActivate();
}

// However the box closes (the picture, Escape), the credits stop, so
// that the next showing starts them again from the beginning.
void TForm9::hideEvent(QHideEvent* event)
{
    m_secretPanel1->setActive(false);
    QDialog::hideEvent(event);
}

bool TForm9::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_image1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Image1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm9::FormActivate() { m_secretPanel1->setActive(true); }

void TForm9::Image1Click() { close(); }

} // namespace lirra
