#pragma once

// TForm6, "Set Scroll Speed": the slider that sets how often the book scrolls by
// itself (the speed times 50 ms) and whether it moves by rows or by pages.

#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;
class QRadioButton;

namespace lirra {

class TRxGradientCaption;
class TRxSlider;

// Milliseconds per unit of scroll speed.
inline constexpr int kMsPerSpeedUnit = 50;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    // `speed` is the speed read from the options at start; the slider clamps it.
    TForm6(std::int32_t speed, QWidget* parent);

    std::int32_t speed() const;
    bool scrollRows() const;
    bool scrollPages() const;

    // Centred on the screen, "Cancel" focused; returns when it has closed.
    void ShowModal();

    // Escape, and any other way out but "Set Speed", is "Cancel".
    void reject() override;

signals:
    // The dialog has closed, by either button: the timer takes the speed now.
    void closed();

private:
    void FormCreate(std::int32_t speed);
    void RxSlider1Change();
    void Button1Click();
    void Button2Click();
    void FormClose();

    TRxSlider* m_rxSlider1;
    QPushButton* m_button1;        // "Set Speed"
    QPushButton* m_button2;        // "Cancel"
    QLabel* m_speedCaption;              // "Current Speed - "
    QLabel* m_interval;              // the interval
    QRadioButton* m_radioButton1;  // "Scroll Rows"
    QRadioButton* m_radioButton2;  // "Scroll Pages"
    TRxGradientCaption* m_rxGradientCaption1;
};

} // namespace lirra
