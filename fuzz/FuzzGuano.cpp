// Any text as GUANO metadata, and its timestamp and recorder-comment forms: the parsers must
// never crash; a parsed text has its version, and a parsed time is a real date and time.
#include <cstdint>
#include <string_view>

#include "recordings/Guano.h"
#include "recordings/RecordingTime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const zorvel::rec::Guano g = zorvel::rec::ParseGuano(text);
  if (g.ok == !g.error.empty()) __builtin_trap();
  if (g.ok) {
    zorvel::rec::GuanoLengthSeconds(g, 1.0);
    zorvel::rec::GuanoPosition(g);
    if (const std::string* t = g.Get("Timestamp")) {
      const auto ts = zorvel::rec::ParseTimestamp(*t);
      if (ts && !zorvel::rec::IsRealTime(*ts)) __builtin_trap();
    }
  }
  for (const auto& t : {zorvel::rec::ParseTimestamp(text), zorvel::rec::ParseRecorderComment(text),
                        zorvel::rec::ParseFileNameTime(text)})
    if (t && !zorvel::rec::IsRealTime(*t)) __builtin_trap();
  return 0;
}
