#include "MoneyText.h"

#include <QScopeGuard>
#include <QTest>

#include "CLibraryLocale.h"

#include <clocale>
#include <limits>
#include <string>

class TestMoneyText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void forms_data();
    void forms();
    void formsIgnoreTheCLibraryLocale_data() { forms_data(); }
    void formsIgnoreTheCLibraryLocale();
    void generalNumberText_data();
    void generalNumberText();
};

void TestMoneyText::initTestCase()
{
    VDL_CHECK_C_LIBRARY_LOCALE();
}

void TestMoneyText::forms_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("money");
    QTest::addColumn<QString>("whole");
    QTest::addColumn<QString>("percent");

    const QString en = QStringLiteral("en_US");
    const QString de = QStringLiteral("de_DE");
    const QString c = QStringLiteral("C");
    // clang-format off
    QTest::newRow("en zero") << en << 0.0 << "$0.00" << "$0" << "0%";
    QTest::newRow("en carrying costs") << en << 2128.94 << "$2,128.94" << "$2,129" << "2128.94%";
    QTest::newRow("en unrounded costs") << en << 2128.943600787 << "$2,128.94" << "$2,129" << "2128.943601%";
    QTest::newRow("en transaction costs") << en << 18810.0 << "$18,810.00" << "$18,810" << "18810%";
    QTest::newRow("en negative") << en << -2128.94 << "($2,128.94)" << "($2,129)" << "-2128.94%";
    QTest::newRow("en small negative") << en << -0.4 << "($0.40)" << "$0" << "-0.4%";
    QTest::newRow("en negative to zero") << en << -0.004 << "$0.00" << "$0" << "-0.004%";
    QTest::newRow("en half") << en << 0.5 << "$0.50" << "$1" << "0.5%";
    QTest::newRow("en negative half") << en << -2.5 << "($2.50)" << "($3)" << "-2.5%";
    QTest::newRow("en cent half") << en << 0.125 << "$0.13" << "$0" << "0.125%";
    QTest::newRow("en ten digits") << en << 123456789.126 << "$123,456,789.10" << "$123,456,789" << "123456789.1%";
    QTest::newRow("en carry to ten digits") << en << 999999999.96 << "$1,000,000,000.00" << "$1,000,000,000" << "1000000000%";
    QTest::newRow("en past ten digits") << en << 12345678901.5 << "1.23456789E+010" << "1.23456789E+010" << "1.23456789E+010%";
    QTest::newRow("en negative past ten") << en << -98765432109.0 << "-9.876543211E+010" << "-9.876543211E+010" << "-9.876543211E+010%";
    QTest::newRow("en rate") << en << 6.125 << "$6.13" << "$6" << "6.125%";
    QTest::newRow("en whole rate") << en << 6.0 << "$6.00" << "$6" << "6%";
    QTest::newRow("en tiny rate") << en << 0.000001 << "$0.00" << "$0" << "1E-006%";
    QTest::newRow("en smallest plain") << en << 0.00001 << "$0.00" << "$0" << "0.00001%";
    QTest::newRow("de carrying costs") << de << 2128.94 << "2.128,94\u00a0€" << "2.129\u00a0€" << "2128,94%";
    QTest::newRow("de negative") << de << -2128.94 << "-2.128,94\u00a0€" << "-2.129\u00a0€" << "-2128,94%";
    QTest::newRow("de small negative") << de << -0.4 << "-0,40\u00a0€" << "0\u00a0€" << "-0,4%";
    QTest::newRow("de ten digits") << de << 123456789.126 << "123.456.789,10\u00a0€" << "123.456.789\u00a0€" << "123456789,1%";
    QTest::newRow("de past ten digits") << de << 12345678901.5 << "1,23456789E+010" << "1,23456789E+010" << "1,23456789E+010%";
    QTest::newRow("de rate") << de << 6.125 << "6,13\u00a0€" << "6\u00a0€" << "6,125%";
    QTest::newRow("de tiny rate") << de << 0.000001 << "0,00\u00a0€" << "0\u00a0€" << "1E-006%";
    QTest::newRow("C carrying costs") << c << 2128.94 << "2128.94" << "2129" << "2128.94%";
    QTest::newRow("C negative") << c << -2.5 << "-2.50" << "-3" << "-2.5%";
    // No amount at all rather than "nan" or "inf", in any locale.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("en not a number") << en << nan << "" << "" << "";
    QTest::newRow("en infinite") << en << inf << "" << "" << "";
    QTest::newRow("de minus infinite") << de << -inf << "" << "" << "";
    QTest::newRow("ar not a number") << QStringLiteral("ar_EG") << -nan << "" << "" << "";
    // clang-format on
}

void TestMoneyText::forms()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    const QLocale l(locale);
    QTEST(MoneyToText(value, l), "money");
    QTEST(WholeMoneyToText(value, l), "whole");
    QTEST(PercentToText(value, l), "percent");
}

// The application object sets the C library's locale from the environment;
// under de_DE its number functions write and read a decimal comma.
void TestMoneyText::formsIgnoreTheCLibraryLocale()
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        QSKIP("the de_DE.UTF-8 locale is not generated on this machine");
    const auto restore = qScopeGuard([&] { std::setlocale(LC_ALL, previous.c_str()); });
    forms();
}

void TestMoneyText::generalNumberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("exponentDigits");
    QTest::addColumn<QString>("text");

    QTest::newRow("payment") << 1408.943600787 << 15 << 0 << "1408.943600787";
    QTest::newRow("whole") << 235000.0 << 15 << 0 << "235000";
    QTest::newRow("tiny") << 0.0000012 << 15 << 0 << "1.2E-6";
    QTest::newRow("huge") << 1.5e20 << 15 << 0 << "1.5E+20";
    QTest::newRow("fifteen digits") << 123456789012345.0 << 15 << 0 << "123456789012345";
    QTest::newRow("negative zero") << -0.0 << 15 << 0 << "0";
    QTest::newRow("tiny negative") << -1e-20 << 10 << 3 << "-1E-020";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 15 << 0 << "";
    QTest::newRow("infinite") << -std::numeric_limits<double>::infinity() << 15 << 0 << "";
}

void TestMoneyText::generalNumberText()
{
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(int, exponentDigits);
    QTEST(GeneralNumberText(value, digits, exponentDigits, QLocale::c()), "text");
}

// With an application object, as in the program: it sets the C library's
// locale from the environment.
QTEST_GUILESS_MAIN(TestMoneyText)
#include "tst_moneytext.moc"
