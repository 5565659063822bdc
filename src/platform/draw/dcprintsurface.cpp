#include "draw/dcprintsurface.h"

#include "draw/dc.h"

namespace platform {

int DcPrintSurface::lineHeight() const {
    TextMetrics tm;
    dc_.GetTextMetrics(&tm);
    return tm.tmHeight + tm.tmExternalLeading;
}

int DcPrintSurface::pageHeight() const {
    Rect page(0, 0, dc_.GetDeviceCaps(HORZRES), dc_.GetDeviceCaps(VERTRES));
    dc_.DPtoLP(&page);
    return page.Height();
}

void DcPrintSurface::drawTabbed(int x, int y, const std::string& text) {
    dc_.TabbedTextOut(x, y, text, 0, nullptr, 0);
}

bool DcPrintSurface::newPage() {
    return dc_.EndPage() > 0 && dc_.StartPage() > 0;
}

} // namespace platform
