#include "TemplateParts.h"

namespace report {

TextBox makeBox(const QString &name, const QRectF &rect, const QString &text, ReportFont font,
                HAlign hAlign, VAlign vAlign, bool framed)
{
    TextBox box;
    box.name = name;
    box.rect = rect;
    box.text = text;
    box.font = font;
    box.hAlign = hAlign;
    box.vAlign = vAlign;
    box.framed = framed;
    return box;
}

void addTitleBlock(Band &band, double left, double top)
{
    // The slots show their own names until a print command fills them.
    band.boxes.append(makeBox(QStringLiteral("lblReportTitle"), QRectF(left, top, 696, 30),
                              QStringLiteral("lblReportTitle"), {21, true, false}));
    band.boxes.append(makeBox(QStringLiteral("lblHeader1"), QRectF(left, top + 24, 696, 18),
                              QStringLiteral("lblHeader1"), {15, true, true}));
    band.boxes.append(makeBox(QStringLiteral("lblHeader2"), QRectF(left, top + 43, 696, 18),
                              QStringLiteral("lblHeader2"), {13, true, false}, HAlign::Right));
}

Band makePageFooter(double ruleLeft, double slotLeft, double slotTop, const QString &slotSuffix,
                    const FooterNote *note)
{
    Band band;
    band.kind = BandKind::PageFooter;
    band.height = footerHeight;
    band.rules.append({ruleLeft, 0, 712, 1.5});
    const ReportFont small{11, false, false};
    const QString title = QStringLiteral("lblApplicationTitle") + slotSuffix;
    const QString notice = QStringLiteral("lblURL") + slotSuffix;
    band.boxes.append(makeBox(title, QRectF(slotLeft, slotTop, 352, 18), title, small));
    band.boxes.append(
        makeBox(notice, QRectF(slotLeft + 400, slotTop, 312, 18), notice, small, HAlign::Right));
    if (note) {
        band.boxes.append(makeBox(QStringLiteral("memFooterNote") + slotSuffix,
                                  QRectF(note->left, note->top, 712, note->height), note->text,
                                  small));
    }
    return band;
}

} // namespace report
