#include "MonthBox.h"
#include "NumericField.h"
#include "ReportDialogs.h"
#include "ReportFile.h"
#include "ReportPainter.h"
#include "ReportPreview.h"
#include "ReportTemplate.h"
#include "Reports.h"
#include "ResultsGrid.h"
#include "WebAddresses.h"
#include "WorkedExample.h"
#include "Worksheet.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <clocale>
#include <string>

using report::PlacedText;
using report::PreparedPage;

namespace {

enum class Which { NetGain, Inspection, ToDo };

const PlacedText *placed(const PreparedPage &page, QStringView name)
{
    for (const PlacedText &t : page.texts) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

QString shownText(const PlacedText &t)
{
    QStringList lines;
    for (const report::PlacedLine &line : t.lines)
        lines.append(line.text);
    return lines.join(QLatin1Char(' '));
}

QString message(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("(not a std::exception)");
    }
}

bool isRuntimeError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::runtime_error &) {
        return true;
    } catch (...) {
        return false;
    }
}

int pdfPageCount(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

// Words of a PDF with their boxes, converted to layout units, from pdftotext -bbox.
struct PdfWord
{
    QString text;
    QRectF box;
    int page;
};

QList<PdfWord> pdfWords(const QString &fileName)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), fileName, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    QList<PdfWord> words;
    QXmlStreamReader xml(process.readAllStandardOutput());
    int page = -1;
    const double toUnits = 96.0 / 72.0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1StringView("page")) {
            ++page;
        } else if (xml.name() == QLatin1StringView("word")) {
            const auto a = xml.attributes();
            const double x0 = a.value(QStringLiteral("xMin")).toDouble() * toUnits;
            const double y0 = a.value(QStringLiteral("yMin")).toDouble() * toUnits;
            const double x1 = a.value(QStringLiteral("xMax")).toDouble() * toUnits;
            const double y1 = a.value(QStringLiteral("yMax")).toDouble() * toUnits;
            words.append({xml.readElementText(), QRectF(QPointF(x0, y0), QPointF(x1, y1)), page});
        }
    }
    return words;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void templatesAreMadeAtTheFirstCommand();
    void netGainCarriesTheWorksheet_data();
    void netGainCarriesTheWorksheet();
    void netGainTableIsTheGridOnItsSide();
    void printingBeforeTheFirstRecalculation();
    void netGainUnderGermanSettings();
    void fillingAloneSetsTheSlotsAndShowsNothing_data();
    void fillingAloneSetsTheSlotsAndShowsNothing();
    void showingTwiceGivesTheSamePages_data();
    void showingTwiceGivesTheSamePages();
    void everyTextFitsItsBox_data();
    void everyTextFitsItsBox();
    void checklistPagesCarryTheirFooters_data();
    void checklistPagesCarryTheirFooters();
    void templatesFollowTheirTables_data();
    void templatesFollowTheirTables();
    void slotNamesAreUniqueAndRulesInPlace();
    void missingSlotIsSkipped();
    void previewOffersTheCommandsOfItsReport_data();
    void previewOffersTheCommandsOfItsReport();
    void pageNavigationByKeyboard();
    void escapeClosesThePreview();
    void saveThenOpenGivesTheSavedPage();
    void damagedFileGoesToTheSinkAndThePreviewGoesOn();
    void printingFromThePreview();
    void printerFailureGoesToTheSink();
    void printSetupWorksOnThePrinterThePreviewsUse();
    void documentsAsPdf();

private:
    void enterWorkedExample(Worksheet &sheet);
    QList<PreparedPage> print(Which which);
    ReportTemplate &reportFor(Which which);

    QWidget m_window;
    std::unique_ptr<Worksheet> m_sheet;
    std::unique_ptr<Reports> m_reports;
    QList<std::exception_ptr> m_errors;
    QList<QObject *> m_errorSenders;
    QList<PreparedPage> m_shown;
    int m_shows = 0;
    std::function<void(ReportPreview &)> m_onPreview;
};

void TestReports::initTestCase()
{
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    reportdialogs::setPreviewHandler([this](ReportPreview &preview) {
        ++m_shows;
        m_shown = preview.pages();
        if (m_onPreview)
            m_onPreview(preview);
    });
    reportdialogs::setPrintDialogHandler([](QPrinter &, int, QWidget *) {
        qWarning("unexpected print dialog");
        return false;
    });
    reportdialogs::setOpenFileNameHandler([](QWidget *) { return QString(); });
    reportdialogs::setSaveFileNameHandler([](QWidget *) { return QString(); });
}

void TestReports::init()
{
    m_sheet = std::make_unique<Worksheet>();
    m_reports = std::make_unique<Reports>(&m_window);
    m_reports->setErrorSink([this](QObject *sender, std::exception_ptr error) {
        m_errors.append(error);
        m_errorSenders.append(sender);
    });
    m_errors.clear();
    m_errorSenders.clear();
    m_shown.clear();
    m_shows = 0;
    m_onPreview = nullptr;
}

void TestReports::cleanup()
{
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    reportdialogs::setPrintDialogHandler([](QPrinter &, int, QWidget *) {
        qWarning("unexpected print dialog");
        return false;
    });
    reportdialogs::setPrintSetupHandler(nullptr);
    reportdialogs::setOpenFileNameHandler([](QWidget *) { return QString(); });
    reportdialogs::setSaveFileNameHandler([](QWidget *) { return QString(); });
    for (std::exception_ptr e : std::as_const(m_errors))
        qWarning("error handed to the sink: %s", qPrintable(message(e)));
    m_reports.reset();
    m_sheet.reset();
}

void TestReports::enterWorkedExample(Worksheet &sheet)
{
    setWorkedExample(sheet);
    sheet.CalcVDP(nullptr);
}

ReportTemplate &TestReports::reportFor(Which which)
{
    switch (which) {
    case Which::NetGain:
        return m_reports->frxNetGainAfterSale();
    case Which::Inspection:
        return m_reports->frxHomeInspectionForm();
    case Which::ToDo:
        break;
    }
    return m_reports->frxToDoList();
}

