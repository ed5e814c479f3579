// In-process timings, each against a floor measured in the same run, the
// two taking turns round by round so that whatever else the machine is doing
// falls on both alike:
// - the recalculation on the worked example, against formatting the texts it
//   writes with the money forms alone;
// - each of the three reports, filled, laid out and written as PDF, against a
//   plain QPainter drawing the same text boxes and rules onto the same kind
//   of PDF writer.
//
//   QT_QPA_PLATFORM=offscreen bench_figures [rounds]
#include "MoneyText.h"
#include "MonthBox.h"
#include "NumericField.h"
#include "ReportLayout.h"
#include "ReportPainter.h"
#include "ReportTemplate.h"
#include "Reports.h"
#include "ResultsGrid.h"
#include "SaleCalculation.h"
#include "Worksheet.h"
#include "WorkedExample.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Medians
{
    double candidate; // wall-clock time per call, microseconds
    double floor;
    double cpuRatio; // of the thread's CPU time per call
};

// One figure: the ratio of the medians, its target, the medians themselves
// and the ratio of the CPU times, which the other work on the machine
// disturbs less than the clock.
void ratioLine(const QString &label, const Medians &m, double scale, double target,
               const QString &unit, int decimals, int runs)
{
    const double ratio = m.candidate / m.floor;
    out() << label.leftJustified(40) << QString::number(ratio, 'f', 2) << "x floor  (target "
          << QString::number(target, 'f', 1) << "x)  "
          << QString::number(m.candidate * scale, 'f', decimals) << ' ' << unit << " vs "
          << QString::number(m.floor * scale, 'f', decimals) << ' ' << unit << ", cpu "
          << QString::number(m.cpuRatio, 'f', 2) << "x, median of " << runs << " each"
          << (ratio > target ? "  MISS" : "") << Qt::endl;
}

double threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// Times `candidate` and `floor` in turns: `rounds` rounds of `perRound`
// calls each, after one untimed call of each.
Medians alternate(int rounds, int perRound, const std::function<void()> &candidate,
                  const std::function<void()> &floor, const std::function<void()> &between = {})
{
    std::vector<double> times[2];
    std::vector<double> cpu[2];
    candidate();
    floor();
    QElapsedTimer timer;
    for (int r = 0; r < rounds; ++r) {
        for (int k = 0; k < 2; ++k) {
            const int which = (r + k) % 2;
            for (int i = 0; i < perRound; ++i) {
                const double cpuStart = threadCpuNs();
                timer.start();
                (which == 0 ? candidate : floor)();
                times[which].push_back(double(timer.nsecsElapsed()) / 1000);
                cpu[which].push_back((threadCpuNs() - cpuStart) / 1000);
                if (between)
                    between();
            }
        }
    }
    return {median(times[0]), median(times[1]), median(cpu[0]) / median(cpu[1])};
}


void recalculation(Worksheet &sheet, int rounds)
{
    // The values the recalculation turns into text: four computed fields and
    // two totals in the money form with cents, 56 grid cells without.
    SaleInputs in;
    in.loanAmount = 235000;
    in.term = 360;
    in.interestRate = 6;
    in.salesPrice = 258000;
    in.firstLoanBalance = 228000;
    in.propertyTaxes = 1200;
    in.insurance = 1800;
    in.hoaDues = 1200;
    in.monthlyUtilities = 370;
    in.closingMonth = 7;
    in.commissionPercent = 6;
    in.otherFees = 50;
    in.spread = 4000;
    const double pi = MonthlyPayment(in.term, in.interestRate / 1200, in.loanAmount);
    const SaleCharges charges = CalculateCharges(in);
    const SaleTotals totals = CalculateTotals(in, pi, charges);
    const ProceedsGrid grid = CalculateGrid(in, charges.netProceeds, totals.carryingCosts);
    const std::vector<double> withCents{pi,
                                        charges.commission,
                                        charges.propertyTaxesDue,
                                        charges.transferTaxesDue,
                                        totals.carryingCosts,
                                        totals.transactionCosts};
    std::vector<double> whole;
    for (const ProceedsRow &row : grid)
        whole.insert(whole.end(), row.begin(), row.end());

    QStringList texts;
    texts.reserve(qsizetype(withCents.size() + whole.size()));
    const auto floor = [&] {
        texts.clear();
        for (double v : withCents)
            texts.append(MoneyToText(v));
        for (double v : whole)
            texts.append(WholeMoneyToText(v));
    };

    QObject *sender = sheet.field(u"edtVDPDesiredSalesPrice");
    const auto candidate = [&] {
        sheet.CalcVDP(sender);
    };
    // The worksheet is on screen; its repaint after each recalculation is
    // not part of the recalculation and happens outside the timing.
    const auto repaint = [&] {
        QCoreApplication::sendPostedEvents(sheet.window(), QEvent::UpdateRequest);
    };
    ratioLine(QStringLiteral("recalculation (CalcVDP)"),
              alternate(rounds, 50, candidate, floor, repaint), 1, 3.0, QStringLiteral("us"), 1,
              rounds * 50);
    if (sheet.grid()->cellText(1, 1) != texts.at(6 + 1))
        out() << "recalculation: grid and floor texts differ: " << sheet.grid()->cellText(1, 1)
              << " / " << texts.at(6 + 1) << Qt::endl;
}

