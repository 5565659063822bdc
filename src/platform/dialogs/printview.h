// The print hooks of a view, called by a PrintJob in this order:
// OnPreparePrinting (which normally calls DoPreparePrinting, the print
// dialog), OnBeginPrinting, then per page OnPrepareDC and OnPrint, and
// OnEndPrinting. The defaults print one empty page through OnDraw.
#pragma once

#include <string>

namespace platform {

class Dc;
struct PrintInfo;

class PrintView {
  public:
    virtual ~PrintView() = default;

    // False cancels the job (nothing printed).
    virtual bool OnPreparePrinting(PrintInfo* info) { return DoPreparePrinting(info); }
    virtual void OnBeginPrinting(Dc*, PrintInfo*) {}
    virtual void OnPrepareDC(Dc*, PrintInfo*) {}
    virtual void OnPrint(Dc* dc, PrintInfo*) { OnDraw(dc); }
    virtual void OnEndPrinting(Dc*, PrintInfo*) {}
    virtual void OnDraw(Dc*) {}
    // The document name of the job: the application's title.
    virtual std::string GetPrintTitle() const;

    // Shows the print dialog (not for direct or preview jobs); false when the
    // user cancels it or there is no job.
    bool DoPreparePrinting(PrintInfo* info);
};

} // namespace platform
