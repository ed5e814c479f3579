#include "ValueFile.h"

#include "IniFile.h"
#include "MoneyText.h"

#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <type_traits>

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

// The number forms as the file holds them, turned into plain ASCII: digits
// of any script become 0-9, the locale's decimal separator becomes '.', any
// form of the minus sign becomes '-'. Direction marks are dropped. Grouping,
// blanks and anything else make the text unconvertible.
std::optional<QByteArray> asciiNumber(QStringView text, const QLocale &locale, bool whole)
{
    QString marks = locale.negativeSign();
    marks.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    const QString decimal = locale.decimalPoint();

    QString clean = text.toString();
    clean.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    clean = clean.trimmed();

    QByteArray out;
    qsizetype i = 0;
    const auto takeSign = [&] {
        if (i >= clean.size())
            return;
        if (clean.at(i) == QLatin1Char('-') || clean.at(i) == QChar(0x2212)) {
            out.append('-');
            ++i;
        } else if (!marks.isEmpty() && QStringView(clean).sliced(i).startsWith(marks)) {
            out.append('-');
            i += marks.size();
        } else if (clean.at(i) == QLatin1Char('+')) {
            ++i; // from_chars takes no plus sign; the number is the same without it
        }
    };
    const auto takeDigits = [&] {
        qsizetype count = 0;
        while (i < clean.size() && clean.at(i).isDigit()) {
            out.append(char('0' + clean.at(i).digitValue()));
            ++i;
            ++count;
        }
        return count;
    };

    takeSign();
    qsizetype digits = takeDigits();
    if (!whole && !decimal.isEmpty() && QStringView(clean).sliced(i).startsWith(decimal)) {
        out.append('.');
        i += decimal.size();
        digits += takeDigits();
    }
    if (digits == 0)
        return std::nullopt;
    if (!whole && i < clean.size() && (clean.at(i) == QLatin1Char('E') || clean.at(i) == QLatin1Char('e'))) {
        out.append('e');
        ++i;
        takeSign();
        if (takeDigits() == 0)
            return std::nullopt;
    }
    if (i != clean.size())
        return std::nullopt;
    return out;
}

// A number of the file's number form (T double) or whole-number form (T int).
template <typename T>
std::optional<T> parseNumber(const QString &text, const QLocale &locale)
{
    constexpr bool whole = std::is_integral_v<T>;
    const std::optional<QByteArray> ascii = asciiNumber(text, locale, whole);
    if (!ascii)
        return std::nullopt;
    T value = 0;
    const char *begin = ascii->constData();
    const char *end = begin + ascii->size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    if constexpr (!whole) {
        if (!std::isfinite(value))
            return std::nullopt;
    }
    return value;
}

// The user's short date, always with a four-digit year (a two-digit one would
// come back a century early), and the long time without the time zone, which
// the time read back would not carry.
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
    // Drop every unquoted run of 't', then brackets it leaves empty.
    QString out;
    bool quoted = false;
    for (QChar c : std::as_const(format)) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    static const QRegularExpression emptyBrackets(QStringLiteral("\\(\\s*\\)|\\[\\s*\\]"));
    out.remove(emptyBrackets);
    return out.simplified();
}

// Where a locale's own forms do not read back what they wrote (some
// locales' day-period names, calendars or time formats), the file gets a form
// that every locale reads.
constexpr char isoFormat[] = "yyyy-MM-dd HH:mm:ss";

bool hasDayPeriod(const QString &format)
{
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('a') || c == QLatin1Char('A')))
            return true;
    }
    return false;
}

// Qt's date-time reader (6.4) copies as many characters of a day-period name
// as the longer of the two names has, reading past the end of the shorter
// one. Where the morning and afternoon names differ in length (Ewe, for one),
// a time with a day period is therefore never given to it, whatever the
// file holds: such a locale writes and reads the time in the form above.
bool readsTimeSafely(const QLocale &locale)
{
    if (!hasDayPeriod(timeFormat(locale)))
        return true;
    // The names as written and in either case, as the reader compares them.
    const QString am = locale.amText();
    const QString pm = locale.pmText();
    const QString names[] = {pm, am.toUpper(), pm.toUpper(), am.toLower(), pm.toLower()};
    return std::all_of(std::begin(names), std::end(names),
                       [&](const QString &name) { return name.size() == am.size(); });
}

QDateTime parseLocaleDateTime(const QString &text, const QLocale &locale)
{
    QDateTime when;
    if (readsTimeSafely(locale))
        when = locale.toDateTime(text, dateFormat(locale) + QLatin1Char(' ') + timeFormat(locale));
    if (!when.isValid()) {
        const QDate day = locale.toDate(text, dateFormat(locale));
        if (day.isValid())
            when = QDateTime(day, QTime(0, 0));
    }
    return when;
}

QString dateTimeText(const QDateTime &given, const QLocale &locale)
{
    const QTime t = given.time();
    const QDateTime when(given.date(), QTime(t.hour(), t.minute(), t.second()));
    QString text = locale.toString(when.date(), dateFormat(locale));
    if (t.hour() != 0 || t.minute() != 0 || t.second() != 0)
        text += QLatin1Char(' ') + locale.toString(when.time(), timeFormat(locale));
    if (parseLocaleDateTime(text, locale) == when)
        return text;
    return QLocale::c().toString(when, QLatin1StringView(isoFormat));
}

QVariant parseDateTime(const QString &text, const QLocale &locale)
{
    QDateTime when = parseLocaleDateTime(text, locale);
    if (!when.isValid())
        when = QLocale::c().toDateTime(text, QLatin1StringView(isoFormat));
    return when.isValid() ? QVariant(when) : QVariant();
}

// The stored text as its form, or an invalid QVariant when it does not convert.
QVariant parse(ValueForm form, const QString &text, const QLocale &locale)
{
    switch (form) {
    case ValueForm::Number: {
        const std::optional<double> v = parseNumber<double>(text, locale);
        return v ? QVariant(*v) : QVariant();
    }
    case ValueForm::WholeNumber: {
        const std::optional<int> v = parseNumber<int>(text, locale);
        return v ? QVariant(*v) : QVariant();
    }
    case ValueForm::Flag: {
        const std::optional<int> v = parseNumber<int>(text, locale);
        return v ? QVariant(*v != 0) : QVariant();
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

QString numberText(double value, const QLocale &locale)
{
    return GeneralNumberText(value, 15, 0, locale, MinusSign::Plain);
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
    const QLocale &locale = m_locale;
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
    if (status != IniFile::LoadStatus::Missing && status != IniFile::LoadStatus::Loaded) {
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
