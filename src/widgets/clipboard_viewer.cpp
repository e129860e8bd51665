#include "widgets/clipboard_viewer.h"

#include "widgets/palette_grid.h"
#include "widgets/plain_text_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QMimeData>

namespace lirra {

namespace {

const QString kColorType = QStringLiteral("application/x-color");

// The first picture type on the clipboard that the toolkit can read. On X11 a picture
// arrives under its own type (image/png, image/bmp, ...), not as the toolkit's image.
QString pictureType(const QMimeData& data)
{
    static const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    for (const QString& format : data.formats())
        if (format.startsWith(QLatin1String("image/")) && readable.contains(format.toLatin1()))
            return format;
    return {};
}

// In process the toolkit hands a colour over as itself; from another program on X11, as
// its name ("#rrggbb").
QColor colorOf(const QMimeData& data)
{
    const QColor color = qvariant_cast<QColor>(data.colorData());
    return color.isValid() ? color : QColor::fromString(QString::fromLatin1(data.data(kColorType)));
}

QImage pictureOf(const QMimeData& data)
{
    if (data.hasImage())
        return qvariant_cast<QImage>(data.imageData());
    return QImage::fromData(data.data(pictureType(data)));
}

} // namespace

const QString TClipboardViewer::kEmptyText = QStringLiteral("Буфер обмена пуст");
const QString TClipboardViewer::kUnknownText = QStringLiteral("Неизвестный формат данных в буфере обмена");

ClipboardFormats ClipboardFormats::of(const QMimeData* data)
{
    if (!data || data->formats().isEmpty())
        return {};
    return {true, data->hasText(), data->hasImage() || !pictureType(*data).isEmpty(), data->hasColor()};
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
        const QImage image = pictureOf(*content);
        if (!image.isNull())
            return showImage(image);
    } else if (format == TClipboardViewFormat::cvPalette) {
        const QColor color = colorOf(*content);
        if (color.isValid())
            return showColors({color});
    }
    // Text, and whatever could not be shown as itself.
    showText(*content);
}

void TClipboardViewer::showText(const QMimeData& content)
{
    auto* memo = new PlainTextView;
    memo->setObjectName(QStringLiteral("ClipboardText"));
    memo->setAccessibleName(QStringLiteral("Clipboard text"));
    memo->setFrameShape(QFrame::NoFrame);
    if (content.hasText())
        memo->setText(content.text());
    else   // the clipboard is asked again: its owner may have emptied it meanwhile
        memo->setText(ClipboardFormats::of(m_clipboard->mimeData()).any ? kUnknownText : kEmptyText);
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
