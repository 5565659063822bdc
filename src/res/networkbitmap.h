// Bitmap 167: the images of the satellite and transponder tree, a strip of
// 16 x 16 images. Image 0 is a satellite: a dish on its arm, white and light
// blue, drawn to stand out on the tree's black background.
#pragma once

// The strip as an X pixmap.
inline const char* const* NetworkTreePixmap() {
    // clang-format off
    static const char* const kStrip[] = {
        "16 16 4 1",
        "  c None",
        ". c #FFFFFF",
        "b c #5FA8FF",
        "g c #A0A0A0",
        "                ",
        "   bbb          ",
        "  b...bb        ",
        " b......b       ",
        " b.......b      ",
        "b.........b     ",
        "b....gg...b     ",
        "b...g  g..b  .  ",
        " b..g  g.b  .   ",
        " b...gg.b  .    ",
        "  b....bgg.     ",
        "   bbbb  gg     ",
        "         gg     ",
        "        gggg    ",
        "       gggggg   ",
        "                ",
    };
    // clang-format on
    return kStrip;
}
