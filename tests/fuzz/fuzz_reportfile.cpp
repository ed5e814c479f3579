// libFuzzer target: the report file (.vdr) that the net gain preview opens.
//
// Any bytes are either refused with ReportFileError or give pages; pages that
// were read are drawn as the preview draws them, written again, and that file
// reads back as the same pages and writes the same bytes once more.

#include "ReportFile.h"
#include "ReportPainter.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_reportfile: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Drawing text needs fonts, and fonts need the application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_reportfile";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<report::PreparedPage> pages;
    try {
        pages = report::reportFromJson(bytes);
    } catch (const report::ReportFileError &) {
        return 0;
    }
    require(!pages.isEmpty(), "a report without pages was accepted");

    // A quarter of the size keeps it quick; the drawing path is the same.
    QImage sheet(204, 264, QImage::Format_RGB32);
    for (const report::PreparedPage &page : std::as_const(pages)) {
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        painter.scale(0.25, 0.25);
        report::paintPage(painter, page);
    }

    const QByteArray written = report::reportToJson(pages);
    require(written.size() <= report::maxReportFileSize, "a report read cannot be written back");
    QList<report::PreparedPage> again;
    try {
        again = report::reportFromJson(written);
    } catch (const report::ReportFileError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        require(false, "a report written from read pages is refused");
    }
    require(again == pages, "a report written and read back has other pages");
    require(report::reportToJson(again) == written, "writing the same pages twice differs");
    return 0;
}
