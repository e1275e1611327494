// A deterministic stand-in for the logger: from a seed it writes an SD card folder of ".NXQ"
// files as the logger does (series, headers, minute records, wave groups, end records), with
// nights that look like real ones (bat passes with the right call shapes, feeding buzzes,
// insect and rain noise, light and temperature following the sun, batteries running down),
// and a ground-truth text file beside the folder that lists every simulated call and buzz.
//
// The card is generated minute by minute and streamed to disk, so memory stays small whatever
// the number of nights.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorvel::sim {

// Faults a real card can hold, for testing the import. Each is off by default.
struct SimAwkward {
  bool tickZero = false;       // now and then a wave group stamped with tick time 0
  bool backwards = false;      // now and then a wave group whose time runs backwards
  bool unknownIds = false;     // now and then a record with an identifier no reader knows (0xB8 … 0xF6)
  bool runErrors = false;      // now and then a logger run-error record (0xF7)
  int blankHeaderSeries = -1;  // this series' first file gets a header of 0xFF bytes
};

// Where the logger stands, for the sun: north and east positive, and the logger's clock as UTC plus
// utcOffsetMinutes.
struct SimSite {
  double latitude = 0, longitude = 0;
  int utcOffsetMinutes = 0;
};

struct SimOptions {
  std::string outDir;     // the SD card folder (created when missing)
  std::string truthPath;  // empty: the folder's path followed by "_truth.txt", beside it
  int nights = 1;         // each series runs this many days from its start
  int series = 1;         // deployments, one after the other
  uint64_t seed = 1;
  int scheme = 1;       // 1: "0BAT000.NXQ" … ; 2: "ZORVEL0.NXQ" …
  int32_t startMn = 0;  // minute number of the first minute; 0: 2026-06-01 18:00
  int32_t loggerId = 1234;
  int minsOff = 0;                    // minutes off after each minute on (0, 1, 2, 4 or 9)
  int lightSwitchLevel = 255;         // the logger listens only while the light is at or below this
  int64_t loggerFileBytes = 8 << 20;  // a new logger file starts at the first minute past this size
  double activity = 1.0;              // scales the number of bat passes
  bool noise = true;                  // insect and rain noise
  // With a site, daylight follows that place's computed sunset and sunrise, each species' first
  // pass of a night comes a species-typical delay after sunset, and the ground truth lists every
  // pass (kinds "pass" and, for a species' first of the night, "first"). Without one, a generic
  // mid-latitude sun is used and the truth lists calls and buzzes only.
  std::optional<SimSite> site;
  SimAwkward awkward;
};

struct SimSeriesCounts {
  std::vector<std::string> files;  // names in the folder, in order
  int32_t startMn = 0;
  int64_t minuteRecords = 0;
  int64_t waveGroups = 0;  // every wave-group record written, awkward ones included
  int64_t tickZeroGroups = 0;
  int64_t backwardGroups = 0;
  int64_t oddRecords = 0;  // unknown identifiers and run errors
};

struct SimResult {
  bool ok = false;
  std::string error;
  std::string truthPath;
  std::vector<SimSeriesCounts> series;
  int64_t calls = 0;  // calls listed in the ground truth, buzz calls included
  int64_t buzzes = 0;
  int64_t TotalMinutes() const;
  int64_t TotalWaveGroups() const;
};

// Writes the card. Files appear whole: each one is renamed into place when complete.
SimResult SimulateCard(const SimOptions& options);

// The default start: 2026-06-01 18:00.
int32_t DefaultStartMinute();

}  // namespace zorvel::sim
