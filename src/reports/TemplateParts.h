#pragma once

#include "ReportTemplate.h"

// Building blocks shared by the three report templates.
namespace report {

TextBox makeBox(const QString &name, const QRectF &rect, const QString &text, ReportFont font = {},
                HAlign hAlign = HAlign::Left, VAlign vAlign = VAlign::Top, bool framed = false);

// The title block of a first page: lblReportTitle, lblHeader1 and
// lblHeader2, from the block's top-left corner.
void addTitleBlock(Band &band, double left, double top);

// A page footer, 74 units high: a rule of thickness 1.5, then the
// application-title and notice slots (lblApplicationTitle and lblURL followed
// by `slotSuffix`), and below them a note box when `note` is given.
struct FooterNote
{
    double left;
    double top;
    double height;
    QString text;
};
Band makePageFooter(double ruleLeft, double slotLeft, double slotTop, const QString &slotSuffix,
                    const FooterNote *note = nullptr);

inline constexpr double footerHeight = 74;

} // namespace report
