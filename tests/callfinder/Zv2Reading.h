// Reading a written ZV2 file back through the production record reader, for tests.
#pragma once

#include <string>
#include <vector>

#include "core/Records.h"

namespace zorvel::test {

struct ReadCall {
  int32_t minute = 0;
  tCall call;
  std::vector<int32_t> octetTicks;
};

std::vector<ReadCall> ReadZv2Calls(const std::string& path);
std::vector<uint8_t> FileBytes(const std::string& path);

}  // namespace zorvel::test
