#include "ValueSets.h"

namespace {

constexpr const char *order[] = {
    "edtVDPOriginalLoanAmount",
    "edtVDPOriginalTerm",
    "edtVDPOriginalInterestRate",
    "edtVDPOriginalPI",
    "edtVDPDesiredSalesPrice",
    "edtVDPFirstLoanBalance",
    "edtVDPSecondLoanBalance",
    "edtVDPOtherLoans",
    "edtVDPPropertyTaxes",
    "edtVDPInsurance",
    "edtVDPAnnualHOADues",
    "edtVDPMonthlyUtilities",
    "lblMonthlyCarryingCosts",
    closingMonthTarget,
    "edtVDPPropertyTaxesPaid",
    "edtVDPTransferTaxPercent",
    "edtVDPTransferTaxesPaid",
    "edtVDPPrepaymentPenalty",
    "edtVDPSalesCommissionPercent",
    "edtVDPSalesCommission",
    "edtVDPOtherSalesCommission",
    "edtVDPOtherFees",
    "lblClosingCosts",
    "edtEnteredPrepaymentPenalty",
    "edtSpread",
};

constexpr char term[] = "edtVDPOriginalTerm";

bool isLabel(QLatin1StringView target)
{
    return target.startsWith(QLatin1StringView("lbl"));
}

} // namespace

std::span<const char *const> valueSetOrder()
{
    return order;
}

StoredValues sampleValues()
{
    return {
        {QStringLiteral("edtVDPOriginalLoanAmount"), 235000.0},
        {QStringLiteral("edtVDPOriginalTerm"), 360},
        {QStringLiteral("edtVDPOriginalInterestRate"), 6.0},
        {QStringLiteral("edtVDPOriginalPI"), 1408.94},
        {QStringLiteral("edtVDPDesiredSalesPrice"), 258000.0},
        {QStringLiteral("edtVDPFirstLoanBalance"), 228000.0},
        {QStringLiteral("edtVDPSecondLoanBalance"), 0.0},
        {QStringLiteral("edtVDPOtherLoans"), 0.0},
        {QStringLiteral("edtVDPPropertyTaxes"), 1200.0},
        {QStringLiteral("edtVDPInsurance"), 1800.0},
        {QStringLiteral("edtVDPAnnualHOADues"), 1200.0},
        {QStringLiteral("edtVDPMonthlyUtilities"), 370.0},
        {QStringLiteral("lblMonthlyCarryingCosts"), QStringLiteral("$2,128.94")},
        {QStringLiteral("edtVDPPropertyTaxesPaid"), 700.0},
        {QStringLiteral("edtVDPTransferTaxPercent"), 0.0},
        {QStringLiteral("edtVDPTransferTaxesPaid"), 0.0},
        {QStringLiteral("edtVDPPrepaymentPenalty"), 0.0},
        {QStringLiteral("edtVDPSalesCommissionPercent"), 6.0},
        {QStringLiteral("edtVDPSalesCommission"), 15480.0},
        {QStringLiteral("edtVDPOtherSalesCommission"), 0.0},
        {QStringLiteral("edtVDPOtherFees"), 50.0},
        {QStringLiteral("lblClosingCosts"), QStringLiteral("$18,810.00")},
        {QStringLiteral("edtEnteredPrepaymentPenalty"), 0.0},
        {QStringLiteral("edtSpread"), 4000.0},
    };
}

StoredValues zeroValues()
{
    StoredValues zeros;
    for (const char *name : order) {
        const QLatin1StringView target(name);
        if (target == QLatin1StringView(closingMonthTarget))
            continue;
        if (isLabel(target))
            zeros.insert(target, QStringLiteral("$0.00"));
        else if (target == QLatin1StringView(term))
            zeros.insert(target, 0);
        else
            zeros.insert(target, 0.0);
    }
    return zeros;
}
