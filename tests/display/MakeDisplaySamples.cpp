// make_display_samples DIR [MINUTES]: writes "Display file1.ZV1", ".ZV2" and ".ZV3" for
// looking at the display with display_shot.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/TimeBase.h"
#include "display/Samples.h"

int main(int argc, char** argv) {
  using namespace zorvel;
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_display_samples DIR [MINUTES]\n");
    return 2;
  }
  const std::string dir = argv[1];
  const int minutes = argc > 2 ? std::atoi(argv[2]) : 180;
  const int32_t first = *MinuteNumber(2026, 6, 21, 21, 0);
  const testing::Deployment d = testing::MakeDeployment(minutes);
  bool ok = testing::WriteDataFile(dir + "/Display file1.ZV1",
                                   testing::DeploymentHeader(first, minutes, false), d.zv1);
  ok = ok && testing::WriteDataFile(dir + "/Display file1.ZV2",
                                    testing::DeploymentHeader(first, minutes, true), d.zv2);
  ok = ok && testing::WriteDataFile(dir + "/Display file1.ZV3",
                                    testing::DeploymentHeader(first, minutes, true), d.zv2);
  std::printf("%s\n", ok ? "written" : "failed");
  return ok ? 0 : 1;
}
