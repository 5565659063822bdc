#include "draw/font.h"

namespace platform {

bool Font::CreateFontIndirect(const FontDesc* desc) {
    if (!desc) return false;
    desc_ = *desc;
    font_ = platform::ToQFont(desc_);
    made_ = true;
    return true;
}

bool Font::CreateFont(int height, int width, int escapement, int orientation, int weight,
                      unsigned char italic, unsigned char underline, unsigned char strikeOut,
                      unsigned char charSet, unsigned char outPrecision,
                      unsigned char clipPrecision, unsigned char quality,
                      unsigned char pitchAndFamily, const char* face) {
    FontDesc desc;
    desc.lfHeight = height;
    desc.lfWidth = width;
    desc.lfEscapement = escapement;
    desc.lfOrientation = orientation;
    desc.lfWeight = weight;
    desc.lfItalic = italic;
    desc.lfUnderline = underline;
    desc.lfStrikeOut = strikeOut;
    desc.lfCharSet = charSet;
    desc.lfOutPrecision = outPrecision;
    desc.lfClipPrecision = clipPrecision;
    desc.lfQuality = quality;
    desc.lfPitchAndFamily = pitchAndFamily;
    SetFaceName(desc, face);
    return CreateFontIndirect(&desc);
}

void Font::CreateFromQFont(const QFont& font) {
    desc_ = FromQFont(font);
    font_ = font;
    font_.setKerning(false); // advances add up, as in fonts made from descriptions
    made_ = true;
}

int Font::GetLogFont(FontDesc* desc) const {
    if (!desc || !made_) return 0;
    *desc = desc_;
    return static_cast<int>(sizeof(FontDesc));
}

bool Font::DeleteObject() {
    if (!made_) return false;
    made_ = false;
    desc_ = FontDesc();
    font_ = QFont();
    return true;
}

} // namespace platform
