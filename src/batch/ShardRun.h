// `batch run DIR --shard K`: every input of shard K into the shard's own survey
// (DIR/shard-K/survey.zvs). Each input is made in DIR/shard-K/inputs/line-L.part and renamed
// to line-L with the fingerprint of the input's bytes only after its files are in the survey, so
// a killed task leaves no half-done input: the next run finds no finished folder and redoes
// exactly that input (adding a file again replaces its rows). An input whose finished folder
// carries the input's present fingerprint is skipped. A lock file keeps a second task off the
// shard while the first runs.
#pragma once

#include <string>
#include <vector>

#include "batch/ShardStatus.h"
#include "core/Host.h"

namespace zorvel::batch {

struct RunOptions {
  int jobs = 0;  // call finding threads; 0: one per core
};

struct RunOutcome {
  bool ran = false;  // false: refused before any input (message says why)
  std::string message;
  bool stopped = false;
  int done = 0, skipped = 0, failed = 0;
  std::vector<InputStatus> status;
};

RunOutcome RunShard(const std::string& dir, int shard, const RunOptions& options, Host& host);

std::string ShardSurveyPath(const std::string& shardDir);
std::string LockPath(const std::string& shardDir);

// Holds an exclusive lock on a shard's lock file for as long as it lives (flock: the kernel lets
// go of it when the holder dies, so a killed task never leaves a stale lock).
class ShardLock {
 public:
  explicit ShardLock(const std::string& path);
  ~ShardLock();
  ShardLock(const ShardLock&) = delete;
  ShardLock& operator=(const ShardLock&) = delete;
  bool Held() const { return held_; }
  const std::string& Message() const { return message_; }

 private:
  int fd_ = -1;
  bool held_ = false;
  std::string message_;
};

}  // namespace zorvel::batch
