// The whole-process timing: start Vendalo's main window (without showing
// it), recalculate the worksheet as the value file left it, and write the
// net gain report as a PDF file, all in one process, as a command-line
// conversion of a spreadsheet would.
//
//   netgain_pdf <output.pdf>
#include "Application.h"
#include "ReportLayout.h"
#include "ReportPainter.h"
#include "Reports.h"
#include "TfrmMain.h"
#include "Worksheet.h"

#include <cstdio>
#include <exception>

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Vendalo"));
    if (argc != 2) {
        std::fputs("usage: netgain_pdf <output.pdf>\n", stderr);
        return 2;
    }
    try {
        TfrmMain window;
        window.worksheet()->CalcVDP(nullptr);
        const ReportTemplate &document =
            window.reports()->fillNetGainAfterSale(*window.worksheet());
        report::writePdf(QString::fromLocal8Bit(argv[1]), report::prepareReport(document));
    } catch (const std::exception &e) {
        std::fputs(e.what(), stderr);
        std::fputc('\n', stderr);
        return 1;
    }
    return 0;
}
