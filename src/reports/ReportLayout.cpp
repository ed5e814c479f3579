#include "ReportLayout.h"

#include <QTextLayout>

namespace report {
namespace {

// A box's text may bring its own line breaks; the layout takes them as
// forced breaks.
QString withLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

QString withoutTrailingSpace(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    text.truncate(end);
    return text;
}

double bandTop(const TemplatePage &page, const Band &band)
{
    switch (band.kind) {
    case BandKind::Title:
        return 0;
    case BandKind::PageHeader:
        for (const Band &other : page.bands) {
            if (other.kind == BandKind::Title)
                return other.height;
        }
        return 0;
    case BandKind::PageFooter:
        return paperHeight - band.height;
    }
    return 0;
}

} // namespace

QFont qtFont(const ReportFont &font)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    // Whole units only: no template uses fractional character heights.
    f.setPixelSize(qMax(1, qRound(font.height)));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(true);
    // Outline metrics, so that a line measures the same on screen, printer and PDF.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

PlacedText placeText(const TextBox &box, QPointF origin)
{
    PlacedText placed;
    placed.name = box.name;
    placed.rect = box.rect.translated(origin);
    placed.font = box.font;
    placed.hAlign = box.hAlign;
    placed.vAlign = box.vAlign;
    placed.framed = box.framed;
    if (box.text.isEmpty())
        return placed;

    const QRectF area = placed.rect.adjusted(textInsetX, textInsetY, -textInsetX, -textInsetY);
    const QString text = withLineSeparators(box.text);
    QTextLayout layout(text, qtFont(box.font));
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);

    struct Line
    {
        QString text;
        double width;
        double ascent;
        double descent;
    };
    QList<Line> lines;
    // Lines break at the width of the text area. In a box without a frame, a
    // line that overruns the area by less than one inset still lies inside
    // the box and clear of anything drawn, so it is kept whole rather than
    // broken into a second line that the box would cut off. In a framed box
    // it would touch the frame, so it breaks.
    const double breakWidth = qMax(area.width() + (box.framed ? 0.0 : textInsetX), 0.0);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(breakWidth);
        const QString part = withoutTrailingSpace(text.mid(line.textStart(), line.textLength()));
        lines.append(
            {part, part.isEmpty() ? 0.0 : line.naturalTextWidth(), line.ascent(), line.descent()});
    }
    layout.endLayout();

    double blockHeight = 0;
    for (const Line &line : std::as_const(lines))
        blockHeight += line.ascent + line.descent;
    blockHeight += lineGap * double(lines.size() - 1);

    // A block taller than the box starts at the top, so that what is cut
    // off is the end of the text, at the bottom edge.
    double y = area.top();
    if (blockHeight <= area.height()) {
        if (box.vAlign == VAlign::Center)
            y += (area.height() - blockHeight) / 2;
        else if (box.vAlign == VAlign::Bottom)
            y += area.height() - blockHeight;
    }

    for (const Line &line : std::as_const(lines)) {
        double x = area.left();
        if (box.hAlign == HAlign::Center)
            x += (area.width() - line.width) / 2;
        else if (box.hAlign == HAlign::Right)
            x += area.width() - line.width;
        const double height = line.ascent + line.descent;
        if (!line.text.isEmpty())
            placed.lines.append({line.text, QRectF(x, y, line.width, height), y + line.ascent});
        y += height + lineGap;
    }
    return placed;
}

PreparedPage preparePage(const TemplatePage &page)
{
    PreparedPage prepared;
    for (const Band &band : page.bands) {
        const QPointF origin(0, bandTop(page, band));
        for (const HorizontalRule &rule : band.rules) {
            prepared.rules.append(
                {QPointF(rule.left, rule.top) + origin, rule.length, rule.thickness});
        }
        for (const TextBox &box : band.boxes)
            prepared.texts.append(placeText(box, origin));
    }
    return prepared;
}

QList<PreparedPage> prepareReport(const ReportTemplate &report)
{
    QList<PreparedPage> pages;
    pages.reserve(report.pages().size());
    for (const TemplatePage &page : report.pages())
        pages.append(preparePage(page));
    return pages;
}

} // namespace report
