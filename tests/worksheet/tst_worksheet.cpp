#include "FloatingPoint.h"
#include "Hints.h"
#include "MoneyText.h"
#include "MonthBox.h"
#include "NumericField.h"
#include "ResultsGrid.h"
#include "Worksheet.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include "CLibraryLocale.h"

#include <cmath>

// Values set into fields by object name.
using Figures = QList<std::pair<QString, double>>;

class TestWorksheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void workedExampleTyped_data();
    void workedExampleTyped();
    void tabCycle();
    void controlsAreLaidOut();
    void typedComputedFieldIsOverwritten();
    void typingInMonthBoxFallsBackToJanuary();
    void pickingMonthRecalculatesAtOnce();
    void nonMonthTextStaysWhenAnotherFieldRecalculates();
    void settingFieldsFromCodeDoesNotRecalculate();
    void intervalZeroAndNegative();
    void termAndRateEdgeCases_data();
    void termAndRateEdgeCases();
    void floatingPointFaultStopsRecalculation();
    void faultInLaterStageKeepsEarlierResults_data();
    void faultInLaterStageKeepsEarlierResults();
    void leavingMonthBoxWithNonMonthGivesJanuary();
    void failedRecalculationIsHandedOn();
    void gridKeepsHeaderAndCentring();
    void closingWithFocusInTheMonthBoxDoesNotRecalculate();

private:
    NumericField *field(const char *name) const
    {
        return m_sheet->field(QLatin1StringView(name));
    }
    void type(const char *name, const QString &keys);
    void leaveBy(const char *name); // mouse-focus another field
    // The worked example's 17 entries and the month box (an empty entry), in Tab order;
    // none given: typed as plain digits.
    void enterWorkedExample(const QStringList &keys = {});

    std::unique_ptr<Worksheet> m_sheet;
};

void TestWorksheet::initTestCase()
{
    VDL_CHECK_C_LIBRARY_LOCALE();
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
}

void TestWorksheet::init()
{
    m_sheet = std::make_unique<Worksheet>();
    m_sheet->show();
    m_sheet->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_sheet.get()));
}

void TestWorksheet::cleanup()
{
    m_sheet.reset();
}

void TestWorksheet::type(const char *name, const QString &keys)
{
    NumericField *f = field(name);
    f->setFocus(Qt::MouseFocusReason);
    f->selectAll();
    QTest::keyClicks(f, keys);
}

void TestWorksheet::leaveBy(const char *name)
{
    field(name)->setFocus(Qt::MouseFocusReason);
}

