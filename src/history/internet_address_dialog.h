#pragma once

// TForm7, "Enter Internet Adress...": the user types a web address (or picks one typed
// before) and "OK" stores it with the others, adds it to "User's URL" and opens it.

#include <QDialog>

class QComboBox;
class QPushButton;

namespace lirra {

class TMRUManager;

class TForm7 : public QDialog {
    Q_OBJECT
public:
    // Fills `urls` from the stored addresses (FormCreate); a registry error is shown
    // in the error box. The list is filled when the dialog shows.
    TForm7(TMRUManager& urls, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void fillList();
    void Button1Click();
    void Button2Click();

    TMRUManager& m_urls;
    QPushButton* m_button1 = nullptr;
    QPushButton* m_button2 = nullptr;
    QComboBox* m_comboBox1 = nullptr;
};

} // namespace lirra
