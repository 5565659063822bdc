#include "draw/textmeasure.h"

#include <QFontInfo>
#include <QPaintDevice>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

// Fonts a window draws with at once: a few (its own, a bold one, a heading's).
constexpr std::size_t kCachedMeasures = 8;

QFontMetrics MetricsOn(const QFont& font, const QPaintDevice* device) {
    return device ? QFontMetrics(font, device) : QFontMetrics(font);
}

} // namespace

// The measures used last, the most recent first. Fonts are measured on the
// user-interface thread; each thread keeps its own cache all the same.
class TextMeasureCache {
  public:
    static std::shared_ptr<const TextMeasure> Get(const QFont& font, const QPaintDevice* device) {
        thread_local std::vector<std::shared_ptr<const TextMeasure>> entries;
        const int dpiX = device ? device->logicalDpiX() : 0;
        const int dpiY = device ? device->logicalDpiY() : 0;
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            const TextMeasure& m = **it;
            if (m.dpiX_ != dpiX || m.dpiY_ != dpiY || !(m.font_ == font)) continue;
            std::rotate(entries.begin(), it, it + 1);
            return entries.front();
        }
        auto made = std::make_shared<const TextMeasure>(font, device);
        if (entries.size() == kCachedMeasures) entries.pop_back();
        entries.insert(entries.begin(), made);
        return made;
    }
};

std::shared_ptr<const TextMeasure> TextMeasure::For(const QFont& font, const QPaintDevice* device) {
    return TextMeasureCache::Get(font, device);
}

TextMeasure::TextMeasure(const QFont& font, const QPaintDevice* device)
    : font_(font), dpiX_(device ? device->logicalDpiX() : 0),
      dpiY_(device ? device->logicalDpiY() : 0), fm_(MetricsOn(font, device)) {
    latin1_.fill(kUnknown);
    text_.tmAscent = fm_.ascent();
    text_.tmDescent = fm_.descent();
    text_.tmHeight = text_.tmAscent + text_.tmDescent;
    text_.tmExternalLeading = std::max(0, fm_.leading());
    text_.tmInternalLeading = std::max(0, text_.tmHeight - QFontInfo(font).pixelSize());
    text_.tmAveCharWidth = fm_.averageCharWidth();
    text_.tmMaxCharWidth = fm_.maxWidth();
    text_.tmWeight = font.weight();
    text_.tmItalic = font.italic() ? 1 : 0;
}

int TextMeasure::Width(const QString& text) const {
    int width = 0;
    for (QChar c : text) {
        const char16_t code = c.unicode();
        if (code >= latin1_.size()) {
            width += fm_.horizontalAdvance(c);
            continue;
        }
        int& advance = latin1_[code];
        if (advance == kUnknown) advance = fm_.horizontalAdvance(c);
        width += advance;
    }
    return width;
}

} // namespace platform