void TestWorksheet::enterWorkedExample(const QStringList &keys)
{
    // Typed into the fields one after the other in Tab order, the way a user does.
    static const char *const names[] = {
        "edtVDPOriginalLoanAmount", "edtVDPOriginalTerm",     "edtVDPOriginalInterestRate",
        "edtVDPDesiredSalesPrice",  "edtVDPFirstLoanBalance", "edtVDPSecondLoanBalance",
        "edtVDPOtherLoans",         "edtVDPPropertyTaxes",    "edtVDPInsurance",
        "edtVDPAnnualHOADues",      "edtVDPMonthlyUtilities", nullptr, // the month box
        "edtVDPTransferTaxPercent", "edtVDPPrepaymentPenalty", "edtVDPSalesCommissionPercent",
        "edtVDPOtherSalesCommission", "edtVDPOtherFees",      "edtSpread",
    };
    static const QStringList plain = {"235000", "360", "6",    "258000", "228000", "0",
                                      "0",      "1200", "1800", "1200",  "370",    QString(),
                                      "0",      "0",   "6",    "0",      "50",     "4000"};
    const QStringList &typed = keys.isEmpty() ? plain : keys;
    QCOMPARE(typed.size(), qsizetype(std::size(names)));
    // The loan amount field has the focus since the window opened.
    QCOMPARE(QApplication::focusWidget(), field("edtVDPOriginalLoanAmount"));
    field("edtVDPOriginalLoanAmount")->selectAll();
    for (size_t i = 0; i < std::size(names); ++i) {
        if (names[i]) {
            QCOMPARE(QApplication::focusWidget(), field(names[i]));
            QTest::keyClicks(QApplication::focusWidget(), typed[i]);
        } else {
            // The closing-month box already reads "July".
            QCOMPARE(QApplication::focusWidget(), m_sheet->closingMonthBox());
            QCOMPARE(m_sheet->closingMonthBox()->currentText(), QStringLiteral("July"));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

void TestWorksheet::workedExampleTyped_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("fields"); // payment, commission, prorated taxes, transfer taxes
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("en_US") << "en_US" << QStringList()
                           << QStringList{"1,408.94", "15,480.00", "700.00", "0.00"}
                           << QStringList{"$2,128.94", "$16,230.00"};
    // Decimal commas and grouping dots, as a German user types them.
    QTest::newRow("de_DE") << "de_DE"
                           << QStringList{"235000,00", "360", "6,0000", "258.000", "228000",
                                          "0",         "0",   "1200",   "1800",    "1200,00",
                                          "370",       {},    "0,0",    "0",       "6",
                                          "0",         "50",  "4.000"}
                           << QStringList{"1.408,94", "15.480,00", "700,00", "0,00"}
                           << QStringList{"2.128,94\u00a0€", "16.230,00\u00a0€"};
}

void TestWorksheet::workedExampleTyped()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, labels);
    const QLocale l(locale);
    m_sheet.reset();
    QLocale::setDefault(l);
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); });
    init();

    enterWorkedExample(keys);

    QCOMPARE(field("edtVDPOriginalPI")->text(), fields[0]);
    QCOMPARE(field("edtVDPSalesCommission")->text(), fields[1]);
    QCOMPARE(field("edtVDPPropertyTaxesPaid")->text(), fields[2]);
    QCOMPARE(field("edtVDPTransferTaxesPaid")->text(), fields[3]);
    QCOMPARE(m_sheet->carryingCostsLabel()->text(), labels[0]);
    QCOMPARE(m_sheet->closingCostsLabel()->text(), labels[1]);

    // The columns printed in the worked example.
    const int printed[] = {0, 1, 2, 3, 7, 8, 13};
    const int table[4][7] = {
        {258000, 13770, 11641, 9512, 996, -1133, -11777},
        {254000, 9770, 7641, 5512, -3004, -5133, -15777},
        {250000, 5770, 3641, 1512, -7004, -9133, -19777},
        {246000, 1770, -359, -2488, -11004, -13133, -23777},
    };
    // Written by hand for the two locales, not through the money forms.
    const auto written = [&](int amount) {
        const QString digits = QString::number(std::abs(amount));
        QString grouped;
        const QString group = locale == u"de_DE" ? QStringLiteral(".") : QStringLiteral(",");
        for (qsizetype i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0)
                grouped += group;
            grouped += digits[i];
        }
        if (locale == u"de_DE")
            return (amount < 0 ? QStringLiteral("-") : QString()) + grouped + QStringLiteral("\u00a0€");
        return amount < 0 ? QStringLiteral("($%1)").arg(grouped) : QStringLiteral("$%1").arg(grouped);
    };
    // The other columns from the formulas: each month on the market costs one
    // month of carrying costs.
    const double r = 0.005;
    const double pi = 235000 * r / (1 - std::pow(1 + r, -360));
    const double k = 1800.0 / 12 + pi + 1200.0 / 12 + 1200.0 / 12 + 370;
    ResultsGrid *grid = m_sheet->grid();
    for (int row = 1; row <= 4; ++row) {
        const double proceeds = 13770 - (row - 1) * 4000.0;
        for (int col = 0; col < 14; ++col) {
            const auto at = std::find(std::begin(printed), std::end(printed), col);
            const QString expected = at != std::end(printed)
                                         ? written(table[row - 1][at - std::begin(printed)])
                                         : WholeMoneyToText(proceeds - (col - 1) * k, l);
            QVERIFY2(grid->cellText(row, col) == expected,
                     qPrintable(QStringLiteral("row %1 column %2: %3, expected %4")
                                    .arg(row).arg(col).arg(grid->cellText(row, col), expected)));
        }
    }
}

