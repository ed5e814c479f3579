#pragma once

#include <QLocale>
#include <QString>

// The fixed forms in which amounts are shown outside the entry fields. Each
// rounds once, half away from zero, to ten significant digits or to its own
// decimals, whichever keeps fewer; a negative that rounds to zero is zero.
// The locale supplies the currency symbol, separators and negative pattern.
// A value that is no number or infinite gives an empty text in every form:
// the arithmetic reports such a value as an error before it is shown, and
// nothing must ever read "nan" or "inf".

// Currency with cents: 2128.94 gives "$2,128.94" under en_US.
QString MoneyToText(double value, const QLocale &locale = QLocale());
// Currency without cents: 2128.94 gives "$2,129".
QString WholeMoneyToText(double value, const QLocale &locale = QLocale());
// The shortest number text followed by "%": 6.125 gives "6.125%".
QString PercentToText(double value, const QLocale &locale = QLocale());

// Where a text is only shown, the locale's own negative sign is right; where
// it is read back, a plain "-" is safer: under he_IL and the Arabic locales
// the locale's sign carries invisible direction marks.
enum class MinusSign { Locale, Plain };

// The general number form: rounded to `significantDigits`, no trailing
// zeros, no grouping, the locale's decimal separator; scientific notation
// ("1.5E-006") when a non-zero value is below 0.00001 in magnitude or has
// more integer digits than `significantDigits`, the exponent padded to at
// least `exponentDigits` digits.
QString GeneralNumberText(double value, int significantDigits, int exponentDigits,
                          const QLocale &locale = QLocale(), MinusSign sign = MinusSign::Locale);
