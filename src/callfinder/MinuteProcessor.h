// One minute of a ZV1 file through the whole call finder: decoding, gaps and harmonics, buzzes,
// calls, their measures and gaps, classification. The result is the minute's ZV2 records
// (its minute record first) in w.out[0 … w.outLen) and the minute's counters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "callfinder/MinuteWork.h"

namespace zorvel::cf {

// bytes holds the minute's records as read (the minute record first); n is rounded down to
// whole records. A minute of less than one record writes nothing (w.outLen stays 0).
// fileName goes into the notice about a minute that holds too many octets.
void ProcessMinute(MinuteWork& w, const uint8_t* bytes, size_t n, const std::string& fileName);

}  // namespace zorvel::cf
