#include "MoneyText.h"
#include "NumericField.h"
#include "Worksheet.h"

#include <QTest>

// How long one recalculation takes, from the fields to the grid, and the
// money text form it uses 58 times each time.
class BenchWorksheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }

    void recalculation()
    {
        Worksheet sheet;
        sheet.show();
        sheet.field(u"edtVDPOriginalLoanAmount")->setValue(235000);
        sheet.field(u"edtVDPOriginalTerm")->setValue(360);
        sheet.field(u"edtVDPOriginalInterestRate")->setValue(6);
        sheet.field(u"edtVDPDesiredSalesPrice")->setValue(258000);
        sheet.field(u"edtSpread")->setValue(4000);
        QBENCHMARK {
            sheet.CalcVDP(nullptr);
        }
    }

    void wholeMoneyText()
    {
        double v = -11777.32;
        QBENCHMARK {
            v += 0.01;
            (void)WholeMoneyToText(v);
        }
    }
};

QTEST_MAIN(BenchWorksheet)
#include "bench_worksheet.moc"
