// Texts shared by the exports and listings: date-time and Julian day of a minute, the time
// columns of a row, fixed-point numbers, report file names.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/FileRec.h"
#include "export/ExportOptions.h"

namespace zorvel {

// "5/3/2021 21:07": d/m/yyyy, a blank, hh:mm.
std::string ExportDateTimeText(int32_t mn);
int64_t JulianDay(int32_t mn);
// The row's time columns, each followed by a tab (nothing for "none").
std::string RowTimeColumns(int32_t mn, const ExportOptions& o);
// The column heading of a period export (one line, no line end).
std::string ColumnHeading(const ExportOptions& o);
// "Zorvel 1234", or "Virtual Zorvel" for a file without a logger number.
std::string LoggerLabelText(const TFileRec& s);

// value / divisor with the given number of decimals, halves rounded away from zero.
std::string FixedPoint(int64_t value, int64_t divisor, int decimals);
// Half degrees as degrees with two significant digits and one decimal ("21.0", "7.5").
std::string HalfDegreesTwoDigits(int32_t halfDeg);

// The report name for a data file: its name without the last four characters and the kind's
// suffix, or with " file2 ", " file3 " … before the suffix while a name is taken.
std::string ReportFileName(const std::string& dataFile, ExportKind kind,
                           const std::function<bool(const std::string&)>& taken);

// "1,12" for bits 0 and 11; "none" for no bit.
std::string MonthList(int32_t monthsOff);

}  // namespace zorvel
