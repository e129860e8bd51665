#pragma once

// TFindDialog: the reader's own find dialog, made to look and behave like the desktop's
// standard one with only its text field, "Find Next" and "Cancel": it searches forward,
// never case-sensitively, never by whole words. It stays open beside the main window and
// keeps its text from one use to the next.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lirra {

class TFindDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxTextLength = 255;

    explicit TFindDialog(QWidget* parent);

    QString findText() const;
    // Shows the dialog, or brings it to the front when it is already open.
    void execute();

signals:
    // "Find Next" (or Enter in the field) with a text to look for.
    void find();

private:
    QLabel* m_label;
    QLineEdit* m_findWhat;
    QPushButton* m_findNext;
    QPushButton* m_cancel;
};

} // namespace lirra
