// Text output and measurement of a drawing context: positions, tabs, the
// formats of DrawText, and the metrics of the selected font on the context's
// device. Used by Dc only.
#pragma once

#include "draw/dc.h"
#include "draw/textmeasure.h"

#include <QFontMetrics>
#include <QString>

#include <memory>

namespace platform {

class DcText {
  public:
    explicit DcText(Dc& dc);

    // Draws text with its cell's top-left corner at (x, y); the character at
    // underline (or none for -1) is underlined. OPAQUE mode fills the text's
    // extent first unless opaque is false. clip, when given, limits the output.
    void Out(int x, int y, const QString& text, int underline, const Rect* clip = nullptr,
             bool opaque = true);
    // Draws (or only measures, draw false) text with tabs expanded.
    Size Tabbed(int x, int y, const QString& text, int nTabPositions, const int* tabPositions,
                int tabOrigin, bool draw);
    int Draw(const QString& text, Rect* rect, UINT format);
    Size Extent(const QString& text) const;
    TextMetrics Metrics() const;

  private:
    // Whole-pixel advances added up, so that the extent of a text is the sum of
    // the extents of its parts, as callers that cut texts to a width expect.
    int Width(const QString& text) const;
    Dc::Impl& d_;
    std::shared_ptr<const TextMeasure> measure_;
    const QFontMetrics& fm_;
};

} // namespace platform
