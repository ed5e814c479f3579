#pragma once

#include "MonthBox.h"
#include "NumericField.h"
#include "Worksheet.h"

#include <utility>

// Sets the inputs of the worked example into `sheet` from code (no
// recalculation): a 235,000 loan over 360 months at 6 %, sold for 258,000
// with 228,000 still owed, closing in July.
inline void setWorkedExample(Worksheet &sheet)
{
    const std::pair<const char *, double> values[] = {
        {"edtVDPOriginalLoanAmount", 235000},
        {"edtVDPOriginalTerm", 360},
        {"edtVDPOriginalInterestRate", 6},
        {"edtVDPDesiredSalesPrice", 258000},
        {"edtVDPFirstLoanBalance", 228000},
        {"edtVDPSecondLoanBalance", 0},
        {"edtVDPOtherLoans", 0},
        {"edtVDPPropertyTaxes", 1200},
        {"edtVDPInsurance", 1800},
        {"edtVDPAnnualHOADues", 1200},
        {"edtVDPMonthlyUtilities", 370},
        {"edtVDPTransferTaxPercent", 0},
        {"edtVDPPrepaymentPenalty", 0},
        {"edtVDPSalesCommissionPercent", 6},
        {"edtVDPOtherSalesCommission", 0},
        {"edtVDPOtherFees", 50},
        {"edtSpread", 4000},
    };
    for (auto [name, value] : values)
        sheet.field(QLatin1StringView(name))->setValue(value);
    sheet.closingMonthBox()->setEditText(QStringLiteral("July"));
}
