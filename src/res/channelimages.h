// Bitmap 158: the channel list's row images, three 16 x 16 pictures side by
// side (0 an expanded row, 1 a collapsed row, 2 a leaf: an open folder, a
// closed folder and a television set), on the mask colour RGB(0, 255, 255).
#pragma once

// The strip as an X pixmap.
inline const char* const* ChannelImagesPixmap() {
    // clang-format off
    static const char* const kStrip[] = {
        "48 16 6 1",
        ". c #00FFFF",
        "k c #000000",
        "y c #FFD84A",
        "d c #C8A02A",
        "b c #2060C0",
        "w c #FFFFFF",
        "................................................",
        "................................................",
        "..kkkk............kkkk..............k.....k.....",
        ".kyyyyk..........kyyyyk..............k...k......",
        ".kyyyykkkkkkk....kyyyykkkkkkkk........k.k.......",
        ".kyyyyyyyyyyk....kyyyyyyyyyyyk...kkkkkkkkkkkkkk.",
        ".kyykkkkkkkkkkkk.kdddddddddddk...kbbbbbbbbbbbbk.",
        ".kykdddddddddddk.kyyyyyyyyyyyk...kbwwbbbbbbbbbk.",
        ".kykddddddddddk..kyyyyyyyyyyyk...kbwbbbbbbbbbbk.",
        ".kkddddddddddk...kyyyyyyyyyyyk...kbbbbbbbbbbbbk.",
        ".kkdddddddddk....kyyyyyyyyyyyk...kbbbbbbbbbbbbk.",
        ".kdddddddddk.....kyyyyyyyyyyyk...kbbbbbbbbbbbbk.",
        ".kkkkkkkkkkk.....kkkkkkkkkkkkk...kkkkkkkkkkkkkk.",
        "....................................kkkkkkkk....",
        "................................................",
        "................................................",
    };
    // clang-format on
    return kStrip;
}