void TestWorksheet::tabCycle()
{
    const QStringList expected = {
        QStringLiteral("edtVDPOriginalTerm"),           QStringLiteral("edtVDPOriginalInterestRate"),
        QStringLiteral("edtVDPDesiredSalesPrice"),      QStringLiteral("edtVDPFirstLoanBalance"),
        QStringLiteral("edtVDPSecondLoanBalance"),      QStringLiteral("edtVDPOtherLoans"),
        QStringLiteral("edtVDPPropertyTaxes"),          QStringLiteral("edtVDPInsurance"),
        QStringLiteral("edtVDPAnnualHOADues"),          QStringLiteral("edtVDPMonthlyUtilities"),
        QStringLiteral("cbVDPClosingMonth"),            QStringLiteral("edtVDPTransferTaxPercent"),
        QStringLiteral("edtVDPPrepaymentPenalty"),      QStringLiteral("edtVDPSalesCommissionPercent"),
        QStringLiteral("edtVDPOtherSalesCommission"),   QStringLiteral("edtVDPOtherFees"),
        QStringLiteral("edtSpread"),                    QStringLiteral("edtVDPOriginalLoanAmount"),
    };
    field("edtVDPOriginalLoanAmount")->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *w = QApplication::focusWidget();
        if (qobject_cast<QComboBox *>(w->parentWidget()))
            w = w->parentWidget();
        visited << w->objectName();
    }
    QCOMPARE(visited, expected);
}

void TestWorksheet::controlsAreLaidOut()
{
    struct Expected { const char *name; int width; };
    const Expected widths[] = {
        {"edtVDPOriginalLoanAmount", 111}, {"edtVDPOriginalTerm", 56},
        {"edtVDPOriginalInterestRate", 64}, {"edtVDPOriginalPI", 80},
        {"edtVDPSalesCommissionPercent", 64}, {"edtVDPDesiredSalesPrice", 121},
        {"edtVDPOtherFees", 121}, {"edtSpread", 91},
    };
    for (const Expected &e : widths)
        QCOMPARE(field(e.name)->width(), e.width);

    auto *panel = m_sheet->findChild<QWidget *>(QStringLiteral("pnlMain"));
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), QRect(15, 50, 761, 321));
    int inPanel = 0;
    for (auto *f : panel->findChildren<NumericField *>())
        inPanel += f->isVisibleTo(m_sheet.get()) ? 1 : 0;
    QCOMPARE(inPanel, 20);
    QVERIFY(!field("edtEnteredPrepaymentPenalty")->isVisibleTo(m_sheet.get()));

    // Every label fits its text and stays inside the panel.
    for (auto *label : m_sheet->findChildren<QLabel *>()) {
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        QVERIFY(label->parentWidget()->rect().contains(label->geometry()));
    }
    QCOMPARE(m_sheet->carryingCostsLabel()->text(), QStringLiteral("$99,9999.99"));
    QCOMPARE(m_sheet->carryingCostsLabel()->geometry().right(),
             field("edtVDPDesiredSalesPrice")->geometry().right());
    QCOMPARE(m_sheet->closingCostsLabel()->geometry().right(),
             field("edtVDPOtherFees")->geometry().right());
    QCOMPARE(hints::hint(field("edtVDPDesiredSalesPrice")),
             QStringLiteral("Enter the desired sales price of your home."));
    QVERIFY(hints::hint(field("edtVDPOriginalPI")).isEmpty());
    QCOMPARE(hints::nearestHelpContext(m_sheet->closingMonthBox()), 130);
    QVERIFY(field("edtVDPOriginalPI")->toolTip().isEmpty());
}

void TestWorksheet::typedComputedFieldIsOverwritten()
{
    enterWorkedExample();
    type("edtVDPOriginalPI", QStringLiteral("999"));
    type("edtVDPSalesCommission", QStringLiteral("1"));
    QCOMPARE(field("edtVDPOriginalPI")->text(), QStringLiteral("1,408.94"));
    leaveBy("edtVDPOtherFees");
    QCOMPARE(field("edtVDPSalesCommission")->text(), QStringLiteral("15,480.00"));
}

