// A print surface that records what would be printed: every line with its
// page and position, and its pieces between tabs with the x each one starts
// at, measured with the screen's fonts.
#pragma once

#include "draw/printsurface.h"
#include "draw/screendc.h"

#include <string>
#include <vector>

namespace platform {

class RecordingPrintSurface : public PrintSurface {
  public:
    struct Piece {
        int x;
        std::string text;
    };
    struct Line {
        int page; // from 1
        int x;
        int y;
        std::string text;
        std::vector<Piece> pieces;
    };

    // Pages of pageHeight logical units, measured in the application's font.
    explicit RecordingPrintSurface(int pageHeight = 1000);

    int lineHeight() const override;
    int pageHeight() const override { return pageHeight_; }
    void drawTabbed(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) const override;
    int averageCharWidth() const override;
    bool newPage() override;

    const std::vector<Line>& Lines() const { return lines_; }
    int Pages() const { return page_; }
    // The distance between default tab stops: 8 average character widths.
    int TabSpacing() const;

  private:
    int NextStop(int x, int spacing) const;

    ScreenDc measure_;
    int pageHeight_;
    int page_ = 1;
    std::vector<Line> lines_;
};

} // namespace platform