QList<PreparedPage> TestReports::print(Which which)
{
    m_shown.clear();
    switch (which) {
    case Which::NetGain:
        m_reports->PrintNetGainAfterSale(*m_sheet);
        break;
    case Which::Inspection:
        m_reports->PrintHomeInspectionForm();
        break;
    case Which::ToDo:
        m_reports->PrintToDoList();
        break;
    }
    return m_shown;
}

void TestReports::templatesAreMadeAtTheFirstCommand()
{
    QVERIFY(!m_reports->templatesMade());
    print(Which::ToDo);
    QVERIFY(m_reports->templatesMade());
    QCOMPARE(m_shows, 1);
}

void TestReports::netGainCarriesTheWorksheet_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("text");

    const std::pair<const char *, const char *> rows[] = {
        {"lblReportTitle", "Vendalo"},
        {"lblHeader1", ""},
        {"lblHeader2", ""},
        {"lblURL", "www.vendalo.example"},
        {"lblApplicationTitle", "Vendalo, 2.2.10"},
        {"lblSalesPrice", "$258,000.00"},
        {"lblFirstLoanBalance", "$228,000.00"},
        {"lblSecondLoanBalance", "$0.00"},
        {"lblOtherLoans", "$0.00"},
        {"lblAnnualPropertyTaxes", "$1,200.00"},
        {"lblAnnualInsurance", "$1,800.00"},
        {"lblAnnualHOADues", "$1,200.00"},
        {"lblMonthlyUtilities", "$370.00"},
        {"lblEstimatedClosingMonth", "July"},
        {"lblProratedPropertyTaxesDue", "$700.00"},
        // Typed after the last recalculation: the report shows the field's
        // value, and nothing is recalculated for it.
        {"lblTransferTaxes", "1.5%"},
        {"lblTransferTaxesDue", "$0.00"},
        {"lblPrepaymentPenalty", "$0.00"},
        {"lblSalesCommissionPercent", "6%"},
        {"lblSalesCommission", "$15,480.00"},
        {"lblOtherSalesCommission", "$0.00"},
        {"lblOtherFees", "$50.00"},
        {"lblMonthlyCarryingCosts", "$2,128.94"},
        {"lblSalesCosts", "$16,230.00"},
    };
    for (auto [slot, text] : rows)
        QTest::newRow(slot) << QString::fromLatin1(slot) << QString::fromLatin1(text);
}

void TestReports::netGainCarriesTheWorksheet()
{
    enterWorkedExample(*m_sheet);
    m_sheet->field(u"edtVDPTransferTaxPercent")->setValue(1.5);
    const QList<PreparedPage> pages = print(Which::NetGain);
    QCOMPARE(pages.size(), 1);

    QFETCH(QString, slot);
    QFETCH(QString, text);
    const PlacedText *shown = placed(pages[0], slot);
    QVERIFY(shown);
    QCOMPARE(shownText(*shown), text);
    QCOMPARE(m_reports->frxNetGainAfterSale().FindObject(slot)->text, text);
    QVERIFY(shown->lines.size() <= 1);
    QVERIFY(m_errors.isEmpty());
}

void TestReports::netGainTableIsTheGridOnItsSide()
{
    enterWorkedExample(*m_sheet);
    const QList<PreparedPage> pages = print(Which::NetGain);
    const PreparedPage &page = pages.at(0);

    // Every line k, column c from grid column k, row c.
    const ResultsGrid *grid = m_sheet->grid();
    for (int k = 0; k < 14; ++k) {
        for (int c = 1; c <= 4; ++c) {
            const PlacedText *slot = placed(page, QStringLiteral("lbl%1_%2").arg(k).arg(c));
            QVERIFY(slot);
            QCOMPARE(shownText(*slot), grid->cellText(c, k));
            QVERIFY(!shownText(*slot).isEmpty());
        }
    }

    // The captions stand on the lines of their values; the grid's "Desired
    // Proceeds" column is the line "Potential Profit:".
    const auto lineOf = [&](const QString &caption) -> int {
        for (const PlacedText &t : page.texts) {
            if (shownText(t) == caption && t.rect.left() == 82)
                return int(t.rect.top() - 434) / 21;
        }
        return -1;
    };
    QCOMPARE(lineOf(QStringLiteral("Sales Price:")), 0);
    QCOMPARE(lineOf(QStringLiteral("Potential Profit:")), 1);
    QCOMPARE(lineOf(QStringLiteral("After 1 Month:")), 2);
    QCOMPARE(lineOf(QStringLiteral("6 Months:")), 7);
    QCOMPARE(lineOf(QStringLiteral("12 Months:")), 13);

    // The worked example, as its table reads.
    const std::pair<const char *, const char *> expected[] = {
        {"lbl0_1", "$258,000"},   {"lbl0_2", "$254,000"}, {"lbl0_3", "$250,000"},
        {"lbl0_4", "$246,000"},   {"lbl1_1", "$13,770"},  {"lbl1_4", "$1,770"},
        {"lbl2_1", "$11,641"},    {"lbl2_4", "($359)"},   {"lbl3_3", "$1,512"},
        {"lbl7_1", "$996"},       {"lbl8_2", "($5,133)"}, {"lbl13_1", "($11,777)"},
        {"lbl13_4", "($23,777)"},
    };
    for (auto [slot, text] : expected)
        QCOMPARE(shownText(*placed(page, QString::fromLatin1(slot))), QString::fromLatin1(text));
}

void TestReports::printingBeforeTheFirstRecalculation()
{
    // A full report first, so that stale slot texts would show.
    enterWorkedExample(*m_sheet);
    print(Which::NetGain);

    // A new start: the labels hold what the value file restored, the grid's
    // data rows are empty, and nothing has been recalculated.
    Worksheet fresh;
    fresh.carryingCostsLabel()->setText(QStringLiteral("$2,128.94"));
    fresh.closingCostsLabel()->setText(QStringLiteral("$16,230.00"));
    fresh.field(u"edtVDPDesiredSalesPrice")->setValue(199000);
    m_reports->PrintNetGainAfterSale(fresh);
    QCOMPARE(m_shown.size(), 1);
    const PreparedPage &page = m_shown[0];
    for (int k = 0; k < 14; ++k) {
        for (int c = 1; c <= 4; ++c) {
            const QString name = QStringLiteral("lbl%1_%2").arg(k).arg(c);
            QCOMPARE(m_reports->frxNetGainAfterSale().FindObject(name)->text, QString());
            QVERIFY(placed(page, name)->lines.isEmpty());
        }
    }
    QCOMPARE(shownText(*placed(page, u"lblMonthlyCarryingCosts")), QStringLiteral("$2,128.94"));
    QCOMPARE(shownText(*placed(page, u"lblSalesCosts")), QStringLiteral("$16,230.00"));
    QCOMPARE(shownText(*placed(page, u"lblSalesPrice")), QStringLiteral("$199,000.00"));
}

