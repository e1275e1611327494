#include "export/ExportText.h"

#include <cstdlib>

#include "core/TimeBase.h"
#include "export/Messages.h"

namespace zorvel {

namespace {
constexpr int64_t kJulianDayOfEpoch = 2'415'018;

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::string UnitColumn(int32_t mn, const ExportOptions& o) {
  return o.dateUnit == ExportDateUnit::JulianDay ? std::to_string(JulianDay(mn)) : std::to_string(mn);
}
}  // namespace

int32_t PeriodLength(ExportPeriod p) {
  switch (p) {
    case ExportPeriod::Minutes:
      return 1;
    case ExportPeriod::Hours:
      return 60;
    case ExportPeriod::Days:
      return 1440;
    case ExportPeriod::Weeks:
      return 10080;
    case ExportPeriod::All:
      return kAllPeriodMinutes;
  }
  return 1;
}

void ExportGroupsClicked(ExportOptions& o) {
  if (o.kind == ExportKind::SpSummary) o.period = ExportPeriod::All;
}

std::string ExportDateTimeText(int32_t mn) {
  return ShortDateText(mn) + " " + ClockText(mn);
}

int64_t JulianDay(int32_t mn) {
  return FloorDiv(mn, 1440) + kJulianDayOfEpoch;
}

std::string RowTimeColumns(int32_t mn, const ExportOptions& o) {
  switch (o.timeFormat) {
    case ExportTimeFormat::DMY:
      return ExportDateTimeText(mn) + "\t";
    case ExportTimeFormat::Unit:
      return UnitColumn(mn, o) + "\t";
    case ExportTimeFormat::Both:
      return ExportDateTimeText(mn) + "\t" + UnitColumn(mn, o) + "\t";
    case ExportTimeFormat::None:
      return "";
  }
  return "";
}

std::string ColumnHeading(const ExportOptions& o) {
  if (o.kind == ExportKind::SpSummary) return std::string(msg::kKind2Heading);
  const std::string unit(o.dateUnit == ExportDateUnit::JulianDay ? msg::kUnitJulianDay : msg::kUnitMinute);
  std::string out;
  switch (o.timeFormat) {
    case ExportTimeFormat::DMY:
      out = std::string(msg::kHeadFileChunkEnd);
      break;
    case ExportTimeFormat::Unit:
      out = std::string(msg::kHeadFile) + unit + "\t";
      break;
    // The heading keeps its time columns with "none" too: sheets made from older exports
    // line up with new ones, and the rows simply leave them out.
    case ExportTimeFormat::Both:
    case ExportTimeFormat::None:
      out = std::string(msg::kHeadFileChunkEnd) + unit + "\t";
      break;
  }
  switch (o.kind) {
    case ExportKind::CallCounts:
      return out + std::string(msg::kKind0Words);
    case ExportKind::DetEnv:
      return out + std::string(msg::kKind1Words);
    case ExportKind::SpDetections:
      return out + std::string(msg::kKind3Words);
    case ExportKind::SpSummary:
      break;
  }
  return out;
}

std::string LoggerLabelText(const TFileRec& s) {
  if (s.ZorvelID == 0) return std::string(msg::kVirtualLogger);
  return std::string(msg::kLoggerLabel) + s.ZorvelIDstr;
}

std::string FixedPoint(int64_t value, int64_t divisor, int decimals) {
  if (divisor == 0) divisor = 1;
  if (divisor < 0) value = -value, divisor = -divisor;
  int64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const bool negative = value < 0;
  const int64_t mag = std::llabs(value);
  const int64_t scaled = (mag * scale * 2 + divisor) / (2 * divisor);  // halves away from zero
  std::string out = (negative && scaled != 0 ? "-" : "") + std::to_string(scaled / scale);
  if (decimals > 0) {
    std::string frac = std::to_string(scaled % scale);
    out += "." + std::string(static_cast<size_t>(decimals) - frac.size(), '0') + frac;
  }
  return out;
}

std::string HalfDegreesTwoDigits(int32_t halfDeg) {
  const int64_t mag = std::llabs(static_cast<int64_t>(halfDeg));
  // Below 10 degrees two significant digits keep the half degree; from 10 on they stop at
  // whole degrees, and from 100 on at tens.
  if (mag < 20) return FixedPoint(halfDeg, 2, 1);
  int64_t step = mag < 200 ? 2 : 20;
  const int64_t rounded = (mag + step / 2) / step * step;
  return FixedPoint(halfDeg < 0 ? -rounded : rounded, 2, 1);
}

std::string ReportFileName(const std::string& dataFile, ExportKind kind,
                           const std::function<bool(const std::string&)>& taken) {
  const std::string base = dataFile.size() > 4 ? dataFile.substr(0, dataFile.size() - 4) : std::string();
  const std::string suffix(msg::kReportSuffixes[static_cast<size_t>(kind)]);
  std::string name = base + suffix;
  for (int k = 2; taken(name); ++k)
    name = base + std::string(msg::kReportNameFile) + std::to_string(k) + " " + suffix;
  return name;
}

std::string MonthList(int32_t monthsOff) {
  std::string out;
  for (int i = 0; i < 12; ++i) {
    if ((monthsOff >> i) & 1) out += (out.empty() ? "" : ",") + std::to_string(i + 1);
  }
  return out.empty() ? std::string(msg::kMonthsNone) : out;
}

}  // namespace zorvel
