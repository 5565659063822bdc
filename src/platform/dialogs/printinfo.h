// What a print job tells the view's print hooks: the pages, the page being
// printed, the drawing rectangle of the page, and whether to go on.
#pragma once

#include "base/geometry.h"

namespace platform {

class PrintJob;

struct PrintInfo {
    // One page unless the view counts its pages (SetMaxPage).
    void SetMaxPage(unsigned page) { maxPage_ = page; }
    unsigned GetMinPage() const { return minPage_; }
    unsigned GetMaxPage() const { return maxPage_; }

    bool m_bDirect = false;          // printed without the print dialog
    bool m_bPreview = false;         // printed for the preview
    bool m_bContinuePrinting = true; // a hook clears it to stop after this page
    unsigned m_nCurPage = 1;
    Rect m_rectDraw;            // the page in logical units: (0, 0, HORZRES, VERTRES)
    PrintJob* m_pJob = nullptr; // the job, for DoPreparePrinting

  private:
    unsigned minPage_ = 1;
    unsigned maxPage_ = 1;
};

} // namespace platform
