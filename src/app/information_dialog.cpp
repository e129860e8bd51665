#include "app/information_dialog.h"

#include "app/book_information.h"
#include "bookview/widget/book_view.h"
#include "reader/reader_window.h"
#include "widgets/rx_gradient_caption.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace lirra {

namespace {

const QColor kSilver(192, 192, 192);

QFont pixelFont(const char* face, int pixels, bool bold)
{
    QFont font(QString::fromLatin1(face));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void addBevel(QWidget* parent, const char* name, QRect place)
{
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(QLatin1String(name));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(place);
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, QPoint at, const QFont& font)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TForm8::TForm8(ReaderWindow& reader, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_reader(reader)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Information"));
    setAccessibleName(windowTitle());
    QWidget* client = addCaptionedClientArea(this, {215, 202});
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, Qt::black);
    look.setColor(QPalette::WindowText, kSilver);
    setPalette(look);

    addBevel(client, "Bevel1", {8, 8, 203, 137});
    const QFont caption = pixelFont("Arial Cyr", 11, true);
    const QFont value = pixelFont("MS Sans Serif", 11, false);
    const QString blank = QStringLiteral("________________");
    addLabel(client, "Label1", QStringLiteral("File Name"), {16, 16}, caption);
    addLabel(client, "Label2", QStringLiteral("File-Size"), {16, 40}, caption);
    addLabel(client, "Label3", QStringLiteral("Lines"), {16, 64}, caption);
    m_fileName = addLabel(client, "Label4", blank, {80, 16}, value);
    m_fileSize = addLabel(client, "Label5", blank, {80, 40}, value);
    m_lineCount = addLabel(client, "Label6", blank, {80, 64}, value);
    addLabel(client, "Label7", QStringLiteral("Book-Size ~"), {16, 94}, caption);
    m_pageCount = addLabel(client, "Label8", QStringLiteral("00000"), {81, 94}, pixelFont("MS Sans Serif", 11, true));
    addLabel(client, "Label9", QStringLiteral("pages"), {125, 94}, caption);
    m_fileName->setAccessibleDescription(QStringLiteral("File Name"));
    m_fileSize->setAccessibleDescription(QStringLiteral("File-Size"));
    m_lineCount->setAccessibleDescription(QStringLiteral("Lines"));
    m_pageCount->setAccessibleDescription(QStringLiteral("Book-Size ~ pages"));

    addBevel(client, "Bevel2", {5, 156, 206, 41});
    auto* button1 = new QPushButton(QStringLiteral("Close"), client);
    button1->setObjectName(QStringLiteral("Button1"));
    button1->setAccessibleName(QStringLiteral("Close"));
    button1->setFont(pixelFont("Arial", 11, true));
    button1->setGeometry(67, 164, 81, 25);
    button1->setDefault(true);
    connect(button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    button1->setFocus();
}


void TForm8::showForOpenBook()
{
    if (!m_reader.hasBook())
        return;
    exec();
    m_reader.bookView().repaintNow();
}

void TForm8::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormActivate();
}

void TForm8::FormActivate()
{
    const BookInformation book = describeBook(m_reader.bookName(), m_reader.bookView().lineCount());
    m_fileName->setText(book.fileName);
    m_fileSize->setText(QString::number(book.fileSize));
    m_lineCount->setText(QString::number(book.lines));
    m_pageCount->setText(QString::number(book.pages));
    for (QLabel* label : {m_fileName, m_fileSize, m_lineCount, m_pageCount})
        label->adjustSize();
}

void TForm8::Button1Click() { accept(); }

} // namespace lirra
