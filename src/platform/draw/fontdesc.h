// A font description with the fields and the 60-byte layout of the original
// platform's logical font, so that callers can keep and copy it as a record.
// A negative height is the character height in pixels (logical units), a
// positive one the cell height (ascent + descent), 0 the default size.
#pragma once

#include <QFont>

#include <cstddef>
#include <cstdint>

namespace platform {

constexpr std::size_t LF_FACESIZE = 32;

struct FontDesc {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0; // tenths of a degree; 900 reads bottom to top
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0; // FW_ values; 0 means normal
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {}; // Latin-1, NUL-terminated within the field

    bool operator==(const FontDesc&) const = default;
};
static_assert(sizeof(FontDesc) == 60, "a font description is the 60-byte record");

// The Qt font a description stands for. An empty or unknown face falls back to
// the family Qt substitutes; the face name is read within its 32 bytes only.
QFont ToQFont(const FontDesc& desc);

// The description of a Qt font: height as negative pixels (points converted at
// 96 per inch when the font has no pixel size), weight, italic, underline,
// strike-out, pitch and the requested family (cut to 31 bytes).
FontDesc FromQFont(const QFont& font);

// Sets the face name, cut to fit the field with its terminator.
void SetFaceName(FontDesc& desc, const char* face);

} // namespace platform