// A plain QPainter program's way of drawing the same boxes and rules.
struct PlainBox
{
    QRectF rect;
    QFont font;
    int flags;
    bool framed;
    QString text;
};

struct PlainPage
{
    std::vector<PlainBox> boxes;
    QList<report::PlacedRule> rules;
};

std::vector<PlainPage> plainPages(const ReportTemplate &document)
{
    // The boxes' places on the sheet come from the layout; each band's boxes
    // follow one another in the prepared page as in the template.
    const QList<report::PreparedPage> prepared = report::prepareReport(document);
    std::vector<PlainPage> pages;
    for (qsizetype p = 0; p < document.pages().size(); ++p) {
        PlainPage page;
        page.rules = prepared[p].rules;
        qsizetype i = 0;
        for (const report::Band &band : document.pages()[p].bands) {
            for (const report::TextBox &box : band.boxes) {
                QFont font(QStringLiteral("Liberation Sans"));
                font.setPixelSize(qRound(box.font.height));
                font.setBold(box.font.bold);
                font.setItalic(box.font.italic);
                int flags = Qt::TextWordWrap;
                flags |= box.hAlign == report::HAlign::Left     ? Qt::AlignLeft
                         : box.hAlign == report::HAlign::Center ? Qt::AlignHCenter
                                                                : Qt::AlignRight;
                flags |= box.vAlign == report::VAlign::Top      ? Qt::AlignTop
                         : box.vAlign == report::VAlign::Center ? Qt::AlignVCenter
                                                                : Qt::AlignBottom;
                page.boxes.push_back(
                    {prepared[p].texts[i++].rect, font, flags, box.framed, box.text});
            }
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

[[gnu::noinline]] void drawPlain(const QString &fileName, const std::vector<PlainPage> &pages)
{
    QPdfWriter writer(fileName);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("Vendalo"));
    writer.setPageLayout(report::letterLayout());
    QPainter painter(&writer);
    painter.scale(writer.logicalDpiX() / 96.0, writer.logicalDpiY() / 96.0);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        for (const report::PlacedRule &rule : pages[p].rules) {
            painter.setPen(QPen(Qt::black, rule.thickness));
            painter.drawLine(rule.start, rule.start + QPointF(rule.length, 0));
        }
        painter.setPen(QPen(Qt::black, 1));
        for (const PlainBox &box : pages[p].boxes) {
            if (box.framed)
                painter.drawRect(box.rect);
            painter.setFont(box.font);
            painter.drawText(box.rect.adjusted(2, 1, -2, -1), box.flags, box.text);
        }
    }
}

void reportFigure(const QString &label, const std::function<ReportTemplate &()> &fill,
                  const QString &folder, int rounds)
{
    const std::vector<PlainPage> plain = plainPages(fill());
    const QString candidateFile = folder + QStringLiteral("/candidate.pdf");
    const QString floorFile = folder + QStringLiteral("/floor.pdf");
    const auto candidate = [&] {
        report::writePdf(candidateFile, report::prepareReport(fill()));
    };
    const auto floor = [&] {
        drawPlain(floorFile, plain);
    };
    ratioLine(label, alternate(rounds, 1, candidate, floor), 1e-3, 1.5, QStringLiteral("ms"), 2,
              rounds);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(10, QString::fromLocal8Bit(argv[1]).toInt()) : 15;

    Worksheet sheet;
    setWorkedExample(sheet);
    sheet.show();
    sheet.CalcVDP(nullptr);
    QCoreApplication::processEvents();
    recalculation(sheet, rounds);

    QTemporaryDir folder;
    if (!folder.isValid()) {
        out() << "no temporary folder" << Qt::endl;
        return 1;
    }
    Reports reports(nullptr);
    reportFigure(
        QStringLiteral("report: net gain after sale"),
        [&]() -> ReportTemplate & { return reports.fillNetGainAfterSale(sheet); }, folder.path(),
        rounds);
    reportFigure(
        QStringLiteral("report: home inspection form"),
        [&]() -> ReportTemplate & { return reports.fillHomeInspectionForm(); }, folder.path(),
        rounds);
    reportFigure(
        QStringLiteral("report: to-do list for movers"),
        [&]() -> ReportTemplate & { return reports.fillToDoList(); }, folder.path(), rounds);
    return 0;
}
