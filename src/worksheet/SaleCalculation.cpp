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
    fp.check(payment);
    return payment;
}

SaleCharges CalculateCharges(const SaleInputs &in)
{
    FloatingPointCheck fp;
    SaleCharges out;
    out.commission = (in.commissionPercent / 100) * in.salesPrice;
    const double loanPayoffs = in.firstLoanBalance + in.secondLoanBalance + in.otherLoans;
    out.propertyTaxesDue = in.closingMonth * (in.propertyTaxes / 12);
    out.transferTaxesDue = (in.transferTaxPercent / 100) * in.salesPrice;
    out.netProceeds = in.salesPrice - (in.prepaymentPenalty +
                                       (out.commission + in.otherCommission + in.otherFees) +
                                       (out.transferTaxesDue + out.propertyTaxesDue) + loanPayoffs);
    fp.check(out);
    return out;
}

double CarryingCosts(const SaleInputs &in, double pi)
{
    FloatingPointCheck fp;
    const double costs =
        in.insurance / 12 + pi + in.hoaDues / 12 + in.propertyTaxes / 12 + in.monthlyUtilities;
    fp.check(costs);
    return costs;
}

double TransactionCosts(const SaleInputs &in, const SaleCharges &charges)
{
    FloatingPointCheck fp;
    const double costs = charges.transferTaxesDue + in.prepaymentPenalty + charges.commission +
                         in.otherCommission + charges.propertyTaxesDue + in.otherFees;
    fp.check(costs);
    return costs;
}

SaleTotals CalculateTotals(const SaleInputs &in, double pi, const SaleCharges &charges)
{
    return {CarryingCosts(in, pi), TransactionCosts(in, charges)};
}

ProceedsRow CalculateGridRow(const SaleInputs &in, double netProceeds, double carryingCosts,
                             int j)
{
    FloatingPointCheck fp;
    ProceedsRow row;
    const double drop = j * in.spread;
    row[0] = in.salesPrice - drop;
    row[1] = netProceeds - drop;
    row[2] = (netProceeds - drop) - carryingCosts;
    for (int i = 3; i < gridColumns; ++i)
        row[i] = (netProceeds - drop) - (i - 1) * carryingCosts;
    fp.check(row);
    return row;
}

ProceedsGrid CalculateGrid(const SaleInputs &in, double netProceeds, double carryingCosts)
{
    ProceedsGrid grid;
    for (int j = 0; j < gridPriceRows; ++j)
        grid[j] = CalculateGridRow(in, netProceeds, carryingCosts, j);
    return grid;
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
