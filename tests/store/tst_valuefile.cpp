#include "ValueFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

#include "CLibraryLocale.h"

class TestValueFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void fileMadeFromNothingHasKeysInOrder();
    void missingKeysTakeTheirDefaults();
    void unconvertibleValuesTakeTheirDefaults_data();
    void unconvertibleValuesTakeTheirDefaults();
    void valuesComeBackInNumberForm();
    void decimalSeparatorOfAnotherLocale();
    void handAddedLinesSurviveInPlace();
    void numberText_data();
    void numberText();
    void dateTimeRoundTrip_data();
    void dateTimeRoundTrip();
    void unevenDayPeriodNamesAreNotParsed();
    void nonFiniteNumbersAreNeverWritten();
    void everyLocaleReadsBackWhatItWrote();
    void saveIntoMissingFolderFails();
    void unreadableFileIsNotWrittenOver();

private:
    QString write(const QByteArray &content);
    QByteArray read() const;
    static StoredValues defaults();
    static StoredValues everything();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestValueFile::initTestCase()
{
    VDL_CHECK_C_LIBRARY_LOCALE();
}

void TestValueFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("vdl.ini"));
}

QString TestValueFile::write(const QByteArray &content)
{
    QFile f(m_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write the fixture");
    return m_path;
}

QByteArray TestValueFile::read() const
{
    QFile f(m_path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

StoredValues TestValueFile::defaults()
{
    StoredValues d = sampleValues();
    d.insert(QLatin1StringView(stateValueSet), 1);
    d.insert(QLatin1StringView(stateStartupMonth), QString());
    d.insert(QLatin1StringView(stateHasRun), false);
    d.insert(QLatin1StringView(stateLastUpdate), QDateTime(QDate(2026, 6, 15), QTime(9, 30, 5)));
    return d;
}

StoredValues TestValueFile::everything()
{
    StoredValues v = defaults();
    v.insert(QLatin1StringView(stateHasRun), true);
    v.insert(QLatin1StringView(stateStartupMonth), QStringLiteral("June"));
    return v;
}

void TestValueFile::fileMadeFromNothingHasKeysInOrder()
{
    const QLocale en(QStringLiteral("en_US"));
    QVERIFY(ValueFile(m_path, en).save(everything()));
    const QByteArray expected = "[GeneralValues]\n"
                                "DefaultValueSet=1\n"
                                "Run=1\n"
                                "LastUpdate=6/15/2026 9:30:05 AM\n"
                                "[InitialValues]\n"
                                "OriginalLoanAmount=235000\n"
                                "OriginalTerm=360\n"
                                "OriginalInterestRate=6\n"
                                "OriginalPI=1408.94\n"
                                "DesiredSalesPrice=258000\n"
                                "FirstLoanBalance=228000\n"
                                "SecondLoanBalance=0\n"
                                "OtherLoans=0\n"
                                "PropertyTaxes=1200\n"
                                "Insurance=1800\n"
                                "AnnualHOADues=1200\n"
                                "MonthlyUtilities=370\n"
                                "MonthlyCarryingCosts=$2,128.94\n"
                                "ClosingMonth=June\n"
                                "PropertyTaxesPaid=700\n"
                                "TransferTaxPercent=0\n"
                                "TransferTaxesPaid=0\n"
                                "PrepaymentPenalty=0\n"
                                "SalesCommissionPercent=6\n"
                                "SalesCommission=15480\n"
                                "OtherSalesCommission=0\n"
                                "OtherFees=50\n"
                                "ClosingCosts=$18,810.00\n"
                                "EnteredPrepaymentPenalty=0\n"
                                "Spread=4000\n";
    QCOMPARE(read(), expected);
    // Read back it gives exactly what was written.
    QCOMPARE(ValueFile(m_path, en).load(StoredValues()), everything());
}

void TestValueFile::missingKeysTakeTheirDefaults()
{
    const StoredValues none = ValueFile(m_path).load(defaults());
    QCOMPARE(none, defaults());

    write("[InitialValues]\nSpread=2500\n");
    const StoredValues v = ValueFile(m_path).load(defaults());
    QCOMPARE(v.value(QStringLiteral("edtSpread")).toDouble(), 2500.0);
    StoredValues rest = v;
    rest.insert(QStringLiteral("edtSpread"), 4000.0);
    QCOMPARE(rest, defaults());
    QCOMPARE(v.value(QLatin1StringView(stateValueSet)).toInt(), 1);
}

void TestValueFile::unconvertibleValuesTakeTheirDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("value set 5 kept") << QByteArray("[GeneralValues]\nDefaultValueSet=5\n")
                                      << stateValueSet << QVariant(5);
    QTest::newRow("term with letters") << QByteArray("[InitialValues]\nOriginalTerm=abc\n")
                                       << "edtVDPOriginalTerm" << QVariant(360);
    QTest::newRow("term past the field") << QByteArray("[InitialValues]\nOriginalTerm=40000\n")
                                         << "edtVDPOriginalTerm" << QVariant(360);
    QTest::newRow("term decimal") << QByteArray("[InitialValues]\nOriginalTerm=12.5\n")
                                  << "edtVDPOriginalTerm" << QVariant(360);
    QTest::newRow("negative term kept") << QByteArray("[InitialValues]\nOriginalTerm=-12\n")
                                        << "edtVDPOriginalTerm" << QVariant(-12);
    QTest::newRow("empty loan") << QByteArray("[InitialValues]\nOriginalLoanAmount=\n")
                                << "edtVDPOriginalLoanAmount" << QVariant(235000.0);
    QTest::newRow("not a number") << QByteArray("[InitialValues]\nOtherFees=nan\n")
                                  << "edtVDPOtherFees" << QVariant(50.0);
    QTest::newRow("infinite") << QByteArray("[InitialValues]\nOtherFees=inf\n")
                              << "edtVDPOtherFees" << QVariant(50.0);
    QTest::newRow("grouped") << QByteArray("[InitialValues]\nDesiredSalesPrice=300,000\n")
                             << "edtVDPDesiredSalesPrice" << QVariant(258000.0);
    QTest::newRow("blank inside") << QByteArray("[InitialValues]\nDesiredSalesPrice=300 000\n")
                                  << "edtVDPDesiredSalesPrice" << QVariant(258000.0);
    QTest::newRow("plus sign") << QByteArray("[InitialValues]\nOtherFees=+75\n")
                               << "edtVDPOtherFees" << QVariant(75.0);
    QTest::newRow("exponent without digits") << QByteArray("[InitialValues]\nOtherFees=7E\n")
                                             << "edtVDPOtherFees" << QVariant(50.0);
    QTest::newRow("hex") << QByteArray("[InitialValues]\nOtherFees=0x1F\n")
                         << "edtVDPOtherFees" << QVariant(50.0);
    QTest::newRow("overflowing number") << QByteArray("[InitialValues]\nOtherFees=1E999\n")
                                        << "edtVDPOtherFees" << QVariant(50.0);
    QTest::newRow("value set past an int") << QByteArray("[GeneralValues]\nDefaultValueSet=99999999999\n")
                                           << stateValueSet << QVariant(1);
    QTest::newRow("scientific") << QByteArray("[InitialValues]\nOtherFees=1.5E-6\n")
                                << "edtVDPOtherFees" << QVariant(1.5e-6);
    QTest::newRow("case of names") << QByteArray("[initialvalues]\notherfees=75\n")
                                   << "edtVDPOtherFees" << QVariant(75.0);
    QTest::newRow("flag any whole number") << QByteArray("[GeneralValues]\nRun=7\n")
                                           << stateHasRun << QVariant(true);
    QTest::newRow("flag zero") << QByteArray("[GeneralValues]\nRun=0\n") << stateHasRun
                               << QVariant(false);
    QTest::newRow("flag text") << QByteArray("[GeneralValues]\nRun=yes\n") << stateHasRun
                               << QVariant(false);
    QTest::newRow("bad date") << QByteArray("[GeneralValues]\nLastUpdate=yesterday\n")
                              << stateLastUpdate
                              << QVariant(QDateTime(QDate(2026, 6, 15), QTime(9, 30, 5)));
    QTest::newRow("text as is") << QByteArray("[InitialValues]\nClosingCosts=whatever it says\n")
                                << "lblClosingCosts" << QVariant(QStringLiteral("whatever it says"));
}

void TestValueFile::unconvertibleValuesTakeTheirDefaults()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, target);
    write(content);
    const StoredValues v = ValueFile(m_path, QLocale(QStringLiteral("en_US"))).load(defaults());
    QTEST(v.value(target), "value");
}