void TestReports::netGainUnderGermanSettings()
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        QSKIP("the de_DE.UTF-8 locale is not generated on this machine");
    const auto restore = qScopeGuard([&] { std::setlocale(LC_ALL, previous.c_str()); });
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));

    enterWorkedExample(*m_sheet);
    m_sheet->field(u"edtVDPTransferTaxPercent")->setValue(1.5);
    const QList<PreparedPage> pages = print(Which::NetGain);
    QCOMPARE(pages.size(), 1);
    const std::pair<const char *, const char *> expected[] = {
        {"lblSalesPrice", "258.000,00\u00a0€"},
        {"lblFirstLoanBalance", "228.000,00\u00a0€"},
        {"lblMonthlyUtilities", "370,00\u00a0€"},
        {"lblSalesCommission", "15.480,00\u00a0€"},
        {"lblTransferTaxes", "1,5%"},
        {"lblSalesCommissionPercent", "6%"},
        {"lblMonthlyCarryingCosts", "2.128,94\u00a0€"},
        {"lbl0_1", "258.000\u00a0€"},
        {"lbl13_4", "-23.777\u00a0€"},
    };
    for (auto [slot, text] : expected)
        QCOMPARE(shownText(*placed(pages[0], QString::fromLatin1(slot))), QString::fromUtf8(text));
}

void TestReports::fillingAloneSetsTheSlotsAndShowsNothing_data()
{
    QTest::addColumn<Which>("which");
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("text");
    QTest::newRow("net gain, title") << Which::NetGain << "lblReportTitle"
                                     << "Vendalo";
    QTest::newRow("net gain, proceeds") << Which::NetGain << "lbl1_1"
                                        << "$13,770";
    QTest::newRow("net gain, lowest price after a year") << Which::NetGain << "lbl13_4"
                                                         << "($23,777)";
    QTest::newRow("net gain, closing month") << Which::NetGain << "lblEstimatedClosingMonth"
                                             << "July";
    QTest::newRow("home inspection form") << Which::Inspection << "lblReportTitle"
                                          << "Home Inspection Form";
    QTest::newRow("home inspection form, last footer")
        << Which::Inspection << "lblApplicationTitle4"
        << "Vendalo, 2.2.10";
    QTest::newRow("to-do list") << Which::ToDo << "lblReportTitle"
                                << "To Do List for Movers";
    QTest::newRow("to-do list, header") << Which::ToDo << "lblHeader1"
                                        << "";
}

void TestReports::fillingAloneSetsTheSlotsAndShowsNothing()
{
    QFETCH(Which, which);
    QFETCH(QString, slot);
    QFETCH(QString, text);

    enterWorkedExample(*m_sheet);
    // Texts of an earlier run, which filling must replace.
    Reports::setSlot(reportFor(which), slot, QStringLiteral("stale"));
    ReportTemplate &document = which == Which::NetGain ? m_reports->fillNetGainAfterSale(*m_sheet)
                               : which == Which::Inspection ? m_reports->fillHomeInspectionForm()
                                                            : m_reports->fillToDoList();
    QCOMPARE(&document, &reportFor(which));
    QCOMPARE(document.FindObject(slot)->text, text);
    QCOMPARE(m_shows, 0);
    QVERIFY(m_errors.isEmpty());
}

void TestReports::showingTwiceGivesTheSamePages_data()
{
    QTest::addColumn<Which>("which");
    QTest::addColumn<int>("pageCount");
    QTest::newRow("net gain") << Which::NetGain << 1;
    QTest::newRow("home inspection form") << Which::Inspection << 4;
    QTest::newRow("to-do list") << Which::ToDo << 3;
}

void TestReports::showingTwiceGivesTheSamePages()
{
    QFETCH(Which, which);
    QFETCH(int, pageCount);
    enterWorkedExample(*m_sheet);
    const QList<PreparedPage> first = print(which);
    QCOMPARE(first.size(), pageCount);
    const QList<PreparedPage> second = print(which);
    QCOMPARE(second.size(), pageCount);
    QCOMPARE(second, first);
    QCOMPARE(m_shows, 2);
    QVERIFY(m_errors.isEmpty());
}

void TestReports::everyTextFitsItsBox_data()
{
    QTest::addColumn<Which>("which");
    QTest::addColumn<QString>("locale");
    QTest::newRow("net gain") << Which::NetGain << "en_US";
    QTest::newRow("net gain, German money") << Which::NetGain << "de_DE";
    QTest::newRow("home inspection form") << Which::Inspection << "en_US";
    QTest::newRow("to-do list") << Which::ToDo << "en_US";
}

void TestReports::everyTextFitsItsBox()
{
    QFETCH(Which, which);
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    // The widest figures the worksheet can produce in its money fields.
    enterWorkedExample(*m_sheet);
    m_sheet->field(u"edtVDPDesiredSalesPrice")->setValue(99999999.99);
    m_sheet->field(u"edtVDPFirstLoanBalance")->setValue(88888888.88);
    m_sheet->closingMonthBox()->setEditText(QStringLiteral("September"));
    m_sheet->CalcVDP(nullptr);
    const QList<PreparedPage> pages = print(which);
    QVERIFY(!pages.isEmpty());

    QStringList clipped;
    int tasks = 0;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        for (const PlacedText &t : pages[p].texts) {
            for (const report::PlacedLine &line : t.lines) {
                if (!t.rect.contains(line.rect)) {
                    clipped << QStringLiteral("page %1 %2 \"%3\" line %4 in box %5")
                                   .arg(p + 1)
                                   .arg(t.name, line.text)
                                   .arg(QStringLiteral("%1,%2 %3x%4")
                                            .arg(line.rect.x())
                                            .arg(line.rect.y())
                                            .arg(line.rect.width())
                                            .arg(line.rect.height()),
                                        QStringLiteral("%1,%2 %3x%4")
                                            .arg(t.rect.x())
                                            .arg(t.rect.y())
                                            .arg(t.rect.width())
                                            .arg(t.rect.height()));
                }
            }
            // A task takes at most one line per 21 units of its row.
            if (t.name.contains(QStringLiteral("Task"))) {
                ++tasks;
                const int maxLines = qRound(t.rect.height() / 21);
                if (t.lines.size() > maxLines || t.lines.isEmpty())
                    clipped << QStringLiteral("%1 has %2 lines in %3 units")
                                   .arg(t.name)
                                   .arg(t.lines.size())
                                   .arg(t.rect.height());
            }
        }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    if (which == Which::ToDo)
        QCOMPARE(tasks, 7 + 6 + 4 + 10 + 9 + 4 + 11);
}

