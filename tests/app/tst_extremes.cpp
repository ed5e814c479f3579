// The worksheet at the edges of what its fields accept: every money field at
// its largest and smallest mask value, the term at -32768 and 32767, the
// rates at +-999.9999, typed and loaded from the value file. Each either
// computes or shows message A; nothing ever reads "nan" or "inf", on screen or
// in the file; an amount too wide for its grid column keeps the column's
// width and is offered whole as the cell's tip.

#include "Application.h"
#include "ErrorMessages.h"
#include "HelpViewer.h"
#include "NumericField.h"
#include "Platform.h"
#include "ResultsGrid.h"
#include "TfrmMain.h"
#include "Worksheet.h"

#include <QHelpEvent>
#include <QLabel>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include "StartMainWindow.h"
#include <QToolTip>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Figures = QList<QPair<QString, QString>>; // field, typed text (en_US)

const QStringList moneyInputs = {
    QStringLiteral("edtVDPOriginalLoanAmount"),
    QStringLiteral("edtVDPDesiredSalesPrice"),
    QStringLiteral("edtVDPFirstLoanBalance"),
    QStringLiteral("edtVDPSecondLoanBalance"),
    QStringLiteral("edtVDPOtherLoans"),
    QStringLiteral("edtVDPPropertyTaxes"),
    QStringLiteral("edtVDPInsurance"),
    QStringLiteral("edtVDPAnnualHOADues"),
    QStringLiteral("edtVDPMonthlyUtilities"),
    QStringLiteral("edtVDPPrepaymentPenalty"),
    QStringLiteral("edtVDPOtherSalesCommission"),
    QStringLiteral("edtVDPOtherFees"),
    QStringLiteral("edtSpread"),
};
const QStringList rateInputs = {
    QStringLiteral("edtVDPOriginalInterestRate"),
    QStringLiteral("edtVDPTransferTaxPercent"),
    QStringLiteral("edtVDPSalesCommissionPercent"),
};
const QString largest = QStringLiteral("99999999.99");
const QString smallest = QStringLiteral("-99999999.99");

// The value file's key of a field: its name without the prefix.
QByteArray keyOf(const QString &field)
{
    QString key = field;
    key.remove(QStringLiteral("edtVDP")).remove(QStringLiteral("edt"));
    return key.toUtf8();
}

bool showsNoNumber(const QString &text)
{
    return text.contains(u"nan", Qt::CaseInsensitive) || text.contains(u"inf", Qt::CaseInsensitive);
}

} // namespace

Q_DECLARE_METATYPE(Figures)

class TestExtremes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void typed_data();
    void typed();
    void loaded_data() { typed_data(); }
    void loaded();
    void wideAmountsKeepTheirColumnsAndShowWhole();

private:
    std::unique_ptr<TfrmMain> start();
    void type(TfrmMain &w, const QString &field, const QString &text);
    void recalculate(TfrmMain &w);
    void checkOutcome(TfrmMain &w, const QString &outcome);
    void checkSavedFile(const Figures &figures);

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_messages;
};

void TestExtremes::initTestCase()
{
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    HelpViewer::setWindowEnabled(false);
    platform::setInformationHandler([this](QWidget *, const QString &text) { m_messages << text; });
    platform::setClock([] { return QDateTime(QDate(2026, 6, 15), QTime(9, 30, 5)); });
    platform::setScreenWidthProvider([] { return 1024; });
}

void TestExtremes::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());
    m_messages.clear();
}

std::unique_ptr<TfrmMain> TestExtremes::start()
{
    return startMainWindow();
}

void TestExtremes::typed_data()
{
    QTest::addColumn<Figures>("figures");
    QTest::addColumn<QString>("outcome"); // "computes" or "A"

    for (const QString &field : moneyInputs) {
        QTest::addRow("%s largest", qPrintable(field)) << Figures{{field, largest}} << "computes";
        QTest::addRow("%s smallest", qPrintable(field)) << Figures{{field, smallest}} << "computes";
    }
    for (const QString &field : rateInputs) {
        QTest::addRow("%s largest", qPrintable(field))
            << Figures{{field, u"999.9999"_s}} << "computes";
        QTest::addRow("%s smallest", qPrintable(field))
            << Figures{{field, u"-999.9999"_s}} << "computes";
    }
    const QString term = QStringLiteral("edtVDPOriginalTerm");
    const QString rate = QStringLiteral("edtVDPOriginalInterestRate");
    QTest::newRow("term smallest") << Figures{{term, u"-32768"_s}} << "computes";
    QTest::newRow("term largest") << Figures{{term, u"32767"_s}} << "computes";
    // (1 + r)^-n overflows: e^(32768 ln 1.83) and e^(32767 * 1.79).
    QTest::newRow("term smallest, rate largest")
        << Figures{{term, u"-32768"_s}, {rate, u"999.9999"_s}} << "A";
    QTest::newRow("term largest, rate smallest")
        << Figures{{term, u"32767"_s}, {rate, u"-999.9999"_s}} << "A";
    QTest::newRow("term largest, rate largest")
        << Figures{{term, u"32767"_s}, {rate, u"999.9999"_s}} << "computes";

    Figures allLargest, allSmallest;
    for (const QString &field : moneyInputs) {
        allLargest.append({field, largest});
        allSmallest.append({field, smallest});
    }
    QTest::newRow("every amount largest") << allLargest << "computes";
    QTest::newRow("every amount smallest") << allSmallest << "computes";
    Figures everything = allLargest;
    for (const QString &field : rateInputs)
        everything.append({field, u"999.9999"_s});
    everything.append({term, u"32767"_s});
    QTest::newRow("everything largest") << everything << "computes";
}

