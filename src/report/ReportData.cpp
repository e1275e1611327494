#include "report/ReportData.h"

#include <sqlite3.h>

#include <map>

namespace zorvel::report {

namespace {

class Query {
 public:
  Query(sqlite3* db, const char* sql) : db_(db) {
    ok_ = sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) == SQLITE_OK;
  }
  ~Query() { sqlite3_finalize(st_); }
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  // False at the end and on an error (then Failed() says so).
  bool Next() {
    if (!ok_) return false;
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    ok_ = rc == SQLITE_DONE;
    return false;
  }
  bool Failed() const { return !ok_; }
  std::string Error() const { return sqlite3_errmsg(db_); }

  int64_t Int(int c) const { return sqlite3_column_int64(st_, c); }
  double Real(int c) const { return sqlite3_column_double(st_, c); }
  bool Null(int c) const { return sqlite3_column_type(st_, c) == SQLITE_NULL; }
  std::optional<double> OptReal(int c) const { return Null(c) ? std::nullopt : std::optional(Real(c)); }
  std::optional<int> OptInt(int c) const {
    return Null(c) ? std::nullopt : std::optional(static_cast<int>(Int(c)));
  }
  std::string Text(int c) const {
    const unsigned char* t = sqlite3_column_text(st_, c);
    return t ? reinterpret_cast<const char*>(t) : "";
  }

 private:
  sqlite3* db_;
  sqlite3_stmt* st_ = nullptr;
  bool ok_ = false;
};

LoadResult Failure(const Query& q) {
  LoadResult r;
  r.message = q.Error();
  return r;
}

}  // namespace

LoadResult LoadReportData(sqlite3* db, const std::string& surveyName) {
  ReportData data;
  data.surveyName = surveyName;
  std::map<int64_t, size_t> deploymentOf;
  {
    Query q(db,
            "SELECT id, logger, location, latitude, longitude, utc_offset_min, first_minute, last_minute, "
            "files, classifier FROM deployment ORDER BY logger, classifier, first_minute");
    while (q.Next()) {
      Deployment d;
      d.id = q.Int(0);
      d.logger = static_cast<int>(q.Int(1));
      d.location = q.Text(2);
      d.latitude = q.OptReal(3);
      d.longitude = q.OptReal(4);
      d.utcOffsetMinutes = q.OptInt(5);
      d.firstMinute = q.Real(6);
      d.lastMinute = q.Real(7);
      d.files = q.Text(8);
      d.classifier = q.Text(9);
      deploymentOf[d.id] = data.deployments.size();
      data.deployments.push_back(std::move(d));
    }
    if (q.Failed()) return Failure(q);
  }
  // Night ids to (deployment, night index), for the rows that refer to nights.
  std::map<int64_t, std::pair<size_t, size_t>> nightOf;
  {
    Query q(db,
            "SELECT id, deployment_id, date, sunset, sunrise, dusk, dawn, listened_minutes, effort_minutes, "
            "temp_sunset, temp_min, temp_max, mean_light FROM night ORDER BY deployment_id, date");
    while (q.Next()) {
      const auto d = deploymentOf.find(q.Int(1));
      if (d == deploymentOf.end()) continue;
      NightRow n;
      n.id = q.Int(0);
      n.date = q.Text(2);
      n.sunset = q.OptReal(3);
      n.sunrise = q.OptReal(4);
      n.dusk = q.OptReal(5);
      n.dawn = q.OptReal(6);
      n.listenedMinutes = static_cast<int>(q.Int(7));
      n.effortMinutes = q.OptInt(8);
      n.tempSunset = q.OptReal(9);
      n.tempMin = q.OptReal(10);
      n.tempMax = q.OptReal(11);
      n.meanLight = q.OptReal(12);
      auto& nights = data.deployments[d->second].nights;
      nightOf[n.id] = {d->second, nights.size()};
      nights.push_back(std::move(n));
    }
    if (q.Failed()) return Failure(q);
  }
  {
    Query q(db,
            "SELECT night_id, species, passes, calls, buzz_calls, activity_index, first_after_sunset_min, "
            "last_before_sunrise_min, busiest_hour FROM species_night ORDER BY night_id, species");
    while (q.Next()) {
      const auto n = nightOf.find(q.Int(0));
      if (n == nightOf.end()) continue;
      SpeciesNightRow s;
      s.night = n->second.second;
      s.species = q.Text(1);
      s.passes = static_cast<int>(q.Int(2));
      s.calls = static_cast<int>(q.Int(3));
      s.buzzCalls = static_cast<int>(q.Int(4));
      s.activityIndex = static_cast<int>(q.Int(5));
      s.firstAfterSunset = q.OptReal(6);
      s.lastBeforeSunrise = q.OptReal(7);
      s.busiestHour = q.OptInt(8);
      data.deployments[n->second.first].speciesNights.push_back(std::move(s));
    }
    if (q.Failed()) return Failure(q);
  }
  {
    Query q(
        db,
        "SELECT night_id, start, species, confidence, buzz_calls FROM pass ORDER BY deployment_id, start");
    while (q.Next()) {
      const auto n = nightOf.find(q.Int(0));
      if (n == nightOf.end()) continue;
      PassRow p;
      p.night = n->second.second;
      p.start = q.Real(1);
      p.species = q.Text(2);
      p.confidence = static_cast<int>(q.Int(3));
      p.buzzCalls = static_cast<int>(q.Int(4));
      data.deployments[n->second.first].passes.push_back(std::move(p));
    }
    if (q.Failed()) return Failure(q);
  }
  LoadResult r;
  r.data = std::move(data);
  return r;
}

}  // namespace zorvel::report
