#pragma once

// TForm2, "Goto...": the reader types a percentage or a line number and jumps there.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lirra {

class ReaderWindow;
class TRxGradientCaption;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(ReaderWindow& reader, QWidget* parent);

    // Centred on the screen, the percentage field focused; returns when it has closed.
    void ShowModal();

private:
    void Button1Click();

    ReaderWindow& m_reader;
    QLineEdit* m_edit1;     // percentage
    QLineEdit* m_edit2;     // line number
    QPushButton* m_button1;
    QLabel* m_rxLabel1;     // "Percents..."
    QLabel* m_rxLabel2;     // "Line..."
    TRxGradientCaption* m_rxGradientCaption1;
};

} // namespace lirra
