// Measuring calls: the tCall fields that describe a candidate call's timing, frequencies,
// slopes, bends, flats and feature sequence, the simpler measures of a buzz call, and the gaps
// between the calls of a minute.
#pragma once

#include "callfinder/MinuteWork.h"

namespace zorvel::cf {

// Measures w.cur from w.callOctets (positions 1 … n) and sets the octets' IPIsumOf5,
// FourOctIPIchange, Bend and FeatureType.
void MeasureCall(MinuteWork& w);

// The measures of a buzz call of count octets from octet first (Number is left to the emitter).
tCall MeasureBuzzCall(const MinuteWork& w, int32_t first, int32_t count);

// GapToPriorCall and GapToNextCall of calls 1 … callCount.
void SetCallGaps(MinuteWork& w);

// The steps of MeasureCall, in the order it runs them; q is CallOctets, n its length.
namespace params {
void SumsAndDistribution(MinuteWork& w);  // sums, histogram body, Fmin/Fmax widening
void Reverberation(MinuteWork& w);
void SlopesAndRates(MinuteWork& w);      // IPIsumOf5, slope, rising index, change rates
void SteepestAndMinimum(MinuteWork& w);  // steepest slopes, minimum slope
void Bends(MinuteWork& w);
void Flats(MinuteWork& w);
void FeatureSequence(MinuteWork& w);
}  // namespace params

}  // namespace zorvel::cf
