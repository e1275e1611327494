#include "batch/Merge.h"

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "batch/Messages.h"
#include "batch/Plan.h"
#include "batch/ShardRun.h"
#include "batch/ShardStatus.h"
#include "survey/Survey.h"

namespace fs = std::filesystem;

namespace zorvel::batch {

namespace {

std::string List(const std::vector<int>& shards) {
  std::string s;
  for (int k : shards) s += (s.empty() ? "" : ", ") + std::string("shard-") + std::to_string(k);
  return s;
}

bool Finished(const std::string& shardDir, size_t inputs) {
  std::vector<InputStatus> rows;
  if (!ReadStatus(shardDir, rows) || rows.size() != inputs) return false;
  for (const InputStatus& r : rows)
    if (r.state != msg::kStateDone) return false;
  return true;
}

// Empty when the survey opens and SQLite finds its pages sound; else why not.
std::string Damage(const std::string& path) {
  if (!fs::exists(path)) return "missing";
  const survey::OpenResult r = survey::OpenSurvey(path, survey::OpenMode::ReadOnly);
  if (!r.survey) return r.message;
  sqlite3_stmt* st = nullptr;
  std::string verdict = "quick_check failed";
  if (sqlite3_prepare_v2(r.survey->Handle(), "PRAGMA quick_check", -1, &st, nullptr) == SQLITE_OK &&
      sqlite3_step(st) == SQLITE_ROW) {
    const unsigned char* t = sqlite3_column_text(st, 0);
    verdict = t ? reinterpret_cast<const char*>(t) : "";
  } else {
    verdict = sqlite3_errmsg(r.survey->Handle());
  }
  sqlite3_finalize(st);
  return verdict == "ok" ? std::string() : verdict;
}

}  // namespace

MergeResult MergeShards(const std::string& dir, const std::string& outPath, Host& host) {
  MergeResult out;
  const LoadedPlan plan = LoadPlan(dir);
  if (!plan.ok) {
    out.message = plan.message;
    return out;
  }
  // Holding every shard's lock keeps tasks from starting while the merge reads their surveys.
  std::vector<std::unique_ptr<ShardLock>> locks;
  std::vector<int> running, unfinished;
  for (int k = 1; k <= plan.id.shards; ++k) {
    const std::string shardDir = ShardDir(dir, k);
    if (!fs::is_directory(shardDir)) {
      unfinished.push_back(k);
      continue;
    }
    locks.push_back(std::make_unique<ShardLock>(LockPath(shardDir)));
    if (!locks.back()->Held())
      running.push_back(k);
    else if (!Finished(shardDir, plan.RowsOf(k).size()))
      unfinished.push_back(k);
  }
  if (!running.empty() || !unfinished.empty()) {
    if (!running.empty()) out.message = msg::kRunning + List(running);
    if (!unfinished.empty())
      out.message += (out.message.empty() ? "" : "\n") + (msg::kUnfinished + List(unfinished));
    return out;
  }
  for (int k = 1; k <= plan.id.shards; ++k) {
    const std::string path = ShardSurveyPath(ShardDir(dir, k));
    if (const std::string why = Damage(path); !why.empty()) {
      out.message = msg::kDamagedSurvey + path + ": " + why;
      return out;
    }
  }
  const std::string part = outPath + ".merge-part";
  std::error_code ec;
  for (const char* side : {"", "-journal", "-wal", "-shm"}) fs::remove(part + side, ec);
  {
    survey::OpenResult target = survey::OpenSurvey(part, survey::OpenMode::ReadWrite);
    if (!target.survey) {
      out.message = target.message;
      return out;
    }
    for (int k = 1; k <= plan.id.shards; ++k) {
      const survey::MergeOutcome m =
          survey::MergeFrom(*target.survey, ShardSurveyPath(ShardDir(dir, k)), host);
      if (!m.ok) {
        out.message = m.message;
        target.survey.reset();
        fs::remove(part, ec);
        return out;
      }
      out.files += m.files;
    }
  }
  fs::rename(part, outPath, ec);
  if (ec) {
    out.message = outPath + ": " + ec.message();
    fs::remove(part, ec);
    return out;
  }
  out.ok = true;
  out.shards = plan.id.shards;
  return out;
}

}  // namespace zorvel::batch
