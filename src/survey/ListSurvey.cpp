#include <cstdio>

#include "survey/Messages.h"
#include "survey/SurveyAccess.h"

namespace zorvel::survey {

namespace {

std::string ClockOf(const std::optional<double>& minute) {
  if (!minute) return "-";
  return MinuteTimeText(*minute).substr(11, 5);
}

std::string Degrees(double v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%.5f", v);
  return buf;
}

}  // namespace

std::vector<std::string> SurveyTotals(Survey& survey) {
  Statement q(SurveyAccess::Db(survey),
              "SELECT (SELECT count(*) FROM deployment), (SELECT count(*) FROM night),"
              " (SELECT count(*) FROM pass)");
  if (!q.Step()) return {};
  return {std::to_string(q.Int(0)) + std::string(msg::kTotalDeployments),
          std::to_string(q.Int(1)) + std::string(msg::kTotalNights),
          std::to_string(q.Int(2)) + std::string(msg::kTotalPasses)};
}

std::vector<std::string> ListSurvey(Survey& survey) {
  sqlite3* db = SurveyAccess::Db(survey);
  std::vector<std::string> lines;
  Statement d(db,
              "SELECT id, logger, location, latitude, longitude, utc_offset_min, first_minute, last_minute,"
              " files, classifier, (SELECT count(*) FROM night WHERE deployment_id = deployment.id)"
              " FROM deployment ORDER BY logger, classifier, first_minute");
  Statement n(db,
              "SELECT n.date, n.sunset, n.sunrise, n.listened_minutes, n.effort_minutes,"
              " (SELECT count(*) FROM pass WHERE night_id = n.id),"
              " (SELECT group_concat(label, ', ') FROM (SELECT (CASE species WHEN '' THEN 'unclassed'"
              " ELSE species END) || ' ' || passes AS label FROM species_night WHERE night_id = n.id"
              " ORDER BY passes DESC, species))"
              " FROM night n WHERE n.deployment_id = ?1 ORDER BY n.date");
  while (d.Step()) {
    std::string head = std::string(msg::kListLogger) + std::to_string(d.Int(1)) + "\t" + d.Text(2) + "\t";
    if (d.IsNull(3) || d.IsNull(4))
      head += std::string(msg::kListNoPosition);
    else
      head += Degrees(d.Real(3)) + " " + Degrees(d.Real(4));
    if (!d.IsNull(5)) {
      const int64_t off = d.Int(5);
      char utc[48];
      const int64_t size = off < 0 ? -off : off;
      std::snprintf(utc, sizeof utc, "UTC%c%lld:%02lld", off < 0 ? '-' : '+',
                    static_cast<long long>(size / 60), static_cast<long long>(size % 60));
      head += std::string("\t") + utc;
    }
    const std::string files = d.Text(8);
    int fileCount = files.empty() ? 0 : 1;
    for (size_t p = files.find("; "); p != std::string::npos; p = files.find("; ", p + 2)) ++fileCount;
    head += "\t" + MinuteTimeText(d.Real(6)) + " - " + MinuteTimeText(d.Real(7)) + "\t" + d.Text(9) + "\t" +
            std::to_string(fileCount) + std::string(msg::kListFiles) + ", " + std::to_string(d.Int(10)) +
            std::string(msg::kListNights);
    lines.push_back(head);
    lines.push_back(std::string(msg::kListNightHeading));
    n.Reset();
    n.Bind(1, d.Int(0));
    while (n.Step()) {
      lines.push_back("  " + n.Text(0) + "\t" + ClockOf(n.OptReal(1)) + "\t" + ClockOf(n.OptReal(2)) + "\t" +
                      std::to_string(n.Int(3)) + "\t" + (n.IsNull(4) ? "-" : std::to_string(n.Int(4))) +
                      "\t" + std::to_string(n.Int(5)) + "\t" + n.Text(6));
    }
  }
  if (lines.empty()) lines.push_back(std::string(msg::kListEmpty));
  return lines;
}

}  // namespace zorvel::survey
