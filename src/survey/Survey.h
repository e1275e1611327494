// The survey: every deployment, night, pass and species-night of a season's data files in one
// SQLite file. What is stored per input file (its identity, its nights' partial sums, its passes)
// is the primary record; the public tables (deployment, night, pass, species_night) are derived
// from the primary rows of one logger and classifier at a time, in the same transaction that
// changed them. So a survey depends only on which files it holds, never on the order or the
// machine they were added on, and merging surveys equals adding their files to one.
//
// Times are minute numbers in the deployment's local clock (the files' fixed UTC offset), with
// the fraction of the minute; the CSV export writes them as yyyy-mm-dd hh:mm:ss.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Host.h"

struct sqlite3;

namespace zorvel::survey {

inline constexpr int kSchemaVersion = 1;
inline constexpr int32_t kApplicationId = 0x5A565359;  // "ZVSY"

enum class OpenMode { ReadOnly, ReadWrite };

class Survey {
 public:
  ~Survey();
  Survey(const Survey&) = delete;
  Survey& operator=(const Survey&) = delete;
  const std::string& Path() const { return path_; }
  // The connection, for readers of the public tables (the report, tests).
  sqlite3* Handle() const { return db_; }

 private:
  friend struct SurveyAccess;
  Survey(std::string path, sqlite3* db) : path_(std::move(path)), db_(db) {}
  std::string path_;
  sqlite3* db_ = nullptr;
};

struct OpenResult {
  std::unique_ptr<Survey> survey;  // null on failure
  std::string message;             // why it failed, naming the file
};

// Opens the survey file, creating it (ReadWrite) when absent. Refuses a file that is not SQLite,
// another program's SQLite file, a newer schema, a file another writer holds, and (ReadWrite) a
// file or folder that cannot be written; nothing in the file changes then.
OpenResult OpenSurvey(const std::string& path, OpenMode mode);

struct AddOptions {
  // Only files whose classifier is this name are added (empty: any).
  std::string classifier;
};

enum class AddStatus { Added, Replaced, Skipped, Failed, Stopped };

struct AddOutcome {
  AddStatus status = AddStatus::Failed;
  std::string message;                // the reason for Skipped or Failed
  std::vector<std::string> warnings;  // e.g. a file without position or UTC offset
  int nights = 0, passes = 0;         // of this file; passes counted a minute at a time (before joining)
};

// Adds one ZV2/ZV3 file (or replaces its rows when the same file — logger, first minute and
// classifier with any name — is there already) in one transaction, and rebuilds the derived
// rows of its logger and classifier. The data file is only read.
AddOutcome AddFile(Survey& survey, const std::string& zvPath, const AddOptions& options, Host& host);

struct MergeOutcome {
  bool ok = false;
  std::string message;
  int files = 0;  // files copied from the other survey
};

// Copies every file's primary rows of another survey into this one (replacing the same files)
// and rebuilds the derived tables, in one transaction.
MergeOutcome MergeFrom(Survey& target, const std::string& otherSurveyPath, Host& host);

enum class Table { Deployments, Nights, Passes, SpeciesNights };

// The table names the commands take ("deployments", "nights", "passes", "species-nights").
std::optional<Table> TableFromName(const std::string& name);

// A public table as CSV (heading row of column names, rows in natural-key order, no ids,
// times as yyyy-mm-dd hh:mm:ss local, empty cells for NULL).
std::string ExportTableCsv(Survey& survey, Table which);

// The deployments and their nights as readable text lines (`survey list`).
std::vector<std::string> ListSurvey(Survey& survey);

// The survey's counts as texts ("3 deployment(s)", "41 night(s)", "2210 pass(es)").
std::vector<std::string> SurveyTotals(Survey& survey);

// "yyyy-mm-dd hh:mm:ss" of a minute number with its fraction (seconds truncated).
std::string MinuteTimeText(double minute);

}  // namespace zorvel::survey
