#include "MoneyText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// A non-negative decimal number: digits d0 d1 d2 ... meaning d0.d1d2... x 10^exponent.
// An empty digit string is zero.
struct Decimal
{
    QByteArray digits;
    int exponent = 0;
    bool negative = false;

    bool isZero() const { return digits.isEmpty(); }
    int integerDigits() const { return isZero() ? 0 : std::max(exponent + 1, 0); }
};

// The exact decimal digits of |value| (enough of them to decide any rounding
// we do), then rounded half away from zero so that no digit below the
// position 10^lowestKept remains.
Decimal roundDecimal(double value, int significantDigits, int maxDecimals)
{
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;

    // The digits and exponent come from to_chars, which knows nothing of the
    // C library's locale: under de_DE, printf would write "2,128..." here.
    char buffer[96];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 60);
    const char *end = written.ptr;
    const char *e = std::find(static_cast<const char *>(buffer), end, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    QByteArray all;
    all.reserve(64);
    for (const char *p = buffer; p != e; ++p) {
        if (*p != '.')
            all.append(*p);
    }

    const int lowestKept = std::max(exponent - (significantDigits - 1), -maxDecimals);
    const int keep = exponent - lowestKept + 1; // how many leading digits survive
    if (keep < 0)
        return Decimal{{}, 0, d.negative};

    QByteArray kept = all.left(keep);
    int keptExponent = exponent;
    const bool roundUp = keep < all.size() && all.at(keep) >= '5';
    if (roundUp) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept.at(i) == '9') {
            kept[i] = '0';
            --i;
        }
        if (i >= 0) {
            kept[i] = char(kept.at(i) + 1);
        } else {
            kept.prepend('1');
            ++keptExponent;
        }
    }
    while (!kept.isEmpty() && kept.endsWith('0'))
        kept.chop(1);
    d.digits = kept;
    d.exponent = keptExponent;
    return d;
}

double toDouble(const Decimal &d)
{
    if (d.isZero())
        return 0.0;
    QByteArray text = d.negative ? QByteArray("-") : QByteArray();
    text += "0." + d.digits + 'e' + QByteArray::number(d.exponent + 1);
    double value = 0;
    std::from_chars(text.constData(), text.constData() + text.size(), value);
    return value;
}

QString minusText(MinusSign sign, const QLocale &locale)
{
    return sign == MinusSign::Plain ? QStringLiteral("-") : locale.negativeSign();
}

QString scientificText(const Decimal &d, int exponentDigits, const QLocale &locale,
                       MinusSign sign = MinusSign::Locale)
{
    QString text;
    if (d.negative)
        text += minusText(sign, locale);
    text += QLatin1Char(d.digits.at(0));
    if (d.digits.size() > 1)
        text += locale.decimalPoint() + QString::fromLatin1(d.digits.mid(1));
    text += QLatin1Char('E');
    text += QLatin1Char(d.exponent < 0 ? '-' : '+');
    text += QString::number(std::abs(d.exponent)).rightJustified(exponentDigits, QLatin1Char('0'));
    return text;
}

QString plainText(const Decimal &d, const QLocale &locale, MinusSign sign)
{
    QString text;
    if (d.negative)
        text += minusText(sign, locale);
    const QString digits = QString::fromLatin1(d.digits);
    if (d.exponent < 0) {
        text += QLatin1Char('0') + locale.decimalPoint() +
                QString(-d.exponent - 1, QLatin1Char('0')) + digits;
    } else if (digits.size() <= d.exponent + 1) {
        text += digits + QString(d.exponent + 1 - digits.size(), QLatin1Char('0'));
    } else {
        text += digits.left(d.exponent + 1) + locale.decimalPoint() + digits.mid(d.exponent + 1);
    }
    return text;
}

constexpr int textDigits = 10;

QString currencyText(double value, int decimals, const QLocale &locale)
{
    if (!std::isfinite(value))
        return QString(); // no amount: never "nan" or "inf" on screen or in the file
    const Decimal rounded = roundDecimal(value, textDigits, decimals);
    if (rounded.integerDigits() > textDigits)
        return scientificText(rounded, 3, locale);
    // Formatting the nearest double of an already rounded value with the same
    // number of decimals cannot round again.
    return locale.toCurrencyString(toDouble(rounded), QString(), decimals);
}

} // namespace

QString GeneralNumberText(double value, int significantDigits, int exponentDigits,
                          const QLocale &locale, MinusSign sign)
{
    if (!std::isfinite(value))
        return QString();
    const Decimal rounded = roundDecimal(value, significantDigits, 400);
    if (rounded.isZero())
        return QStringLiteral("0");
    if (rounded.exponent < -5 || rounded.integerDigits() > significantDigits)
        return scientificText(rounded, exponentDigits, locale, sign);
    return plainText(rounded, locale, sign);
}

QString MoneyToText(double value, const QLocale &locale)
{
    return currencyText(value, 2, locale);
}

QString WholeMoneyToText(double value, const QLocale &locale)
{
    return currencyText(value, 0, locale);
}

QString PercentToText(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return QString();
    return GeneralNumberText(value, textDigits, 3, locale) + QLatin1Char('%');
}
