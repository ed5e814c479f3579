#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <span>

// Figures by target: the object name of a worksheet control, or one of the
// main window's state names of the value file. Numbers are doubles (the term
// an int), label captions and the month name QStrings, the has-run flag a
// bool, the last-update time a QDateTime.
using StoredValues = QHash<QString, QVariant>;

// The closing-month box: a reset puts the start-up month name into it.
inline constexpr char closingMonthTarget[] = "cbVDPClosingMonth";

// The worked example the worksheet starts with; also what a reset to sample
// values applies. Keyed by target, without the closing month.
StoredValues sampleValues();
// All zeros, "$0.00" in both result labels: a reset to zero values.
StoredValues zeroValues();

// The 25 targets a reset sets, in the order it sets them: the 22 numeric
// fields, the two result labels and closingMonthTarget.
std::span<const char *const> valueSetOrder();
