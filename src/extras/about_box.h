#pragma once

// TForm9: the About box. A frameless picture on top of every window, with a small black
// panel on it in which the credits scroll upward without end. A click on the picture
// (which covers the whole box) closes it, a click on the credits does nothing; each
// showing starts the credits again from below.

#include <QDialog>

class QLabel;

namespace lirra {

class TSecretPanel;

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormActivate();
    void Image1Click();

    QLabel* m_image1;
    TSecretPanel* m_secretPanel1;
};

} // namespace lirra
