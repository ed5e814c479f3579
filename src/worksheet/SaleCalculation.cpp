#include "SaleCalculation.h"

#include "FloatingPoint.h"

#include <cmath>

double MonthlyPayment(int months, double monthlyRate, double principal)
{
    if (months == 0)
        return 0;
    FloatingPointCheck fp;
    double payment;
    if (monthlyRate == 0) {
        payment = principal / months;
    } else {
        const double power = std::exp(-double(months) * std::log(1 + monthlyRate));
        payment = principal * monthlyRate / (1 - power);
    }
    fp.check();
    return payment;
}

SaleFigures CalculateSale(const SaleInputs &in, double pi)
{
    FloatingPointCheck fp;
    SaleFigures out;
    out.commission = (in.commissionPercent / 100) * in.salesPrice;
    const double loanPayoffs = in.firstLoanBalance + in.secondLoanBalance + in.otherLoans;
    out.propertyTaxesDue = in.closingMonth * (in.propertyTaxes / 12);
    out.transferTaxesDue = (in.transferTaxPercent / 100) * in.salesPrice;
    out.netProceeds = in.salesPrice - (in.prepaymentPenalty +
                                       (out.commission + in.otherCommission + in.otherFees) +
                                       (out.transferTaxesDue + out.propertyTaxesDue) + loanPayoffs);
    out.carryingCosts =
        in.insurance / 12 + pi + in.hoaDues / 12 + in.propertyTaxes / 12 + in.monthlyUtilities;
    out.transactionCosts = out.transferTaxesDue + in.prepaymentPenalty + out.commission +
                           in.otherCommission + out.propertyTaxesDue + in.otherFees;

    for (int j = 0; j < gridPriceRows; ++j) {
        const double drop = j * in.spread;
        auto &row = out.grid[j];
        row[0] = in.salesPrice - drop;
        row[1] = out.netProceeds - drop;
        row[2] = (out.netProceeds - drop) - out.carryingCosts;
        for (int i = 3; i < gridColumns; ++i)
            row[i] = (out.netProceeds - drop) - (i - 1) * out.carryingCosts;
    }
    fp.check();
    return out;
}

const std::array<const char *, 12> &ClosingMonthNames()
{
    static constexpr std::array<const char *, 12> names = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    return names;
}

int ClosingMonthNumber(const QString &text)
{
    const auto &names = ClosingMonthNames();
    for (int i = 0; i < int(names.size()); ++i) {
        if (text == QLatin1StringView(names[i]))
            return i + 1;
    }
    return 0;
}
