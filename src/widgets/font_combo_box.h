#pragma once

// TFontComboBox: picks a face among the installed font families, each shown with its
// glyph (TrueType or device) and its name.

#include "widgets/font_list.h"
#include "widgets/owner_draw_combo_box.h"

#include <QPixmap>

namespace lirra {

enum class TFontDevice { fdScreen, fdPrinter, fdBoth };

class TFontComboBox : public TOwnerDrawComboBox {
    Q_OBJECT
public:
    // The list is built at once, with the options it is designed with.
    explicit TFontComboBox(QWidget* parent = nullptr, TFontListOptions options = {});

    // The selected item's name; empty when nothing is selected (in a drop-down, the
    // typed text). Writing selects the first item of that name without regard to case,
    // or nothing; only a real change raises `changed`.
    QString fontName() const;
    void setFontName(const QString& name);

    TFontDevice device() const { return m_device; }
    void setDevice(TFontDevice device);
    TFontListOptions options() const { return m_options; }
    void setOptions(TFontListOptions options);
    void setOption(TFontListOption option, bool on);
    // A mirror of foTrueTypeOnly.
    bool trueTypeOnly() const { return m_options.testFlag(TFontListOption::foTrueTypeOnly); }
    void setTrueTypeOnly(bool on);
    // Draw each name in its own face (symbol fonts excepted).
    bool useFonts() const { return m_useFonts; }
    void setUseFonts(bool on);

    // The font-type bits of item `index` (see font_list.h).
    unsigned fontType(int index) const;

    void drawItem(QPainter& painter, const QRect& rect, int index, bool selected) const override;

protected:
    int ownItemHeight() const override;

private:
    void rebuildList();
    int indexOfName(const QString& name) const;

    TFontDevice m_device = TFontDevice::fdScreen;
    TFontListOptions m_options;
    bool m_useFonts = false;
    QPixmap m_trueTypeGlyph;
    QPixmap m_deviceGlyph;
};

// The families of the font system as the picker lists them, for `device`.
QList<FontFamily> installedFontFamilies(TFontDevice device);

} // namespace lirra
