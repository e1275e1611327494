// `batch merge DIR --out SURVEY`: the shard surveys joined into one. The merge goes through the
// survey's own MergeFrom, which rebuilds the derived tables from the files' primary rows, so the
// result is what adding the same inputs to one survey on one machine gives, whatever the number
// of shards. It refuses while a shard is unfinished or running, or when a shard survey is
// damaged; it builds into a temporary file, shards in order, and renames it into place, so
// merging again gives the same bytes and a failed merge leaves SURVEY as it was.
#pragma once

#include <string>

#include "core/Host.h"

namespace zorvel::batch {

struct MergeResult {
  bool ok = false;
  std::string message;
  int shards = 0;
  int files = 0;
};

MergeResult MergeShards(const std::string& dir, const std::string& outPath, Host& host);

}  // namespace zorvel::batch
