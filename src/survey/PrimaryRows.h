// Writing one file's primary rows (replacing the same file's rows), shared by adding a data file
// and merging another survey.
#pragma once

#include <vector>

#include "survey/FileScan.h"
#include "survey/Sqlite.h"

namespace zorvel::survey {

// Inside the caller's transaction; the SQLite result code. replaced tells whether the same file
// (logger, first minute, classifier) was there before.
int StoreFacts(sqlite3* db, const FileFacts& facts, bool* replaced);

// The ids of every stored file, and one file's primary rows read back; result codes.
int StoredFileIds(sqlite3* db, std::vector<int64_t>& ids);
int LoadFacts(sqlite3* db, int64_t fileId, FileFacts& facts);

}  // namespace zorvel::survey
