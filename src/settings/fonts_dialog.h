#pragma once

// TFonts, the "Fonts" dialog: face, text colour, size, bold and italic of the book view.
// Created once at start and only hidden between showings, so its check boxes and the
// picker's fixed-pitch filter keep their state.

#include "bookview/core/book_types.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lirra {

class ReaderWindow;
class TBookView;
class TColorComboBox;
class TFontComboBox;

// What the dialog's OK hands to the view.
struct FontChoice {
    QString face;        // empty: keep the view's face
    ColorValue color = 0;
    QString sizeText;    // points, as typed
    bool bold = false;
    bool italic = false;
};

// Face and colour first; then the size, which raises "'<text>' is not a valid integer
// value" when the text is not a whole number or a size beyond kMaxFontPoints, leaving
// the rest undone; then bold and italic set or cleared (underline and strike-out kept)
// and the pitch fixed whatever the face.
void applyFontChoice(TBookView& view, const FontChoice& choice);

class TFonts : public QDialog {
    Q_OBJECT
public:
    explicit TFonts(ReaderWindow& reader);

    // Fonts1Click: the dialog, modally; then the view's caret hidden.
    void execute();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void FormActivate();
    void Button1Click();
    bool Edit1KeyPress(const QKeyEvent& key);
    void CheckBox1Click(bool checked);

    ReaderWindow& m_reader;
    TFontComboBox* m_fontComboBox1;
    TColorComboBox* m_colorComboBox1;
    QLabel* m_label1;
    QLineEdit* m_edit1;
    QCheckBox* m_checkBox1;   // "Fixed Pitch Only"
    QCheckBox* m_checkBox2;   // "Bold"
    QCheckBox* m_checkBox3;   // "Italic"
    QPushButton* m_button1;   // "OK"
    QPushButton* m_button2;   // "Cancel"
};

} // namespace lirra
