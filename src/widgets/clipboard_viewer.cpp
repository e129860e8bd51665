#include "widgets/clipboard_viewer.h"

#include "widgets/palette_grid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <cstring>

namespace lirra {

namespace {

const QString kColorType = QStringLiteral("application/x-color");
constexpr qsizetype kColorBytes = 4 * sizeof(quint16);

} // namespace

const QString TClipboardViewer::kEmptyText = QStringLiteral("Буфер обмена пуст");
const QString TClipboardViewer::kUnknownText = QStringLiteral("Неизвестный формат данных в буфере обмена");

ClipboardFormats ClipboardFormats::of(const QMimeData* data)
{
    if (!data || data->formats().isEmpty())
        return {};
    return {true, data->hasText(), data->hasImage(), data->hasColor()};
}

bool ClipboardFormats::holds(TClipboardViewFormat format) const
{
    switch (format) {
    case TClipboardViewFormat::cvText: return text;
    case TClipboardViewFormat::cvBitmap: return image;
    case TClipboardViewFormat::cvPalette: return color;
    default: return false;
    }
}

bool ClipboardFormats::isValid(TClipboardViewFormat format) const
{
    switch (format) {
    case TClipboardViewFormat::cvDefault:
    case TClipboardViewFormat::cvEmpty:
    case TClipboardViewFormat::cvUnknown: return true;
    default: return holds(format);
    }
}

TClipboardViewFormat ClipboardFormats::viewToDraw(TClipboardViewFormat requested) const
{
    if (!any)
        return TClipboardViewFormat::cvEmpty;
    if (requested != TClipboardViewFormat::cvDefault)
        return requested;
    for (TClipboardViewFormat format :
         {TClipboardViewFormat::cvText, TClipboardViewFormat::cvBitmap, TClipboardViewFormat::cvPalette})
        if (holds(format))
            return format;
    return TClipboardViewFormat::cvUnknown;
}

QList<QColor> colorsFromX11ColorData(const QByteArray& data)
{
    QList<QColor> colors;
    if (data.isEmpty() || data.size() % kColorBytes != 0)
        return colors;
    const qsizetype count = std::min<qsizetype>(data.size() / kColorBytes, PaletteGridGeometry::kMaxColors);
    for (qsizetype i = 0; i < count; ++i) {
        quint16 channel[4];
        std::memcpy(channel, data.constData() + i * kColorBytes, kColorBytes);
        colors << QColor::fromRgba64(channel[0], channel[1], channel[2], channel[3]);
    }
    return colors;
}

TClipboardViewer::TClipboardViewer(QWidget* parent)
    : QScrollArea(parent), m_clipboard(QGuiApplication::clipboard())
{
    setFrameShape(QFrame::NoFrame);
    // The system's window colour, whatever the parent's colour.
    setBackgroundRole(QPalette::Base);
    viewport()->setBackgroundRole(QPalette::Base);
    setAlignment(Qt::AlignCenter);
    connect(m_clipboard, &QClipboard::dataChanged, this, &TClipboardViewer::clipboardChanged);
    createShownControl();
}

void TClipboardViewer::setViewFormat(TClipboardViewFormat format)
{
    if (!ClipboardFormats::of(m_clipboard->mimeData()).isValid(format))
        format = TClipboardViewFormat::cvDefault;
    if (format == m_viewFormat)
        return;
    m_viewFormat = format;
    createShownControl();
}

// A view chosen earlier stays only while its data is there.
void TClipboardViewer::clipboardChanged()
{
    const ClipboardFormats formats = ClipboardFormats::of(m_clipboard->mimeData());
    if (!formats.any)
        m_viewFormat = TClipboardViewFormat::cvEmpty;
    else if (!formats.holds(m_viewFormat))
        m_viewFormat = TClipboardViewFormat::cvDefault;
    emit changed();
    setUpdatesEnabled(false);
    createShownControl();
    setUpdatesEnabled(true);
}

void TClipboardViewer::createShownControl()
{
    delete takeWidget();
    const QMimeData* content = m_clipboard->mimeData();
    const ClipboardFormats formats = ClipboardFormats::of(content);
    if (!formats.any)
        return;
    // The requested view is always one whose data is there: setViewFormat and
    // clipboardChanged see to that.
    const TClipboardViewFormat format = formats.viewToDraw(m_viewFormat);
    if (format == TClipboardViewFormat::cvBitmap) {
        const QImage image = qvariant_cast<QImage>(content->imageData());
        if (!image.isNull())
            return showImage(image);
    } else if (format == TClipboardViewFormat::cvPalette) {
        QList<QColor> colors = colorsFromX11ColorData(content->data(kColorType));
        if (colors.isEmpty())
            colors << qvariant_cast<QColor>(content->colorData());
        if (colors.first().isValid())
            return showColors(colors);
    }
    // Text, and whatever could not be shown as itself.
    showText(*content);
}

void TClipboardViewer::showText(const QMimeData& content)
{
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(QStringLiteral("ClipboardText"));
    memo->setAccessibleName(QStringLiteral("Clipboard text"));
    memo->setFrameShape(QFrame::NoFrame);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (content.hasText())
        memo->setPlainText(content.text());
    else   // the clipboard is asked again: its owner may have emptied it meanwhile
        memo->setPlainText(ClipboardFormats::of(m_clipboard->mimeData()).any ? kUnknownText : kEmptyText);
    memo->setReadOnly(true);
    setWidgetResizable(true);
    setWidget(memo);
}

void TClipboardViewer::showImage(const QImage& image)
{
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("ClipboardImage"));
    picture->setAccessibleName(QStringLiteral("Clipboard picture"));
    picture->setPixmap(QPixmap::fromImage(image));
    picture->resize(image.size());   // its natural size, however large
    setWidgetResizable(false);
    setWidget(picture);
}

void TClipboardViewer::showColors(const QList<QColor>& colors)
{
    auto* grid = new TPaletteGrid;
    grid->setObjectName(QStringLiteral("ClipboardPalette"));
    grid->setAccessibleName(QStringLiteral("Clipboard colours"));
    grid->setFrameShape(QFrame::NoFrame);
    grid->setColors(colors);
    setWidgetResizable(true);
    setWidget(grid);
}

} // namespace lirra
