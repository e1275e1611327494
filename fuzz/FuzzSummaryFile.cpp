// Any bytes as the body of a summary file whose header is right (so the checksum does not turn
// every input away): the summary is either refused whole or every minute of it decodes, with
// rows in rising bin order and calls inside the block.
#include <cstdint>
#include <vector>

#include "core/Bytes.h"
#include "core/MinuteSummary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorvel;
  if (size < 1) return 0;
  const int32_t minutes = data[0] % 8;
  // An empty builder gives a header of the right shape; the body is the fuzzer's.
  MinuteSummaryBuilder b(ftZV2, false, false);
  std::vector<uint8_t> bytes = b.Finish({static_cast<int64_t>(size), 7})->Serialise();
  bytes.insert(bytes.end(), data + 1, data + size);
  PutLe32(&bytes[32], minutes);
  const uint32_t body = static_cast<uint32_t>(size - 1);
  PutLe32(&bytes[48], static_cast<int32_t>(body));
  PutLe32(&bytes[52], 0);
  uint32_t h = 2166136261u;
  for (size_t i = 1; i < size; ++i) h = (h ^ data[i]) * 16777619u;
  PutLe32(&bytes[56], static_cast<int32_t>(h));
  const auto sum = MinuteSummary::Parse(bytes, ftZV2, {static_cast<int64_t>(size), 7}, minutes, 0);
  if (!sum) return 0;
  MinuteDigest d;
  for (int32_t k = 0; k < minutes; ++k) {
    if (!sum->Minute(k, d)) __builtin_trap();
    for (const auto& rows : d.freq)
      for (size_t i = 1; i < rows.size(); ++i)
        if (rows[i].bin <= rows[i - 1].bin) __builtin_trap();
  }
  if (sum->Minute(minutes, d)) __builtin_trap();
  return 0;
}
