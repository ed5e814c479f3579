#include "ValueFile.h"

#include "IniFile.h"
#include "MoneyText.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

namespace {

constexpr char general[] = "GeneralValues";
constexpr char initial[] = "InitialValues";

constexpr ValueKey keys[] = {
    {general, "DefaultValueSet", ValueForm::WholeNumber, stateValueSet},
    {initial, "OriginalLoanAmount", ValueForm::Number, "edtVDPOriginalLoanAmount"},
    {initial, "OriginalTerm", ValueForm::WholeNumber, "edtVDPOriginalTerm"},
    {initial, "OriginalInterestRate", ValueForm::Number, "edtVDPOriginalInterestRate"},
    {initial, "OriginalPI", ValueForm::Number, "edtVDPOriginalPI"},
    {initial, "DesiredSalesPrice", ValueForm::Number, "edtVDPDesiredSalesPrice"},
    {initial, "FirstLoanBalance", ValueForm::Number, "edtVDPFirstLoanBalance"},
    {initial, "SecondLoanBalance", ValueForm::Number, "edtVDPSecondLoanBalance"},
    {initial, "OtherLoans", ValueForm::Number, "edtVDPOtherLoans"},
    {initial, "PropertyTaxes", ValueForm::Number, "edtVDPPropertyTaxes"},
    {initial, "Insurance", ValueForm::Number, "edtVDPInsurance"},
    {initial, "AnnualHOADues", ValueForm::Number, "edtVDPAnnualHOADues"},
    {initial, "MonthlyUtilities", ValueForm::Number, "edtVDPMonthlyUtilities"},
    {initial, "MonthlyCarryingCosts", ValueForm::Text, "lblMonthlyCarryingCosts"},
    {initial, "ClosingMonth", ValueForm::Text, stateStartupMonth},
    {initial, "PropertyTaxesPaid", ValueForm::Number, "edtVDPPropertyTaxesPaid"},
    {initial, "TransferTaxPercent", ValueForm::Number, "edtVDPTransferTaxPercent"},
    {initial, "TransferTaxesPaid", ValueForm::Number, "edtVDPTransferTaxesPaid"},
    {initial, "PrepaymentPenalty", ValueForm::Number, "edtVDPPrepaymentPenalty"},
    {initial, "SalesCommissionPercent", ValueForm::Number, "edtVDPSalesCommissionPercent"},
    {initial, "SalesCommission", ValueForm::Number, "edtVDPSalesCommission"},
    {initial, "OtherSalesCommission", ValueForm::Number, "edtVDPOtherSalesCommission"},
    {initial, "OtherFees", ValueForm::Number, "edtVDPOtherFees"},
    {initial, "ClosingCosts", ValueForm::Text, "lblClosingCosts"},
    {initial, "EnteredPrepaymentPenalty", ValueForm::Number, "edtEnteredPrepaymentPenalty"},
    {initial, "Spread", ValueForm::Number, "edtSpread"},
    {general, "Run", ValueForm::Flag, stateHasRun},
    {general, "LastUpdate", ValueForm::DateTime, stateLastUpdate},
};

// The term field holds whole months in this range; anything else stored
// would not survive the field, so it counts as unconvertible.
constexpr int minTerm = -32768;
constexpr int maxTerm = 32767;

QLocale readingLocale(const QLocale &locale)
{
    QLocale l = locale;
    l.setNumberOptions(l.numberOptions() | QLocale::RejectGroupSeparator);
    return l;
}

// The user's short date, always with a four-digit year (a two-digit one would
// come back a century early), and the long time without the time zone.
QString dateFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString timeFormat(const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    return format.remove(zone).trimmed();
}

QString dateTimeText(const QDateTime &when, const QLocale &locale)
{
    QString text = locale.toString(when.date(), dateFormat(locale));
    const QTime time = when.time();
    if (time.hour() != 0 || time.minute() != 0 || time.second() != 0)
        text += QLatin1Char(' ') + locale.toString(when.time(), timeFormat(locale));
    return text;
}

QVariant parseDateTime(const QString &text, const QLocale &locale)
{
    const QString withTime = dateFormat(locale) + QLatin1Char(' ') + timeFormat(locale);
    QDateTime when = locale.toDateTime(text, withTime);
    if (!when.isValid()) {
        const QDate day = locale.toDate(text, dateFormat(locale));
        if (day.isValid())
            when = QDateTime(day, QTime(0, 0));
    }
    return when.isValid() ? QVariant(when) : QVariant();
}

// The stored text as its form, or an invalid QVariant when it does not convert.
QVariant parse(ValueForm form, const QString &text, const QLocale &locale)
{
    bool ok = false;
    switch (form) {
    case ValueForm::Number: {
        const double v = locale.toDouble(text, &ok);
        return ok && std::isfinite(v) ? QVariant(v) : QVariant();
    }
    case ValueForm::WholeNumber: {
        const int v = locale.toInt(text, &ok);
        return ok ? QVariant(v) : QVariant();
    }
    case ValueForm::Flag: {
        const int v = locale.toInt(text, &ok);
        return ok ? QVariant(v != 0) : QVariant();
    }
    case ValueForm::Text:
        return text;
    case ValueForm::DateTime:
        return parseDateTime(text, locale);
    }
    return {};
}

QString format(ValueForm form, const QVariant &value, const QLocale &locale)
{
    switch (form) {
    case ValueForm::Number:
    case ValueForm::WholeNumber:
        return numberText(value.toDouble(), locale);
    case ValueForm::Flag:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case ValueForm::Text:
        return value.toString();
    case ValueForm::DateTime:
        return dateTimeText(value.toDateTime(), locale);
    }
    return {};
}

} // namespace