void TestWorksheet::typingInMonthBoxFallsBackToJanuary()
{
    enterWorkedExample();
    MonthBox *box = m_sheet->closingMonthBox();
    box->setFocus(Qt::MouseFocusReason);
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_J);
    // At once, without leaving the box.
    QCOMPARE(box->currentText(), QStringLiteral("January"));
    QCOMPARE(field("edtVDPPropertyTaxesPaid")->value(), 100.0);
    QCOMPARE(m_sheet->closingCostsLabel()->text(), QStringLiteral("$15,630.00"));

    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("march"));
    QCOMPARE(box->currentText(), QStringLiteral("January"));
}

void TestWorksheet::pickingMonthRecalculatesAtOnce()
{
    enterWorkedExample();
    MonthBox *box = m_sheet->closingMonthBox();
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(box, Qt::Key_Down); // July -> August
    QCOMPARE(box->currentText(), QStringLiteral("August"));
    QVERIFY(box->hasFocus());
    QCOMPARE(field("edtVDPPropertyTaxesPaid")->value(), 800.0);
    QCOMPARE(m_sheet->closingCostsLabel()->text(), QStringLiteral("$16,330.00"));
    QCOMPARE(m_sheet->grid()->cellText(1, 1), QStringLiteral("$13,670"));
}

void TestWorksheet::nonMonthTextStaysWhenAnotherFieldRecalculates()
{
    enterWorkedExample();
    MonthBox *box = m_sheet->closingMonthBox();
    box->setEditText(QStringLiteral("Dezember")); // as a reset would put it under de_DE
    QCOMPARE(field("edtVDPPropertyTaxesPaid")->value(), 700.0); // nothing recalculated yet
    type("edtVDPOtherFees", QStringLiteral("50"));
    leaveBy("edtSpread");
    QCOMPARE(box->currentText(), QStringLiteral("Dezember"));
    QCOMPARE(field("edtVDPPropertyTaxesPaid")->value(), 0.0);
    QCOMPARE(m_sheet->closingCostsLabel()->text(), QStringLiteral("$15,530.00"));
}

void TestWorksheet::settingFieldsFromCodeDoesNotRecalculate()
{
    QSignalSpy started(m_sheet.get(), &Worksheet::allowPrintingRequested);
    field("edtVDPDesiredSalesPrice")->setValue(300000);
    m_sheet->closingMonthBox()->setEditText(QStringLiteral("March"));
    QCOMPARE(started.size(), 0);
    QCOMPARE(m_sheet->grid()->cellText(1, 0), QString());
    QCOMPARE(m_sheet->closingCostsLabel()->text(), QStringLiteral("$99,9999.99"));

    type("edtVDPDesiredSalesPrice", QStringLiteral("1"));
    const qsizetype before = started.size();
    leaveBy("edtVDPOtherFees");
    QCOMPARE(started.size(), before + 1);
    QCOMPARE(m_sheet->grid()->cellText(1, 0), QStringLiteral("$1"));
}

void TestWorksheet::intervalZeroAndNegative()
{
    enterWorkedExample();
    type("edtSpread", QStringLiteral("0"));
    leaveBy("edtVDPOtherFees");
    for (int row = 2; row <= 4; ++row) {
        for (int col = 0; col < 14; ++col)
            QCOMPARE(m_sheet->grid()->cellText(row, col), m_sheet->grid()->cellText(1, col));
    }
    type("edtSpread", QStringLiteral("-1000"));
    leaveBy("edtVDPOtherFees");
    QCOMPARE(m_sheet->grid()->cellText(2, 0), QStringLiteral("$259,000"));
    QCOMPARE(m_sheet->grid()->cellText(4, 1), QStringLiteral("$16,770"));
}

