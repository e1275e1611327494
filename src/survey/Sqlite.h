// A thin hold on SQLite's C interface: a connection and a prepared statement that finalise
// themselves, and a step that reports failure instead of throwing, so that every call site can
// name the survey file in its message.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorvel::survey {

class Statement {
 public:
  Statement() = default;
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(Statement&& o) noexcept : db_(o.db_), st_(o.st_) { o.st_ = nullptr; }
  Statement& operator=(Statement&& o) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool Ok() const { return st_ != nullptr; }
  Statement& Bind(int i, int64_t v);
  Statement& Bind(int i, int v) { return Bind(i, static_cast<int64_t>(v)); }
  Statement& Bind(int i, double v);
  Statement& Bind(int i, std::string_view v);
  Statement& Bind(int i, const std::optional<double>& v);
  Statement& Bind(int i, const std::optional<int64_t>& v);
  Statement& BindNull(int i);
  // True while a row is ready; Done() tells a clean end from an error.
  bool Step();
  bool Done() const { return lastRc_ == SQLITE_DONE; }
  int LastCode() const { return lastRc_; }
  // Runs a statement that returns no rows (and resets it for the next binding); false on error.
  bool Run();
  void Reset();

  int64_t Int(int col) const { return sqlite3_column_int64(st_, col); }
  double Real(int col) const { return sqlite3_column_double(st_, col); }
  bool IsNull(int col) const { return sqlite3_column_type(st_, col) == SQLITE_NULL; }
  std::optional<double> OptReal(int col) const;
  std::optional<int64_t> OptInt(int col) const;
  std::string Text(int col) const;

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* st_ = nullptr;
  int lastRc_ = SQLITE_OK;
};

// Runs statements that return no rows; the SQLite result code (SQLITE_OK on success).
int Exec(sqlite3* db, std::string_view sql);

}  // namespace zorvel::survey
