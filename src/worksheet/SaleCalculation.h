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

// What the sale itself costs, at the desired price.
struct SaleCharges
{
    double commission = 0;
    double propertyTaxesDue = 0;
    double transferTaxesDue = 0;
    double netProceeds = 0;
};

struct SaleTotals
{
    double carryingCosts = 0; // per month
    double transactionCosts = 0;
};

inline constexpr int gridPriceRows = 4;
inline constexpr int gridColumns = 14;

// Row j: the sales price lowered by j intervals; column 0 the price, column 1
// the proceeds on selling at once, column i the proceeds after i - 1 months of
// carrying costs.
using ProceedsRow = std::array<double, gridColumns>;
using ProceedsGrid = std::array<ProceedsRow, gridPriceRows>;

// The level payment that repays `principal` in `months` payments at
// `monthlyRate` (a fraction: 6 % a year is 0.005). A term of 0 pays nothing,
// a rate of exactly 0 pays principal / months.
//
// This and the stages below raise FloatingPointError when their arithmetic
// overflows, divides by zero or is invalid. The worksheet writes the result of
// each stage before it calls the next, so a fault leaves the earlier results
// shown: the payment, the charges, the carrying costs, the transaction costs,
// then the grid row by row.
double MonthlyPayment(int months, double monthlyRate, double principal);
SaleCharges CalculateCharges(const SaleInputs &in);
double CarryingCosts(const SaleInputs &in, double monthlyPayment);
double TransactionCosts(const SaleInputs &in, const SaleCharges &charges);
// Row j (0 to 3) of the grid: the desired price lowered by j intervals.
ProceedsRow CalculateGridRow(const SaleInputs &in, double netProceeds, double carryingCosts, int j);

// The stages above in one go, for callers that need no partial results.
SaleTotals CalculateTotals(const SaleInputs &in, double monthlyPayment, const SaleCharges &charges);
ProceedsGrid CalculateGrid(const SaleInputs &in, double netProceeds, double carryingCosts);

// 1 for "January" to 12 for "December"; 0 for any other text. Exact and
// case-sensitive: the closing-month box holds these English names only.
int ClosingMonthNumber(const QString &text);
const std::array<const char *, 12> &ClosingMonthNames();
