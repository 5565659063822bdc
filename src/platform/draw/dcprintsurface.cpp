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
    const std::vector<int>& stops = tabStops();
    dc_.TabbedTextOut(x, y, text, static_cast<int>(stops.size()),
                      stops.empty() ? nullptr : stops.data(), 0);
}

int DcPrintSurface::textWidth(const std::string& text) const {
    return dc_.GetTextExtent(text).cx;
}

int DcPrintSurface::averageCharWidth() const {
    TextMetrics tm;
    dc_.GetTextMetrics(&tm);
    return tm.tmAveCharWidth;
}

bool DcPrintSurface::newPage() {
    return dc_.EndPage() > 0 && dc_.StartPage() > 0;
}

} // namespace platform