void TestValueFile::valuesComeBackInNumberForm()
{
    const QLocale en(QStringLiteral("en_US"));
    write("[GeneralValues]\nDefaultValueSet=5\nRun=1\nLastUpdate=6/15/2026\n"
          "[InitialValues]\nOriginalLoanAmount=235000.00\nOriginalPI=1408.940\n");
    const StoredValues v = ValueFile(m_path, en).load(defaults());
    QVERIFY(ValueFile(m_path, en).save(v));
    const QByteArray saved = read();
    QVERIFY(saved.startsWith("[GeneralValues]\nDefaultValueSet=5\nRun=1\nLastUpdate=6/15/2026\n"
                             "[InitialValues]\nOriginalLoanAmount=235000\nOriginalPI=1408.94\n"));
    QVERIFY(saved.contains("\nSpread=4000\n"));
}

void TestValueFile::decimalSeparatorOfAnotherLocale()
{
    const QLocale de(QStringLiteral("de_DE"));
    StoredValues v = everything();
    v.insert(QStringLiteral("edtVDPOriginalPI"), 1408.94);
    v.insert(QStringLiteral("edtVDPOriginalInterestRate"), 6.125);
    v.insert(QStringLiteral("edtVDPOriginalPI"), 1523.17);
    QVERIFY(ValueFile(m_path, de).save(v));
    QVERIFY(read().contains("OriginalPI=1523,17\n"));

    const StoredValues back = ValueFile(m_path, QLocale(QStringLiteral("en_US"))).load(defaults());
    QCOMPARE(back.value(QStringLiteral("edtVDPOriginalPI")).toDouble(), 1408.94); // the default
    QCOMPARE(back.value(QStringLiteral("edtVDPOriginalInterestRate")).toDouble(), 6.0);
    QCOMPARE(back.value(QStringLiteral("edtVDPOriginalLoanAmount")).toDouble(), 235000.0);
    QCOMPARE(back.value(QStringLiteral("edtVDPOriginalTerm")).toInt(), 360);

    const StoredValues same = ValueFile(m_path, de).load(defaults());
    QCOMPARE(same.value(QStringLiteral("edtVDPOriginalInterestRate")).toDouble(), 6.125);
}