void TestExtremes::type(TfrmMain &w, const QString &field, const QString &text)
{
    NumericField *f = w.worksheet()->field(field);
    QVERIFY2(f, qPrintable(field));
    f->setFocus(Qt::MouseFocusReason);
    f->selectAll();
    QTest::keyClicks(f, text);
    QVERIFY2(!f->hasError(), qPrintable(field + QStringLiteral(": ") + f->text()));
}

void TestExtremes::recalculate(TfrmMain &w)
{
    // Leaving the desired sales price: the one recalculation, by the keyboard.
    NumericField *f = w.worksheet()->field(u"edtVDPDesiredSalesPrice");
    f->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents(); // what leaving the last typed field showed
    m_messages.clear();
    QTest::keyClick(f, Qt::Key_Tab);
    QCoreApplication::processEvents();
}

void TestExtremes::checkOutcome(TfrmMain &w, const QString &outcome)
{
    Worksheet *sheet = w.worksheet();
    if (outcome == u"A") {
        QCOMPARE(m_messages, QStringList{calculationErrorMessage()});
    } else {
        QCOMPARE(m_messages, QStringList());
        for (int r = 1; r < ResultsGrid::rows; ++r) {
            for (int c = 0; c < ResultsGrid::columns; ++c)
                QVERIFY2(!sheet->grid()->cellText(r, c).isEmpty(), qPrintable(QString::number(c)));
        }
    }
    for (int r = 1; r < ResultsGrid::rows; ++r) {
        for (int c = 0; c < ResultsGrid::columns; ++c)
            QVERIFY(!showsNoNumber(sheet->grid()->cellText(r, c)));
    }
    QVERIFY(!showsNoNumber(sheet->carryingCostsLabel()->text()));
    QVERIFY(!showsNoNumber(sheet->closingCostsLabel()->text()));
    for (NumericField *f : sheet->findChildren<NumericField *>())
        QVERIFY2(!showsNoNumber(f->text()),
                 qPrintable(f->objectName() + QStringLiteral(": ") + f->text()));
}

void TestExtremes::checkSavedFile(const Figures &figures)
{
    QFile f(m_dir->filePath(QStringLiteral("Vendalo/vdl.ini")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray saved = f.readAll();
    QVERIFY2(!showsNoNumber(QString::fromUtf8(saved)), saved.constData());
    for (const auto &[field, text] : figures)
        QVERIFY2(saved.contains("\n" + keyOf(field) + "=" + text.toUtf8() + "\n"),
                 saved.constData());
}

void TestExtremes::typed()
{
    QFETCH(Figures, figures);
    QFETCH(QString, outcome);

    auto w = start();
    QVERIFY(w);
    for (const auto &[field, text] : figures)
        type(*w, field, text);
    recalculate(*w);
    checkOutcome(*w, outcome);
    QVERIFY(w->close());
    QCoreApplication::processEvents();
    QCOMPARE(m_messages.count(generalErrorMessage()), 0); // the save worked
    w.reset();
    checkSavedFile(figures);
}

void TestExtremes::loaded()
{
    QFETCH(Figures, figures);
    QFETCH(QString, outcome);

    QByteArray file = "[GeneralValues]\nRun=1\n[InitialValues]\n";
    for (const auto &[field, text] : figures)
        file += keyOf(field) + "=" + text.toUtf8() + "\n";
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("Vendalo"))));
    QFile f(m_dir->filePath(QStringLiteral("Vendalo/vdl.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();

    auto w = start();
    QVERIFY(w);
    for (const auto &[field, text] : figures) {
        NumericField *shown = w->worksheet()->field(field);
        QCOMPARE(shown->value(), QLocale::c().toDouble(text));
        QVERIFY(!shown->hasError());
    }
    recalculate(*w);
    checkOutcome(*w, outcome);
    QVERIFY(w->close());
    w.reset();
    checkSavedFile(figures);
}

void TestExtremes::wideAmountsKeepTheirColumnsAndShowWhole()
{
    auto w = start();
    QVERIFY(w);
    // Ten-digit losses: the lowest price against the largest debts.
    type(*w, u"edtVDPDesiredSalesPrice"_s, smallest);
    for (const char *debt : {"edtVDPFirstLoanBalance", "edtVDPSecondLoanBalance",
                             "edtVDPOtherLoans", "edtVDPPrepaymentPenalty", "edtSpread"})
        type(*w, QString::fromLatin1(debt), largest);
    recalculate(*w);
    QCOMPARE(m_messages, QStringList());

    ResultsGrid *grid = w->worksheet()->grid();
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    int tooWide = 0;
    QModelIndex wideCell;
    for (int c = 0; c < ResultsGrid::columns; ++c) {
        QCOMPARE(grid->columnWidth(c), ResultsGrid::standardColumnWidth(c));
        for (int r = 1; r < ResultsGrid::rows; ++r) {
            const QTableWidgetItem *cell = grid->item(r, c);
            const bool fits = grid->fontMetrics().horizontalAdvance(cell->text()) + 2 * margin <=
                              grid->columnWidth(c);
            QCOMPARE(cell->toolTip(), fits ? QString() : cell->text());
            if (!fits) {
                ++tooWide;
                wideCell = grid->model()->index(r, c);
            }
        }
    }
    QVERIFY(tooWide > 0); // the case this is about

    // Resting the pointer on such a cell shows the whole amount.
    grid->scrollTo(wideCell);
    const QPoint at = grid->visualRect(wideCell).center();
    QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(grid->viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), grid->model()->data(wideCell).toString());
    QVERIFY(w->close());
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestExtremes test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_extremes.moc"
