// The main window's answer to the engine. Jobs may call it from worker threads: every call that
// touches a control is carried over to the window's thread, and calls that return an answer
// (or that the job must wait for, like a timed message) block the worker until it is given.
// The window's thread must therefore never wait on a worker that may call here.
#pragma once

#include "core/Host.h"

namespace zorvel::ui {

class TB;

class WindowHost : public Host {
 public:
  explicit WindowHost(TB& window) : window_(window) {}
  void TimedMessage(std::string_view text, int milliseconds) override;
  void AddLine(Memo memo, std::string_view line) override;
  Answer Ask(std::string_view question, Buttons buttons) override;
  std::optional<std::string> ChooseSavePath(const SaveRequest& request) override;
  void Progress(std::string_view caption, int step, int steps) override;
  bool StopRequested() override;
  bool AdministratorMode() const override;

 private:
  TB& window_;
};

}  // namespace zorvel::ui
