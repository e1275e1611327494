// Moving a file set in time and joining later ZV1 files onto an open one. Record times are
// counted from the header's FirstLoggedMin, so a header edit moves every record.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/FileRec.h"
#include "core/Host.h"

namespace zorvel::fileutils {

// "Add minutes to start": every open file's logged and stored processing minutes move by
// minutes, its maps are deleted (to be rebuilt) and it is reopened in its slot. Returns the
// number of files shifted.
int AddMinutesToStart(FileSlots& slots, int32_t minutes, Host& host);

struct HeaderSpan {
  int32_t FirstLoggedMin = 0;
  int32_t LastLoggedMin = 0;
};
// The minutes a data file covers, as the minute scan finds them: a header whose last minute was
// never filled in is corrected by the scan. Nothing when the file cannot be opened.
std::optional<HeaderSpan> ScannedSpan(const std::string& path);

struct JoinOptions {
  bool KeepGapsChk = true;           // "keep true times"
  bool CopyJoinFirstFileChk = true;  // "copy first file": stop and ask for a copy first
  int64_t FreeBytesOverride = -1;    // not negative: taken as the disk's free bytes (tests)
};

// The files to append, in order: with true times, those that start after file 1 ends, chained
// earliest first, leaving out any that overlap the chain.
struct JoinFile {
  std::string path;
  HeaderSpan span;
};
struct JoinPlan {
  std::vector<JoinFile> files;
  std::vector<JoinFile> leftOut;
};
JoinPlan ChainAfter(int32_t lastLoggedMin, const std::vector<JoinFile>& candidates);

// Appends the chosen ZV1 files to the ZV1 file open in slot 1 (chosen empty: the dialog was
// cancelled). The joined file replaces file 1 only when it has been written whole. Files whose
// header minutes are blank or implausible, and files after a gap of more than 366 days, are
// refused with a message naming them; nothing is written when the disk lacks room for the
// whole joined file. Returns the number of files appended; all slots are closed afterwards.
int JoinZV1Files(FileSlots& slots, const std::vector<std::string>& chosen, const JoinOptions& options,
                 Host& host);

}  // namespace zorvel::fileutils
