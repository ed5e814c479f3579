#pragma once

#include "ValueSets.h"

#include <QHash>
#include <QLocale>
#include <QString>
#include <QVariant>

#include <span>

inline constexpr char stateValueSet[] = "valueSet";
inline constexpr char stateStartupMonth[] = "startupMonthName";
inline constexpr char stateHasRun[] = "hasRun";
inline constexpr char stateLastUpdate[] = "lastUpdate";

enum class ValueForm { Number, WholeNumber, Flag, Text, DateTime };

struct ValueKey
{
    const char *section;
    const char *key;
    ValueForm form;
    const char *target;
};

// Every key in the order in which the file is read and written.
std::span<const ValueKey> valueKeys();

// The number form of the file: the shortest text of up to 15 significant
// digits, no grouping, the locale's decimal separator ("235000", "1408.94").
QString numberText(double value, const QLocale &locale);

// The value file vdl.ini. Keys the program does not know, comments and the
// order of lines survive a save; a save replaces the file in one step, so an
// interrupted save leaves the old file as it was.
class ValueFile
{
public:
    explicit ValueFile(QString path, QLocale locale = QLocale());

    QString path() const { return m_path; }

    // Every key of valueKeys(): as stored, or its entry in `defaults` when the
    // file, the key or a convertible value is missing.
    StoredValues load(const StoredValues &defaults) const;

    // Writes every key of valueKeys() present in `values`. The folder must
    // exist. Fails, leaving it as it is, when a file is there that load()
    // could not read (too large, or not a readable file).
    bool save(const StoredValues &values, QString *errorString = nullptr) const;

private:
    QString m_path;
    QLocale m_locale;
};
