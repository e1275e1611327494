// Writing accepted calls and buzz calls into the minute's output buffer as ZV2 records, and
// entering them in the minute's call array.
#pragma once

#include <array>

#include "callfinder/MinuteWork.h"
#include "core/CallRecords.h"

namespace zorvel::cf {

// Emits the candidate call w.cur with its octets w.callOctets (a joined call replaces the prior
// call's records and place). Empties CallOctets.
void EmitCall(MinuteWork& w);

// Emits, in time order, the buzz calls of the buzz that has a buzz call starting at octet x
// (once per buzz). Returns the octet after the buzz's last call.
int32_t EmitBuzzAt(MinuteWork& w, int32_t x);

// The three call records as the call finder writes them: classification bytes 0, FlightN 111,
// the rising index byte as measured.
std::array<Record, 3> EncodeFoundCall(const tCall& c);
// The same for a buzz call: only the simple measures, the flag byte BuzzCall alone.
std::array<Record, 3> EncodeBuzzCall(const tCall& c);

// The ZV2 record of one octet of a call (callNumber 0 and no harmonic bit for buzz calls).
Record EncodeCallOctet(const tOctRec& o, int32_t callNumber, bool buzz);

}  // namespace zorvel::cf
