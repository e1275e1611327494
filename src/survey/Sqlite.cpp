#include "survey/Sqlite.h"

#include <string>

namespace zorvel::survey {

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &st_, nullptr) != SQLITE_OK) {
    lastRc_ = sqlite3_errcode(db);
    st_ = nullptr;
  }
}

Statement::~Statement() {
  if (st_) sqlite3_finalize(st_);
}

Statement& Statement::operator=(Statement&& o) noexcept {
  if (this != &o) {
    if (st_) sqlite3_finalize(st_);
    db_ = o.db_;
    st_ = o.st_;
    lastRc_ = o.lastRc_;
    o.st_ = nullptr;
  }
  return *this;
}

Statement& Statement::Bind(int i, int64_t v) {
  if (st_) sqlite3_bind_int64(st_, i, v);
  return *this;
}
Statement& Statement::Bind(int i, double v) {
  if (st_) sqlite3_bind_double(st_, i, v);
  return *this;
}
Statement& Statement::Bind(int i, std::string_view v) {
  if (st_) sqlite3_bind_text(st_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
  return *this;
}
Statement& Statement::Bind(int i, const std::optional<double>& v) {
  return v ? Bind(i, *v) : BindNull(i);
}
Statement& Statement::Bind(int i, const std::optional<int64_t>& v) {
  return v ? Bind(i, *v) : BindNull(i);
}
Statement& Statement::BindNull(int i) {
  if (st_) sqlite3_bind_null(st_, i);
  return *this;
}

bool Statement::Step() {
  if (!st_) return false;
  lastRc_ = sqlite3_step(st_);
  return lastRc_ == SQLITE_ROW;
}

bool Statement::Run() {
  if (!st_) return false;
  lastRc_ = sqlite3_step(st_);
  const bool ok = lastRc_ == SQLITE_DONE || lastRc_ == SQLITE_ROW;
  sqlite3_reset(st_);
  sqlite3_clear_bindings(st_);
  return ok;
}

void Statement::Reset() {
  if (!st_) return;
  sqlite3_reset(st_);
  sqlite3_clear_bindings(st_);
}

std::optional<double> Statement::OptReal(int col) const {
  if (IsNull(col)) return std::nullopt;
  return Real(col);
}
std::optional<int64_t> Statement::OptInt(int col) const {
  if (IsNull(col)) return std::nullopt;
  return Int(col);
}
std::string Statement::Text(int col) const {
  const unsigned char* t = sqlite3_column_text(st_, col);
  return t ? std::string(reinterpret_cast<const char*>(t),
                         static_cast<size_t>(sqlite3_column_bytes(st_, col)))
           : std::string();
}

int Exec(sqlite3* db, std::string_view sql) {
  const std::string s(sql);
  return sqlite3_exec(db, s.c_str(), nullptr, nullptr, nullptr);
}

}  // namespace zorvel::survey
