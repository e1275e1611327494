// Any text as a moment typed on the command line ("yyyy-mm-dd hh:mm[:ss.ffffff]" or a minute
// number): parsing never crashes, and a moment it accepts lies inside its minute.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/TimeArg.h"
#include "core/Records.h"
#include "core/TimeBase.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto t = zorvel::cli::ParseMomentArg(text);
  if (t && (t->FiveMuSec < 0 || t->FiveMuSec >= zorvel::kTicksPerMinute)) std::abort();
  if (t) (void)zorvel::MinuteDateTimeText(t->Mn);
  return 0;
}