void TestReports::checklistPagesCarryTheirFooters_data()
{
    QTest::addColumn<Which>("which");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("suffixes");
    QTest::newRow("home inspection form")
        << Which::Inspection << "Home Inspection Form" << QStringList{"", "2", "3", "4"};
    QTest::newRow("to-do list") << Which::ToDo << "To Do List for Movers"
                                << QStringList{"", "3", "4"};
}

void TestReports::checklistPagesCarryTheirFooters()
{
    QFETCH(Which, which);
    QFETCH(QString, title);
    QFETCH(QStringList, suffixes);
    const QList<PreparedPage> pages = print(which);
    QCOMPARE(pages.size(), suffixes.size());
    const QString notice = web::ownershipNotice();

    for (qsizetype p = 0; p < pages.size(); ++p) {
        const PreparedPage &page = pages[p];
        const PlacedText *appTitle =
            placed(page, QStringLiteral("lblApplicationTitle") + suffixes[p]);
        const PlacedText *url = placed(page, QStringLiteral("lblURL") + suffixes[p]);
        QVERIFY(appTitle && url);
        QCOMPARE(shownText(*appTitle), QStringLiteral("Vendalo, 2.2.10"));
        QCOMPARE(shownText(*url), notice);
        // Left and right in the footer strip at the bottom of the sheet.
        QVERIFY(appTitle->rect.top() > 982 && appTitle->rect.bottom() < 1056);
        QVERIFY(appTitle->lines[0].rect.left() < 40);
        QVERIFY(qAbs(url->lines[0].rect.right() - (url->rect.right() - 2)) < 1e-9);
        const bool footerRule =
            std::any_of(page.rules.begin(), page.rules.end(), [](const auto &r) {
                return r.start.y() == 982 && r.length == 712 && r.thickness == 1.5;
            });
        QVERIFY(footerRule);
        // The title block is on the first page only.
        const PlacedText *reportTitle = placed(page, u"lblReportTitle");
        QCOMPARE(reportTitle != nullptr, p == 0);
        if (reportTitle) {
            QCOMPARE(shownText(*reportTitle), title);
            QVERIFY(placed(page, u"lblHeader1")->lines.isEmpty());
            QVERIFY(placed(page, u"lblHeader2")->lines.isEmpty());
        }
    }
    QCOMPARE(reportFor(which).FindObject(u"lblURL2") != nullptr, which == Which::Inspection);
    QVERIFY(m_errors.isEmpty());
}

