#include <cstdio>
#include <set>
#include <utility>

#include "core/TimeBase.h"
#include "survey/Derive.h"
#include "survey/Messages.h"
#include "survey/PrimaryRows.h"
#include "survey/SurveyAccess.h"

namespace zorvel::survey {

int StoredFileIds(sqlite3* db, std::vector<int64_t>& ids) {
  Statement q(db, "SELECT id FROM survey_file ORDER BY logger, classifier, first_minute");
  while (q.Step()) ids.push_back(q.Int(0));
  return q.Done() ? SQLITE_OK : q.LastCode();
}

int LoadFacts(sqlite3* db, int64_t fileId, FileFacts& f) {
  Statement file(db,
                 "SELECT logger, first_minute, last_minute, classifier, content_hash, name, file_bytes,"
                 " location, latitude, longitude, utc_offset_min FROM survey_file WHERE id = ?1");
  if (!file.Bind(1, fileId).Step()) return file.Done() ? SQLITE_NOTFOUND : file.LastCode();
  FileIdentity& id = f.id;
  id.logger = file.Int(0);
  id.firstMinute = static_cast<int32_t>(file.Int(1));
  id.lastMinute = static_cast<int32_t>(file.Int(2));
  id.classifier = file.Text(3);
  id.contentHash = file.Text(4);
  id.name = file.Text(5);
  id.bytes = file.Int(6);
  id.location = file.Text(7);
  id.latitude = file.OptReal(8);
  id.longitude = file.OptReal(9);
  id.utcOffsetMin = file.OptInt(10);
  Statement nights(db,
                   "SELECT date, logged_minutes, listened_minutes, effort_minutes, temp_sunset, temp_min,"
                   " temp_max, light_sum FROM file_night WHERE file_id = ?1 ORDER BY date");
  nights.Bind(1, fileId);
  while (nights.Step()) {
    NightPart n;
    int y = 0, m = 0, d = 0;
    const std::string date = nights.Text(0);
    std::sscanf(date.c_str(), "%d-%d-%d", &y, &m, &d);
    n.day = DaysFromCivil(y, m, d);
    n.loggedMinutes = nights.Int(1);
    n.listenedMinutes = nights.Int(2);
    n.effortMinutes = nights.OptInt(3);
    n.tempSunset = nights.OptReal(4);
    n.tempMin = nights.OptReal(5);
    n.tempMax = nights.OptReal(6);
    n.lightSum = nights.Int(7);
    f.nights.push_back(n);
  }
  if (!nights.Done()) return nights.LastCode();
  Statement passes(db,
                   "SELECT start, end, species, confidence, calls, buzz_calls, median_peak_khz FROM file_pass"
                   " WHERE file_id = ?1 ORDER BY rowid");
  passes.Bind(1, fileId);
  while (passes.Step())
    f.passes.push_back({passes.Real(0), passes.Real(1), passes.Text(2), passes.Int(3), passes.Int(4),
                        passes.Int(5), passes.Real(6)});
  return passes.Done() ? SQLITE_OK : passes.LastCode();
}

MergeOutcome MergeFrom(Survey& target, const std::string& otherSurveyPath, Host& host) {
  MergeOutcome out;
  OpenResult other = OpenSurvey(otherSurveyPath, OpenMode::ReadOnly);
  if (!other.survey) {
    out.message = other.message;
    return out;
  }
  sqlite3* from = SurveyAccess::Db(*other.survey);
  sqlite3* db = SurveyAccess::Db(target);
  std::vector<int64_t> ids;
  int rc = StoredFileIds(from, ids);
  if (rc != SQLITE_OK) {
    out.message = otherSurveyPath + std::string(msg::kMergeNoFile) + sqlite3_errmsg(from);
    return out;
  }
  WriteTransaction t(db);
  rc = t.Begin();
  std::set<std::pair<int64_t, std::string>> touched;
  for (size_t k = 0; rc == SQLITE_OK && k < ids.size(); ++k) {
    host.Progress(otherSurveyPath, static_cast<int>(k), static_cast<int>(ids.size()));
    FileFacts f;
    rc = LoadFacts(from, ids[k], f);
    if (rc != SQLITE_OK) {
      out.message = otherSurveyPath + std::string(msg::kMergeNoFile) + sqlite3_errmsg(from);
      return out;
    }
    bool replaced = false;
    rc = StoreFacts(db, f, &replaced);
    touched.insert({f.id.logger, f.id.classifier});
    ++out.files;
  }
  for (auto it = touched.begin(); rc == SQLITE_OK && it != touched.end(); ++it)
    rc = RebuildDerived(db, it->first, it->second);
  if (rc == SQLITE_OK) rc = t.Commit();
  if (rc != SQLITE_OK) {
    out.message = WriteFailureText(target.Path(), db, rc);
    out.files = 0;
    return out;
  }
  out.ok = true;
  return out;
}

}  // namespace zorvel::survey
