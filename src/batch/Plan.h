// Splitting a manifest into shards and the plan folder that holds them:
//   DIR/manifest.csv   the manifest's bytes as given
//   DIR/plan.id        the manifest's hash, its original path (relative inputs start there), N
//   DIR/plan.csv       shard,line,bytes,input — every input once, shard by shard
//   DIR/shard-K/       what `batch run --shard K` makes (K = 1 … N)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "batch/Manifest.h"

namespace zorvel::batch {

// Shard (0-based) of each input: the largest inputs first, each to the shard with the fewest
// bytes so far (the lower shard on a tie, the earlier line on equal sizes), so the same inputs and
// N always give the same shards.
std::vector<int> AssignShards(const std::vector<int64_t>& bytes, int shards);

struct PlannedInput {
  int shard = 0;  // 1-based
  int line = 0;
  int64_t bytes = 0;
  std::string path;
};

struct PlanId {
  std::string manifestHash;
  std::string manifestPath;  // absolute
  int shards = 0;
  std::string Text() const;
};

struct PlanOutcome {
  bool ok = false;
  std::string message;
  std::vector<PlannedInput> inputs;  // in plan.csv order
};

// Checks the manifest, splits it and writes the plan folder. Planning the same manifest into the
// same folder again rewrites the same bytes; a folder planned from another manifest or N is
// refused.
PlanOutcome WritePlan(const std::string& manifestPath, int shards, const std::string& dir);

struct LoadedPlan {
  bool ok = false;
  std::string message;
  PlanId id;
  Manifest manifest;                 // re-read from DIR/manifest.csv and checked again
  std::vector<PlannedInput> inputs;  // from plan.csv
  std::vector<const ManifestRow*> RowsOf(int shard) const;
};

// Reads a plan folder back; refuses a folder without a plan, or whose manifest copy no longer
// matches its hash.
LoadedPlan LoadPlan(const std::string& dir);

std::string ShardDir(const std::string& dir, int shard);

}  // namespace zorvel::batch
