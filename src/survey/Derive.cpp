#include "survey/Derive.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "core/Records.h"
#include "core/SunTimes.h"
#include "core/TimeBase.h"
#include "survey/FileScan.h"
#include "survey/PassJoin.h"

namespace zorvel::survey {

namespace {

struct FileRow {
  int64_t id = 0, firstMinute = 0, lastMinute = 0;
  std::string name, location;
  std::optional<double> latitude, longitude;
  std::optional<int64_t> offset;
};

bool SamePlace(const FileRow& a, const FileRow& b) {
  return a.location == b.location && a.latitude == b.latitude && a.longitude == b.longitude &&
         a.offset == b.offset;
}

struct NightSums {
  int64_t logged = 0, listened = 0, light = 0;
  std::optional<int64_t> effort;
  bool effortKnown = true;
  std::optional<double> tempSunset, tempMin, tempMax;
};

struct NightRow {
  int64_t id = 0;
  std::optional<double> sunset, sunrise;
};

struct SpeciesAcc {
  int64_t passes = 0, calls = 0, buzz = 0;
  std::set<int64_t> minutes;
  double firstStart = 0, lastEnd = 0;
  std::map<int64_t, int64_t> byHour;  // key: hours since the night's noon, so that ties go to the earlier
};

class Deriver {
 public:
  Deriver(sqlite3* db, int64_t logger, const std::string& classifier)
      : db_(db), logger_(logger), classifier_(classifier) {}

  int Run() {
    Statement del(db_, "DELETE FROM deployment WHERE logger = ?1 AND classifier = ?2");
    if (!del.Bind(1, logger_).Bind(2, classifier_).Run()) return del.LastCode();
    Statement files(
        db_,
        "SELECT id, first_minute, last_minute, name, location, latitude, longitude, utc_offset_min"
        " FROM survey_file WHERE logger = ?1 AND classifier = ?2 ORDER BY first_minute, content_hash");
    files.Bind(1, logger_).Bind(2, classifier_);
    std::vector<FileRow> rows;
    while (files.Step())
      rows.push_back({files.Int(0), files.Int(1), files.Int(2), files.Text(3), files.Text(4),
                      files.OptReal(5), files.OptReal(6), files.OptInt(7)});
    if (!files.Done()) return files.LastCode();
    std::vector<FileRow> group;
    for (const FileRow& f : rows) {
      if (!group.empty() &&
          (!SamePlace(group.front(), f) || f.firstMinute - LastMinute(group) > kDeploymentGapMinutes)) {
        if (const int rc = Deployment(group); rc != SQLITE_OK) return rc;
        group.clear();
      }
      group.push_back(f);
    }
    if (!group.empty()) return Deployment(group);
    return SQLITE_OK;
  }

 private:
  static int64_t LastMinute(const std::vector<FileRow>& g) {
    int64_t m = INT64_MIN;
    for (const FileRow& f : g) m = std::max(m, f.lastMinute);
    return m;
  }

