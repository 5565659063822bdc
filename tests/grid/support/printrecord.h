// What a print job put on its pages, read back from the drawing-call log:
// the job's printing calls in order, and per page the texts and lines with
// their places on the page (logical units, from the page's top-left corner).
#pragma once

#include "draw/dccalllog.h"
#include "base/geometry.h"

#include <string>
#include <vector>

namespace grid_test {

struct PrintedText {
    std::string text;
    platform::Rect rect;
    platform::UINT format = 0;
};

// A line from one point up to (not including) another.
struct PrintedLine {
    platform::Point from;
    platform::Point to;
    bool operator==(const PrintedLine&) const = default;
};

struct PrintedPage {
    std::vector<PrintedText> texts;
    std::vector<PrintedLine> lines;
    // The first text that is exactly text, or null.
    const PrintedText* Find(const std::string& text) const;
    // How many texts are exactly text.
    int Count(const std::string& text) const;
};

struct PrintedJob {
    // The printing calls: "StartDoc", "StartPage", "EndPage", "EndDoc", "AbortDoc".
    std::vector<std::string> calls;
    std::string docName;
    std::vector<PrintedPage> pages;
    // How many times text was printed over all pages.
    int Count(const std::string& text) const;
};

// Texts drawn outside a page (none should be) go to no page.
PrintedJob ReadPrintedJob(const platform::DcCallLog& log);

} // namespace grid_test
