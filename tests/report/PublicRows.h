// Rows of a survey's public tables written directly, for tests and the report benchmark: a survey
// with exactly the deployments, nights and passes a case needs, whatever the data files would
// give. Species-nights are derived from the passes with SQL, so the two always agree.
#pragma once

#include <sqlite3.h>

#include <cmath>
#include <optional>
#include <random>
#include <string>

#include "core/SunTimes.h"
#include "core/TimeBase.h"

namespace zorvel::testing {

class PublicRows {
 public:
  explicit PublicRows(sqlite3* db) : db_(db) {}

  bool Exec(const std::string& sql) {
    char* err = nullptr;
    const bool ok = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err) == SQLITE_OK;
    if (err) {
      error_ = err;
      sqlite3_free(err);
    }
    return ok;
  }
  const std::string& Error() const { return error_; }

  int64_t Deployment(int logger, const std::string& location, std::optional<double> lat,
                     std::optional<double> lon, double first, double last,
                     const std::string& classifier = "ZorvelEU1") {
    Exec(
        "INSERT INTO deployment(logger, location, latitude, longitude, utc_offset_min, first_minute, "
        "last_minute, "
        "files, classifier) VALUES(" +
        std::to_string(logger) + ", " + Quote(location) + ", " + Opt(lat) + ", " + Opt(lon) + ", " +
        (lat ? "60" : "NULL") + ", " + Num(first) + ", " + Num(last) + ", 'a.ZV2', " + Quote(classifier) +
        ")");
    return sqlite3_last_insert_rowid(db_);
  }

  struct NightValues {
    std::optional<double> sunset, sunrise;
    int listened = 1440;
    std::optional<int> effort;
    std::optional<double> tempSunset, tempMin, tempMax, light;
  };
  int64_t Night(int64_t deployment, const std::string& date, const NightValues& v) {
    Exec(
        "INSERT INTO night(deployment_id, date, sunset, sunrise, dusk, dawn, listened_minutes, "
        "effort_minutes, "
        "temp_sunset, temp_min, temp_max, mean_light) VALUES(" +
        std::to_string(deployment) + ", " + Quote(date) + ", " + Opt(v.sunset) + ", " + Opt(v.sunrise) +
        ", NULL, NULL, " + std::to_string(v.listened) + ", " +
        (v.effort ? std::to_string(*v.effort) : std::string("NULL")) + ", " + Opt(v.tempSunset) + ", " +
        Opt(v.tempMin) + ", " + Opt(v.tempMax) + ", " + Opt(v.light) + ")");
    return sqlite3_last_insert_rowid(db_);
  }

  void Pass(int64_t deployment, int64_t night, double start, const std::string& species, int confidence = 12,
            int buzzCalls = 0, const std::string& classifier = "ZorvelEU1") {
    Exec(
        "INSERT INTO pass(deployment_id, night_id, file, start, end, species, classifier, confidence, calls, "
        "buzz_calls, median_peak_khz) VALUES(" +
        std::to_string(deployment) + ", " + std::to_string(night) + ", 'a.ZV2', " + Num(start) + ", " +
        Num(start + 0.05) + ", " + Quote(species) + ", " + Quote(classifier) + ", " +
        std::to_string(confidence) + ", 10, " + std::to_string(buzzCalls) + ", 45)");
  }

  // species_night from the pass rows (activity index: distinct whole minutes with the species).
  bool DeriveSpeciesNights() {
    return Exec(
        "DELETE FROM species_night; INSERT INTO species_night SELECT p.night_id, p.classifier, p.species, "
        "count(*), "
        "sum(p.calls), sum(p.buzz_calls), count(DISTINCT CAST(p.start AS INTEGER)), min(p.start) - n.sunset, "
        "n.sunrise - max(p.end), 0 FROM pass p JOIN night n ON n.id = p.night_id GROUP BY p.night_id, "
        "p.species");
  }

  static std::string Quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
  }

 private:
  static std::string Num(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    return buf;
  }
  static std::string Opt(std::optional<double> v) { return v ? Num(*v) : "NULL"; }

  sqlite3* db_;
  std::string error_;
};

// A season: `deployments` loggers at sites in southern England, `nights` nights each from
// 2026-06-01, with passes of six species spread through each night from their emergence on.
inline bool BuildSeason(sqlite3* db, int deployments, int nights, int passesPerNight, unsigned seed = 7) {
  static const char* kSpecies[] = {"CmnPip", "SopPip", "Noctule", "Serotine", "Myotis", "Barbastelle"};
  static const double kEmerge[] = {20, 22, 8, 15, 45, 30};
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  PublicRows rows(db);
  if (!rows.Exec("BEGIN")) return false;
  const int32_t first = *MinuteNumber(2026, 6, 1, 12, 0);
  for (int d = 0; d < deployments; ++d) {
    const double lat = 50.5 + 0.2 * d, lon = -1.0 - 0.3 * d;
    const int64_t dep = rows.Deployment(2000 + d, "Site " + std::to_string(d + 1), lat, lon, first,
                                        first + nights * 1440.0 - 1);
    for (int n = 0; n < nights; ++n) {
      const int32_t noon = first + n * 1440;
      const SunEvents sun = NightSunEvents(noon, lat, lon, 60);
      PublicRows::NightValues v;
      v.sunset = sun.sunset;
      v.sunrise = sun.sunrise;
      v.effort = static_cast<int>(*sun.sunrise - *sun.sunset);
      v.tempSunset = 14 + 3 * std::sin(n / 4.0) + d * 0.2;
      v.tempMin = *v.tempSunset - 4 - unit(rng);
      v.tempMax = *v.tempSunset + 2 + unit(rng);
      v.light = 3 + 2 * unit(rng);
      const CivilDateTime t = DateTimeOfMinute(noon);
      char date[16];
      std::snprintf(date, sizeof date, "%04d-%02d-%02d", t.year, t.month, t.day);
      const int64_t night = rows.Night(dep, date, v);
      const double length = *sun.sunrise - *sun.sunset;
      for (int i = 0; i < passesPerNight; ++i) {
        const size_t sp = static_cast<size_t>(rng() % 6);
        const double after = kEmerge[sp] + (length - kEmerge[sp]) * unit(rng);
        rows.Pass(dep, night, *sun.sunset + after, kSpecies[sp], static_cast<int>(rng() % 16),
                  unit(rng) < 0.15 ? 20 : 0);
      }
    }
  }
  return rows.DeriveSpeciesNights() && rows.Exec("COMMIT");
}

}  // namespace zorvel::testing
