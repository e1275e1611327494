// The index of the recordings a data file was made from: a text file beside it with the data
// file's name and the extension ".txt", one line per stretch of a recording within one minute:
//
//   SS MMMMMMMM<tab>TICK<tab>OFFSET<tab>TE<tab>PATH
//
// SS is the second within the minute at which the stretch starts (two digits), MMMMMMMM the
// minute number (eight digits), TICK the exact 5-µs tick of that start within the minute,
// OFFSET the stretch's start in 5-µs ticks of real time from the start of the recording, TE the
// recording's time-expansion factor and PATH the recording,
// relative to the data file's folder. Lines are in time order. Readers that know only the
// second, the minute and the name (the text after the last tab) read the same file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/FileRec.h"
#include "core/Host.h"

namespace zorvel {

// The index path of a data file.
std::string WavIndexPath(const std::string& dataFile);

// One index line's time: second (60 when not a number) and minute (the largest integer when
// not a number).
tWavFileTimesRecord ParseWavIndexTime(const std::string& line);

// A whole index line; nullopt when it does not have every field.
struct WavIndexLine {
  int32_t minute = 0;
  int32_t tick = 0;
  int64_t offset = 0;
  int32_t timeExpansion = 1;
  std::string path;
};
std::optional<WavIndexLine> ParseWavIndexLine(const std::string& line);

// Reads the slot's index into WavFileTimes and sets WavIndexFileOpen; when it cannot be read,
// says so through the host and returns false.
bool LoadWavIndex(TFileRec& slot, Host& host);

}  // namespace zorvel
