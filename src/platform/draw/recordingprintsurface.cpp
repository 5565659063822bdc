#include "draw/recordingprintsurface.h"

namespace platform {

namespace {
// Default tab stops: every kTabAverageWidths average character widths.
constexpr int kTabAverageWidths = 8;
} // namespace

RecordingPrintSurface::RecordingPrintSurface(int pageHeight) : pageHeight_(pageHeight) {}

// As the drawing context expands a tab: one stop is the spacing of the
// stops; several are the stops themselves, a tab past the last moving one
// blank on; none are the default stops.
int RecordingPrintSurface::NextStop(int x, int spacing) const {
    const std::vector<int>& stops = tabStops();
    if (stops.size() > 1) {
        for (int stop : stops)
            if (stop > x) return stop;
        return x + textWidth(" ");
    }
    if (stops.size() == 1 && stops[0] > 0) spacing = stops[0];
    return spacing > 0 ? (x / spacing + 1) * spacing : x;
}

int RecordingPrintSurface::textWidth(const std::string& text) const {
    return measure_.GetTextExtent(text).cx;
}

int RecordingPrintSurface::averageCharWidth() const {
    TextMetrics tm;
    const_cast<ScreenDc&>(measure_).GetTextMetrics(&tm);
    return tm.tmAveCharWidth;
}

int RecordingPrintSurface::lineHeight() const {
    TextMetrics tm;
    const_cast<ScreenDc&>(measure_).GetTextMetrics(&tm);
    return tm.tmHeight + tm.tmExternalLeading;
}

int RecordingPrintSurface::TabSpacing() const {
    TextMetrics tm;
    const_cast<ScreenDc&>(measure_).GetTextMetrics(&tm);
    return kTabAverageWidths * tm.tmAveCharWidth;
}

void RecordingPrintSurface::drawTabbed(int x, int y, const std::string& text) {
    Line line{page_, x, y, text, {}};
    const int spacing = TabSpacing();
    int cur = x;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = text.find('\t', start);
        std::string piece = text.substr(start, tab == std::string::npos ? tab : tab - start);
        line.pieces.push_back({cur, piece});
        cur += measure_.GetTextExtent(piece).cx;
        if (tab == std::string::npos) break;
        cur = NextStop(cur, spacing);
        start = tab + 1;
    }
    lines_.push_back(std::move(line));
}

bool RecordingPrintSurface::newPage() {
    ++page_;
    return true;
}

} // namespace platform
