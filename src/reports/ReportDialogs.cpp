#include "ReportDialogs.h"

#include "ReportPreview.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace reportdialogs {
namespace {

PreviewFn &previewHandler()
{
    static PreviewFn fn;
    return fn;
}

PrintDialogFn &printDialogHandler()
{
    static PrintDialogFn fn;
    return fn;
}

PrintSetupFn &printSetupHandler()
{
    static PrintSetupFn fn;
    return fn;
}

FileNameFn &openFileNameHandler()
{
    static FileNameFn fn;
    return fn;
}

FileNameFn &saveFileNameHandler()
{
    static FileNameFn fn;
    return fn;
}

QString fileFilter()
{
    return QStringLiteral("Vendalo reports (*.vdr)");
}

} // namespace

void runPreview(ReportPreview &preview)
{
    if (previewHandler())
        previewHandler()(preview);
    else
        preview.exec();
}

void setPreviewHandler(PreviewFn handler)
{
    previewHandler() = std::move(handler);
}

bool askPrintSettings(QPrinter &printer, int pageCount, QWidget *parent)
{
    if (printDialogHandler())
        return printDialogHandler()(printer, pageCount, parent);
    QPrintDialog dialog(&printer, parent);
    // No paper choice: the reports are laid out on US Letter and print on it.
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintToFile);
    dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

void setPrintDialogHandler(PrintDialogFn handler)
{
    printDialogHandler() = std::move(handler);
}

void showPrintSetup(QPrinter &printer, QWidget *parent)
{
    if (printSetupHandler()) {
        printSetupHandler()(printer, parent);
        return;
    }
    // The print dialog in the role of a setup dialog: it chooses the printer
    // and its properties, which the next print starts from, and prints nothing.
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    dialog.exec();
}

void setPrintSetupHandler(PrintSetupFn handler)
{
    printSetupHandler() = std::move(handler);
}

QString openFileName(QWidget *parent)
{
    if (openFileNameHandler())
        return openFileNameHandler()(parent);
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open Report"), QString(),
                                        fileFilter());
}

QString saveFileName(QWidget *parent)
{
    if (saveFileNameHandler())
        return saveFileNameHandler()(parent);
    // The dialog adds the suffix itself, so that it also asks before an
    // existing report of that full name is replaced.
    QFileDialog dialog(parent, QStringLiteral("Save Report"), QString(), fileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("vdr"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void setOpenFileNameHandler(FileNameFn handler)
{
    openFileNameHandler() = std::move(handler);
}

void setSaveFileNameHandler(FileNameFn handler)
{
    saveFileNameHandler() = std::move(handler);
}

} // namespace reportdialogs