void TestReports::templatesFollowTheirTables_data()
{
    QTest::addColumn<Which>("which");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("rect"); // on the sheet
    QTest::addColumn<double>("fontHeight");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("hAlign");
    QTest::addColumn<int>("vAlign");
    QTest::addColumn<bool>("framed");
    QTest::addColumn<QString>("text"); // "*": a slot, not compared

    using report::HAlign;
    using report::VAlign;
    const int L = int(HAlign::Left), C = int(HAlign::Center), R = int(HAlign::Right);
    const int T = int(VAlign::Top), M = int(VAlign::Center), B = int(VAlign::Bottom);
    const Which n = Which::NetGain, i = Which::Inspection, t = Which::ToDo;
    // clang-format off
    QTest::newRow("net title") << n << 0 << "lblReportTitle" << QRectF(40, 21, 696, 30) << 21.0 << true << L << T << false << "*";
    QTest::newRow("net header 2") << n << 0 << "lblHeader2" << QRectF(40, 64, 696, 18) << 13.0 << true << R << T << false << "*";
    QTest::newRow("net heading") << n << 0 << "memHeading" << QRectF(241, 97, 310, 19) << 15.0 << true << C << B << false << "Home Selling Carrying Costs";
    QTest::newRow("net price caption") << n << 0 << "memLeftCaption1" << QRectF(47, 141, 150, 15) << 11.0 << false << R << B << false << "Your Desired Sale Price";
    QTest::newRow("net price") << n << 0 << "lblSalesPrice" << QRectF(202, 141, 135, 15) << 11.0 << false << R << T << false << "*";
    QTest::newRow("net HOA dues") << n << 0 << "lblAnnualHOADues" << QRectF(201, 309, 135, 15) << 11.0 << false << R << T << false << "*";
    QTest::newRow("net other fees caption") << n << 0 << "memRightCaption8" << QRectF(435, 338, 150, 15) << 11.0 << false << R << B << false << "Other Fees";
    QTest::newRow("net other fees") << n << 0 << "lblOtherFees" << QRectF(593, 338, 135, 15) << 11.0 << false << R << T << false << "*";
    QTest::newRow("net commission percent") << n << 0 << "lblSalesCommissionPercent" << QRectF(534, 281, 47, 15) << 11.0 << false << R << T << false << "*";
    QTest::newRow("net penalty caption") << n << 0 << "memRightCaption5" << QRectF(383, 253, 198, 15) << 11.0 << false << R << B << false << "Mortgage Prepayment Penalty";
    QTest::newRow("net sales costs") << n << 0 << "lblSalesCosts" << QRectF(593, 374, 135, 15) << 11.0 << false << R << T << false << "*";
    QTest::newRow("net first table slot") << n << 0 << "lbl0_1" << QRectF(230, 433, 101, 15) << 11.0 << false << R << B << false << "*";
    QTest::newRow("net last table slot") << n << 0 << "lbl13_4" << QRectF(582, 706, 101, 15) << 11.0 << false << R << B << false << "*";
    QTest::newRow("net caption line 13") << n << 0 << "memLine13" << QRectF(82, 707, 101, 15) << 11.0 << false << R << B << false << "12 Months:";
    QTest::newRow("net application title") << n << 0 << "lblApplicationTitle" << QRectF(32, 986, 352, 18) << 11.0 << false << L << T << false << "*";
    QTest::newRow("net url") << n << 0 << "lblURL" << QRectF(432, 986, 312, 18) << 11.0 << false << R << T << false << "*";
    QTest::newRow("net note") << n << 0 << "memFooterNote" << QRectF(32, 1010, 712, 46) << 11.0 << false << L << T << false
        << "NOTE:  Though effort was made to ensure the accuracy of these calculations, there is  NO WARRANTY,  express or implied, for the accuracy or applicability of this information to your particular financial question.  Please consult your own financial advisor before making any financial decision based upon these results.";

    QTest::newRow("form header 1") << i << 0 << "lblHeader1" << QRectF(30, 31, 696, 18) << 15.0 << true << L << T << false << "*";
    QTest::newRow("form introduction") << i << 0 << "memIntroduction" << QRectF(56, 91, 681, 69) << 11.0 << false << L << T << false << "*";
    QTest::newRow("form interior title") << i << 0 << "memGeneralInteriorTitle" << QRectF(56, 164, 150, 30) << 12.0 << true << C << M << true << "GENERAL INTERIOR";
    QTest::newRow("form condition") << i << 0 << "memGeneralInteriorCondition" << QRectF(206, 164, 170, 15) << 11.0 << false << C << M << true << "Condition";
    QTest::newRow("form great") << i << 0 << "memGeneralInteriorRating5" << QRectF(342, 179, 34, 15) << 11.0 << false << C << M << true << "Great";
    QTest::newRow("form notes heading") << i << 0 << "memKitchenNotes" << QRectF(376, 409, 361, 30) << 12.0 << true << C << M << true << "NOTES";
    QTest::newRow("form first interior row") << i << 0 << "memGeneralInteriorRow1Item" << QRectF(56, 194, 150, 21) << 11.0 << false << C << M << true << "Interior Walls";
    QTest::newRow("form last kitchen notes") << i << 0 << "memKitchenRow19Notes" << QRectF(376, 817, 361, 21) << 11.0 << false << C << M << true << "";
    QTest::newRow("form rooms first row") << i << 1 << "memRoomsRow1Item" << QRectF(56, 81, 150, 34) << 11.0 << false << C << M << true << "Foyer/Entrance";
    QTest::newRow("form rooms write-in") << i << 1 << "memRoomsRow22Item" << QRectF(56, 795, 150, 34) << 11.0 << false << L << T << true << "Other";
    QTest::newRow("form exterior rating") << i << 2 << "memExteriorRow6Rating3" << QRectF(274, 251, 34, 34) << 11.0 << false << C << M << true << "";
    QTest::newRow("form systems last row") << i << 3 << "memSystemsRow12Item" << QRectF(50, 455, 150, 34) << 11.0 << false << C << M << true << "Light Switches";
    QTest::newRow("form additional notes") << i << 3 << "memAdditionalNotes" << QRectF(50, 497, 681, 30) << 12.0 << true << C << M << true << "ADDITIONAL NOTES";
    QTest::newRow("form last note box") << i << 3 << "memAdditionalNotes9" << QRectF(50, 800, 681, 34) << 11.0 << false << L << T << true << "";
    QTest::newRow("form url 3") << i << 2 << "lblURL3" << QRectF(433, 987, 312, 18) << 11.0 << false << R << T << false << "*";
    QTest::newRow("form note 3") << i << 2 << "memFooterNote3" << QRectF(33, 1006, 712, 43) << 11.0 << false << L << T << false
        << "NOTE:  This form is designed only to help you conduct a quick review of a particular property.  This form is NOT a substitute for a professional home inspection.  While a professional home inspection may not be required as part of your real estate purchase, you should consult your own professional home inspector to obtain a good analysis of the property you wish to acquire.";

    QTest::newRow("list title") << t << 0 << "lblReportTitle" << QRectF(41, 7, 696, 30) << 21.0 << true << L << T << false << "*";
    QTest::newRow("list introduction") << t << 0 << "memIntroduction" << QRectF(66, 92, 693, 86) << 13.0 << false << L << T << false << "*";
    QTest::newRow("list first heading") << t << 0 << "memSection1Heading" << QRectF(66, 198, 612, 30) << 15.0 << true << L << M << true << "  Four Weeks Before You Move ...";
    QTest::newRow("list completed") << t << 0 << "memSection1Completed" << QRectF(678, 198, 68, 30) << 12.0 << true << C << M << true << "Completed";
    QTest::newRow("list third task") << t << 0 << "memSection1Task3" << QRectF(66, 270, 612, 63) << 12.0 << false << L << M << true << "*";
    QTest::newRow("list two weeks heading") << t << 0 << "memSection3Heading" << QRectF(66, 631, 612, 30) << 15.0 << true << L << M << true << "  Two Weeks Before You Move ...";
    QTest::newRow("list two weeks last tick") << t << 0 << "memSection3Tick4" << QRectF(678, 724, 68, 42) << 12.0 << false << C << M << true << "";
    QTest::newRow("list moving day") << t << 1 << "memSection6Heading" << QRectF(50, 683, 612, 30) << 15.0 << true << L << M << true << "  Moving Day ...";
    QTest::newRow("list moving day last") << t << 1 << "memSection6Task4" << QRectF(50, 839, 612, 21) << 12.0 << false << L << M << true << "*";
    QTest::newRow("list arrival last") << t << 2 << "memSection7Task11" << QRectF(48, 375, 612, 42) << 12.0 << false << L << M << true << "*";
    QTest::newRow("list application title 3") << t << 1 << "lblApplicationTitle3" << QRectF(32, 986, 352, 18) << 11.0 << false << L << T << false << "*";
    // clang-format on
}

