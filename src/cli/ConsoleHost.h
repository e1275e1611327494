// The command line's Host: notices and memo lines go to standard error (the data memo to
// standard output), questions take their default answer, Ctrl+C, SIGTERM and SIGHUP ask running
// jobs to stop.
#pragma once

#include <atomic>

#include "core/Host.h"

namespace zorvel::cli {

class ConsoleHost : public Host {
 public:
  explicit ConsoleHost(bool administrator = false, bool quiet = false);
  void TimedMessage(std::string_view text, int milliseconds) override;
  void AddLine(Memo memo, std::string_view line) override;
  Answer Ask(std::string_view question, Buttons buttons) override;
  std::optional<std::string> ChooseSavePath(const SaveRequest& request) override;
  void Progress(std::string_view caption, int step, int steps) override;
  bool StopRequested() override;
  bool AdministratorMode() const override { return administrator_; }

 private:
  bool administrator_;
  bool quiet_;
};

// Installs the handler of Ctrl+C, SIGTERM and SIGHUP that sets the stop request.
void InstallStopHandler();
// True once one of those signals has asked the run to stop.
bool StopWasRequested();
// The exit code of a run that was stopped (as a shell reports a Ctrl+C).
inline constexpr int kStoppedExitCode = 130;

}  // namespace zorvel::cli
