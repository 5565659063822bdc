#include "draw/fontdesc.h"

#include "base/drawconstants.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {

namespace {

// Screen resolution at which point sizes become pixels in a description.
constexpr double kScreenDpi = 96.0;
// Pixel size of the probe font that converts a cell height into a pixel size.
constexpr int kProbePixels = 100;

int PixelSizeForCellHeight(QFont font, int cellHeight) {
    font.setPixelSize(kProbePixels);
    QFontMetrics fm(font);
    int probeHeight = fm.ascent() + fm.descent();
    if (probeHeight <= 0) return cellHeight;
    int px = static_cast<int>(std::lround(double(cellHeight) * kProbePixels / probeHeight));
    return px > 0 ? px : 1;
}

} // namespace

QFont ToQFont(const FontDesc& desc) {
    QFont font;
    font.setKerning(false); // advances add up, as the records' texts are measured
    std::size_t faceLength = strnlen(desc.lfFaceName, LF_FACESIZE);
    if (faceLength > 0)
        font.setFamily(QString::fromLatin1(desc.lfFaceName, static_cast<qsizetype>(faceLength)));
    switch (desc.lfPitchAndFamily & 0xF0) {
    case FF_ROMAN:
        font.setStyleHint(QFont::Serif);
        break;
    case FF_SWISS:
        font.setStyleHint(QFont::SansSerif);
        break;
    case FF_MODERN:
        font.setStyleHint(QFont::Monospace);
        break;
    default:
        break;
    }
    if ((desc.lfPitchAndFamily & 0x3) == FIXED_PITCH) font.setFixedPitch(true);
    if (desc.lfHeight < 0)
        font.setPixelSize(-desc.lfHeight);
    else if (desc.lfHeight > 0)
        font.setPixelSize(PixelSizeForCellHeight(font, desc.lfHeight));
    int weight = desc.lfWeight == FW_DONTCARE ? FW_NORMAL : desc.lfWeight;
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font.setItalic(desc.lfItalic != 0);
    font.setUnderline(desc.lfUnderline != 0);
    font.setStrikeOut(desc.lfStrikeOut != 0);
    if (desc.lfQuality == NONANTIALIASED_QUALITY) font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

FontDesc FromQFont(const QFont& font) {
    FontDesc desc;
    if (font.pixelSize() > 0)
        desc.lfHeight = -font.pixelSize();
    else
        desc.lfHeight = -static_cast<int>(std::lround(font.pointSizeF() * kScreenDpi / 72.0));
    desc.lfWeight = font.weight();
    desc.lfItalic = font.italic() ? 1 : 0;
    desc.lfUnderline = font.underline() ? 1 : 0;
    desc.lfStrikeOut = font.strikeOut() ? 1 : 0;
    desc.lfCharSet = DEFAULT_CHARSET;
    desc.lfPitchAndFamily = font.fixedPitch() ? FIXED_PITCH : DEFAULT_PITCH;
    SetFaceName(desc, font.family().toLatin1().constData());
    return desc;
}

void SetFaceName(FontDesc& desc, const char* face) {
    std::memset(desc.lfFaceName, 0, LF_FACESIZE);
    if (face) std::strncpy(desc.lfFaceName, face, LF_FACESIZE - 1);
}

} // namespace platform
