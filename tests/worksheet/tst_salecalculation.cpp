#include "FloatingPoint.h"
#include "SaleCalculation.h"

#include <QTest>

#include <cmath>

class TestSaleCalculation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void monthlyPayment_data();
    void monthlyPayment();
    void monthlyPaymentFaults_data();
    void monthlyPaymentFaults();
    void workedExample();
    void intervalAndCommissionShiftTheGrid();
    void overflowInEachStage();
    void closingMonthNumbers();
};

void TestSaleCalculation::monthlyPayment_data()
{
    QTest::addColumn<int>("months");
    QTest::addColumn<double>("annualRate");
    QTest::addColumn<double>("principal");
    QTest::addColumn<double>("payment");

    QTest::newRow("sample loan") << 360 << 6.0 << 235000.0 << 1408.9437;
    QTest::newRow("term 0 pays nothing") << 0 << 6.0 << 235000.0 << 0.0;
    QTest::newRow("term 0 at rate 0") << 0 << 0.0 << 235000.0 << 0.0;
    QTest::newRow("rate 0") << 360 << 0.0 << 120000.0 << 333.3333;
    QTest::newRow("negative principal") << 360 << 6.0 << -235000.0 << -1408.9437;
    QTest::newRow("one month") << 1 << 12.0 << 1000.0 << 1010.0;
    QTest::newRow("negative term") << -12 << 12.0 << 1000.0 << -78.8488;
}

void TestSaleCalculation::monthlyPayment()
{
    QFETCH(int, months);
    QFETCH(double, annualRate);
    QFETCH(double, principal);
    QFETCH(double, payment);
    QVERIFY2(std::fabs(MonthlyPayment(months, annualRate / 1200, principal) - payment) < 5e-5,
             qPrintable(QString::number(MonthlyPayment(months, annualRate / 1200, principal), 'f', 6)));
}

void TestSaleCalculation::monthlyPaymentFaults_data()
{
    QTest::addColumn<int>("months");
    QTest::addColumn<double>("monthlyRate");

    // The power overflows: e^(32768 * ln 1.025).
    QTest::newRow("overflow") << -32768 << 30.0 / 1200;
    // ln of a negative number.
    QTest::newRow("invalid") << 12 << -1.5;
    // (1 + r)^-k rounds to exactly 1.
    QTest::newRow("division by zero") << 1 << 1e-17;
}

void TestSaleCalculation::monthlyPaymentFaults()
{
    QFETCH(int, months);
    QFETCH(double, monthlyRate);
    QVERIFY_THROWS_EXCEPTION(FloatingPointError, MonthlyPayment(months, monthlyRate, 1000.0));
    // The flags are cleared again: a sound calculation afterwards passes.
    QCOMPARE(MonthlyPayment(1, 0.0, 1000.0), 1000.0);
}

void TestSaleCalculation::workedExample()
{
    SaleInputs in;
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
    const double pi = MonthlyPayment(360, 6.0 / 1200, 235000);
    const SaleCharges charges = CalculateCharges(in);
    const SaleTotals totals = CalculateTotals(in, pi, charges);
    const ProceedsGrid grid = CalculateGrid(in, charges.netProceeds, totals.carryingCosts);

    QCOMPARE(charges.commission, 15480.0);
    QCOMPARE(charges.propertyTaxesDue, 700.0);
    QCOMPARE(charges.transferTaxesDue, 0.0);
    QCOMPARE(charges.netProceeds, 13770.0);
    QCOMPARE(totals.transactionCosts, 16230.0);
    QCOMPARE(totals.carryingCosts, 1800.0 / 12 + pi + 100 + 100 + 370);
    QCOMPARE(grid[0][0], 258000.0);
    QCOMPARE(grid[3][0], 246000.0);
    QCOMPARE(grid[3][1], 1770.0);
    // Column i holds the proceeds after i - 1 months.
    QCOMPARE(grid[0][2], 13770.0 - totals.carryingCosts);
    QCOMPARE(grid[0][13], 13770.0 - 12 * totals.carryingCosts);
}

void TestSaleCalculation::intervalAndCommissionShiftTheGrid()
{
    SaleInputs in;
    in.salesPrice = 100000;
    in.commissionPercent = 5;
    in.spread = -1000;
    auto gridOf = [&in] {
        const SaleCharges charges = CalculateCharges(in);
        return CalculateGrid(in, charges.netProceeds, CalculateTotals(in, 500, charges).carryingCosts);
    };
    const ProceedsGrid base = gridOf();
    // A negative interval raises the price from row to row.
    QCOMPARE(base[1][0], 101000.0);
    QCOMPARE(base[3][1] - base[0][1], 3000.0);

    in.spread = 0;
    const ProceedsGrid flat = gridOf();
    for (int j = 1; j < gridPriceRows; ++j)
        QCOMPARE(flat[j], flat[0]);

    // One more percent of commission takes the same amount from every proceeds
    // cell, the lower prices included: commission is worked out at the desired price.
    in.commissionPercent = 6;
    const ProceedsGrid more = gridOf();
    for (int j = 0; j < gridPriceRows; ++j) {
        QCOMPARE(more[j][0], flat[j][0]);
        for (int i = 1; i < gridColumns; ++i)
            QCOMPARE(flat[j][i] - more[j][i], 1000.0);
    }
}

void TestSaleCalculation::overflowInEachStage()
{
    SaleInputs in;
    in.salesPrice = 1.7e308;
    in.firstLoanBalance = -1.7e308; // P - (... + Lp) overflows
    QVERIFY_THROWS_EXCEPTION(FloatingPointError, CalculateCharges(in));

    SaleInputs costs;
    costs.monthlyUtilities = 1.7e308;
    costs.propertyTaxes = 1.7e308; // U + T / 12 overflows
    const SaleCharges charges = CalculateCharges(costs);
    QVERIFY_THROWS_EXCEPTION(FloatingPointError, CalculateTotals(costs, 0, charges));

    SaleInputs wide;
    wide.spread = 1e308; // 3 intervals below the price overflow
    QVERIFY_THROWS_EXCEPTION(FloatingPointError, CalculateGrid(wide, 0, 0));
}

void TestSaleCalculation::closingMonthNumbers()
{
    QCOMPARE(ClosingMonthNumber(QStringLiteral("January")), 1);
    QCOMPARE(ClosingMonthNumber(QStringLiteral("July")), 7);
    QCOMPARE(ClosingMonthNumber(QStringLiteral("December")), 12);
    QCOMPARE(ClosingMonthNumber(QStringLiteral("july")), 0);
    QCOMPARE(ClosingMonthNumber(QStringLiteral("July ")), 0);
    QCOMPARE(ClosingMonthNumber(QString()), 0);
}

QTEST_APPLESS_MAIN(TestSaleCalculation)
#include "tst_salecalculation.moc"
