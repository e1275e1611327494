#include "callfinder/MinuteProcessor.h"

#include <array>
#include <cstring>

#include "callfinder/CallParams.h"
#include "callfinder/Classifier.h"
#include "callfinder/FindCalls.h"
#include "callfinder/Messages.h"
#include "callfinder/OctetDecoder.h"
#include "core/CallRecords.h"

namespace zorvel::cf {

void ProcessMinute(MinuteWork& w, const uint8_t* bytes, size_t n, const std::string& fileName) {
  w.StartMinute();
  const size_t records = n / 16;
  if (records == 0) return;
  std::array<uint8_t, 16> minuteRecord{};
  std::memcpy(minuteRecord.data(), bytes, 16);
  minuteRecord[0] = kIdMinute;
  w.Put(minuteRecord.data());
  if (records * 16 < static_cast<size_t>(kMinBytesForSearch)) return;

  const DecodeOutcome decoded = DecodeOctets(w, bytes + 16, records - 1);
  if (decoded.truncated) w.notices.push_back({std::string(cfmsg::kOctetLimit) + fileName, 3000, true});
  ComputeGapsAndHarmonics(w);
  FindCalls(w);
  if (w.callCount > 0) {
    SetCallGaps(w);
    ClassifyMinute(w);
  }
  w.counters.calls = w.callCount;
}

}  // namespace zorvel::cf
