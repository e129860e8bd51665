#include "widgets/font_combo_box.h"

#include "bookview/widget/view_font.h"
#include "platform/case_fold.h"

#include <QFont>
#include <QFontDatabase>
#include <QPainter>

// The glyph images live in the widgets' own resources; a static library's resources
// must be pulled in by name.
static void loadWidgetResources() { Q_INIT_RESOURCE(widgets); }

namespace lirra {

namespace {

constexpr int kTypeRole = Qt::UserRole;
constexpr int kGlyphLeft = 2;
constexpr int kNoGlyphWidth = 20;
constexpr int kTextGap = 6;

// "Nimbus Sans [urw]" -> "Nimbus Sans": a family that several foundries make is listed once.
QString withoutFoundry(const QString& entry)
{
    const qsizetype bracket = entry.lastIndexOf(QLatin1String(" ["));
    return bracket > 0 && entry.endsWith(QLatin1Char(']')) ? entry.left(bracket) : entry;
}

// How the Windows notions of a font family map onto the font system here:
// - TrueType: a smoothly scalable outline font (TrueType, OpenType and Type 1 alike).
// - raster: a bitmap font that comes in fixed sizes only.
// - device: a font resident in the printer. Printing goes through the same font system
//   as the screen, so no family here is one.
// - fixed pitch: the font database's own fixed-pitch flag.
// - character set: symbol for a family whose writing systems include Symbol, ANSI for
//   one that writes Latin, otherwise another set. There are no OEM (DOS) character sets.
// - printer: the families a printer can print at any size, the scalable ones.
FontFamily describeFamily(const QString& listedName, const QString& entry)
{
    const QList<QFontDatabase::WritingSystem> writing = QFontDatabase::writingSystems(entry);
    FontFamily family;
    family.name = listedName;
    if (writing.contains(QFontDatabase::Symbol))
        family.charset = FontCharset::Symbol;
    else if (writing.contains(QFontDatabase::Latin))
        family.charset = FontCharset::Ansi;
    else
        family.charset = FontCharset::Other;
    family.fixedPitch = QFontDatabase::isFixedPitch(entry);
    if (QFontDatabase::isSmoothlyScalable(entry))
        family.fontType = kTrueTypeFontType;
    else if (!QFontDatabase::isScalable(entry))
        family.fontType = kRasterFontType;
    return family;
}

} // namespace

QList<FontFamily> installedFontFamilies(TFontDevice device)
{
    QList<FontFamily> families;
    auto add = [&](const QString& listedName, const QString& entry) {
        if (device != TFontDevice::fdPrinter || QFontDatabase::isScalable(entry))
            families.append(describeFamily(listedName, entry));
    };
    for (const QString& entry : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(entry))
            add(withoutFoundry(entry), entry);
    // The substitute names the program registers (the designed Cyrillic faces) are
    // listed like families, with the look of the installed face they stand for.
    for (const QString& alias : substitutedFaces()) {
        for (const QString& actual : QFont::substitutes(alias)) {
            if (QFontDatabase::hasFamily(actual)) {
                add(alias, actual);
                break;
            }
        }
    }
    return families;
}

TFontComboBox::TFontComboBox(QWidget* parent, TFontListOptions options)
    : TOwnerDrawComboBox(parent), m_options(options)
{
    loadWidgetResources();
    m_trueTypeGlyph = QPixmap(QStringLiteral(":/lirra/widgets/TRUETYPE_FNT"));
    m_deviceGlyph = QPixmap(QStringLiteral(":/lirra/widgets/DEVICE_FNT"));
    updateItemHeight();
    rebuildList();
    connect(this, &QComboBox::activated, this, [this] { emit changed(); });
}

QString TFontComboBox::fontName() const { return currentText(); }

int TFontComboBox::indexOfName(const QString& name) const
{
    const std::u16string wanted = name.toStdU16String();
    for (int i = 0; i < count(); ++i)
        if (platform::equalFolded(itemText(i).toStdU16String(), wanted))
            return i;
    return -1;
}

void TFontComboBox::setFontName(const QString& name)
{
    const QString old = fontName();
    if (name == old)
        return;
    selectItemOr(indexOfName(name), name);
    if (fontName() != old)
        emit changed();
}

void TFontComboBox::setDevice(TFontDevice device)
{
    if (device == m_device)
        return;
    m_device = device;
    rebuildList();
}

void TFontComboBox::setOptions(TFontListOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    rebuildList();
}

void TFontComboBox::setOption(TFontListOption option, bool on)
{
    setOptions(TFontListOptions(m_options).setFlag(option, on));
}

void TFontComboBox::setTrueTypeOnly(bool on) { setOption(TFontListOption::foTrueTypeOnly, on); }

void TFontComboBox::setUseFonts(bool on)
{
    m_useFonts = on;
    update();
}

unsigned TFontComboBox::fontType(int index) const { return itemData(index, kTypeRole).toUInt(); }

void TFontComboBox::rebuildList()
{
    const QString remembered = fontName();
    clear();
    for (const FontListItem& item : buildFontList(installedFontFamilies(m_device), m_options))
        addItem(item.name, item.fontType);
    selectItemOr(indexOfName(remembered), remembered);
    if (fontName() != remembered)
        emit changed();
}

int TFontComboBox::ownItemHeight() const { return m_trueTypeGlyph.height() - 1; }

void TFontComboBox::drawItem(QPainter& painter, const QRect& rect, int index, bool selected) const
{
    fillItem(painter, rect, selected);
    const unsigned type = fontType(index);
    const QPixmap* glyph = nullptr;
    switch (glyphFor(type)) {
    case FontGlyph::TrueType: glyph = &m_trueTypeGlyph; break;
    case FontGlyph::Device: glyph = &m_deviceGlyph; break;
    case FontGlyph::None: break;
    }
    if (glyph)
        painter.drawPixmap(rect.left() + kGlyphLeft, rect.top() + (rect.height() - glyph->height()) / 2, *glyph);
    const QString name = itemText(index);
    if (m_useFonts && (type & kNotSymbolFont)) {
        QFont own(name);
        own.setPixelSize(QFontInfo(font()).pixelSize());
        painter.setFont(own);
    } else {
        painter.setFont(font());
    }
    const int textLeft = (glyph ? glyph->width() : kNoGlyphWidth) + kTextGap;
    painter.drawText(rect.adjusted(textLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
}

} // namespace lirra
