#include "mainicon.h"

namespace {

// A dish on a stand beside a screen, in two blues on white.
const char* const kMainIcon[] = {
    "16 16 4 1",        "  c None",         ". c #FFFFFF",      "b c #1F4E9C",
    "l c #7FA7E0",      "                ", "  bbb           ", " bllbb          ",
    " bl..bb         ", " bl...bb        ", "  bl...b        ", "   bbl.b  bbbbbb",
    "     bbb  bllllb", "     b    bllllb", "     b    bllllb", "     b    bbbbbb",
    "    bbb     bb  ", "   bbbbb  bbbbbb", "                ", "                ",
    "                ",
};

} // namespace

const char* const* MainIconPixmap() {
    return kMainIcon;
}
