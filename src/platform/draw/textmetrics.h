// Text metrics of the font selected in a drawing context, in logical units.
#pragma once

namespace platform {

struct TextMetrics {
    int tmHeight = 0; // ascent + descent
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0; // the part of the height above the em square
    int tmExternalLeading = 0; // the font's suggested gap between lines
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 0;
    int tmOverhang = 0; // extra width of synthesised styles; always 0 here
    unsigned char tmItalic = 0;
};

} // namespace platform