void TestWorksheet::termAndRateEdgeCases_data()
{
    QTest::addColumn<QString>("loan");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("payment");

    QTest::newRow("term 0") << "235000" << "0" << "6" << "0.00";
    QTest::newRow("rate 0") << "120000" << "360" << "0" << "333.33";
    QTest::newRow("negative term") << "1000" << "-12" << "12" << "-78.85";
}

void TestWorksheet::termAndRateEdgeCases()
{
    QFETCH(QString, loan);
    QFETCH(QString, term);
    QFETCH(QString, rate);
    type("edtVDPOriginalLoanAmount", loan);
    type("edtVDPOriginalTerm", term);
    type("edtVDPOriginalInterestRate", rate);
    leaveBy("edtVDPDesiredSalesPrice");
    QTEST(field("edtVDPOriginalPI")->text(), "payment");
}

void TestWorksheet::floatingPointFaultStopsRecalculation()
{
    enterWorkedExample();
    const QString before = m_sheet->grid()->cellText(1, 13);
    field("edtVDPOriginalTerm")->setValue(-32768);
    field("edtVDPOriginalInterestRate")->setValue(30);
    QSignalSpy started(m_sheet.get(), &Worksheet::allowPrintingRequested);
    QVERIFY_THROWS_EXCEPTION(FloatingPointError, m_sheet->CalcVDP(field("edtVDPOriginalTerm")));
    QCOMPARE(started.size(), 1); // print preview was allowed before the fault
    QCOMPARE(field("edtVDPOriginalPI")->text(), QStringLiteral("1,408.94"));
    QCOMPARE(m_sheet->grid()->cellText(1, 13), before);

    // A sound term afterwards calculates again.
    field("edtVDPOriginalTerm")->setValue(360);
    m_sheet->CalcVDP(field("edtVDPOriginalTerm"));
    QVERIFY(field("edtVDPOriginalPI")->value() > 2000);
}

void TestWorksheet::faultInLaterStageKeepsEarlierResults_data()
{
    QTest::addColumn<Figures>("figures");
    QTest::addColumn<bool>("carryingShown");    // the new carrying costs reach their label
    QTest::addColumn<int>("gridRowsWritten");   // data rows rewritten before the fault

    // Figures no mask lets anybody type, but a hand-edited value file can hold.
    using F = Figures;
    QTest::newRow("carrying costs overflow")
        << F{{"edtVDPPropertyTaxes", 1.7e308}, {"edtVDPMonthlyUtilities", 1.7e308}} << false << 0;
    // The transfer taxes and the penalty each fit, and so do the net proceeds, whose sum
    // pairs the transfer taxes with the (negative) prorated taxes; the transaction costs,
    // summed from the left, do not.
    QTest::newRow("transaction costs overflow")
        << F{{"edtVDPDesiredSalesPrice", 1e308}, {"edtVDPTransferTaxPercent", 100},
             {"edtVDPSalesCommissionPercent", 0}, {"edtVDPPrepaymentPenalty", 1e308},
             {"edtVDPPropertyTaxes", -1.7e308}}
        << true << 0;
    QTest::newRow("third grid row overflows")
        << F{{"edtSpread", 1.7e308}, {"edtVDPMonthlyUtilities", 470}} << true << 2;
}

void TestWorksheet::faultInLaterStageKeepsEarlierResults()
{
    QFETCH(Figures, figures);
    QFETCH(bool, carryingShown);
    QFETCH(int, gridRowsWritten);

    enterWorkedExample();
    const QString carrying = m_sheet->carryingCostsLabel()->text();
    const QString closing = m_sheet->closingCostsLabel()->text();
    ResultsGrid *grid = m_sheet->grid();
    QStringList cells;
    for (int row = 1; row <= 4; ++row)
        cells << grid->cellText(row, 0);

    for (const auto &[name, value] : figures)
        m_sheet->field(name)->setValue(value);
    QVERIFY_THROWS_EXCEPTION(FloatingPointError, m_sheet->CalcVDP(nullptr));

    QCOMPARE(m_sheet->carryingCostsLabel()->text() != carrying, carryingShown);
    QCOMPARE(m_sheet->closingCostsLabel()->text(), closing);
    for (int row = 2; row <= 4; ++row) {
        QVERIFY2((grid->cellText(row, 0) != cells[row - 1]) == (row <= gridRowsWritten),
                 qPrintable(QStringLiteral("row %1: %2").arg(row).arg(grid->cellText(row, 0))));
    }
}

