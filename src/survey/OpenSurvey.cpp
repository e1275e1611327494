#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "survey/Messages.h"
#include "survey/Schema.h"
#include "survey/SurveyAccess.h"

namespace zorvel::survey {

namespace {

// How long a writer waits for another to finish a transaction before giving up: long enough for
// one data file's rows, short enough that a run stuck behind a long job says so.
constexpr int kBusyTimeoutMs = 3000;

bool ModeForbidsWriting(const std::filesystem::path& p) {
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0) return false;
  // The permission bits say what the owner meant, even to an administrator who could write anyway.
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::string Named(const std::string& path, std::string_view what) {
  return path + std::string(what);
}

}  // namespace

Survey::~Survey() {
  if (db_) sqlite3_close_v2(db_);
}

std::string WriteFailureText(const std::string& path, sqlite3* db, int rc) {
  const int primary = rc & 0xff;
  if (primary == SQLITE_FULL) return Named(path, msg::kDiskFull);
  if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) return Named(path, msg::kLocked);
  if (primary == SQLITE_READONLY) return Named(path, msg::kReadOnly);
  return path + std::string(msg::kWriteFailed) + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)) +
         std::string(msg::kWriteFailedEnd);
}

WriteTransaction::~WriteTransaction() {
  Rollback();
}
int WriteTransaction::Begin() {
  const int rc = Exec(db_, "BEGIN IMMEDIATE");
  open_ = rc == SQLITE_OK;
  return rc;
}
int WriteTransaction::Commit() {
  const int rc = Exec(db_, "COMMIT");
  if (rc == SQLITE_OK) open_ = false;
  return rc;
}
void WriteTransaction::Rollback() {
  if (open_) Exec(db_, "ROLLBACK");
  open_ = false;
}

OpenResult OpenSurvey(const std::string& path, OpenMode mode) {
  OpenResult out;
  namespace fs = std::filesystem;
  std::error_code ec;
  const bool existed = fs::exists(path, ec);
  if (mode == OpenMode::ReadOnly && !existed) {
    out.message = Named(path, msg::kNotFound);
    return out;
  }
  if (existed && fs::is_directory(path, ec)) {
    out.message = path + std::string(msg::kCannotOpen) + "a folder";
    return out;
  }
  if (mode == OpenMode::ReadWrite) {
    fs::path folder = fs::absolute(fs::path(path), ec).parent_path();
    if ((existed && ModeForbidsWriting(path)) || ModeForbidsWriting(folder)) {
      out.message = Named(path, msg::kReadOnly);
      return out;
    }
  }
  sqlite3* db = nullptr;
  // A reader opens a writable survey for writing too, so that the journal a killed writer left is
  // rolled back (SQLite's recovery) instead of making the survey unreadable; it writes nothing else.
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  if (mode == OpenMode::ReadOnly) {
    const fs::path folder = fs::absolute(fs::path(path), ec).parent_path();
    flags =
        ModeForbidsWriting(path) || ModeForbidsWriting(folder) ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  }
  int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  auto fail = [&](std::string message) {
    out.message = std::move(message);
    if (db) sqlite3_close_v2(db);
    db = nullptr;
    // A survey this call created and could not set up is not left behind as an empty file.
    if (!existed) fs::remove(path, ec);
    return std::move(out);
  };
  if (rc != SQLITE_OK) return fail(path + std::string(msg::kCannotOpen) + sqlite3_errstr(rc));
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  if (mode == OpenMode::ReadWrite && sqlite3_db_readonly(db, "main") == 1)
    return fail(Named(path, msg::kReadOnly));

  int64_t appId = 0, version = 0, objects = 0;
  {
    Statement q(db,
                "SELECT (SELECT application_id FROM pragma_application_id),"
                " (SELECT user_version FROM pragma_user_version), (SELECT count(*) FROM sqlite_master)");
    if (!q.Step()) {
      const int code = q.LastCode() & 0xff;
      if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT) return fail(Named(path, msg::kNotSqlite));
      if (code == SQLITE_BUSY || code == SQLITE_LOCKED) return fail(Named(path, msg::kLocked));
      return fail(path + std::string(msg::kCannotOpen) + sqlite3_errmsg(db));
    }
    appId = q.Int(0);
    version = q.Int(1);
    objects = q.Int(2);
  }
  const bool fresh = appId == 0 && version == 0 && objects == 0;
  if (!fresh && appId != kApplicationId) return fail(Named(path, msg::kForeignDatabase));
  if (!fresh && version > kSchemaVersion)
    return fail(Named(path, msg::kNewerSchema) + std::to_string(version) + std::string(msg::kNewerSchemaEnd));
  if (!fresh && version < 1) return fail(Named(path, msg::kForeignDatabase));
  if (fresh && mode == OpenMode::ReadOnly) return fail(Named(path, msg::kNotSqlite));
  Exec(db, "PRAGMA foreign_keys = ON");

  if (mode == OpenMode::ReadWrite) {
    // Take the write lock once now: a survey another writer holds is refused before any work.
    WriteTransaction t(db);
    rc = t.Begin();
    if (rc != SQLITE_OK) return fail(WriteFailureText(path, db, rc));
    if (fresh) {
      rc = Exec(db, kSchemaSql);
      if (rc == SQLITE_OK)
        rc = Exec(db, "PRAGMA application_id = " + std::to_string(kApplicationId) +
                          "; PRAGMA user_version = " + std::to_string(kSchemaVersion));
      if (rc != SQLITE_OK) return fail(WriteFailureText(path, db, rc));
    }
    rc = t.Commit();
    if (rc != SQLITE_OK) return fail(WriteFailureText(path, db, rc));
  }
  out.survey.reset(SurveyAccess::Make(path, db));
  return out;
}

}  // namespace zorvel::survey
