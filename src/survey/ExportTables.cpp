#include <cmath>
#include <cstdio>
#include <map>

#include "core/TimeBase.h"
#include "survey/Messages.h"
#include "survey/SurveyAccess.h"

namespace zorvel::survey {

namespace {

enum class Kind { Int, Real, Degrees, Text, Time };

struct Column {
  const char* name;
  Kind kind;
};

struct TableQuery {
  std::vector<Column> columns;
  const char* sql;
};

// The deployment a row belongs to is named by its natural key's readable parts, since ids are
// the survey file's own business.
const TableQuery& QueryOf(Table t) {
  static const TableQuery deployments{{{"logger", Kind::Int},
                                       {"location", Kind::Text},
                                       {"latitude", Kind::Degrees},
                                       {"longitude", Kind::Degrees},
                                       {"utc_offset_min", Kind::Int},
                                       {"first_minute", Kind::Time},
                                       {"last_minute", Kind::Time},
                                       {"files", Kind::Text},
                                       {"classifier", Kind::Text}},
                                      "SELECT logger, location, latitude, longitude, utc_offset_min, "
                                      "first_minute, last_minute, files, classifier"
                                      " FROM deployment ORDER BY logger, classifier, first_minute"};
  static const TableQuery nights{
      {{"logger", Kind::Int},
       {"location", Kind::Text},
       {"classifier", Kind::Text},
       {"date", Kind::Text},
       {"sunset", Kind::Time},
       {"sunrise", Kind::Time},
       {"dusk", Kind::Time},
       {"dawn", Kind::Time},
       {"listened_minutes", Kind::Int},
       {"effort_minutes", Kind::Int},
       {"temp_sunset", Kind::Real},
       {"temp_min", Kind::Real},
       {"temp_max", Kind::Real},
       {"mean_light", Kind::Real}},
      "SELECT d.logger, d.location, d.classifier, n.date, n.sunset, n.sunrise, n.dusk, n.dawn, "
      "n.listened_minutes,"
      " n.effort_minutes, n.temp_sunset, n.temp_min, n.temp_max, n.mean_light FROM night n"
      " JOIN deployment d ON d.id = n.deployment_id ORDER BY d.logger, d.classifier, d.first_minute, n.date"};
  static const TableQuery passes{
      {{"logger", Kind::Int},
       {"location", Kind::Text},
       {"night", Kind::Text},
       {"file", Kind::Text},
       {"start", Kind::Time},
       {"end", Kind::Time},
       {"species", Kind::Text},
       {"classifier", Kind::Text},
       {"confidence", Kind::Int},
       {"calls", Kind::Int},
       {"buzz_calls", Kind::Int},
       {"median_peak_khz", Kind::Real}},
      "SELECT d.logger, d.location, n.date, p.file, p.start, p.end, p.species, p.classifier, p.confidence,"
      " p.calls, p.buzz_calls, p.median_peak_khz FROM pass p JOIN deployment d ON d.id = p.deployment_id"
      " LEFT JOIN night n ON n.id = p.night_id"
      " ORDER BY d.logger, d.classifier, d.first_minute, p.start, p.species"};
  static const TableQuery speciesNights{
      {{"logger", Kind::Int},
       {"location", Kind::Text},
       {"date", Kind::Text},
       {"classifier", Kind::Text},
       {"species", Kind::Text},
       {"passes", Kind::Int},
       {"calls", Kind::Int},
       {"buzz_calls", Kind::Int},
       {"activity_index", Kind::Int},
       {"first_after_sunset_min", Kind::Real},
       {"last_before_sunrise_min", Kind::Real},
       {"busiest_hour", Kind::Int}},
      "SELECT d.logger, d.location, n.date, s.classifier, s.species, s.passes, s.calls, s.buzz_calls,"
      " s.activity_index, s.first_after_sunset_min, s.last_before_sunrise_min, s.busiest_hour"
      " FROM species_night s JOIN night n ON n.id = s.night_id JOIN deployment d ON d.id = n.deployment_id"
      " ORDER BY d.logger, d.classifier, d.first_minute, n.date, s.species"};
  switch (t) {
    case Table::Deployments:
      return deployments;
    case Table::Nights:
      return nights;
    case Table::Passes:
      return passes;
    case Table::SpeciesNights:
      return speciesNights;
  }
  return deployments;
}

// Up to three decimals, without trailing zeros: exact for the stored tenths and halves, and the
// same text for the same value on every machine.
std::string RealText(double v, int decimals = 3) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

std::string CsvField(const std::string& v) {
  if (v.find_first_of(",\"\r\n") == std::string::npos && (v.empty() || (v.front() != ' ' && v.back() != ' ')))
    return v;
  std::string q = "\"";
  for (char c : v) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

std::string Cell(const Statement& q, int col, Kind kind) {
  if (q.IsNull(col)) return {};
  switch (kind) {
    case Kind::Int:
      return std::to_string(q.Int(col));
    case Kind::Real:
      return RealText(q.Real(col));
    case Kind::Degrees:
      return RealText(q.Real(col), 5);  // as the position parser gives them
    case Kind::Text:
      return CsvField(q.Text(col));
    case Kind::Time:
      return MinuteTimeText(q.Real(col));
  }
  return {};
}

}  // namespace

std::string MinuteTimeText(double minute) {
  // Seconds are truncated; the small lift keeps a time stored as 21:03:00 from printing 21:02:59.
  const double totalSeconds = std::floor(minute * 60 + 1e-6);
  const int64_t whole = static_cast<int64_t>(totalSeconds);
  const int64_t mn = whole >= 0 ? whole / 60 : (whole - 59) / 60;
  const int seconds = static_cast<int>(whole - mn * 60);
  const CivilDate d =
      CivilFromDays(mn >= 0 ? mn / kMinutesPerDay : (mn - kMinutesPerDay + 1) / kMinutesPerDay);
  const int64_t ofDay = mn - DaysFromCivil(d.year, d.month, d.day) * kMinutesPerDay;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day,
                static_cast<int>(ofDay / 60), static_cast<int>(ofDay % 60), seconds);
  return buf;
}

std::optional<Table> TableFromName(const std::string& name) {
  static const std::map<std::string, Table> names{{"deployments", Table::Deployments},
                                                  {"nights", Table::Nights},
                                                  {"passes", Table::Passes},
                                                  {"species-nights", Table::SpeciesNights}};
  const auto it = names.find(name);
  if (it == names.end()) return std::nullopt;
  return it->second;
}

std::string ExportTableCsv(Survey& survey, Table which) {
  const TableQuery& t = QueryOf(which);
  std::string out;
  for (size_t c = 0; c < t.columns.size(); ++c) out += (c ? "," : "") + std::string(t.columns[c].name);
  out += "\r\n";
  Statement q(SurveyAccess::Db(survey), t.sql);
  while (q.Step()) {
    for (size_t c = 0; c < t.columns.size(); ++c) {
      if (c) out += ',';
      out += Cell(q, static_cast<int>(c), t.columns[c].kind);
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace zorvel::survey
