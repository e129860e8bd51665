#include "navigation/goto_dialog.h"

#include "navigation/dialog_look.h"
#include "navigation/goto_command.h"
#include "reader/error_handler.h"
#include "widgets/rx_gradient_caption.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lirra {

namespace {

constexpr int kWidth = 150;

QLabel* silverItalicLabel(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    QFont courier(QStringLiteral("Courier New"));
    courier.setPointSize(10);
    courier.setItalic(true);
    label->setFont(courier);
    return label;
}

QLineEdit* numberEdit(const QString& name, const QString& accessibleName, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(accessibleName);
    return edit;
}

} // namespace

TForm2::TForm2(ReaderWindow& reader, QWidget* parent) : QDialog(parent), m_reader(reader)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Goto..."));
    paintBlackAndSilver(this);
    m_rxGradientCaption1 = new TRxGradientCaption(this);
    m_rxGradientCaption1->setStartColor(0);
    m_rxGradientCaption1->setGradientInactive(true);
    m_rxGradientCaption1->setSystemMenu(true);

    m_edit1 = numberEdit(QStringLiteral("Edit1"), QStringLiteral("Percents..."), this);
    m_edit2 = numberEdit(QStringLiteral("Edit2"), QStringLiteral("Line..."), this);
    m_button1 = new QPushButton(QStringLiteral("Goto..."), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    // Enter in either field, as on the button, runs the jump.
    m_button1->setDefault(true);
    m_rxLabel1 = silverItalicLabel(QStringLiteral("RxLabel1"), QStringLiteral("Percents..."), this);
    m_rxLabel2 = silverItalicLabel(QStringLiteral("RxLabel2"), QStringLiteral("Line..."), this);
    m_rxLabel1->setBuddy(m_edit1);
    m_rxLabel2->setBuddy(m_edit2);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 6, 12, 10);
    column->setSpacing(2);
    column->addWidget(m_rxLabel1);
    column->addWidget(m_edit1);
    column->addSpacing(6);
    column->addWidget(m_rxLabel2);
    column->addWidget(m_edit2);
    column->addSpacing(10);
    column->addWidget(m_button1);
    setFixedSize(kWidth, sizeHint().height());

    connect(m_button1, &QPushButton::clicked, this, [this] { runCommand([this] { Button1Click(); }); });
}

void TForm2::ShowModal()
{
    centreOnScreen(this);
    m_edit1->setFocus();
    exec();
}

void TForm2::Button1Click()
{
    gotoPercentOrLine(m_reader, m_edit1->text(), m_edit2->text());
    m_edit1->clear();
    m_edit2->clear();
    accept();
}

} // namespace lirra
