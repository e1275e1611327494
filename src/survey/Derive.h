// The public tables as a function of the primary rows: for one logger and classifier, its files
// in time order make deployments (a file joins the deployment before it when it starts no more
// than a day after that one's last minute at the same place and offset), each deployment every
// night from its first to its last, the passes joined across minute and file boundaries, and
// each night's species rows.
#pragma once

#include <cstdint>
#include <string>

#include "survey/Sqlite.h"

namespace zorvel::survey {

// A gap longer than this between one file's last minute and the next one's first starts a new
// deployment.
inline constexpr int64_t kDeploymentGapMinutes = 1440;

// Replaces the derived rows of one logger and classifier; the SQLite result code.
int RebuildDerived(sqlite3* db, int64_t logger, const std::string& classifier);

}  // namespace zorvel::survey