void TestReports::templatesFollowTheirTables()
{
    QFETCH(Which, which);
    QFETCH(int, page);
    QFETCH(QString, name);
    const QList<PreparedPage> pages = print(which);
    QVERIFY(page < pages.size());
    const PlacedText *box = placed(pages[page], name);
    QVERIFY2(box, qPrintable(name));
    QTEST(box->rect, "rect");
    QTEST(box->font.height, "fontHeight");
    QTEST(box->font.bold, "bold");
    QTEST(int(box->hAlign), "hAlign");
    QTEST(int(box->vAlign), "vAlign");
    QTEST(box->framed, "framed");
    QFETCH(QString, text);
    if (text != QLatin1StringView("*"))
        QCOMPARE(reportFor(which).FindObject(name)->text, text);
}

void TestReports::slotNamesAreUniqueAndRulesInPlace()
{
    for (Which which : {Which::NetGain, Which::Inspection, Which::ToDo}) {
        QSet<QString> names;
        int boxes = 0;
        for (const report::TemplatePage &page : reportFor(which).pages()) {
            for (const report::Band &band : page.bands) {
                for (const report::TextBox &box : band.boxes) {
                    names.insert(box.name.toLower());
                    ++boxes;
                }
            }
        }
        QCOMPARE(names.size(), boxes);
    }
    QCOMPARE(m_reports->frxNetGainAfterSale().FindObject(u"LBLURL")->name,
             QStringLiteral("lblURL"));
    QCOMPARE(m_reports->frxToDoList().FindObject(u"LBLURL4")->name, QStringLiteral("lblURL4"));
    const QList<PreparedPage> net = print(Which::NetGain);
    QCOMPARE(net[0].rules.size(), 3);
    QVERIFY(net[0].rules.contains(report::PlacedRule{QPointF(32, 85), 712, 1}));
    QVERIFY(net[0].rules.contains(report::PlacedRule{QPointF(249, 411), 295, 2}));
    QVERIFY(net[0].rules.contains(report::PlacedRule{QPointF(32, 982), 712, 1.5}));
    const QList<PreparedPage> form = print(Which::Inspection);
    QVERIFY(form[0].rules.contains(report::PlacedRule{QPointF(40, 88), 712, 1}));
    QVERIFY(form[3].rules.contains(report::PlacedRule{QPointF(33, 982), 712, 1.5}));
    const QList<PreparedPage> list = print(Which::ToDo);
    QVERIFY(list[0].rules.contains(report::PlacedRule{QPointF(56, 89), 712, 1}));
    QVERIFY(list[1].rules.contains(report::PlacedRule{QPointF(33, 982), 712, 1.5}));
}

void TestReports::missingSlotIsSkipped()
{
    enterWorkedExample(*m_sheet);
    // A template without lblURL and without the last table slot.
    for (report::Band &band : m_reports->frxNetGainAfterSale().pages()[0].bands) {
        band.boxes.removeIf([](const report::TextBox &b) {
            return b.name == QLatin1StringView("lblURL") || b.name == QLatin1StringView("lbl13_4");
        });
    }
    const QList<PreparedPage> pages = print(Which::NetGain);
    QCOMPARE(pages.size(), 1);
    QVERIFY(m_errors.isEmpty());
    QVERIFY(!placed(pages[0], u"lblURL"));
    QCOMPARE(shownText(*placed(pages[0], u"lblApplicationTitle")),
             QStringLiteral("Vendalo, 2.2.10"));
    QCOMPARE(shownText(*placed(pages[0], u"lbl13_3")), QStringLiteral("($19,777)"));
    QVERIFY(!Reports::setSlot(m_reports->frxNetGainAfterSale(), u"lblURL", QStringLiteral("x")));
}

void TestReports::previewOffersTheCommandsOfItsReport_data()
{
    QTest::addColumn<Which>("which");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QStringList>("missing");
    const QStringList common = {"actPrint",     "actZoomIn",    "actZoomOut",    "actActualSize",
                                "actPageWidth", "actWholePage", "actFullScreen", "actClose"};
    const QStringList navigation = {"actFirstPage", "actPriorPage", "actNextPage", "actLastPage"};
    const QStringList files = {"actOpen", "actSave"};
    QTest::newRow("net gain") << Which::NetGain << common + files << navigation;
    QTest::newRow("home inspection form") << Which::Inspection << common + navigation << files;
    QTest::newRow("to-do list") << Which::ToDo << common + navigation << files;
}

void TestReports::previewOffersTheCommandsOfItsReport()
{
    QFETCH(Which, which);
    QFETCH(QStringList, offered);
    QFETCH(QStringList, missing);
    bool checked = false;
    m_onPreview = [&](ReportPreview &preview) {
        checked = true;
        QCOMPARE(preview.windowTitle(), QStringLiteral("Preview"));
        QVERIFY(preview.isModal());
        QVERIFY(preview.windowState() & Qt::WindowMaximized);
        QCOMPARE(preview.previewWidget()->zoomFactor(), 1.0);
        QCOMPARE(preview.previewWidget()->pageCount(), int(preview.pages().size()));
        QCOMPARE(preview.previewWidget()->currentPage(), 1);
        QCOMPARE(preview.parentWidget(), &m_window);
        QSet<QKeySequence> keys;
        for (const QString &name : offered) {
            QAction *action = preview.command(name);
            QVERIFY2(action, qPrintable(name));
            QVERIFY2(!action->shortcut().isEmpty(), qPrintable(name));
            QVERIFY2(!keys.contains(action->shortcut()), qPrintable(name));
            keys.insert(action->shortcut());
        }
        for (const QString &name : missing)
            QVERIFY2(!preview.command(name), qPrintable(name));
        QCOMPARE(preview.command(u"actClose")->shortcut(), QKeySequence(Qt::Key_Escape));
        QCOMPARE(preview.findChild<QSpinBox *>() != nullptr, which != Which::NetGain);
    };
    print(which);
    QVERIFY(checked);
}

