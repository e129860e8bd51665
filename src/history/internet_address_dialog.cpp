#include "history/internet_address_dialog.h"

#include "history/mru_manager.h"
#include "history/user_addresses.h"
#include "reader/error_handler.h"
#include "widgets/rx_gradient_caption.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>

namespace lirra {

namespace {
const QString kCaption = QStringLiteral("Enter Internet Adress...");
} // namespace

TForm7::TForm7(TMRUManager& urls, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_urls(urls)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(kCaption);
    setAccessibleName(kCaption);
    QWidget* client = addCaptionedClientArea(this, {434, 70});
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, Qt::black);
    setPalette(look);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    auto* bevel1 = new QFrame(client);
    bevel1->setObjectName(QStringLiteral("Bevel1"));
    bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel1->setGeometry(92, 38, 250, 25);

    m_button1 = new QPushButton(QStringLiteral("OK"), client);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setAccessibleName(QStringLiteral("OK"));
    m_button1->setGeometry(351, 38, 75, 25);
    connect(m_button1, &QPushButton::clicked, this, [this] { runCommand([this] { Button1Click(); }); });

    m_button2 = new QPushButton(QStringLiteral("Cancel"), client);
    m_button2->setObjectName(QStringLiteral("Button2"));
    m_button2->setAccessibleName(QStringLiteral("Cancel"));
    m_button2->setGeometry(8, 38, 75, 25);
    connect(m_button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    m_comboBox1 = new QComboBox(client);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox1->setAccessibleName(kCaption);
    m_comboBox1->setToolTip(kCaption);
    m_comboBox1->setEditable(true);
    m_comboBox1->setInsertPolicy(QComboBox::NoInsert);   // the list grows only by "OK"
    m_comboBox1->setMaxVisibleItems(16);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(13);
    arial.setBold(true);
    m_comboBox1->setFont(arial);
    m_comboBox1->setGeometry(8, 8, 417, 23);
    // Enter in the combo box does what "OK" does (ComboBox1KeyPress).
    connect(m_comboBox1->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { runCommand([this] { Button1Click(); }); });

    setTabOrder(m_button1, m_button2);
    setTabOrder(m_button2, m_comboBox1);
    runCommand([this] { FormCreate(); });
}

// The list is filled each time the dialog shows, so at start-up only `urls` is made:
// ten thousand stored addresses must not fill a list that nobody sees yet.
void TForm7::FormCreate() { restoreUserAddresses(m_urls); }

void TForm7::FormActivate() { fillList(); }

// The list shows every stored address, repeats included, oldest first.
void TForm7::fillList()
{
    m_comboBox1->clear();
    // Adding to an empty list would put its first entry in the text field, which is to
    // open empty, also when reading met a damaged value.
    const auto emptyText = qScopeGuard([this] {
        m_comboBox1->setCurrentIndex(-1);
        m_comboBox1->clearEditText();
    });
    const StoredNames stored = readStoredAddresses();
    m_comboBox1->addItems(stored.names);
    stored.raiseError();
}

void TForm7::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_button2->setFocus();
    runCommand([this] { FormActivate(); });
}

// Enter acts on the focused control only: on a button it presses that button, in the
// combo box it confirms. No button is pressed by Enter on the dialog's behalf.
void TForm7::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void TForm7::Button1Click()
{
    const QString address = m_comboBox1->currentText();
    if (address.isEmpty())
        return;
    m_comboBox1->addItem(address);
    QStringList all;
    for (int i = 0; i < m_comboBox1->count(); ++i)
        all << m_comboBox1->itemText(i);
    storeAddresses(all);
    m_urls.add(address, 0);
    launchAddress(address);
    accept();
}

void TForm7::Button2Click() { reject(); }

} // namespace lirra