void TestValueFile::handAddedLinesSurviveInPlace()
{
    const QByteArray before = "; my notes\r\n"
                              "[Extra]\r\n"
                              "Colour=blue\r\n"
                              "\r\n"
                              "[InitialValues]\r\n"
                              "Mine=1\r\n"
                              "OtherFees=75\r\n"
                              "\r\n"
                              "[GeneralValues]\r\n"
                              "run=0\r\n";
    write(before);
    const QLocale en(QStringLiteral("en_US"));
    StoredValues v = ValueFile(m_path, en).load(defaults());
    QCOMPARE(v.value(QStringLiteral("edtVDPOtherFees")).toDouble(), 75.0);
    v.insert(QLatin1StringView(stateHasRun), true);
    v.insert(QStringLiteral("edtVDPOtherFees"), 80.0);
    QVERIFY(ValueFile(m_path, en).save(v));

    const QByteArray after = read();
    QVERIFY2(after.startsWith("; my notes\r\n[Extra]\r\nColour=blue\r\n\r\n[InitialValues]\r\n"
                              "Mine=1\r\nOtherFees=80\r\nOriginalLoanAmount=235000\r\n"),
             after.constData());
    QVERIFY(after.contains("\r\nSpread=4000\r\n\r\n[GeneralValues]\r\nrun=1\r\n"
                           "DefaultValueSet=1\r\nLastUpdate="));
    QVERIFY(!after.contains("\n\n"));
    QCOMPARE(after.count("OtherFees="), 1);
}

void TestValueFile::numberText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole") << "en_US" << 235000.0 << "235000";
    QTest::newRow("cents") << "en_US" << 1408.94 << "1408.94";
    QTest::newRow("zero") << "en_US" << 0.0 << "0";
    QTest::newRow("negative") << "en_US" << -4000.0 << "-4000";
    QTest::newRow("fifteen digits") << "en_US" << 1408.943734191125 << "1408.94373419113";
    QTest::newRow("no grouping") << "en_US" << 12345678.5 << "12345678.5";
    QTest::newRow("tiny") << "en_US" << 0.0000025 << "2.5E-6";
    QTest::newRow("de cents") << "de_DE" << 1408.94 << "1408,94";
    // Hebrew and Arabic settings put direction marks into their minus sign;
    // the file gets a plain one.
    QTest::newRow("he negative") << "he_IL" << -4000.5 << "-4000.5";
    QTest::newRow("ar negative") << "ar_EG" << -4000.5 << "-4000\u066b5";
    QTest::newRow("fa tiny negative") << "fa_IR" << -0.0000025 << "-2\u066b5E-6";
}

