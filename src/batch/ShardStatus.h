// A shard's status file (DIR/shard-K/status.csv), rewritten whole after every input: one row per
// input of the shard with its state (done, failed or pending), the reason of a failure, its bytes,
// the seconds it took and the task's peak memory when it ended (getrusage, KiB). The merge reads
// it to know which shards are finished, and `batch slurm` to size the tasks' memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorvel::batch {

struct InputStatus {
  int line = 0;
  std::string input;
  std::string state;  // msg::kStateDone, kStateFailed or kStatePending
  std::string reason;
  int64_t bytes = 0;
  double seconds = 0;
  int64_t peakKib = 0;
  bool skippedNow = false;  // this run found it done (not written to the file)
};

std::string StatusPath(const std::string& shardDir);
bool WriteStatus(const std::string& shardDir, const std::vector<InputStatus>& rows, std::string* error);
// False when the file is absent or does not read as a status file.
bool ReadStatus(const std::string& shardDir, std::vector<InputStatus>& rows);

// This process's peak resident memory so far, in KiB.
int64_t PeakMemoryKib();

}  // namespace zorvel::batch
