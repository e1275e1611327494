// Turning a minute's ZV1 wave-group records into the call finder's octets, and the gap and
// harmonic measures of each octet.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "callfinder/MinuteWork.h"

namespace zorvel::cf {

// The call finder's own amplitude scale for raw amplitude codes (not the readers' expansion).
int32_t AmpExpand(uint8_t a);

// The outlier repair applied to one octet's eight IPIs when noise reduction is on. Returns the
// new IPI sum; origKhz receives the kHz of the mean IPI before the outlier steps.
int32_t NoiseReduce(std::array<int32_t, 8>& p, int32_t& origKhz);

struct DecodeOutcome {
  int32_t octets = 0;      // N
  bool truncated = false;  // more wave groups than the octet array holds
};

// Fills w.oct[1 … N] from the records that follow the minute record (records 1 …). Records that
// are not wave groups are passed over; octets with five or more invalid IPI bytes are dropped.
DecodeOutcome DecodeOctets(MinuteWork& w, const uint8_t* records, size_t recordCount);

// preGap, postGap and OctHmic of octets 1 … N.
void ComputeGapsAndHarmonics(MinuteWork& w);

}  // namespace zorvel::cf
