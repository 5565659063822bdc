// The print dialog and the print preview, through hooks that tests replace so
// that nothing blocks. Also where every job's output goes when it is set to a
// file (print to PDF).
#pragma once

#include <QString>

#include <functional>

class QDialog;
class QPrinter;

namespace platform {

// Shows the print dialog for printer; true when the user chose to print.
using PrintDialogRunner = std::function<bool(QPrinter& printer)>;
// Shows a preview; render draws the pages into the printer it is given.
using PrintPreviewRunner =
    std::function<void(QPrinter& printer, const std::function<void(QPrinter&)>& render)>;

// Installs a runner; an empty one restores the default (the Qt dialog, modal).
void SetPrintDialogRunner(PrintDialogRunner runner);
void SetPrintPreviewRunner(PrintPreviewRunner runner);
bool RunPrintDialog(QPrinter& printer);
void RunPrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& render);

// The default preview is Qt's preview dialog, its pages drawn by render on
// each of its paint requests, run modally; the default print dialog is Qt's,
// with "Print to File (PDF)" among its printers. A test's modal hook runs in
// place of either's modal loop, with the dialog made and connected, and must
// close it (accept or reject).
// Returns the previous hook; an empty one restores the modal loop.
using PrintModalHook = std::function<void(QDialog& dialog)>;
PrintModalHook SetPrintModalHook(PrintModalHook hook);

// A file name sends every later job into that PDF file; an empty one sends
// them to the printer chosen.
void SetPrintOutputFile(const QString& fileName);
// Points printer at the output file, when one is set.
void ApplyPrintOutput(QPrinter& printer);

} // namespace platform