  int Deployment(const std::vector<FileRow>& g) {
    const FileRow& head = g.front();
    std::string names;
    for (const FileRow& f : g) names += (names.empty() ? "" : "; ") + f.name;
    const int64_t last = LastMinute(g);
    Statement ins(
        db_,
        "INSERT INTO deployment(logger, location, latitude, longitude, utc_offset_min, first_minute,"
        " last_minute, files, classifier) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    ins.Bind(1, logger_)
        .Bind(2, head.location)
        .Bind(3, head.latitude)
        .Bind(4, head.longitude)
        .Bind(5, head.offset);
    // The last minute is whole: it ends one minute after it begins.
    ins.Bind(6, static_cast<double>(head.firstMinute)).Bind(7, static_cast<double>(last + 1)).Bind(8, names);
    if (!ins.Bind(9, classifier_).Run()) return ins.LastCode();
    const int64_t deploymentId = sqlite3_last_insert_rowid(db_);

    // Night partial sums of the deployment's files.
    std::map<int64_t, NightSums> sums;
    std::string idList;
    for (const FileRow& f : g) idList += (idList.empty() ? "" : ",") + std::to_string(f.id);
    Statement parts(db_,
                    "SELECT date, logged_minutes, listened_minutes, effort_minutes, temp_sunset, temp_min,"
                    " temp_max, light_sum FROM file_night WHERE file_id IN (" +
                        idList + ") ORDER BY file_id");
    while (parts.Step()) {
      const int64_t day = DayFromText(parts.Text(0));
      NightSums& n = sums[day];
      n.logged += parts.Int(1);
      n.listened += parts.Int(2);
      if (parts.IsNull(3))
        n.effortKnown = false;
      else
        n.effort = n.effort.value_or(0) + parts.Int(3);
      if (!n.tempSunset) n.tempSunset = parts.OptReal(4);
      if (auto v = parts.OptReal(5)) n.tempMin = n.tempMin ? std::min(*n.tempMin, *v) : *v;
      if (auto v = parts.OptReal(6)) n.tempMax = n.tempMax ? std::max(*n.tempMax, *v) : *v;
      n.light += parts.Int(7);
    }
    if (!parts.Done()) return parts.LastCode();

    std::map<int64_t, NightRow> nights;
    Statement night(db_,
                    "INSERT INTO night(deployment_id, date, sunset, sunrise, dusk, dawn, listened_minutes,"
                    " effort_minutes, temp_sunset, temp_min, temp_max, mean_light)"
                    " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)");
    const bool sun = head.latitude && head.longitude && head.offset;
    for (int64_t day = NightDayOfMinute(static_cast<double>(head.firstMinute));
         day <= NightDayOfMinute(static_cast<double>(last)); ++day) {
      SunEvents ev;
      if (sun)
        ev = NightSunEvents(static_cast<int32_t>(day * kMinutesPerDay), *head.latitude, *head.longitude,
                            static_cast<int>(*head.offset));
      const auto it = sums.find(day);
      const NightSums n = it == sums.end() ? NightSums{} : it->second;
      std::optional<int64_t> effort;
      if (ev.sunset && ev.sunrise && n.effortKnown) effort = n.effort.value_or(0);
      std::optional<double> light;
      if (n.logged > 0) light = static_cast<double>(n.light) / static_cast<double>(n.logged);
      night.Bind(1, deploymentId)
          .Bind(2, DayText(day))
          .Bind(3, ev.sunset)
          .Bind(4, ev.sunrise)
          .Bind(5, ev.dusk);
      night.Bind(6, ev.dawn).Bind(7, n.listened).Bind(8, effort).Bind(9, n.tempSunset).Bind(10, n.tempMin);
      if (!night.Bind(11, n.tempMax).Bind(12, light).Run()) return night.LastCode();
      nights[day] = {sqlite3_last_insert_rowid(db_), ev.sunset, ev.sunrise};
    }
    return Passes(deploymentId, idList, g, nights);
  }

  int Passes(int64_t deploymentId, const std::string& idList, const std::vector<FileRow>& g,
             const std::map<int64_t, NightRow>& nights) {
    std::map<int64_t, std::string> nameOf;
    for (const FileRow& f : g) nameOf[f.id] = f.name;
    Statement q(db_,
                "SELECT file_id, start, end, species, confidence, calls, buzz_calls, median_peak_khz"
                " FROM file_pass WHERE file_id IN (" +
                    idList + ") ORDER BY start, median_peak_khz, species");
    std::vector<FilePassPart> parts;
    while (q.Step()) {
      FilePassPart p;
      p.file = nameOf[q.Int(0)];
      p.pass = {q.Real(1), q.Real(2), q.Text(3), q.Int(4), q.Int(5), q.Int(6), q.Real(7)};
      parts.push_back(std::move(p));
    }
    if (!q.Done()) return q.LastCode();
    const std::vector<JoinedPass> joined = JoinMinutePasses(parts);
    Statement ins(
        db_,
        "INSERT INTO pass(deployment_id, night_id, file, start, end, species, classifier, confidence,"
        " calls, buzz_calls, median_peak_khz) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
    std::map<int64_t, std::map<std::string, SpeciesAcc>> perNight;
    for (const JoinedPass& p : joined) {
      const int64_t day = NightDayOfMinute(p.start);
      const auto n = nights.find(day);
      ins.Bind(1, deploymentId);
      if (n != nights.end())
        ins.Bind(2, n->second.id);
      else
        ins.BindNull(2);
      ins.Bind(3, p.file).Bind(4, p.start).Bind(5, p.end).Bind(6, p.species).Bind(7, classifier_);
      ins.Bind(8, p.confidence).Bind(9, p.calls).Bind(10, p.buzzCalls).Bind(11, p.medianPeakKHz);
      if (!ins.Run()) return ins.LastCode();
      if (n == nights.end()) continue;
      SpeciesAcc& a = perNight[day][p.species];
      if (a.passes == 0) a.firstStart = p.start, a.lastEnd = p.end;
      ++a.passes;
      a.calls += p.calls;
      a.buzz += p.buzzCalls;
      a.firstStart = std::min(a.firstStart, p.start);
      a.lastEnd = std::max(a.lastEnd, p.end);
      const int64_t first = static_cast<int64_t>(std::floor(p.start));
      // A pass ending exactly on a minute boundary does not reach into the next minute.
      const int64_t lastMinute = std::max(first, static_cast<int64_t>(std::ceil(p.end)) - 1);
      for (int64_t m = first; m <= lastMinute; ++m) a.minutes.insert(m);
      const int64_t noon = day * kMinutesPerDay + kMinutesPerDay / 2;
      ++a.byHour[static_cast<int64_t>(std::floor((p.start - static_cast<double>(noon)) / 60))];
    }
    Statement sn(db_,
                 "INSERT INTO species_night(night_id, classifier, species, passes, calls, buzz_calls,"
                 " activity_index, first_after_sunset_min, last_before_sunrise_min, busiest_hour)"
                 " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    for (const auto& [day, species] : perNight) {
      const NightRow& n = nights.at(day);
      for (const auto& [name, a] : species) {
        int64_t hour = 0, most = -1;
        for (const auto& [h, count] : a.byHour)
          if (count > most) hour = h, most = count;
        const int64_t clockHour = (hour + 12) % 24;
        sn.Bind(1, n.id)
            .Bind(2, classifier_)
            .Bind(3, name)
            .Bind(4, a.passes)
            .Bind(5, a.calls)
            .Bind(6, a.buzz);
        sn.Bind(7, static_cast<int64_t>(a.minutes.size()));
        sn.Bind(8, n.sunset ? std::optional<double>(a.firstStart - *n.sunset) : std::nullopt);
        sn.Bind(9, n.sunrise ? std::optional<double>(*n.sunrise - a.lastEnd) : std::nullopt);
        if (!sn.Bind(10, clockHour).Run()) return sn.LastCode();
      }
    }
    return SQLITE_OK;
  }

  static int64_t DayFromText(const std::string& t) {
    int y = 0, m = 0, d = 0;
    std::sscanf(t.c_str(), "%d-%d-%d", &y, &m, &d);
    return DaysFromCivil(y, m, d);
  }

  sqlite3* db_;
  int64_t logger_;
  std::string classifier_;
};

}  // namespace

int RebuildDerived(sqlite3* db, int64_t logger, const std::string& classifier) {
  return Deriver(db, logger, classifier).Run();
}

}  // namespace zorvel::survey
