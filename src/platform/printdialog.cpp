#include "printdialog.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace platform {

namespace {

bool DefaultDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    return dialog.exec() == QDialog::Accepted;
}

void DefaultPreview(QPrinter& printer, const std::function<void(QPrinter&)>& render) {
    QPrintPreviewDialog dialog(&printer);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&render](QPrinter* p) { render(*p); });
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
