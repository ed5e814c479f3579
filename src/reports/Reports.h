#pragma once

#include "ReportPreview.h"

#include <QObject>

#include <memory>

class QPrinter;
class ReportTemplate;
class Worksheet;

// The program's printed reports and their print commands. The main window
// owns one; the three templates and the printer are made at the first
// command that needs them, not at start-up.
//
// Each command fills the slots of its template and shows the modal preview,
// returning when the preview is closed. A command never lets an error
// escape: whatever fails, while preparing or in the preview, goes to the
// error sink, and the command or preview action ends there.
class Reports : public QObject
{
    Q_OBJECT

public:
    using ErrorSink = ReportPreview::ErrorSink;

    // Dialogs open over `window`, which also owns this object.
    explicit Reports(QWidget *window);
    ~Reports() override;

    // Where errors go, with the object that raised them: this object for a
    // command, the preview window for a preview action (a fitting parent for
    // a message). Without a sink they are shown as an information box.
    void setErrorSink(ErrorSink sink) { m_errorSink = std::move(sink); }

    // Copies the worksheet into the net gain report and shows it. Money and
    // percent slots come from the fields' values, the closing month, the two
    // totals and the net proceeds table from the texts the window shows.
    void PrintNetGainAfterSale(const Worksheet &worksheet);
    void PrintHomeInspectionForm();
    void PrintToDoList();

    // What the print commands do before they show: set every slot of the
    // document and return it, ready to be laid out. Errors are raised, not
    // reported. For writing a report without the preview.
    ReportTemplate &fillNetGainAfterSale(const Worksheet &worksheet);
    ReportTemplate &fillHomeInspectionForm();
    ReportTemplate &fillToDoList();
    // The printer setup dialog, on the printer the previews print with.
    void MnuFilePrintSetupClick(QWidget *parent);

    ReportTemplate &frxNetGainAfterSale();
    ReportTemplate &frxHomeInspectionForm();
    ReportTemplate &frxToDoList();
    bool templatesMade() const { return bool(m_templates); }

    QPrinter &printer();

    // Lays the report out afresh with the texts its slots hold now and shows
    // the prepared pages in the modal preview. Pages of earlier runs are
    // never reused.
    void ShowReport(ReportTemplate &document);

    // Sets the text of the slot `name` (letter case ignored); a slot the
    // report lacks is skipped. False when skipped.
    static bool setSlot(ReportTemplate &document, QStringView name, const QString &text);

private:
    struct Templates;
    Templates &templates();
    static ReportTemplate &fillChecklist(ReportTemplate &document, const QString &title);
    void reportError(QObject *sender, std::exception_ptr error);
    template <typename F> void guarded(F &&command);

    QWidget *m_window;
    ErrorSink m_errorSink;
    std::unique_ptr<Templates> m_templates;
    std::unique_ptr<QPrinter> m_printer;
};