void TestValueFile::numberText()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QTEST(::numberText(value, QLocale(locale)), "text");
}

void TestValueFile::dateTimeRoundTrip_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QByteArray>("stored");

    QTest::newRow("en afternoon") << "en_US" << QDateTime(QDate(2026, 12, 11), QTime(14, 5, 9))
                                  << QByteArray("LastUpdate=12/11/2026 2:05:09 PM\n");
    QTest::newRow("en midnight") << "en_US" << QDateTime(QDate(2026, 12, 11), QTime(0, 0))
                                 << QByteArray("LastUpdate=12/11/2026\n");
    QTest::newRow("de afternoon") << "de_DE" << QDateTime(QDate(2026, 12, 11), QTime(14, 5, 9))
                                  << QByteArray("LastUpdate=11.12.2026 14:05:09\n");
    QTest::newRow("just after midnight") << "en_US"
                                         << QDateTime(QDate(2026, 12, 11), QTime(0, 0, 0, 250))
                                         << QByteArray("LastUpdate=12/11/2026\n");
    QTest::newRow("last century") << "en_US" << QDateTime(QDate(1999, 1, 2), QTime(3, 4, 5))
                                  << QByteArray("LastUpdate=1/2/1999 3:04:05 AM\n");
    // Ewe's morning and afternoon names differ in length, which Qt cannot
    // read safely: the time goes into the file in the form every locale reads.
    QTest::newRow("ee morning") << "ee_GH" << QDateTime(QDate(2024, 2, 29), QTime(9, 30, 5))
                                << QByteArray("LastUpdate=2024-02-29 09:30:05\n");
    QTest::newRow("ee midnight") << "ee_GH" << QDateTime(QDate(2024, 2, 29), QTime(0, 0))
                                 << QByteArray("LastUpdate=2/29/2024\n");
}

// A number that is no number never reaches the file as "nan" or "inf": the
// key is written empty and loads as its default.
void TestValueFile::nonFiniteNumbersAreNeverWritten()
{
    StoredValues v = everything();
    v.insert(QStringLiteral("edtVDPOtherFees"), std::numeric_limits<double>::quiet_NaN());
    v.insert(QStringLiteral("edtSpread"), -std::numeric_limits<double>::infinity());
    QVERIFY(ValueFile(m_path, QLocale(QStringLiteral("de_DE"))).save(v));
    const QByteArray saved = read();
    QVERIFY2(saved.contains("\nOtherFees=\n") && saved.contains("\nSpread=\n"), saved.constData());
    QVERIFY2(!saved.toLower().contains("nan") && !saved.toLower().contains("inf"), saved.constData());
    const StoredValues back = ValueFile(m_path, QLocale(QStringLiteral("de_DE"))).load(defaults());
    QCOMPARE(back.value(QStringLiteral("edtVDPOtherFees")), defaults().value(QStringLiteral("edtVDPOtherFees")));
    QCOMPARE(back.value(QStringLiteral("edtSpread")), defaults().value(QStringLiteral("edtSpread")));
}

// A time written by hand with such a day period is not read (and, under the
// address sanitizer, not read past the end of a string either).
void TestValueFile::unevenDayPeriodNamesAreNotParsed()
{
    const QLocale ewe(QStringLiteral("ee_GH"));
    QVERIFY(ewe.amText().size() != ewe.pmText().size()); // the case this is about
    const QDateTime fallback(QDate(2020, 1, 1), QTime(1, 2, 3));
    StoredValues d = defaults();
    d.insert(QLatin1StringView(stateLastUpdate), fallback);
    for (const QString &time : {ewe.toString(QDateTime(QDate(2024, 2, 29), QTime(0, 0)),
                                             QStringLiteral("M/d/yyyy AP 'ga' h:mm:ss")),
                                ewe.toString(QDateTime(QDate(2024, 2, 29), QTime(14, 0)),
                                             QStringLiteral("M/d/yyyy ap 'ga' h:mm:ss"))}) {
        write("[GeneralValues]\nLastUpdate=" + time.toUtf8() + "\n");
        const StoredValues back = ValueFile(m_path, ewe).load(d);
        QCOMPARE(back.value(QLatin1StringView(stateLastUpdate)).toDateTime(), fallback);
    }
}

