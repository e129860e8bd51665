#pragma once

// What the two bookmark dialogs share: the list of stored entries on the left, the
// buttons on the right ("Set Book-Mark" or "Get Book-Mark", "Delete", "Clear" at the
// top, "Exit" at the bottom), a black, fixed, centred window without a close box, the
// list loaded when the dialog is made and again each time it becomes active, and
// "Delete", "Clear" and "Exit". Each dialog gives its first button its own meaning;
// a double-click on the list does the same. A row shows its entry decoded as the
// caption shows a book's name (shownBookName) and keeps the entry as stored.

#include <QDialog>

class QListWidget;
class QPushButton;

namespace lirra {

class ReaderWindow;

class BookmarkListDialog : public QDialog {
    Q_OBJECT
public:
    ~BookmarkListDialog() override;

protected:
    BookmarkListDialog(ReaderWindow& reader, const QString& objectName, const QString& caption,
                       const QString& firstButton, QWidget* parent);

    virtual void Button1Click() = 0;

    ReaderWindow& reader() const { return m_reader; }
    QListWidget& listBox() const { return *m_listBox1; }
    // The entries of the rows, as stored.
    QStringList rows() const;
    void addRow(const QString& entry);
    // The selected row's index; -1 when no row is selected.
    int selectedRow() const;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void ListBox1DblClick();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void loadList();

    ReaderWindow& m_reader;
    QListWidget* m_listBox1;
    QPushButton* m_button1;
    QPushButton* m_button2;
    QPushButton* m_button3;
    QPushButton* m_button4;
    // The list is read each time the dialog becomes active, and the error box takes
    // that away: its read error is shown once per showing, not once per activation.
    bool m_readErrorDue = false;
};

} // namespace lirra
