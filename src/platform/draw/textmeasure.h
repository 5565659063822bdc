// What measuring text in one font on one kind of device needs, kept for the
// few fonts measured last: the font's metrics, its text metrics and the
// advance of each Latin-1 character as it is first met. A drawing context is
// made for nearly every measurement (a grid measures every cell of a column
// to size it), and asking the font engine afresh for each context and each
// character was most of the cost of measuring.
#pragma once

#include "draw/textmetrics.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <array>
#include <memory>

class QPaintDevice;

namespace platform {

class TextMeasure {
  public:
    // The measure of font on device (a null device: the screen), made or
    // taken from the cache. Shared: an entry the cache lets go stays valid
    // for whoever still holds it.
    static std::shared_ptr<const TextMeasure> For(const QFont& font, const QPaintDevice* device);

    TextMeasure(const QFont& font, const QPaintDevice* device);

    const QFontMetrics& Metrics() const { return fm_; }
    // Whole-pixel advances added up, character by character.
    int Width(const QString& text) const;
    const TextMetrics& Text() const { return text_; }

  private:
    friend class TextMeasureCache;
    QFont font_;
    int dpiX_ = 0;
    int dpiY_ = 0;
    QFontMetrics fm_;
    TextMetrics text_;
    // Advances of the Latin-1 characters, kUnknown until first asked.
    static constexpr int kUnknown = -1;
    mutable std::array<int, 256> latin1_;
};

} // namespace platform