void TestValueFile::dateTimeRoundTrip()
{
    QFETCH(QString, locale);
    QFETCH(QDateTime, when);
    QFETCH(QByteArray, stored);
    StoredValues v = everything();
    v.insert(QLatin1StringView(stateLastUpdate), when);
    QVERIFY(ValueFile(m_path, QLocale(locale)).save(v));
    QVERIFY2(read().contains(stored), read().constData());
    const StoredValues back = ValueFile(m_path, QLocale(locale)).load(defaults());
    // Kept to the second.
    QCOMPARE(back.value(QLatin1StringView(stateLastUpdate)).toDateTime(),
             when.addMSecs(-when.time().msec()));
}

// For every locale Qt knows: what the program writes under it, it reads back
// under it. Signed numbers with decimals, tiny ones, negative whole numbers,
// and date-times with and without a time of day.
void TestValueFile::everyLocaleReadsBackWhatItWrote()
{
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    const QDateTime times[] = {QDateTime(QDate(2026, 12, 11), QTime(14, 30, 5)),
                               QDateTime(QDate(2024, 2, 29), QTime(0, 0)),
                               QDateTime(QDate(1999, 7, 1), QTime(9, 5, 0))};
    StoredValues v = everything();
    v.insert(QStringLiteral("edtSpread"), -1000.0);
    v.insert(QStringLiteral("edtVDPOriginalPI"), -1408.943600787);
    v.insert(QStringLiteral("edtVDPOtherFees"), -0.0000025);
    v.insert(QStringLiteral("edtVDPOriginalTerm"), -32768);
    v.insert(QLatin1StringView(stateValueSet), -5);
    int checked = 0;
    QStringList isoDates; // locales whose own date and time forms do not read back
    for (const QLocale &locale : locales) {
        for (const QDateTime &when : times) {
            v.insert(QLatin1StringView(stateLastUpdate), when);
            QVERIFY(ValueFile(m_path, locale).save(v));
            if (read().contains("\nLastUpdate=2026-12-11 14:30:05"))
                isoDates << locale.name();
            const StoredValues back = ValueFile(m_path, locale).load(StoredValues());
            if (back != v) {
                for (auto it = v.cbegin(); it != v.cend(); ++it) {
                    QVERIFY2(back.value(it.key()) == it.value(),
                             qPrintable(QStringLiteral("%1, %2: %3").arg(locale.name(), it.key(),
                                                                         QString::fromUtf8(read()))));
                }
            }
            QVERIFY(QFile::remove(m_path));
        }
        ++checked;
    }
    qInfo("%d locales read back what they wrote; %lld of them store the date-time in ISO form: %s",
          checked, qlonglong(isoDates.size()), qPrintable(isoDates.join(u' ')));
    QVERIFY(checked > 300);
}

void TestValueFile::saveIntoMissingFolderFails()
{
    const QString path = m_dir->filePath(QStringLiteral("no/such/folder/vdl.ini"));
    QString error;
    QVERIFY(!ValueFile(path).save(everything(), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
}

void TestValueFile::unreadableFileIsNotWrittenOver()
{
    // Bigger than any value file: loading ignores it, saving must not replace it.
    const QByteArray huge = "; notes\n" + QByteArray(2 * 1024 * 1024, 'x') + "\n";
    write(huge);
    QCOMPARE(ValueFile(m_path).load(defaults()), defaults());
    QString error;
    QVERIFY(!ValueFile(m_path).save(everything(), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(read(), huge);

    // Text in a two-byte encoding: read as defaults, never appended to.
    const QByteArray utf16 = QByteArray("\xFF\xFE[\0S\0]\0\r\0\n\0", 12);
    write(utf16);
    QCOMPARE(ValueFile(m_path).load(defaults()), defaults());
    QVERIFY(!ValueFile(m_path).save(everything(), &error));
    QCOMPARE(read(), utf16);

    // Something that is no file at all.
    QVERIFY(QFile::remove(m_path));
    QVERIFY(QDir().mkdir(m_path));
    QVERIFY(!ValueFile(m_path).save(everything()));
    QVERIFY(QFileInfo(m_path).isDir());
}

QTEST_GUILESS_MAIN(TestValueFile)
#include "tst_valuefile.moc"
