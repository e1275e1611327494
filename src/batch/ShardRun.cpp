#include "batch/ShardRun.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "batch/InputWork.h"
#include "batch/Messages.h"
#include "batch/Plan.h"
#include "core/AtomicFile.h"
#include "survey/Survey.h"

namespace fs = std::filesystem;

namespace zorvel::batch {

std::string ShardSurveyPath(const std::string& shardDir) {
  return (fs::path(shardDir) / "survey.zvs").string();
}
std::string LockPath(const std::string& shardDir) {
  return (fs::path(shardDir) / "lock").string();
}

ShardLock::ShardLock(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    message_ = msg::kCannotLock + path + ": " + std::strerror(errno);
    return;
  }
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    message_ = msg::kLocked + path + ")";
    return;
  }
  held_ = true;
}

ShardLock::~ShardLock() {
  if (fd_ >= 0) ::close(fd_);
}

namespace {

std::string ReadSmall(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Adds each ZV2 file in one transaction of its own; the first failure ends the input.
std::string AddToSurvey(survey::Survey& s, const std::vector<std::string>& files, Host& host) {
  for (const std::string& f : files) {
    const survey::AddOutcome r = survey::AddFile(s, f, survey::AddOptions{}, host);
    if (r.status != survey::AddStatus::Added && r.status != survey::AddStatus::Replaced)
      return fs::path(f).filename().string() + ": " + (r.message.empty() ? msg::kStopped : r.message);
  }
  return {};
}

}  // namespace

RunOutcome RunShard(const std::string& dir, int shard, const RunOptions& options, Host& host) {
  RunOutcome out;
  const LoadedPlan plan = LoadPlan(dir);
  if (!plan.ok) {
    out.message = plan.message;
    return out;
  }
  if (shard < 1 || shard > plan.id.shards) {
    out.message = std::to_string(shard) + ": " + msg::kNoSuchShard + std::to_string(plan.id.shards);
    return out;
  }
  const std::string shardDir = ShardDir(dir, shard);
  std::error_code ec;
  fs::create_directories(fs::path(shardDir) / "inputs", ec);
  ShardLock lock(LockPath(shardDir));
  if (!lock.Held()) {
    out.message = lock.Message();
    return out;
  }
  const fs::path idCopy = fs::path(shardDir) / "plan.id";
  if (fs::exists(idCopy)) {
    if (ReadSmall(idCopy) != plan.id.Text()) {
      out.message = shardDir + msg::kShardOfOtherPlan;
      return out;
    }
  } else if (std::string e;
             !WriteWholeFile(idCopy.string(), plan.id.Text().data(), plan.id.Text().size(), &e)) {
    out.message = e;
    return out;
  }
  survey::OpenResult opened = survey::OpenSurvey(ShardSurveyPath(shardDir), survey::OpenMode::ReadWrite);
  if (!opened.survey) {
    out.message = opened.message;
    return out;
  }
  const std::vector<const ManifestRow*> rows = plan.RowsOf(shard);
  for (const ManifestRow* r : rows)
    out.status.push_back({r->line, r->input, msg::kStatePending, "", InputBytes(r->path), 0, 0});
  // Keep what an earlier run measured for the inputs it finished.
  std::vector<InputStatus> before;
  ReadStatus(shardDir, before);
  out.ran = true;
  for (size_t i = 0; i < rows.size() && !out.stopped; ++i) {
    const ManifestRow& row = *rows[i];
    InputStatus& st = out.status[i];
    const fs::path done = fs::path(shardDir) / "inputs" / ("line-" + std::to_string(row.line));
    const fs::path part = fs::path(done).concat(".part");
    const std::string fingerprint = InputFingerprint(row.path);
    if (ReadSmall(done / "input.id") == fingerprint + "\n") {
      st.state = msg::kStateDone;
      for (const InputStatus& b : before)
        if (b.line == row.line && b.state == msg::kStateDone) st = b;
      st.skippedNow = true;
      ++out.skipped;
      continue;
    }
    const auto t0 = std::chrono::steady_clock::now();
    fs::remove_all(part, ec);
    fs::create_directories(part, ec);
    InputWork w = MakeZv2Files(row, part.string(), options.jobs, host);
    std::string reason = w.reason;
    if (w.ok) reason = AddToSurvey(*opened.survey, w.zv2Files, host);
    if (w.ok && reason.empty()) {
      const std::string id = fingerprint + "\n";
      std::string e;
      if (!WriteWholeFile((part / "input.id").string(), id.data(), id.size(), &e)) reason = e;
    }
    if (w.ok && reason.empty()) {
      fs::remove_all(done, ec);
      fs::rename(part, done, ec);
      if (ec) reason = done.string() + ": " + ec.message();
    }
    if (!reason.empty()) fs::remove_all(part, ec);
    st.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    st.peakKib = PeakMemoryKib();
    out.stopped = w.stopped || host.StopRequested();
    if (reason.empty()) {
      st.state = msg::kStateDone;
      ++out.done;
    } else if (!out.stopped) {
      st.state = msg::kStateFailed;
      st.reason = reason;
      ++out.failed;
    }
    std::string e;
    if (!WriteStatus(shardDir, out.status, &e)) {
      out.message = msg::kStatusUnwritable + StatusPath(shardDir) + ": " + e;
      return out;
    }
  }
  std::string e;
  if (!WriteStatus(shardDir, out.status, &e))
    out.message = msg::kStatusUnwritable + StatusPath(shardDir) + ": " + e;
  return out;
}

}  // namespace zorvel::batch