void TestReports::pageNavigationByKeyboard()
{
    bool checked = false;
    m_onPreview = [&](ReportPreview &preview) {
        preview.show();
        preview.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&preview));
        QPrintPreviewWidget *view = preview.previewWidget();
        auto *pageNumber = preview.findChild<QSpinBox *>(QStringLiteral("spnPageNumber"));
        QCOMPARE(view->pageCount(), 4);
        QCOMPARE(pageNumber->maximum(), 4);
        QVERIFY(!preview.command(u"actPriorPage")->isEnabled());
        // Each page is shown from its top edge, where the title block is.
        const auto showsTopOf = [&](int page) {
            const QRectF sheet = preview.pageArea(page);
            const QRectF visible = preview.visiblePageArea();
            return !sheet.isEmpty() && visible.top() <= sheet.top() &&
                   sheet.top() < visible.bottom() && sheet.bottom() > visible.bottom();
        };
        QTRY_VERIFY(showsTopOf(1));

        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(view->currentPage(), 2);
        QCOMPARE(pageNumber->value(), 2);
        QVERIFY(showsTopOf(2));
        QTest::keyClick(&preview, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(view->currentPage(), 4);
        QVERIFY(showsTopOf(4));
        QVERIFY(!preview.command(u"actNextPage")->isEnabled());
        QTest::keyClick(&preview, Qt::Key_PageUp);
        QCOMPARE(view->currentPage(), 3);
        QVERIFY(showsTopOf(3));
        QTest::keyClick(&preview, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(view->currentPage(), 1);
        QVERIFY(showsTopOf(1));
        // The page number by its mnemonic, then typed.
        QTest::keyClick(&preview, Qt::Key_E, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), pageNumber);
        pageNumber->selectAll();
        QTest::keyClicks(pageNumber, QStringLiteral("3"));
        QTest::keyClick(pageNumber, Qt::Key_Return);
        QCOMPARE(view->currentPage(), 3);
        // Zoom by keyboard changes the view only.
        auto *zoomShown = preview.findChild<QLabel *>(QStringLiteral("lblZoom"));
        QCOMPARE(zoomShown->text(), QStringLiteral("100 %"));
        QTest::keyClick(&preview, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(view->zoomFactor(), 1.25);
        QCOMPARE(zoomShown->text(), QStringLiteral("125 %"));
        QTest::keyClick(&preview, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(&preview, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(zoomShown->text(), QStringLiteral("80 %"));
        QTest::keyClick(&preview, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(view->zoomFactor(), 1.0);
        QCOMPARE(zoomShown->text(), QStringLiteral("100 %"));
        QTest::keyClick(&preview, Qt::Key_F11);
        QVERIFY(preview.windowState() & Qt::WindowFullScreen);
        QTest::keyClick(&preview, Qt::Key_F11);
        QVERIFY(!(preview.windowState() & Qt::WindowFullScreen));
        checked = true;
    };
    print(Which::Inspection);
    QVERIFY(checked);
    QCOMPARE(m_shown.size(), 4);
    QVERIFY(m_errors.isEmpty());
}

void TestReports::escapeClosesThePreview()
{
    bool checked = false;
    m_onPreview = [&](ReportPreview &preview) {
        preview.show();
        preview.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&preview));
        QTest::keyClick(&preview, Qt::Key_Escape);
        QVERIFY(!preview.isVisible());
        QCOMPARE(preview.result(), int(QDialog::Rejected));
        checked = true;
    };
    print(Which::ToDo);
    QVERIFY(checked);
}

void TestReports::saveThenOpenGivesTheSavedPage()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    enterWorkedExample(*m_sheet);

    // Save the report of the worked example; ".vdr" is added to a bare name.
    reportdialogs::setSaveFileNameHandler(
        [&](QWidget *) { return dir.filePath(QStringLiteral("july")); });
    m_onPreview = [](ReportPreview &preview) {
        preview.command(u"actSave")->trigger();
    };
    const QList<PreparedPage> saved = print(Which::NetGain);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("july.vdr"))));

    // A later report, of other figures, opens the saved one instead.
    m_sheet->field(u"edtVDPDesiredSalesPrice")->setValue(300000);
    m_sheet->CalcVDP(nullptr);
    reportdialogs::setOpenFileNameHandler(
        [&](QWidget *) { return dir.filePath(QStringLiteral("july.vdr")); });
    QList<PreparedPage> opened;
    int pagesBefore = 0;
    m_onPreview = [&](ReportPreview &preview) {
        QVERIFY(preview.pages() != saved);
        preview.command(u"actOpen")->trigger();
        opened = preview.pages();
        pagesBefore = preview.previewWidget()->pageCount();
    };
    print(Which::NetGain);
    QCOMPARE(opened, saved);
    QCOMPARE(pagesBefore, 1);
    QCOMPARE(shownText(*placed(opened[0], u"lblSalesPrice")), QStringLiteral("$258,000.00"));
    QVERIFY(m_errors.isEmpty());
}

void TestReports::damagedFileGoesToTheSinkAndThePreviewGoesOn()
{
    QTemporaryDir dir;
    const QString damaged = dir.filePath(QStringLiteral("damaged.vdr"));
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"format":"Vendalo report","version":1,"pages":[{"width":816,"height":)");
    file.close();
    reportdialogs::setOpenFileNameHandler([&](QWidget *) { return damaged; });
    reportdialogs::setSaveFileNameHandler(
        [&](QWidget *) { return dir.filePath(QStringLiteral("after.vdr")); });

    enterWorkedExample(*m_sheet);
    bool checked = false;
    m_onPreview = [&](ReportPreview &preview) {
        preview.show();
        const QList<PreparedPage> before = preview.pages();
        preview.command(u"actOpen")->trigger();
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(isRuntimeError(m_errors[0]));
        QVERIFY(!message(m_errors[0]).isEmpty());
        m_errors.clear();
        // Nothing changed and the preview is still there to use.
        QVERIFY(preview.isVisible());
        QCOMPARE(preview.pages(), before);
        QCOMPARE(preview.previewWidget()->pageCount(), 1);
        preview.command(u"actSave")->trigger();
        QCOMPARE(report::loadReportFile(dir.filePath(QStringLiteral("after.vdr"))), before);
        checked = true;
    };
    print(Which::NetGain);
    QVERIFY(checked);
}

void TestReports::printingFromThePreview()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    int dialogs = 0;
    reportdialogs::setPrintDialogHandler([&](QPrinter &printer, int pageCount, QWidget *parent) {
        ++dialogs;
        // Every print starts from one collated copy of all pages.
        [&] {
            QCOMPARE(pageCount, 4);
            QVERIFY(parent);
            QCOMPARE(printer.copyCount(), 1);
            QVERIFY(printer.collateCopies());
            QCOMPARE(printer.printRange(), QPrinter::AllPages);
        }();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (dialogs == 1) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            printer.setCopyCount(2);
        }
        return dialogs < 3; // the third time the user cancels
    });
    m_onPreview = [&](ReportPreview &preview) {
        preview.command(u"actPrint")->trigger();
        QCOMPARE(pdfPageCount(pdf), 4); // pages 2 and 3, twice
        QVERIFY(QFile::remove(pdf));
        preview.command(u"actPrint")->trigger();
        QCOMPARE(pdfPageCount(pdf), 4); // all four, once
        QVERIFY(QFile::remove(pdf));
        preview.command(u"actPrint")->trigger();
        QVERIFY(!QFile::exists(pdf));
    };
    print(Which::Inspection);
    QCOMPARE(dialogs, 3);
    QVERIFY(m_errors.isEmpty());
}

