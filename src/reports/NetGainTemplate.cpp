#include "ReportTemplates.h"

#include "TemplateParts.h"

namespace report {
namespace {

constexpr ReportFont bodyFont{11, false, false};
constexpr double rowHeight = 15;

struct ListRow
{
    double top;
    const char *leftCaption;
    double leftCaptionLeft;
    double leftCaptionWidth;
    const char *leftSlot;
    const char *rightCaption;
    double rightCaptionLeft;
    double rightCaptionWidth;
    double rightTop; // the right half of a row may sit a unit lower
    const char *rightSlot;
};

// The worksheet list: captions right-aligned on their bottom edge, values
// right-aligned from their top edge.
// clang-format off
constexpr ListRow listRows[] = {
    {141, "Your Desired Sale Price", 47, 150, "lblSalesPrice",
          "Estimated Closing Month", 435, 150, 141, "lblEstimatedClosingMonth"},
    {169, "First Mortgage Balance", 47, 150, "lblFirstLoanBalance",
          "Prorated Property Taxes Due", 419, 166, 169, "lblProratedPropertyTaxesDue"},
    {197, "Second Mortgage Balance", 47, 150, "lblSecondLoanBalance",
          "Transfer Taxes", 435, 150, 197, "lblTransferTaxes"},
    {225, "Other Loans Against House", 39, 158, "lblOtherLoans",
          "Transfer Taxes Due", 431, 150, 225, "lblTransferTaxesDue"},
    {253, "Annual Property Taxes", 47, 150, "lblAnnualPropertyTaxes",
          "Mortgage Prepayment Penalty", 383, 198, 253, "lblPrepaymentPenalty"},
    {281, "Annual Insurance", 47, 150, "lblAnnualInsurance",
          "Sales Commission", 379, 150, 281, "lblSalesCommission"},
    {309, "Annual HOA Dues", 46, 150, "lblAnnualHOADues",
          "Other Sales Commission", 435, 150, 309, "lblOtherSalesCommission"},
    {337, "Average Monthly Utilities", 46, 150, "lblMonthlyUtilities",
          "Other Fees", 435, 150, 338, "lblOtherFees"},
    {374, "MONTHLY CARRYING COSTS:", 35, 161, "lblMonthlyCarryingCosts",
          "SALES COSTS:", 424, 161, 374, "lblSalesCosts"},
};
// clang-format on

QString tableCaption(int line)
{
    switch (line) {
    case 0:
        return QStringLiteral("Sales Price:");
    case 1:
        return QStringLiteral("Potential Profit:");
    case 2:
        return QStringLiteral("After 1 Month:");
    default:
        return QStringLiteral("%1 Months:").arg(line - 1);
    }
}

} // namespace

ReportTemplate makeNetGainAfterSale()
{
    Band title;
    title.kind = BandKind::Title;
    title.height = 772.2;
    addTitleBlock(title, 40, 21);
    title.rules.append({32, 85, 712, 1});
    title.boxes.append(makeBox(QStringLiteral("memHeading"), QRectF(241, 97, 310, 19),
                               QStringLiteral("Home Selling Carrying Costs"), {15, true, false},
                               HAlign::Center, VAlign::Bottom));

    const QString money = QStringLiteral("$0.00");
    int n = 0;
    for (const ListRow &row : listRows) {
        ++n;
        title.boxes.append(
            makeBox(QStringLiteral("memLeftCaption%1").arg(n),
                    QRectF(row.leftCaptionLeft, row.top, row.leftCaptionWidth, rowHeight),
                    QString::fromLatin1(row.leftCaption), bodyFont, HAlign::Right, VAlign::Bottom));
        const double valueLeft = row.top >= 309 ? 201 : 202;
        title.boxes.append(makeBox(QString::fromLatin1(row.leftSlot),
                                   QRectF(valueLeft, row.top, 135, rowHeight), money, bodyFont,
                                   HAlign::Right, VAlign::Top));
        title.boxes.append(makeBox(
            QStringLiteral("memRightCaption%1").arg(n),
            QRectF(row.rightCaptionLeft, row.rightTop, row.rightCaptionWidth, rowHeight),
            QString::fromLatin1(row.rightCaption), bodyFont, HAlign::Right, VAlign::Bottom));
        if (qstrcmp(row.rightSlot, "lblSalesCommission") == 0) {
            // The commission percent stands just before the commission amount.
            title.boxes.append(makeBox(QStringLiteral("lblSalesCommissionPercent"),
                                       QRectF(534, row.rightTop, 47, rowHeight),
                                       QStringLiteral("0%"), bodyFont, HAlign::Right, VAlign::Top));
        }
        title.boxes.append(makeBox(QString::fromLatin1(row.rightSlot),
                                   QRectF(593, row.rightTop, 135, rowHeight), money, bodyFont,
                                   HAlign::Right, VAlign::Top));
    }
    title.rules.append({249, 411, 295, 2});

    // The results grid on its side: one line per grid column, one column per sales price.
    constexpr double valueLefts[netGainTableColumns] = {230, 347, 464, 582};
    for (int k = 0; k < netGainTableLines; ++k) {
        title.boxes.append(makeBox(QStringLiteral("memLine%1").arg(k),
                                   QRectF(82, 434 + 21 * k, 101, rowHeight), tableCaption(k),
                                   bodyFont, HAlign::Right, VAlign::Bottom));
        for (int c = 1; c <= netGainTableColumns; ++c) {
            const QString name = QStringLiteral("lbl%1_%2").arg(k).arg(c);
            title.boxes.append(makeBox(name,
                                       QRectF(valueLefts[c - 1], 433 + 21 * k, 101, rowHeight),
                                       name, bodyFont, HAlign::Right, VAlign::Bottom));
        }
    }

    const FooterNote note{
        32, 28, 46,
        QStringLiteral(
            "NOTE:  Though effort was made to ensure the accuracy of these calculations, there is  "
            "NO WARRANTY,  express or implied, for the accuracy or applicability of this "
            "information to your particular financial question.  Please consult your own "
            "financial advisor before making any financial decision based upon these results.")};

    TemplatePage page;
    page.bands = {title, makePageFooter(32, 32, 4, QString(), &note)};
    return ReportTemplate(QStringLiteral("frxNetGainAfterSale"),
                          ReportTemplate::Command::Print | ReportTemplate::Command::OpenSave,
                          {page});
}

} // namespace report
