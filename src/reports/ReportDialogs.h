#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QWidget;
class ReportPreview;

// The modal windows of the reports. Each can be replaced, so that tests
// drive the preview and answer the dialogs without a modal event loop.
namespace reportdialogs {

// Runs the preview modally and returns when it is closed.
using PreviewFn = std::function<void(ReportPreview &preview)>;
void runPreview(ReportPreview &preview);
void setPreviewHandler(PreviewFn handler); // empty restores the modal window

// The print dialog for a report of `pageCount` pages: printer, page range,
// copies and collation, written into `printer`. True when the user chose to print.
using PrintDialogFn = std::function<bool(QPrinter &printer, int pageCount, QWidget *parent)>;
bool askPrintSettings(QPrinter &printer, int pageCount, QWidget *parent);
void setPrintDialogHandler(PrintDialogFn handler); // empty restores the real dialog

// The printer setup dialog: the user chooses a printer and its properties,
// written into `printer` when confirmed; nothing is printed.
using PrintSetupFn = std::function<void(QPrinter &printer, QWidget *parent)>;
void showPrintSetup(QPrinter &printer, QWidget *parent);
void setPrintSetupHandler(PrintSetupFn handler); // empty restores the real dialog

// The name of a report file to open or to save; empty when cancelled.
using FileNameFn = std::function<QString(QWidget *parent)>;
QString openFileName(QWidget *parent);
QString saveFileName(QWidget *parent);
void setOpenFileNameHandler(FileNameFn handler); // empty restores the file dialog
void setSaveFileNameHandler(FileNameFn handler); // empty restores the file dialog

} // namespace reportdialogs
