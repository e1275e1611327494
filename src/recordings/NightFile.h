// Writes one data file made from recordings, with the index of its recordings beside it.
//
// The file covers the minutes from the first recording's start to the last one's end. Every
// minute has its minute record; MinON is set for minutes that hold recording time and clear for
// the rest, so minutes-on and detection-positive-minute counts stay true. Wave groups follow the
// minute record of the minute they start in, in time order; recordings that overlap are merged
// (groups of one start time keep the order of their recordings).
//
// The header records where the data came from: the device's make, model and serial in the notes
// text, its serial in the logger identity when it is a number that fits, the position (from the
// user or the GUANO Loc Position), the UTC offset and the place, and marks the file as made
// from recordings (core/Header.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "recordings/Recording.h"

namespace zorvel::rec {

struct PlaceTexts {
  std::string location, lat, lon, utc;
};

struct NightFileResult {
  bool ok = false;
  std::string error;
  std::vector<std::string> failed;  // "path: reason" of recordings that could not be read to the end
  int64_t minutes = 0;
  int64_t groups = 0;
  bool stopped = false;  // the hook asked to stop: nothing was written
};

// Called before each recording is read (its index in the list); false stops the file.
using RecordingHook = std::function<bool(size_t)>;

// recordings must be sorted by start time. Both files appear whole or not at all.
NightFileResult WriteNightFile(const std::string& path, const std::vector<RecordingInfo>& recordings,
                               const ReadOptions& options, const PlaceTexts& place,
                               const RecordingHook& before = {});

// "<place> <yyyy mm dd> <source> file<n>.ZV1": as an imported file's name, with the recording
// device (or the folder) in place of the logger. date is the night's first minute number.
std::string RecordingsFileName(const std::string& place, int32_t dateMinute, const std::string& source, int n);

// Minute number (floor) of local wall-clock seconds since 1899-12-30.
int32_t MinuteOfSeconds(double seconds);

}  // namespace zorvel::rec
