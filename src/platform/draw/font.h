// A font object: a description and the Qt font made from it. Drawing contexts
// copy the Qt font when it is selected, so a font may be deleted while a
// context still draws with it.
#pragma once

#include "draw/fontdesc.h"

#include <QFont>

namespace platform {

class Font {
  public:
    Font() = default;
    explicit Font(const FontDesc& desc) { CreateFontIndirect(&desc); }

    // Makes the font from a description (a font already made is replaced).
    // Fails, leaving the font as it was, for a null description.
    bool CreateFontIndirect(const FontDesc* desc);
    // The same from separate fields; face may be null (the default family).
    bool CreateFont(int height, int width, int escapement, int orientation, int weight,
                    unsigned char italic, unsigned char underline, unsigned char strikeOut,
                    unsigned char charSet, unsigned char outPrecision, unsigned char clipPrecision,
                    unsigned char quality, unsigned char pitchAndFamily, const char* face);
    // Makes the font from a Qt font (the application's, a widget's).
    void CreateFromQFont(const QFont& font);

    // Copies the description into *desc; returns its size, or 0 (desc untouched)
    // when desc is null or the font was never made.
    int GetLogFont(FontDesc* desc) const;
    // Forgets the font; false when there was none.
    bool DeleteObject();
    // Non-null while the font is made.
    const void* GetSafeHandle() const { return made_ ? this : nullptr; }

    const FontDesc& Desc() const { return desc_; }
    const QFont& ToQFont() const { return font_; }

  private:
    bool made_ = false;
    FontDesc desc_;
    QFont font_;
};

} // namespace platform
