// The keep-awake hold is released whatever the system makes of it, leaving no process behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>

#include "callfinder/KeepAwake.h"

namespace zorvel {
namespace {

TEST(KeepAwake, SystemHoldEndsWithNoChildLeft) {
  auto hold = MakeSystemKeepAwake();
  { KeepAwakeScope scope(*hold); }
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
  hold->Begin();  // a second run takes the hold again
  hold.reset();   // and dropping the hold ends it too
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

}  // namespace
}  // namespace zorvel
