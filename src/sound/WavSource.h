// For data files made from WAV recordings: which recording holds a moment. The slot's
// WavFileTimes hold one (minute, second) per line of its WAV index text file, whose lines end
// in a tab and the recording's name.
#pragma once

#include <string>
#include <vector>

#include "core/FileRec.h"

namespace zorvel::sound {

struct WavSourceResult {
  int line = 0;        // 1-based line of the index file; 0 when none was found
  std::string status;  // the status text when none was found
};

// The entry for the moment (minute, second): the last entry that starts at or before it within
// its minute, at least entry 1.
WavSourceResult FindWavSourceLine(const std::vector<tWavFileTimesRecord>& times, int32_t minute,
                                  int32_t second);

// The text after the last tab of the given 1-based line of the index file; empty when the file
// or the line cannot be read.
std::string WavNameFromIndex(const std::string& indexPath, int line);

// The recording under a moment of a slot's band (slot 0: the pointer was over no band). The name
// is empty when none was found; message (a timed message) and status (the status line) say why.
struct WavNameLookup {
  std::string name;
  std::string message;
  std::string status;
};
WavNameLookup WavNameAt(const FileSlots& slots, int slot, TRecTime moment);

}  // namespace zorvel::sound
