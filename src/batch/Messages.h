// Every text the batch commands show or write, in one place.
#pragma once

#include <string_view>

#include "import/Messages.h"

namespace zorvel::batch::msg {

// The manifest's heading row names these columns; others may follow and are ignored.
inline constexpr const char* kColumns[] = {"input", "site",           "lat",       "long",
                                           "utc",   "time_expansion", "classifier"};
inline constexpr char kNoHeading[] =
    "the first row must name the columns input,site,lat,long,utc,time_expansion,classifier";
inline constexpr char kMissingColumn[] = "the heading row lacks the column ";
inline constexpr char kNoRows[] = "the manifest lists no inputs";
inline constexpr char kUnclosedQuote[] = "a quoted field is not closed";
inline constexpr char kEmptyInput[] = "the input is empty";
inline constexpr char kInputMissing[] = "no such file or folder: ";
inline constexpr char kInputUnreadable[] = "cannot be read: ";
inline constexpr char kInputKindUnknown[] = "not an SD card, recordings, ZV1 or ZV2 input: ";
inline constexpr char kDuplicate[] = "the same input as line ";
inline constexpr char kUnknownClassifier[] = "unknown classifier (British0 or ZorvelEU1): ";
inline constexpr char kBadLat[] = "lat: ";
inline constexpr char kBadLong[] = "long: ";
inline constexpr std::string_view kNoPosition = zorvel::msg::kNoPosition;  // the import's text
inline constexpr char kBeyond[] = "beyond ";
inline constexpr char kDegrees[] = " degrees";
inline constexpr char kBadUtc[] = "utc: give the offset in hours, e.g. +1, -5 or +5:30: ";
inline constexpr char kBadTimeExpansion[] = "time_expansion: a whole number from 2 to 100: ";
inline constexpr char kTextForZvFile[] =
    "site, lat, long, utc and time_expansion come from the header of a ZV1 or ZV2 input; leave them empty";
inline constexpr char kClassifierForZv2[] =
    "a ZV2 input keeps the classifier it was made with; leave classifier empty";

inline constexpr char kBadShardCount[] = "--shards must be at least 1";
inline constexpr char kOtherManifest[] =
    " was planned from another manifest or shard count; plan into a new folder";
inline constexpr char kNotPlanned[] = " holds no plan (plan.id); run `batch plan` first";
inline constexpr char kPlanDamaged[] = " is damaged: ";
inline constexpr char kManifestChanged[] = "manifest.csv no longer matches the plan in ";
inline constexpr char kNoSuchShard[] = "no such shard; the plan has shards 1 to ";
inline constexpr char kShardOfOtherPlan[] =
    " holds the work of another plan; remove it or plan into a new folder";
inline constexpr char kLocked[] = "another task is running this shard (lock held: ";
inline constexpr char kCannotLock[] = "cannot create the lock file ";

inline constexpr char kStopped[] = "stopped before the input was finished";
inline constexpr char kNoDataFiles[] = "the import made no data files";
inline constexpr char kStatusUnwritable[] = "cannot write the status file ";

inline constexpr char kUnfinished[] = "shards not finished: ";
inline constexpr char kRunning[] = "shards still running: ";
inline constexpr char kDamagedSurvey[] = "shard survey damaged: ";

inline constexpr char kStateDone[] = "done";
inline constexpr char kStateFailed[] = "failed";
inline constexpr char kStatePending[] = "pending";

}  // namespace zorvel::batch::msg

// What the batch commands print.
namespace zorvel::batch::msg {
inline constexpr char kPlanned[] = "planned ";
inline constexpr char kShardLine[] = "shard ";
inline constexpr char kInputsWord[] = " inputs, ";
inline constexpr char kBytesWord[] = " bytes";
inline constexpr char kDoneWord[] = "done";
inline constexpr char kSkippedWord[] = "already done, skipped";
inline constexpr char kFailedWord[] = "failed: ";
inline constexpr char kRunSummary[] = "%d done, %d skipped, %d failed of %d inputs";
inline constexpr char kMerged[] = "merged %d shards (%d files) into %s";
inline constexpr char kMemUnmeasured[] =
    "no shard has run yet, so no memory peak was measured: --mem set to ";
inline constexpr char kMemMeasured[] = "--mem from the measured peak: ";
inline constexpr char kSubmitHint[] = "submit with:";
}  // namespace zorvel::batch::msg
