// Runs the zorvel-cli program in a folder and collects its exit code and output, with a time
// limit (a command that hangs is killed and reported) and optionally a file-size limit that
// stands in for a full disk (writes past it fail with EFBIG).
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace zorvel::testing {

#ifdef ZORVEL_CORPUS_DIR
// A card folder holding one good logger file (0BAT000.NXQ), from the corpus.
inline void CardWithOneFile(const TempDir& dir) {
  std::filesystem::create_directories(dir / "card");
  std::filesystem::copy_file(std::filesystem::path(ZORVEL_CORPUS_DIR) / "card_good.NXQ", dir / "card/0BAT000.NXQ");
}
#endif

struct CliResult {
  int code = -1;  // the exit code, or 128 + the signal that ended it
  std::string out, err;
};

struct CliLimits {
  long fileSizeBytes = -1;           // not negative: RLIMIT_FSIZE for the run
  unsigned seconds = 60;             // killed (SIGALRM) after this
  const char* stdoutPath = nullptr;  // where standard output goes instead of being collected
};

inline CliResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& dir,
                        CliLimits limits = {}) {
  const std::string outPath = (dir / ".stdout").string(), errPath = (dir / ".stderr").string();
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(dir.c_str()) != 0) _exit(120);
    const char* out = limits.stdoutPath ? limits.stdoutPath : outPath.c_str();
    if (!freopen(out, "w", stdout) || !freopen(errPath.c_str(), "w", stderr)) _exit(121);
    if (limits.fileSizeBytes >= 0) {
      std::signal(SIGXFSZ, SIG_IGN);  // ignored signals stay ignored across exec
      rlimit r{};
      getrlimit(RLIMIT_FSIZE, &r);
      r.rlim_cur = static_cast<rlim_t>(limits.fileSizeBytes);
      setrlimit(RLIMIT_FSIZE, &r);
    }
    alarm(limits.seconds);
    std::vector<char*> argv{const_cast<char*>(ZORVEL_CLI_PATH)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(ZORVEL_CLI_PATH, argv.data());
    _exit(122);
  }
  int status = 0;
  waitpid(child, &status, 0);
  CliResult r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  const auto text = [](const std::string& p) {
    const auto b = ReadAll(p);
    std::filesystem::remove(p);
    return std::string(b.begin(), b.end());
  };
  r.out = text(outPath);
  r.err = text(errPath);
  return r;
}

// A fresh folder holding copies of the corpus files.
inline void CopyCorpus(const std::filesystem::path& to) {
  for (const auto& e : std::filesystem::directory_iterator(ZORVEL_CORPUS_DIR))
    std::filesystem::copy_file(e.path(), to / e.path().filename());
}

inline std::vector<uint8_t> CorpusBytes(const std::string& name) {
  return ReadAll((std::filesystem::path(ZORVEL_CORPUS_DIR) / name).string());
}

}  // namespace zorvel::testing
