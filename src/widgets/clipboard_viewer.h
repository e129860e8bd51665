#pragma once

// TClipboardViewer: a scrollable view of what the system clipboard holds, rebuilt at
// every change of the clipboard. Text shows in a read-only text area, a picture as
// itself (centred, or from the top-left corner with scroll bars when larger), colours in
// a TPaletteGrid; an empty clipboard leaves the viewer blank.
//
// It follows the toolkit's clipboard through its change signal: there is no viewer chain
// to join or leave, and no other program's notifications can be lost through us.

#include <QColor>
#include <QList>
#include <QScrollArea>

class QClipboard;
class QMimeData;

namespace lirra {

// The views. A Linux clipboard holds MIME types: every picture the toolkit can read is a
// bitmap here, and a colour is `application/x-color`, what colour pickers copy. Windows
// formats without a Linux counterpart (metafiles, OEM text, the toolkit's own component
// and picture objects, icons) are not offered.
enum class TClipboardViewFormat { cvDefault, cvEmpty, cvUnknown, cvText, cvBitmap, cvPalette };

// Which kinds of data a clipboard holds.
struct ClipboardFormats {
    bool any = false;
    bool text = false;
    bool image = false;
    bool color = false;

    static ClipboardFormats of(const QMimeData* data);
    // Whether the data that `format` shows is there; never for the three views that show
    // no data of their own (cvDefault, cvEmpty, cvUnknown).
    bool holds(TClipboardViewFormat format) const;
    // cvDefault, cvEmpty and cvUnknown are always valid; the others when their data is there.
    bool isValid(TClipboardViewFormat format) const;
    // The view to show for `requested`: cvEmpty for an empty clipboard, the requested view
    // when one is set, else the first of text, picture, colour that is there, else cvUnknown.
    TClipboardViewFormat viewToDraw(TClipboardViewFormat requested) const;
};

class TClipboardViewer : public QScrollArea {
    Q_OBJECT
public:
    // What the text area says when there is nothing it can show.
    static const QString kEmptyText;
    static const QString kUnknownText;

    explicit TClipboardViewer(QWidget* parent = nullptr);

    TClipboardViewFormat viewFormat() const { return m_viewFormat; }
    // A view whose data the clipboard does not hold is stored as cvDefault; any change
    // rebuilds the shown control.
    void setViewFormat(TClipboardViewFormat format);

    // The control showing the content; nullptr while the viewer is blank.
    QWidget* shownControl() const { return widget(); }

signals:
    // Before every rebuild that a clipboard change causes.
    void changed();

private:
    void clipboardChanged();
    void createShownControl();
    void showText(const QMimeData& content);
    void showImage(const QImage& image);
    void showColors(const QList<QColor>& colors);

    QClipboard* m_clipboard;
    TClipboardViewFormat m_viewFormat = TClipboardViewFormat::cvDefault;
};

} // namespace lirra
