// Ctrl+C, SIGTERM and SIGHUP all become the stop request that jobs poll, so each ends a run the
// same way (and the run's temporary file is removed as the job unwinds).
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include "cli/ConsoleHost.h"

namespace zorvel::cli {
namespace {

void StopsOn(int sig) {
  InstallStopHandler();
  ConsoleHost host;
  const bool before = host.StopRequested();
  std::raise(sig);
  std::exit(!before && host.StopRequested() && StopWasRequested() ? 0 : 1);
}

TEST(StopSignals, EachAsksTheJobToStopInsteadOfEndingTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const int sig : {SIGINT, SIGTERM, SIGHUP})
    EXPECT_EXIT(StopsOn(sig), ::testing::ExitedWithCode(0), "") << sig;
}

}  // namespace
}  // namespace zorvel::cli
