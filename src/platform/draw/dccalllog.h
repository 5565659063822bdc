// A record of the drawing calls contexts make, for tests that check what was
// drawn where without reading glyphs. While a log is open on a thread, every
// context on that thread appends its calls to it, with the arguments as they
// were passed (logical units); logs opened inside one another hide the outer
// one until they close. Without an open log nothing is recorded.
#pragma once

#include "base/colors.h"
#include "base/geometry.h"

#include <string>
#include <vector>

namespace platform {

using UINT = unsigned int;

enum class DcCallKind {
    FillSolidRect,    // rect, color
    ExtTextOut,       // rect (null: empty), text, flags = options, color = back colour
    DrawText,         // rect, text, flags = format, color = text colour
    DrawFocusRect,    // rect
    DrawFrameControl, // rect, flags = type, state
    Rectangle,        // rect, color = pen colour
    LineTo,           // from, to (the end point, not painted), color = pen colour
    DrawImage,        // rect = position and size drawn, index, state = style
    // The printing calls of a context, whatever their result.
    StartDoc, // text = the document's name
    StartPage,
    EndPage,
    EndDoc,
    AbortDoc,
};

struct DcCall {
    DcCallKind kind = DcCallKind::FillSolidRect;
    Rect rect;
    std::string text;
    UINT flags = 0;
    UINT state = 0;
    COLORREF color = 0;
    Point from;
    Point to;
    int index = -1;
    // The window origin when the call was made: with the viewport origin at 0
    // (as when printing), rect - windowOrg is where the call lands on the page
    // in logical units.
    Point windowOrg;
};

class DcCallLog {
  public:
    // Opens the log: the calls of this thread go to it until it is destroyed.
    DcCallLog();
    ~DcCallLog();
    DcCallLog(const DcCallLog&) = delete;
    DcCallLog& operator=(const DcCallLog&) = delete;

    const std::vector<DcCall>& Calls() const { return calls_; }
    // The calls of one kind, in order.
    std::vector<DcCall> Calls(DcCallKind kind) const;
    void Clear() { calls_.clear(); }

    // True while a log is open on this thread; contexts ask before they build
    // a record.
    static bool IsOpen();
    // Appends call to the open log; nothing when none is open.
    static void Record(DcCall call);
    // Appends a call of kind with only its text.
    static void Record(DcCallKind kind, std::string text = std::string());

  private:
    DcCallLog* outer_;
    std::vector<DcCall> calls_;
};

} // namespace platform
