#include "callfinder/KeepAwake.h"

#if defined(__linux__)
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

extern char** environ;

namespace zorvel {

namespace {

#if defined(__linux__)
// The inhibitor runs `cat` reading a pipe that we hold open: closing our end lets `cat` finish,
// and the inhibitor ends with it, so nothing is left running whatever way the run ends.
class InhibitorProcess : public KeepAwake {
 public:
  void Begin() override {
    if (pid_ > 0) return;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
    // The inhibitor's own complaints (no login manager, no permission) are not the user's concern.
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>("systemd-inhibit"),
                    const_cast<char*>("--what=sleep:idle"),
                    const_cast<char*>("--who=zorvel"),
                    const_cast<char*>("--why=Finding calls"),
                    const_cast<char*>("--mode=block"),
                    const_cast<char*>("cat"),
                    nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "systemd-inhibit", &actions, nullptr, argv, environ) == 0) {
      pid_ = pid;
      writeEnd_ = fds[1];
    } else {
      close(fds[1]);
    }
    close(fds[0]);
    posix_spawn_file_actions_destroy(&actions);
  }
  void End() override {
    if (pid_ <= 0) return;
    close(writeEnd_);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = 0;
    writeEnd_ = -1;
  }
  ~InhibitorProcess() override { End(); }

 private:
  pid_t pid_ = 0;
  int writeEnd_ = -1;
};
#endif

}  // namespace

std::unique_ptr<KeepAwake> MakeSystemKeepAwake() {
#if defined(__linux__)
  return std::make_unique<InhibitorProcess>();
#else
  return std::make_unique<KeepAwake>();
#endif
}

}  // namespace zorvel
