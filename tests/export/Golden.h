// Reference outputs kept beside the tests and compared byte for byte. Running a test program
// with ZORVEL_UPDATE_GOLDEN=1 rewrites them (then read the diff before committing).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/Synthetic.h"

namespace zorvel::testing {

inline void ExpectGolden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(ZORVEL_GOLDEN_DIR) + "/" + name;
  if (std::getenv("ZORVEL_UPDATE_GOLDEN")) {
    WriteAll(path, std::vector<uint8_t>(actual.begin(), actual.end()));
    return;
  }
  const auto bytes = ReadAll(path);
  ASSERT_FALSE(bytes.empty()) << "missing reference output " << path;
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), actual) << "differs from " << path;
}

inline std::string FileText(const std::string& path) {
  const auto bytes = ReadAll(path);
  return std::string(bytes.begin(), bytes.end());
}

inline std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace zorvel::testing
