#pragma once

#include "PreparedPage.h"

#include <QByteArray>

#include <stdexcept>

// The report file (.vdr): the prepared pages of a report exactly as laid
// out, as versioned JSON. Reading is strict and bounded: anything that is
// not such a file, down to a wrong type or an absurd number in one line, is
// refused as a whole.
namespace report {

inline constexpr char reportFileSuffix[] = "vdr";
inline constexpr qint64 maxReportFileSize = 4 * 1024 * 1024;
inline constexpr int reportFileVersion = 1;

// Raised for a file that cannot be read or is not a report file.
class ReportFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

QByteArray reportToJson(const QList<PreparedPage> &pages);
// Raises ReportFileError, naming what is wrong and where.
QList<PreparedPage> reportFromJson(const QByteArray &json);

// Writes the whole file or nothing. Raises ReportFileError.
void saveReportFile(const QString &fileName, const QList<PreparedPage> &pages);
// Raises ReportFileError; reads no more than maxReportFileSize bytes.
QList<PreparedPage> loadReportFile(const QString &fileName);

} // namespace report
