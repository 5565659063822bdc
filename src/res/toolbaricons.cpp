#include "toolbaricons.h"

namespace {

// A blank page with a folded corner, outlined in near-black.
const char* const kNewFile[] = {
    "16 16 3 1",        "  c None",         "k c #202020",      "w c #FFFFFF",
    "                ", "  kkkkkkkk      ", "  kwwwwwwkk     ", "  kwwwwwwkwk    ",
    "  kwwwwwwkkkk   ", "  kwwwwwwwwwk   ", "  kwwwwwwwwwk   ", "  kwwwwwwwwwk   ",
    "  kwwwwwwwwwk   ", "  kwwwwwwwwwk   ", "  kwwwwwwwwwk   ", "  kwwwwwwwwwk   ",
    "  kwwwwwwwwwk   ", "  kwwwwwwwwwk   ", "  kkkkkkkkkkk   ", "                ",
};

// A red cross: the selected channels go.
const char* const kDeleteChannel[] = {
    "16 16 3 1",        "  c None",         "r c #D01010",      "d c #800000",
    "                ", "  dr        rd  ", "  rrr      rrr  ", "   rrr    rrr   ",
    "    rrr  rrr    ", "     rrrrrr     ", "      rrrr      ", "      rrrr      ",
    "     rrrrrr     ", "    rrr  rrr    ", "   rrr    rrr   ", "  rrr      rrr  ",
    "  dr        rd  ", "                ", "                ", "                ",
};

// The red cross over the lines of a list: every channel goes.
const char* const kDeleteAll[] = {
    "16 16 4 1",        "  c None",         "r c #D01010",      "d c #800000",
    "k c #404040",      "                ", " kkkkkkkkkkkkkk ", "                ",
    " kkrkkkkkkkkrkk ", "   rrr    rrr   ", " kkkrrrkkrrrkkk ", "     rrrrrr     ",
    " kkkkkrrrrkkkkk ", "     rrrrrr     ", " kkkrrrkkrrrkkk ", "   rrr    rrr   ",
    " kkrkkkkkkkkrkk ", "  d        d    ", " kkkkkkkkkkkkkk ", "                ",
    "                ",
};

} // namespace

const char* const* NewFileToolPixmap() {
    return kNewFile;
}

const char* const* DeleteChannelToolPixmap() {
    return kDeleteChannel;
}

const char* const* DeleteAllToolPixmap() {
    return kDeleteAll;
}
