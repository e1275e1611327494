// "create .wav file" on a data file made from full-spectrum recordings: instead of rebuilding
// sound from the stored waves, the original sound of the span is cut from the recording that
// holds its start (up to the span's end or the recording's end, whichever comes first). The
// samples are copied unchanged (one channel, its stored size and format) at the recording's own
// sample rate, and a GUANO chunk says what they are: Timestamp (the cut's start, local time),
// Loc Position (from the data file), Make (the recording's), Original Filename, and TE when the
// recording is time-expanded. The file appears whole or not at all.
#pragma once

#include <cstdint>
#include <string>

#include "core/Records.h"

namespace zorvel::rec {

struct CutRequest {
  std::string dataFile;  // the ZV1 (or its ZV2) beside the index
  TRecTime from, to;
  std::string outPath;
  int channel = 1;
  std::string lat, lon;  // the data file's position texts, for Loc Position when both are numbers
};

struct CutResult {
  bool ok = false;
  std::string error;
  std::string recording;  // the source, as the index names it
  uint32_t sampleRate = 0;
  uint64_t frames = 0;
};

CutResult CutOriginalAudio(const CutRequest& request);

}  // namespace zorvel::rec
