// A print job run for a view by one of the framework's print commands: the
// print dialog (57607), straight to the printer (57608) or a preview (57609).
// The dialog and the preview go through the hooks of printdialog.h.
#pragma once

#include <QPrinter>

#include <memory>

namespace platform {

class PrintView;
struct PrintInfo;

constexpr unsigned ID_FILE_PRINT = 57607;
constexpr unsigned ID_FILE_PRINT_DIRECT = 57608;
constexpr unsigned ID_FILE_PRINT_PREVIEW = 57609;

class PrintJob {
  public:
    explicit PrintJob(PrintView& view) : view_(view) {}

    // Runs the whole job; true when every page was printed. Another command,
    // a cancelled dialog or a failing printer print nothing and give false;
    // a job that cannot begin also shows "Failed to start print job." with
    // the application's title as caption.
    bool Run(unsigned command);
    // The dialog step of the view's OnPreparePrinting; false when cancelled.
    bool DoPreparePrinting(PrintInfo* info);

  private:
    bool PrintPages(QPrinter& printer, PrintInfo& info);
    PrintView& view_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace platform
