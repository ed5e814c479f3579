#pragma once

#include <QString>

#include <array>

// The figures of one recalculation, read from the worksheet's input fields.
struct SaleInputs
{
    double loanAmount = 0;
    int term = 0; // months
    double interestRate = 0; // annual, in percent
    double salesPrice = 0;
    double firstLoanBalance = 0;
    double secondLoanBalance = 0;
    double otherLoans = 0;
    double propertyTaxes = 0; // per year
    double insurance = 0; // per year
    double hoaDues = 0; // per year
    double monthlyUtilities = 0;
    int closingMonth = 0; // 1 to 12, 0 for a text that is no month name
    double transferTaxPercent = 0;
    double prepaymentPenalty = 0;
    double commissionPercent = 0;
    double otherCommission = 0;
    double otherFees = 0;
    double spread = 0; // step between the grid's sales prices
};

inline constexpr int gridPriceRows = 4;
inline constexpr int gridColumns = 14;

struct SaleFigures
{
    double commission = 0;
    double propertyTaxesDue = 0;
    double transferTaxesDue = 0;
    double carryingCosts = 0; // per month
    double transactionCosts = 0;
    double netProceeds = 0;
    // Row j: the sales price lowered by j intervals; column 0 the price,
    // column 1 the proceeds on selling at once, column i the proceeds after
    // i - 1 months of carrying costs.
    std::array<std::array<double, gridColumns>, gridPriceRows> grid{};
};

// The level payment that repays `principal` in `months` payments at
// `monthlyRate` (a fraction: 6 % a year is 0.005). A term of 0 pays nothing,
// a rate of exactly 0 pays principal / months. Raises FloatingPointError when
// the arithmetic overflows or is invalid.
double MonthlyPayment(int months, double monthlyRate, double principal);

// Everything the worksheet shows besides the monthly payment. Raises
// FloatingPointError like MonthlyPayment.
SaleFigures CalculateSale(const SaleInputs &in, double monthlyPayment);

// 1 for "January" to 12 for "December"; 0 for any other text. Exact and
// case-sensitive: the closing-month box holds these English names only.
int ClosingMonthNumber(const QString &text);
const std::array<const char *, 12> &ClosingMonthNames();
