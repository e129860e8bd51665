#include "bookview/widget/view_font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace lirra {
namespace {

int defaultPixelSize() { return QFontInfo(QGuiApplication::font()).pixelSize(); }

// A positive Windows height is the cell height (ascent + descent); Qt sizes the em, so
// scale the em until the cell comes out at the asked height.
int pixelSizeForCellHeight(QFont font, int cellHeight)
{
    font.setPixelSize(cellHeight);
    const int cell = QFontMetrics(font).height();
    if (cell <= 0)
        return cellHeight;
    return std::max(1, int(std::lround(double(cellHeight) * cellHeight / cell)));
}

void applyHeight(QFont& font, int height)
{
    if (height < 0)
        font.setPixelSize(-height);
    else if (height == 0)
        font.setPixelSize(defaultPixelSize());
    else
        font.setPixelSize(pixelSizeForCellHeight(font, height));
}

void applyPitch(QFont& font, FontPitch pitch)
{
    font.setFixedPitch(pitch == FontPitch::Fixed);
    if (pitch == FontPitch::Fixed)
        font.setStyleHint(QFont::TypeWriter);
}

} // namespace

QFont ViewFont::toQFont() const
{
    QFont font(face);
    // Whole-pixel advances, as the Windows text renderer has them: layout, painting
    // and word wrap then agree to the pixel.
    font.setHintingPreference(QFont::PreferFullHinting);
    applyPitch(font, pitch);
    applyHeight(font, height);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

QFont ViewFont::toQFont(const CharFormat& format, std::u16string_view formatFace, int dpi) const
{
    ViewFont run = *this;
    if (!formatFace.empty())
        run.face = QString::fromUtf16(formatFace.data(),
                                      qsizetype(std::min<std::size_t>(formatFace.size(), kMaxFaceLength)));
    if (format.halfPoints > 0)
        run.height = -int(std::lround(format.halfPoints * dpi / 144.0));
    run.bold = bold || format.bold;
    run.italic = italic || format.italic;
    run.underline = underline || format.underline;
    run.strikeOut = strikeOut || format.strikeOut;
    return run.toQFont();
}

int heightFromPoints(int points, int dpi) { return -int(std::lround(points * double(dpi) / 72.0)); }

int pointsFromHeight(int height, int dpi) { return -int(std::lround(height * 72.0 / dpi)); }

namespace {
struct FaceSubstitution {
    const char* designed;
    const char* installed;
};
constexpr FaceSubstitution kFaceSubstitutions[] = {
    {"Courier New Cyr", "Liberation Mono"},
    {"Times New Roman Cyr", "Liberation Serif"},
    {"Arial Cyr", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
};
} // namespace

void registerFontSubstitutions()
{
    for (const FaceSubstitution& face : kFaceSubstitutions)
        QFont::insertSubstitution(QLatin1String(face.designed), QLatin1String(face.installed));
}

QStringList substitutedFaces()
{
    QStringList faces;
    for (const FaceSubstitution& face : kFaceSubstitutions)
        faces << QLatin1String(face.designed);
    return faces;
}

} // namespace lirra
