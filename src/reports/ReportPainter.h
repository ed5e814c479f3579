#pragma once

#include "PreparedPage.h"

class QPageLayout;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

// The one drawing path of the reports: preview, printer and PDF all draw
// prepared pages through here.
namespace report {

// US Letter portrait, margins 0, which the printer may not be able to reach.
QPageLayout letterLayout();

// Draws one page onto a painter whose coordinates are layout units (a
// painter on a paged device is scaled by its resolution / 96).
void paintPage(QPainter &painter, const PreparedPage &page);

// Sets `device` to a US Letter portrait sheet without margins and draws
// `pages` onto it, one sheet each. Raises std::runtime_error when the device
// cannot be painted on or fails on the way.
void paintPages(QPagedPaintDevice &device, const QList<PreparedPage> &pages);

// Prints the pages the printer's settings ask for: the page range (pages are
// counted from 1; `currentPage` for the current-page choice), the number of
// copies and their collation, which the program does itself where the
// printer cannot. Raises std::runtime_error when printing fails.
void printReport(QPrinter &printer, const QList<PreparedPage> &pages, int currentPage = 1);

// Writes the pages as a PDF file; raises std::runtime_error on failure.
void writePdf(const QString &fileName, const QList<PreparedPage> &pages);

// The pages, by index, that one pass of printReport() sends to the printer.
QList<int> printSequence(const QPrinter &printer, int pageCount, int currentPage);

} // namespace report