void TestReports::printerFailureGoesToTheSink()
{
    reportdialogs::setPrintDialogHandler([&](QPrinter &printer, int, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/nonexistent-folder/vendalo/printed.pdf"));
        return true;
    });
    bool checked = false;
    m_onPreview = [&](ReportPreview &preview) {
        preview.show();
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        preview.command(u"actPrint")->trigger();
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(isRuntimeError(m_errors[0]));
        QCOMPARE(m_errorSenders[0], &preview);
        m_errors.clear();
        QVERIFY(preview.isVisible());
        checked = true;
    };
    print(Which::ToDo);
    QVERIFY(checked);
}

void TestReports::printSetupWorksOnThePrinterThePreviewsUse()
{
    QPrinter *setUp = nullptr;
    QWidget *setUpParent = nullptr;
    reportdialogs::setPrintSetupHandler([&](QPrinter &printer, QWidget *parent) {
        setUp = &printer;
        setUpParent = parent;
        // The user picks A4; the reports still go out on US Letter.
        printer.setPageSize(QPageSize(QPageSize::A4));
    });
    m_reports->MnuFilePrintSetupClick(&m_window);
    QCOMPARE(setUp, &m_reports->printer());
    QCOMPARE(setUpParent, &m_window);
    // Setting up prepares nothing.
    QVERIFY(!m_reports->templatesMade());

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("setup.pdf"));
    QPrinter *printedWith = nullptr;
    reportdialogs::setPrintDialogHandler([&](QPrinter &printer, int, QWidget *) {
        printedWith = &printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    m_onPreview = [](ReportPreview &preview) {
        preview.command(u"actPrint")->trigger();
    };
    print(Which::Inspection);
    QCOMPARE(printedWith, setUp);
    QCOMPARE(setUp->pageLayout().pageSize().id(), QPageSize::Letter);
    QCOMPARE(pdfPageCount(pdf), 4);
    QVERIFY(m_errors.isEmpty());
}

void TestReports::documentsAsPdf()
{
    enterWorkedExample(*m_sheet);
    const QString folder = QStringLiteral(VDL_REPORT_OUTPUT_DIR);
    const std::pair<Which, const char *> documents[] = {
        {Which::NetGain, "frxNetGainAfterSale"},
        {Which::Inspection, "frxHomeInspectionForm"},
        {Which::ToDo, "frxToDoList"},
    };
    QHash<Which, QList<PreparedPage>> prepared;
    for (auto [which, name] : documents) {
        const QString path =
            QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".pdf"));
        QFile::remove(path);
        prepared[which] = print(which);
        report::writePdf(path, prepared[which]);
        QCOMPARE(pdfPageCount(path), int(prepared[which].size()));
    }

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed; the PDF files are written but not read back");

    // Where the words landed on paper, against the layout, to within a unit.
    struct Expected
    {
        Which which;
        int page;
        const char *word;
        const char *slot;
        bool rightEdge; // compare the word's right edge, else its left edge
    };
    const Expected expected[] = {
        {Which::NetGain, 0, "$258,000.00", "lblSalesPrice", true},
        {Which::NetGain, 0, "6%", "lblSalesCommissionPercent", true},
        {Which::NetGain, 0, "($23,777)", "lbl13_4", true},
        {Which::NetGain, 0, "www.vendalo.example", "lblURL", true},
        {Which::NetGain, 0, "Vendalo,", "lblApplicationTitle", false},
        {Which::Inspection, 3, "Vendalo,", "lblApplicationTitle4", false},
        {Which::Inspection, 0, "Home", "lblReportTitle", false},
        {Which::ToDo, 2, "Vendalo,", "lblApplicationTitle4", false},
        {Which::ToDo, 0, "Completed", "memSection1Completed", true},
    };
    for (const Expected &e : expected) {
        const QString name = QString::fromLatin1(documents[int(e.which)].second);
        const QList<PdfWord> words = pdfWords(QDir(folder).filePath(name + QStringLiteral(".pdf")));
        QVERIFY2(!words.isEmpty(), qPrintable(name));
        const PlacedText *slot = placed(prepared[e.which][e.page], QString::fromLatin1(e.slot));
        QVERIFY(slot && !slot->lines.isEmpty());
        const report::PlacedLine &line = slot->lines.first();
        const auto found = std::find_if(words.begin(), words.end(), [&](const PdfWord &w) {
            return w.page == e.page && w.text == QString::fromUtf8(e.word) &&
                   qAbs(w.box.bottom() - line.rect.bottom()) < 4;
        });
        QVERIFY2(found != words.end(), e.word);
        const double edge = e.rightEdge ? found->box.right() : found->box.left();
        const double want = e.rightEdge ? line.rect.right() : line.rect.left();
        QVERIFY2(qAbs(edge - want) <= 1.0,
                 qPrintable(QStringLiteral("%1: %2 on paper, %3 in the layout")
                                .arg(QLatin1StringView(e.word))
                                .arg(edge)
                                .arg(want)));
        QVERIFY2(qAbs(found->box.bottom() - line.rect.bottom()) <= 1.0,
                 qPrintable(QStringLiteral("%1: bottom %2 on paper, %3 in the layout")
                                .arg(QLatin1StringView(e.word))
                                .arg(found->box.bottom())
                                .arg(line.rect.bottom())));
    }
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
