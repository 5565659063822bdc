// Where a list prints its lines: the line height and page height of the
// printed page, lines of text with tabs at the default stops (every eight
// average character widths from x = 0), and page breaks.
#pragma once

#include <string>

namespace platform {

class PrintSurface {
  public:
    virtual ~PrintSurface() = default;
    // The font's height plus its external leading.
    virtual int lineHeight() const = 0;
    virtual int pageHeight() const = 0;
    virtual void drawTabbed(int x, int y, const std::string& text) = 0;
    // Ends the page and begins the next; false when the printer fails.
    virtual bool newPage() = 0;
};

} // namespace platform
