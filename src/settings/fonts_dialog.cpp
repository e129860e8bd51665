#include "settings/fonts_dialog.h"

#include "bookview/widget/book_view.h"
#include "platform/integer_text.h"
#include "reader/error_handler.h"
#include "reader/reader_window.h"
#include "widgets/color_combo_box.h"
#include "widgets/font_combo_box.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lirra {

namespace {

constexpr QSize kClientSize(327, 181);

QFont arial(int pixels, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

template <class Control>
Control* place(Control* control, const char* name, const QString& accessibleName, QRect bounds)
{
    control->setObjectName(QLatin1String(name));
    control->setAccessibleName(accessibleName);
    control->setGeometry(bounds);
    return control;
}

} // namespace

namespace {
// Each font setter of the view lays a wrapped book out anew: only what differs is set.
template <class Get, class Set, class Value>
void setChanged(TBookView& view, Get get, Set set, const Value& value)
{
    if ((view.*get)() != value)
        (view.*set)(value);
}
} // namespace

void applyFontChoice(TBookView& view, const FontChoice& choice)
{
    if (!choice.face.isEmpty())
        setChanged(view, &TBookView::fontName, &TBookView::setFontName, choice.face);
    view.setFontColor(choice.color);
    const int points = strToInt(choice.sizeText.toStdString(), -kMaxFontPoints, kMaxFontPoints);
    const int height = heightFromPoints(points, view.logicalDpiY());
    setChanged(view, &TBookView::fontHeight, &TBookView::setFontHeight, height);
    setChanged(view, &TBookView::bold, &TBookView::setBold, choice.bold);
    setChanged(view, &TBookView::italic, &TBookView::setItalic, choice.italic);
    setChanged(view, &TBookView::pitch, &TBookView::setPitch, FontPitch::Fixed);
}

TFonts::TFonts(ReaderWindow& reader)
    : QDialog(reader.dialogParent(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                         | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                                         | Qt::WindowCloseButtonHint),
      m_reader(reader)
{
    setObjectName(QStringLiteral("Fonts"));
    setWindowTitle(QStringLiteral("Fonts"));
    setFixedSize(kClientSize);
    QFont designed(QStringLiteral("MS Sans Serif"));
    designed.setPixelSize(11);
    setFont(designed);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    setAutoFillBackground(true);
    createControls();

    connect(m_button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(m_button2, &QPushButton::clicked, this, &QDialog::reject);
    m_edit1->installEventFilter(this);
    connect(m_checkBox1, &QCheckBox::toggled, this, [this](bool checked) { CheckBox1Click(checked); });
}

void TFonts::createControls()
{
    m_fontComboBox1 = place(new TFontComboBox(this, TFontListOption::foNoSymbolFonts), "FontComboBox1",
                            QStringLiteral("Font Name"), {7, 8, 313, 22});
    m_fontComboBox1->setToolTip(QStringLiteral("Font Name"));
    m_colorComboBox1 = place(new TColorComboBox(this), "ColorComboBox1", QStringLiteral("Font Color"), {7, 38, 313, 22});
    m_label1 = place(new QLabel(QStringLiteral("Size"), this), "Label1", QStringLiteral("Size"), {12, 77, 30, 16});
    m_label1->setFont(arial(12));
    m_edit1 = place(new QLineEdit(this), "Edit1", QStringLiteral("Size"), {45, 74, 57, 21});
    m_label1->setBuddy(m_edit1);
    m_checkBox1 = place(new QCheckBox(QStringLiteral("Fixed Pitch Only"), this), "CheckBox1",
                        QStringLiteral("Fixed Pitch Only"), {130, 76, 160, 17});
    m_checkBox1->setFont(arial(12));
    m_checkBox2 = place(new QCheckBox(QStringLiteral("Bold"), this), "CheckBox2", QStringLiteral("Bold"), {12, 112, 80, 17});
    m_checkBox2->setFont(arial(12, true));
    m_checkBox3 = place(new QCheckBox(QStringLiteral("Italic"), this), "CheckBox3", QStringLiteral("Italic"),
                        {130, 112, 80, 17});
    m_checkBox3->setFont(arial(12, false, true));
    m_button1 = place(new QPushButton(QStringLiteral("OK"), this), "Button1", QStringLiteral("OK"), {164, 146, 75, 25});
    m_button2 = place(new QPushButton(QStringLiteral("Cancel"), this), "Button2", QStringLiteral("Cancel"),
                      {245, 146, 75, 25});

    setTabOrder(m_fontComboBox1, m_colorComboBox1);
    setTabOrder(m_colorComboBox1, m_button1);
    setTabOrder(m_button1, m_button2);
    setTabOrder(m_button2, m_edit1);
    setTabOrder(m_edit1, m_checkBox1);
    setTabOrder(m_checkBox1, m_checkBox2);
    setTabOrder(m_checkBox2, m_checkBox3);
}

void TFonts::execute()
{
    exec();
    m_reader.bookView().hideCaret();
}

// Each showing starts from the view's look; the check boxes keep what the user left.
void TFonts::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFonts::FormActivate()
{
    const TBookView& view = m_reader.bookView();
    m_fontComboBox1->setFontName(view.fontName());
    m_colorComboBox1->setColorValue(view.fontColor());
    m_edit1->setText(QString::number(view.fontSize()));
}

// A size that is not a number ends in the error box with face and colour already taken
// and the dialog still open.
void TFonts::Button1Click()
{
    TBookView& view = m_reader.bookView();
    const FontChoice choice{m_fontComboBox1->fontName(), m_colorComboBox1->colorValue(), m_edit1->text(),
                            m_checkBox2->isChecked(), m_checkBox3->isChecked()};
    if (!runCommand([&] { applyFontChoice(view, choice); }))
        return;
    view.setFocus();
    view.repaintNow();
    accept();
}

// Enter in the size field is OK, once: the key goes no further, to the default button.
bool TFonts::eventFilter(QObject* watched, QEvent* event)
{
    return watched == m_edit1 && event->type() == QEvent::KeyPress && Edit1KeyPress(*static_cast<QKeyEvent*>(event));
}

bool TFonts::Edit1KeyPress(const QKeyEvent& key)
{
    if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter)
        return false;
    Button1Click();
    return true;
}

void TFonts::CheckBox1Click(bool checked) { m_fontComboBox1->setOption(TFontListOption::foFixedPitchOnly, checked); }

} // namespace lirra