std::span<const ValueKey> valueKeys()
{
    return keys;
}

StoredValues sampleValues()
{
    return {
        {QStringLiteral("edtVDPOriginalLoanAmount"), 235000.0},
        {QStringLiteral("edtVDPOriginalTerm"), 360},
        {QStringLiteral("edtVDPOriginalInterestRate"), 6.0},
        {QStringLiteral("edtVDPOriginalPI"), 1408.94},
        {QStringLiteral("edtVDPDesiredSalesPrice"), 258000.0},
        {QStringLiteral("edtVDPFirstLoanBalance"), 228000.0},
        {QStringLiteral("edtVDPSecondLoanBalance"), 0.0},
        {QStringLiteral("edtVDPOtherLoans"), 0.0},
        {QStringLiteral("edtVDPPropertyTaxes"), 1200.0},
        {QStringLiteral("edtVDPInsurance"), 1800.0},
        {QStringLiteral("edtVDPAnnualHOADues"), 1200.0},
        {QStringLiteral("edtVDPMonthlyUtilities"), 370.0},
        {QStringLiteral("lblMonthlyCarryingCosts"), QStringLiteral("$2,128.94")},
        {QStringLiteral("edtVDPPropertyTaxesPaid"), 700.0},
        {QStringLiteral("edtVDPTransferTaxPercent"), 0.0},
        {QStringLiteral("edtVDPTransferTaxesPaid"), 0.0},
        {QStringLiteral("edtVDPPrepaymentPenalty"), 0.0},
        {QStringLiteral("edtVDPSalesCommissionPercent"), 6.0},
        {QStringLiteral("edtVDPSalesCommission"), 15480.0},
        {QStringLiteral("edtVDPOtherSalesCommission"), 0.0},
        {QStringLiteral("edtVDPOtherFees"), 50.0},
        {QStringLiteral("lblClosingCosts"), QStringLiteral("$18,810.00")},
        {QStringLiteral("edtEnteredPrepaymentPenalty"), 0.0},
        {QStringLiteral("edtSpread"), 4000.0},
    };
}

QString numberText(double value, const QLocale &locale)
{
    return GeneralNumberText(value, 15, 0, locale);
}

ValueFile::ValueFile(QString path, QLocale locale)
    : m_path(std::move(path))
    , m_locale(std::move(locale))
{
}

StoredValues ValueFile::load(const StoredValues &defaults) const
{
    // Whatever went wrong with the file, every key then takes its default.
    const IniFile ini = IniFile::load(m_path);
    const QLocale locale = readingLocale(m_locale);
    StoredValues values;
    for (const ValueKey &key : keys) {
        const QString target = QLatin1StringView(key.target);
        QVariant value;
        if (ini.contains(key.section, key.key))
            value = parse(key.form, ini.value(key.section, key.key), locale);
        if (value.isValid() && target == QLatin1StringView("edtVDPOriginalTerm") &&
            (value.toInt() < minTerm || value.toInt() > maxTerm))
            value = QVariant();
        values.insert(target, value.isValid() ? value : defaults.value(target));
    }
    return values;
}

bool ValueFile::save(const StoredValues &values, QString *errorString) const
{
    // Start from the file as it is now, so that whatever was added by hand
    // (or by another copy of the program) while this one ran is kept. A file
    // that is there but cannot be read is never written over.
    IniFile::LoadStatus status;
    IniFile ini = IniFile::load(m_path, &status);
    if (status == IniFile::LoadStatus::TooLarge || status == IniFile::LoadStatus::Unreadable) {
        if (errorString)
            *errorString = QStringLiteral("The existing file cannot be read");
        return false;
    }
    for (const ValueKey &key : keys) {
        const QString target = QLatin1StringView(key.target);
        if (values.contains(target))
            ini.setValue(key.section, key.key, format(key.form, values.value(target), m_locale));
    }
    return ini.save(m_path, errorString);
}
