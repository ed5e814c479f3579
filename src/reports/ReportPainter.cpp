#include "ReportPainter.h"

#include "ReportLayout.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <set>
#include <stdexcept>

namespace report {
namespace {

} // namespace

QPageLayout letterLayout()
{
    QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Point, QMarginsF(0, 0, 0, 0));
    // Margins of 0 lie outside what most printers can reach; the printer
    // then cuts off what it cannot print instead of refusing the sheet.
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

namespace {

// Frame edges as segments, so that boxes that touch draw their common edge once.
struct Segment
{
    QPointF from;
    QPointF to;
};

QList<Segment> frameSegments(const QList<PlacedText> &texts)
{
    QList<Segment> segments;
    // Keyed to 1/1000 unit, so that edges computed the same way meet.
    std::set<std::array<qint64, 4>> seen;
    auto add = [&](QPointF from, QPointF to) {
        const std::array<qint64, 4> key{qRound64(from.x() * 1000), qRound64(from.y() * 1000),
                                        qRound64(to.x() * 1000), qRound64(to.y() * 1000)};
        if (seen.insert(key).second)
            segments.append({from, to});
    };
    for (const PlacedText &text : texts) {
        if (!text.framed)
            continue;
        const QRectF r = text.rect;
        add(r.topLeft(), r.topRight());
        add(r.bottomLeft(), r.bottomRight());
        add(r.topLeft(), r.bottomLeft());
        add(r.topRight(), r.bottomRight());
    }
    return segments;
}

void drawLine(QPainter &painter, const PlacedText &text, const PlacedLine &line)
{
    QTextLayout layout(line.text, qtFont(text.font));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine l = layout.createLine();
    l.setPosition(QPointF(0, 0));
    layout.endLayout();
    layout.draw(&painter, QPointF(line.rect.left(), line.baseline - l.ascent()));
}

// Whether some line comes near the box's edge or beyond. Most boxes hold
// their text well inside, and a clip on a PDF or printer page costs a saved
// state and a clip path for each box; a unit of room is left for glyphs
// whose ink reaches past their line.
bool needsClip(const PlacedText &text)
{
    const QRectF inside = text.rect.adjusted(1, 1, -1, -1);
    return std::any_of(text.lines.cbegin(), text.lines.cend(),
                       [&](const PlacedLine &line) { return !inside.contains(line.rect); });
}

} // namespace

void paintPage(QPainter &painter, const PreparedPage &page)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBrush(Qt::NoBrush);

    for (const PlacedRule &rule : page.rules) {
        painter.setPen(QPen(Qt::black, rule.thickness, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(rule.start, rule.start + QPointF(rule.length, 0));
    }

    // All frames in one go: on a PDF or printer every separate call writes
    // the pen again.
    QList<QLineF> frames;
    for (const Segment &segment : frameSegments(page.texts))
        frames.append(QLineF(segment.from, segment.to));
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
    painter.drawLines(frames);

    painter.setPen(Qt::black);
    for (const PlacedText &text : page.texts) {
        if (text.lines.isEmpty())
            continue;
        if (!needsClip(text)) {
            for (const PlacedLine &line : text.lines)
                drawLine(painter, text, line);
            continue;
        }
        painter.save();
        painter.setClipRect(text.rect, Qt::IntersectClip);
        for (const PlacedLine &line : text.lines) {
            if (line.rect.intersects(text.rect))
                drawLine(painter, text, line);
        }
        painter.restore();
    }
    painter.restore();
}

namespace {

// Starts painting on a device set up for our sheets, the painter scaled so
// that one unit is 1/96 inch.
void beginPages(QPainter &painter, QPagedPaintDevice &device)
{
    // A printer that has no US Letter paper prints the sheet on what it has.
    device.setPageLayout(letterLayout());
    if (!painter.begin(&device))
        throw std::runtime_error("The printer could not be started.");
    const double scaleX = device.logicalDpiX() / 96.0;
    const double scaleY = device.logicalDpiY() / 96.0;
    painter.scale(scaleX, scaleY);
}

} // namespace

void paintPages(QPagedPaintDevice &device, const QList<PreparedPage> &pages)
{
    QPainter painter;
    beginPages(painter, device);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            throw std::runtime_error("The printer could not start a new sheet.");
        }
        paintPage(painter, pages.at(i));
    }
    if (!painter.end())
        throw std::runtime_error("The printer could not finish the document.");
}

QList<int> printSequence(const QPrinter &printer, int pageCount, int currentPage)
{
    QList<int> chosen;
    switch (printer.printRange()) {
    case QPrinter::PageRange:
        for (int p = 1; p <= pageCount; ++p) {
            if (printer.pageRanges().contains(p))
                chosen.append(p - 1);
        }
        break;
    case QPrinter::CurrentPage:
        if (currentPage >= 1 && currentPage <= pageCount)
            chosen.append(currentPage - 1);
        break;
    case QPrinter::AllPages:
    case QPrinter::Selection:
        for (int p = 0; p < pageCount; ++p)
            chosen.append(p);
        break;
    }
    // A printer that makes its copies itself gets each page once.
    const int copies = printer.supportsMultipleCopies() ? 1 : qMax(1, printer.copyCount());
    QList<int> sequence;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            sequence += chosen;
    } else {
        for (int page : std::as_const(chosen)) {
            for (int c = 0; c < copies; ++c)
                sequence.append(page);
        }
    }
    return sequence;
}

void printReport(QPrinter &printer, const QList<PreparedPage> &pages, int currentPage)
{
    const QList<int> sequence = printSequence(printer, int(pages.size()), currentPage);
    if (sequence.isEmpty())
        throw std::runtime_error("The chosen page range holds none of the report's pages.");

    printer.setFullPage(true);
    QPainter painter;
    beginPages(painter, printer);
    for (qsizetype i = 0; i < sequence.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            throw std::runtime_error("The printer could not start a new sheet.");
        }
        paintPage(painter, pages.at(sequence.at(i)));
        if (printer.printerState() == QPrinter::Error ||
            printer.printerState() == QPrinter::Aborted)
            break;
    }
    const bool finished = painter.end();
    if (!finished || printer.printerState() == QPrinter::Error)
        throw std::runtime_error(
            "The printer reported an error; the report was not printed completely.");
    if (printer.printerState() == QPrinter::Aborted)
        throw std::runtime_error("Printing was cancelled.");
}

void writePdf(const QString &fileName, const QList<PreparedPage> &pages)
{
    QPdfWriter writer(fileName);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("Vendalo"));
    paintPages(writer, pages);
}

} // namespace report
