#include "Reports.h"

#include "MoneyText.h"
#include "MonthBox.h"
#include "NumericField.h"
#include "Platform.h"
#include "WebAddresses.h"
#include "ReportDialogs.h"
#include "ReportLayout.h"
#include "ReportTemplates.h"
#include "ResultsGrid.h"
#include "Worksheet.h"

#include <QLabel>
#include <QPrinter>

namespace {

QString productTitle()
{
    return QStringLiteral("Vendalo, 2.2.10");
}

// The worksheet's money and percent slots, in the order they are set.
enum class Form { Money, Percent };
struct FieldSlot
{
    const char *slot;
    const char *field;
    Form form;
};

constexpr FieldSlot moneySlotsBeforeMonth[] = {
    {"lblSalesPrice", "edtVDPDesiredSalesPrice", Form::Money},
    {"lblFirstLoanBalance", "edtVDPFirstLoanBalance", Form::Money},
    {"lblSecondLoanBalance", "edtVDPSecondLoanBalance", Form::Money},
    {"lblOtherLoans", "edtVDPOtherLoans", Form::Money},
    {"lblAnnualPropertyTaxes", "edtVDPPropertyTaxes", Form::Money},
    {"lblAnnualInsurance", "edtVDPInsurance", Form::Money},
    {"lblAnnualHOADues", "edtVDPAnnualHOADues", Form::Money},
    {"lblMonthlyUtilities", "edtVDPMonthlyUtilities", Form::Money},
};

constexpr FieldSlot moneySlotsAfterMonth[] = {
    {"lblProratedPropertyTaxesDue", "edtVDPPropertyTaxesPaid", Form::Money},
    {"lblTransferTaxes", "edtVDPTransferTaxPercent", Form::Percent},
    {"lblTransferTaxesDue", "edtVDPTransferTaxesPaid", Form::Money},
    {"lblPrepaymentPenalty", "edtVDPPrepaymentPenalty", Form::Money},
    {"lblSalesCommissionPercent", "edtVDPSalesCommissionPercent", Form::Percent},
    {"lblSalesCommission", "edtVDPSalesCommission", Form::Money},
    {"lblOtherSalesCommission", "edtVDPOtherSalesCommission", Form::Money},
    {"lblOtherFees", "edtVDPOtherFees", Form::Money},
};

} // namespace

struct Reports::Templates
{
    ReportTemplate netGainAfterSale = report::makeNetGainAfterSale();
    ReportTemplate homeInspectionForm = report::makeHomeInspectionForm();
    ReportTemplate toDoList = report::makeToDoList();
};

Reports::Reports(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("reports"));
}

Reports::~Reports() = default;

Reports::Templates &Reports::templates()
{
    if (!m_templates)
        m_templates = std::make_unique<Templates>();
    return *m_templates;
}

ReportTemplate &Reports::frxNetGainAfterSale()
{
    return templates().netGainAfterSale;
}

ReportTemplate &Reports::frxHomeInspectionForm()
{
    return templates().homeInspectionForm;
}

ReportTemplate &Reports::frxToDoList()
{
    return templates().toDoList;
}

QPrinter &Reports::printer()
{
    // Asking the system for its printers takes a moment; only printing pays for it.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool Reports::setSlot(ReportTemplate &document, QStringView name, const QString &text)
{
    report::TextBox *box = document.FindObject(name);
    if (!box)
        return false;
    box->text = text;
    return true;
}

void Reports::reportError(QObject *sender, std::exception_ptr error)
{
    if (m_errorSink) {
        m_errorSink(sender, error);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        platform::showInformation(m_window, QString::fromUtf8(e.what()));
    } catch (...) {
        platform::showInformation(m_window, QStringLiteral("The report could not be shown."));
    }
}

template <typename F> void Reports::guarded(F &&command)
{
    // The commands run from menu and toolbar handlers; nothing may unwind
    // through the toolkit's event loop.
    try {
        command();
    } catch (...) {
        reportError(this, std::current_exception());
    }
}

void Reports::ShowReport(ReportTemplate &document)
{
    QList<report::PreparedPage> pages = report::prepareReport(document);
    ReportPreview preview(
        document.commands(), std::move(pages), &printer(),
        [this](QObject *sender, std::exception_ptr error) { reportError(sender, error); },
        m_window);
    reportdialogs::runPreview(preview);
}

void Reports::PrintNetGainAfterSale(const Worksheet &worksheet)
{
    guarded([&] { ShowReport(fillNetGainAfterSale(worksheet)); });
}

ReportTemplate &Reports::fillNetGainAfterSale(const Worksheet &worksheet)
{
    ReportTemplate &document = frxNetGainAfterSale();
    setSlot(document, u"lblReportTitle", QStringLiteral("Vendalo"));
    setSlot(document, u"lblHeader1", QString());
    setSlot(document, u"lblHeader2", QString());
    setSlot(document, u"lblURL", web::productSiteName());
    setSlot(document, u"lblApplicationTitle", productTitle());

    const auto setField = [&](const FieldSlot &s) {
        // A field that cannot be read counts as 0, as in the calculation.
        const NumericField *field = worksheet.field(QLatin1StringView(s.field));
        const double value = field ? field->value() : 0.0;
        setSlot(document, QString::fromLatin1(s.slot),
                s.form == Form::Money ? MoneyToText(value) : PercentToText(value));
    };
    for (const FieldSlot &s : moneySlotsBeforeMonth)
        setField(s);
    setSlot(document, u"lblEstimatedClosingMonth", worksheet.closingMonthBox()->currentText());
    for (const FieldSlot &s : moneySlotsAfterMonth)
        setField(s);
    setSlot(document, u"lblMonthlyCarryingCosts", worksheet.carryingCostsLabel()->text());
    setSlot(document, u"lblSalesCosts", worksheet.closingCostsLabel()->text());

    // The grid on its side: grid column k is report line k, grid row c
    // (the c-th sales price) is report column c.
    const ResultsGrid *grid = worksheet.grid();
    for (int c = 1; c <= report::netGainTableColumns; ++c) {
        for (int k = 0; k < report::netGainTableLines; ++k)
            setSlot(document, QStringLiteral("lbl%1_%2").arg(k).arg(c), grid->cellText(c, k));
    }
    return document;
}

ReportTemplate &Reports::fillChecklist(ReportTemplate &document, const QString &title)
{
    setSlot(document, u"lblReportTitle", title);
    setSlot(document, u"lblHeader1", QString());
    setSlot(document, u"lblHeader2", QString());
    for (int n = 1; n <= 4; ++n) {
        const QString suffix = n == 1 ? QString() : QString::number(n);
        setSlot(document, QStringLiteral("lblURL") + suffix, web::ownershipNotice());
        setSlot(document, QStringLiteral("lblApplicationTitle") + suffix, productTitle());
    }
    return document;
}

ReportTemplate &Reports::fillHomeInspectionForm()
{
    return fillChecklist(frxHomeInspectionForm(), QStringLiteral("Home Inspection Form"));
}

ReportTemplate &Reports::fillToDoList()
{
    return fillChecklist(frxToDoList(), QStringLiteral("To Do List for Movers"));
}

void Reports::PrintHomeInspectionForm()
{
    guarded([this] { ShowReport(fillHomeInspectionForm()); });
}

void Reports::PrintToDoList()
{
    guarded([this] { ShowReport(fillToDoList()); });
}

void Reports::MnuFilePrintSetupClick(QWidget *parent)
{
    guarded(
        [this, parent] { reportdialogs::showPrintSetup(printer(), parent ? parent : m_window); });
}
