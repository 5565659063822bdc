#include "dialogs/printdialog.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <utility>

namespace platform {

namespace {

PrintModalHook& ModalHook() {
    static PrintModalHook hook;
    return hook;
}

// The dialog offers "Print to File (PDF)" beside the printers; on a machine
// without printers it is the one choice, a file named after the document.
bool DefaultDialog(QPrinter& printer) {
    // The file's name; a job without a title of its own is a "print".
    if (printer.docName().isEmpty()) printer.setDocName(QStringLiteral("print"));
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (ModalHook()) {
        // Shown, as the modal loop shows it: the dialog fills its fields then.
        dialog.show();
        ModalHook()(dialog);
        return dialog.result() == QDialog::Accepted;
    }
    return dialog.exec() == QDialog::Accepted;
}

void DefaultPreview(QPrinter& printer, const std::function<void(QPrinter&)>& render) {
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&render](QPrinter* p) { render(*p); });
    if (ModalHook())
        ModalHook()(dialog);
    else
        dialog.exec();
}

PrintDialogRunner& DialogRunner() {
    static PrintDialogRunner runner = DefaultDialog;
    return runner;
}

PrintPreviewRunner& PreviewRunner() {
    static PrintPreviewRunner runner = DefaultPreview;
    return runner;
}

QString& OutputFile() {
    static QString file;
    return file;
}

} // namespace

PrintModalHook SetPrintModalHook(PrintModalHook hook) {
    return std::exchange(ModalHook(), std::move(hook));
}

void SetPrintDialogRunner(PrintDialogRunner runner) {
    DialogRunner() = runner ? std::move(runner) : PrintDialogRunner(DefaultDialog);
}

void SetPrintPreviewRunner(PrintPreviewRunner runner) {
    PreviewRunner() = runner ? std::move(runner) : PrintPreviewRunner(DefaultPreview);
}

bool RunPrintDialog(QPrinter& printer) {
    return DialogRunner()(printer);
}

void RunPrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& render) {
    PreviewRunner()(printer, render);
}

void SetPrintOutputFile(const QString& fileName) {
    OutputFile() = fileName;
}

void ApplyPrintOutput(QPrinter& printer) {
    if (OutputFile().isEmpty()) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(OutputFile());
}

} // namespace platform
