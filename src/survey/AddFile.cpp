#include <set>

#include "survey/Derive.h"
#include "survey/FileScan.h"
#include "survey/Messages.h"
#include "survey/PrimaryRows.h"
#include "survey/SurveyAccess.h"

namespace zorvel::survey {

namespace {

int DeleteFile(sqlite3* db, int64_t logger, int64_t firstMinute, const std::string& classifier,
               bool* existed) {
  Statement del(db, "DELETE FROM survey_file WHERE logger = ?1 AND first_minute = ?2 AND classifier = ?3");
  if (!del.Bind(1, logger).Bind(2, firstMinute).Bind(3, classifier).Run()) return del.LastCode();
  *existed = sqlite3_changes(db) > 0;
  return SQLITE_OK;
}

}  // namespace

int StoreFacts(sqlite3* db, const FileFacts& f, bool* replaced) {
  const FileIdentity& id = f.id;
  if (const int rc = DeleteFile(db, id.logger, id.firstMinute, id.classifier, replaced); rc != SQLITE_OK)
    return rc;
  Statement file(db,
                 "INSERT INTO survey_file(logger, first_minute, last_minute, classifier, content_hash, name,"
                 " file_bytes, location, latitude, longitude, utc_offset_min)"
                 " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
  file.Bind(1, id.logger).Bind(2, id.firstMinute).Bind(3, id.lastMinute).Bind(4, id.classifier);
  file.Bind(5, id.contentHash).Bind(6, id.name).Bind(7, id.bytes).Bind(8, id.location).Bind(9, id.latitude);
  if (!file.Bind(10, id.longitude).Bind(11, id.utcOffsetMin).Run()) return file.LastCode();
  const int64_t fileId = sqlite3_last_insert_rowid(db);
  Statement night(db,
                  "INSERT INTO file_night(file_id, date, logged_minutes, listened_minutes, effort_minutes,"
                  " temp_sunset, temp_min, temp_max, light_sum) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
  for (const NightPart& n : f.nights) {
    night.Bind(1, fileId).Bind(2, DayText(n.day)).Bind(3, n.loggedMinutes).Bind(4, n.listenedMinutes);
    night.Bind(5, n.effortMinutes).Bind(6, n.tempSunset).Bind(7, n.tempMin).Bind(8, n.tempMax);
    if (!night.Bind(9, n.lightSum).Run()) return night.LastCode();
  }
  Statement pass(db,
                 "INSERT INTO file_pass(file_id, start, end, species, confidence, calls, buzz_calls,"
                 " median_peak_khz) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
  for (const MinutePass& p : f.passes) {
    pass.Bind(1, fileId).Bind(2, p.start).Bind(3, p.end).Bind(4, p.species).Bind(5, p.confidence);
    if (!pass.Bind(6, p.calls).Bind(7, p.buzzCalls).Bind(8, p.medianPeakKHz).Run()) return pass.LastCode();
  }
  return SQLITE_OK;
}

AddOutcome AddFile(Survey& survey, const std::string& zvPath, const AddOptions& options, Host& host) {
  AddOutcome out;
  ScanResult scan = ScanFile(zvPath, host);
  if (scan.stopped) {
    out.status = AddStatus::Stopped;
    return out;
  }
  if (!scan.ok) {
    out.message = scan.message;
    return out;
  }
  const FileFacts& f = scan.facts;
  if (!options.classifier.empty() && f.id.classifier != options.classifier) {
    out.status = AddStatus::Skipped;
    out.message = std::string(msg::kOtherClassifier) + (f.id.classifier.empty() ? "?" : f.id.classifier) +
                  std::string(msg::kOtherClassifierEnd) + options.classifier;
    return out;
  }
  if (!f.id.HasSunTimes()) out.warnings.push_back(zvPath + std::string(msg::kNoSunTimes));
  sqlite3* db = SurveyAccess::Db(survey);
  WriteTransaction t(db);
  bool replaced = false;
  int rc = t.Begin();
  if (rc == SQLITE_OK) rc = StoreFacts(db, f, &replaced);
  if (rc == SQLITE_OK) rc = RebuildDerived(db, f.id.logger, f.id.classifier);
  if (rc == SQLITE_OK) rc = t.Commit();
  if (rc != SQLITE_OK) {
    out.message = WriteFailureText(survey.Path(), db, rc);
    t.Rollback();
    return out;
  }
  out.status = replaced ? AddStatus::Replaced : AddStatus::Added;
  out.nights = static_cast<int>(f.nights.size());
  out.passes = static_cast<int>(f.passes.size());
  return out;
}

}  // namespace zorvel::survey
