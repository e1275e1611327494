// What the survey's own source files share: the connection behind a Survey and the transaction
// helpers that name the survey file in every failure.
#pragma once

#include <string>

#include "survey/Sqlite.h"
#include "survey/Survey.h"

namespace zorvel::survey {

struct SurveyAccess {
  static sqlite3* Db(Survey& s) { return s.db_; }
  static Survey* Make(std::string path, sqlite3* db) { return new Survey(std::move(path), db); }
};

// The message for a failed write of the survey at path, from SQLite's result code.
std::string WriteFailureText(const std::string& path, sqlite3* db, int rc);

// A write transaction that rolls back unless committed. Begin takes the write lock at once, so
// that a second writer is told at the start and not half-way.
class WriteTransaction {
 public:
  explicit WriteTransaction(sqlite3* db) : db_(db) {}
  ~WriteTransaction();
  int Begin();  // SQLite result code
  int Commit();
  void Rollback();

 private:
  sqlite3* db_;
  bool open_ = false;
};

}  // namespace zorvel::survey
