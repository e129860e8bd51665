#include "navigation/scroll_speed_dialog.h"

#include "navigation/dialog_look.h"
#include "widgets/rx_gradient_caption.h"
#include "widgets/rx_slider.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace lirra {

namespace {

constexpr int kWidth = 330;
constexpr int kMinSpeed = 1;
constexpr int kMaxSpeed = 10000;

QString intervalText(std::int32_t speed) { return QString::number(speed * kMsPerSpeedUnit) + QStringLiteral(" Msec"); }

} // namespace

TForm6::TForm6(std::int32_t speed, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Set Scroll Speed"));
    paintBlackAndSilver(this);
    m_rxGradientCaption1 = new TRxGradientCaption(this);
    m_rxGradientCaption1->setStartColor(0);
    m_rxGradientCaption1->setGradientInactive(true);

    m_rxSlider1 = new TRxSlider(this);
    m_rxSlider1->setObjectName(QStringLiteral("RxSlider1"));
    m_rxSlider1->setAccessibleName(QStringLiteral("Scroll speed"));
    m_rxSlider1->setMaxValue(kMaxSpeed);
    m_rxSlider1->setMinValue(kMinSpeed);
    m_rxSlider1->setIncrement(1);
    m_rxSlider1->setValue(kMinSpeed);
    m_rxSlider1->setFixedHeight(m_rxSlider1->sizeHint().height());
    m_button1 = new QPushButton(QStringLiteral("Set Speed"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button2 = new QPushButton(QStringLiteral("Cancel"), this);
    m_button2->setObjectName(QStringLiteral("Button2"));
    m_speedCaption = new QLabel(QStringLiteral("Current Speed - "), this);
    m_speedCaption->setObjectName(QStringLiteral("Label1"));
    m_interval = new QLabel(intervalText(kMinSpeed), this);
    m_interval->setObjectName(QStringLiteral("Label2"));
    // Room for the longest interval, so that nothing moves while the slider does.
    m_interval->setMinimumWidth(m_interval->fontMetrics().horizontalAdvance(intervalText(kMaxSpeed)));
    m_radioButton1 = new QRadioButton(QStringLiteral("Scroll Rows"), this);
    m_radioButton1->setObjectName(QStringLiteral("RadioButton1"));
    m_radioButton1->setChecked(true);
    m_radioButton2 = new QRadioButton(QStringLiteral("Scroll Pages"), this);
    m_radioButton2->setObjectName(QStringLiteral("RadioButton2"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 8);
    column->addWidget(m_rxSlider1);
    auto* modes = new QHBoxLayout;
    modes->addWidget(m_radioButton1);
    modes->addWidget(m_radioButton2);
    modes->addStretch();
    column->addLayout(modes);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_button2);
    bottom->addStretch();
    bottom->addWidget(m_speedCaption);
    bottom->addWidget(m_interval);
    bottom->addStretch();
    bottom->addWidget(m_button1);
    column->addLayout(bottom);
    setFixedSize(std::max(kWidth, sizeHint().width()), sizeHint().height());
    setTabOrder(m_rxSlider1, m_radioButton1);
    setTabOrder(m_radioButton1, m_radioButton2);
    setTabOrder(m_radioButton2, m_button2);
    setTabOrder(m_button2, m_button1);

    connect(m_rxSlider1, &TRxSlider::OnChange, this, [this] { RxSlider1Change(); });
    connect(m_button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(m_button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
    FormCreate(speed);
}

std::int32_t TForm6::speed() const { return m_rxSlider1->value(); }

bool TForm6::scrollRows() const { return m_radioButton1->isChecked(); }

bool TForm6::scrollPages() const { return m_radioButton2->isChecked(); }

void TForm6::ShowModal()
{
    centreOnScreen(this);
    m_button2->setFocus();
    exec();
}

void TForm6::FormCreate(std::int32_t speed) { m_rxSlider1->setValue(speed); }

void TForm6::RxSlider1Change() { m_interval->setText(intervalText(speed())); }

void TForm6::Button1Click() { accept(); }

// The speed goes back to the fastest, not to the one the dialog opened with.
void TForm6::Button2Click()
{
    m_rxSlider1->setValue(kMinSpeed);
    QDialog::reject();
}

void TForm6::reject() { Button2Click(); }

void TForm6::FormClose() { emit closed(); }

} // namespace lirra
