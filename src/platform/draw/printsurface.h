// Where a list prints its lines: the line height and page height of the
// printed page, lines of text with tabs at the stops set (by default every
// eight average character widths from x = 0), and page breaks.
#pragma once

#include <string>
#include <vector>

namespace platform {

class PrintSurface {
  public:
    virtual ~PrintSurface() = default;
    // The font's height plus its external leading.
    virtual int lineHeight() const = 0;
    virtual int pageHeight() const = 0;
    virtual void drawTabbed(int x, int y, const std::string& text) = 0;
    // Later lines put their tabs at these x positions, in ascending order,
    // as TabbedTextOut takes them: several are the stops (a tab past the
    // last moves one blank on), one is the spacing of the stops, none gives
    // the default stops.
    virtual void setTabStops(std::vector<int> stops) { m_tabStops = std::move(stops); }
    const std::vector<int>& tabStops() const { return m_tabStops; }
    // The width of text in the surface's font, and the font's average
    // character width.
    virtual int textWidth(const std::string& text) const = 0;
    virtual int averageCharWidth() const = 0;
    // Ends the page and begins the next; false when the printer fails.
    virtual bool newPage() = 0;

  private:
    std::vector<int> m_tabStops;
};

} // namespace platform
