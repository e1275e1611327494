// The call finder on arbitrary minute bytes: the first byte picks the switches, the rest is one
// minute's records as a ZV1 file would hand them over (the minute record first).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "callfinder/MinuteProcessor.h"
#include "core/CallRecords.h"
#include "core/Tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorvel;
  static const bool tables = (PopulatePrecalculatedArrays(), true);
  (void)tables;
  if (size < 1) return 0;
  FinderSettings s;
  s.UseNoiseReduction = (data[0] & 1) != 0;
  s.FindBuzzes = (data[0] & 2) != 0;
  s.ExportToClassifier = (data[0] & 4) != 0;
  s.Classifier = (data[0] & 8) != 0 ? SpClassifier::ZorvelEU1 : SpClassifier::British0;
  // One work area per combination of switches, allocated once as a run would.
  static std::unique_ptr<cf::MinuteWork> works[16];
  auto& w = works[data[0] & 15];
  if (!w) w = std::make_unique<cf::MinuteWork>(s);
  cf::ProcessMinute(*w, data + 1, size - 1, "fuzz");
  // The output is whole records: a minute record, then calls of three records and their octets.
  if (w->outLen % 16 != 0) std::abort();
  if (size - 1 >= 16 && (w->outLen < 16 || w->out[0] != kIdMinute)) std::abort();
  for (int32_t i = 1; i <= w->callCount; ++i) {
    const size_t at = static_cast<size_t>(w->calls[i].ClBufPosnOfStart);
    if (at + 48 > w->outLen || w->out[at] != kIdCallA || w->out[at + 16] != kIdCallB ||
        w->out[at + 32] != kIdCallC)
      std::abort();
  }
  return 0;
}
