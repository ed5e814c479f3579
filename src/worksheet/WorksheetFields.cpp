#include "WorksheetFields.h"

namespace {

using Kind = NumericField::Kind;
using Role = NumericField::Role;

constexpr int fieldHeight = 21;

// Lines of the two columns below the loan line.
constexpr int columnTop = 44;
constexpr int linePitch = 29;
constexpr int line(int n) { return columnTop + n * linePitch; }

constexpr int leftFieldX = 225;
constexpr int leftLabelRight = 220;
constexpr int rightFieldX = 639;
constexpr int rightLabelRight = 634;
constexpr int wide = 121;

constexpr QRect at(int x, int y, int width) { return QRect(x, y, width, fieldHeight); }

constexpr WorksheetField fields[] = {
    {"edtVDPOriginalLoanAmount", "Your Loan Amount $", Kind::Money, Role::Input,
     "Enter the amount you borrowed to purchase your home.", at(134, 8, 111), 130},
    {"edtVDPOriginalTerm", "Term", Kind::Months, Role::Input,
     "Enter the term of your loan in months.", at(291, 8, 56), 287},
    {"edtVDPOriginalInterestRate", "Interest Rate %", Kind::Percent, Role::Input,
     "Enter the interest rate on your current loan", at(453, 8, 64), 449},
    {"edtVDPOriginalPI", "Monthly Payment (P&I) $", Kind::Money, Role::Computed, nullptr,
     at(680, 8, 80), 676},

    {"edtVDPDesiredSalesPrice", "Your Desired Sales Price $", Kind::Money, Role::Input,
     "Enter the desired sales price of your home.", at(leftFieldX, line(0), wide), leftLabelRight},
    {"edtVDPFirstLoanBalance", "First Mortgage Balance $", Kind::Money, Role::Input,
     "Enter the balance remaining on your first mortgage", at(leftFieldX, line(1), wide),
     leftLabelRight},
    {"edtVDPSecondLoanBalance", "Second Mortgage Balance $", Kind::Money, Role::Input,
     "Enter the balance remaining on a second mortgage if one exists for this property.",
     at(leftFieldX, line(2), wide), leftLabelRight},
    {"edtVDPOtherLoans", "Other Loans Against House $", Kind::Money, Role::Input,
     "Enter the remaining balance of any other loans you have against the value of this "
     "property.",
     at(leftFieldX, line(3), wide), leftLabelRight},
    {"edtVDPPropertyTaxes", "Annual Property Taxes $", Kind::Money, Role::Input,
     "Enter the amount of your annual property taxes", at(leftFieldX, line(4), wide),
     leftLabelRight},
    {"edtVDPInsurance", "Annual Insurance $", Kind::Money, Role::Input,
     "Enter the amount of your annual home owner's insurance", at(leftFieldX, line(5), wide),
     leftLabelRight},
    {"edtVDPAnnualHOADues", "Annual HOA Dues $", Kind::Money, Role::Input,
     "Enter the amount of your annual homeowners association dues", at(leftFieldX, line(6), wide),
     leftLabelRight},
    {"edtVDPMonthlyUtilities", "Average Monthly Utilities $", Kind::Money, Role::Input,
     "Enter the amount of your average total monthly utilities", at(leftFieldX, line(7), wide),
     leftLabelRight},

    {closingMonthBoxName, "Estimated Closing Month", Kind::Money, Role::Input,
     "Enter your estimated closing month", at(rightFieldX, line(0), wide), rightLabelRight},
    {"edtVDPPropertyTaxesPaid", "Prorated Property Taxes Due $", Kind::Money, Role::Computed,
     nullptr, at(rightFieldX, line(1), wide), rightLabelRight},
    {"edtVDPTransferTaxPercent", "Transfer Taxes (% of Sales Price)", Kind::Percent, Role::Input,
     "Enter the amount of any transfer taxes or fees required for the sale of your home.",
     at(rightFieldX, line(2), wide), rightLabelRight},
    {"edtVDPTransferTaxesPaid", "Transfer Taxes Due $", Kind::Money, Role::Computed, nullptr,
     at(rightFieldX, line(3), wide), rightLabelRight},
    {"edtVDPPrepaymentPenalty", "Mortgage Prepayment Penalty $", Kind::Money, Role::Input,
     "Enter the amount of your mortgage prepayment penalty if one exists.",
     at(rightFieldX, line(4), wide), rightLabelRight},
    {"edtVDPSalesCommissionPercent", "Sales Commission %", Kind::Percent, Role::Input,
     "Enter the sales commission as a percentage", at(rightFieldX - 68, line(5), 64),
     rightFieldX - 72},
    {"edtVDPSalesCommission", nullptr, Kind::Money, Role::Computed,
     "Enter the amount of sales commission you will pay when you sell your home.  6% is a "
     "typical amount for a real estate agent's fee.",
     at(rightFieldX, line(5), wide), 0, "Sales Commission $"},
    {"edtVDPOtherSalesCommission", "Other Sales Commission $", Kind::Money, Role::Input,
     "Enter any additional sales commission you may be required to pay.",
     at(rightFieldX, line(6), wide), rightLabelRight},
    {"edtVDPOtherFees", "Other Fees $", Kind::Money, Role::Input,
     "Enter the amount of other fees required to sell your property.",
     at(rightFieldX, line(7), wide), rightLabelRight},
};

} // namespace

std::span<const WorksheetField> worksheetFields()
{
    return fields;
}

QString accessibleNameOf(const WorksheetField &entry)
{
    return QString::fromLatin1(entry.spokenName ? entry.spokenName : entry.caption);
}
