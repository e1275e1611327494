// Any text as a typed latitude or longitude: the parser must never crash, and it gives either
// a value or an error, never both unless the value is the unsigned one beside a sign conflict.
#include <cstdint>
#include <string_view>

#include "import/PositionParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const zorvel::tParseReport r = zorvel::ParsePosition(text, (data[0] & 1) != 0);
  if (!r.Value.empty() && !r.Errors.empty() && r.Errors != "E/- conflict" && r.Errors != "N/- conflict")
    __builtin_trap();
  return 0;
}