void TestWorksheet::leavingMonthBoxWithNonMonthGivesJanuary()
{
    enterWorkedExample();
    MonthBox *box = m_sheet->closingMonthBox();
    box->setEditText(QStringLiteral("Dezember"));
    box->setFocus(Qt::MouseFocusReason);
    QCOMPARE(box->currentText(), QStringLiteral("Dezember")); // entering changes nothing
    leaveBy("edtVDPOtherFees");
    QCOMPARE(box->currentText(), QStringLiteral("January"));
    QCOMPARE(field("edtVDPPropertyTaxesPaid")->value(), 100.0);
}

void TestWorksheet::failedRecalculationIsHandedOn()
{
    enterWorkedExample();
    QSignalSpy failed(m_sheet.get(), &Worksheet::recalculationFailed);
    type("edtVDPOriginalTerm", QStringLiteral("-32768"));
    type("edtVDPOriginalInterestRate", QStringLiteral("30")); // leaving the term: still 6 %
    QCOMPARE(failed.size(), 0);
    leaveBy("edtVDPOtherFees"); // the focus change itself goes through
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.first().at(0).value<QObject *>(), field("edtVDPOriginalInterestRate"));
    QVERIFY(field("edtVDPOtherFees")->hasFocus());
}

void TestWorksheet::gridKeepsHeaderAndCentring()
{
    ResultsGrid *grid = m_sheet->grid();
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(grid->columnCount(), 14);
    for (int i = 0; i < 3; ++i) {
        // Whatever happened to the grid since, a recalculation shapes it again.
        grid->setColumnWidth(3, 200);
        grid->setCurrentCell(2, 5);
        grid->item(2, 4)->setTextAlignment(Qt::AlignLeft);
        grid->item(0, 6)->setTextAlignment(Qt::AlignRight);
        grid->setRowCount(3);
        m_sheet->CalcVDP(nullptr);
    }
    const QStringList headers = {"Sales Price", "Desired Proceeds", "After 1 Month", "2 Months",
                                 "3 Months",    "4 Months",         "5 Months",      "6 Months",
                                 "7 Months",    "8 Months",         "9 Months",      "10 Months",
                                 "11 Months",   "12 Months"};
    int total = 0;
    for (int col = 0; col < 14; ++col) {
        QCOMPARE(grid->cellText(0, col), headers[col]);
        QVERIFY(grid->item(0, col)->font().bold());
        const QFontMetrics metrics(grid->item(0, col)->font());
        QVERIFY2(metrics.horizontalAdvance(headers[col]) + 4 <= grid->columnWidth(col),
                 qPrintable(headers[col]));
        for (int row = 0; row < 5; ++row)
            QCOMPARE(grid->item(row, col)->textAlignment(), int(Qt::AlignCenter));
        total += grid->columnWidth(col);
    }
    QCOMPARE(total, 1065);
    QCOMPARE(grid->currentRow(), 0);
    QCOMPARE(grid->currentColumn(), 0);
    QVERIFY(grid->selectedItems().isEmpty());
    QCOMPARE(grid->focusPolicy(), Qt::NoFocus);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(grid->rowHeight(0), 22);
}

void TestWorksheet::closingWithFocusInTheMonthBoxDoesNotRecalculate()
{
    // The box reports a pick when it loses the focus with an edited month
    // name in it, and going away takes its focus too.
    MonthBox *box = m_sheet->closingMonthBox();
    box->setFocus(Qt::MouseFocusReason);
    box->setEditText(QStringLiteral("March"));
    int started = 0;
    connect(m_sheet.get(), &Worksheet::allowPrintingRequested, this, [&started] { ++started; });
    m_sheet.reset();
    QCOMPARE(started, 0);
}

QTEST_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
