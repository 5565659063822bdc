#include "channelimages.h"

namespace {

// An open folder, a closed folder and a television set; cyan is the mask.
const char* const kChannelImages[] = {
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

} // namespace

const char* const* ChannelImagesPixmap() {
    return kChannelImages;
}
