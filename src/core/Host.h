// The engine's only road to the person in front of the program. Library code never opens a
// window: it calls these, and the main window, the command line and the tests each answer them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

enum class Memo { DataMemo, UploadMemo, ErrorsMemo, AnalysisMemo };
enum class Answer { Yes, No, Cancel };
enum class Buttons { YesNo, YesNoCancel };

struct SaveRequest {
  std::string title;
  std::string proposedPath;
  std::string filter;  // e.g. "Zorvel data file (*.ZV1)"
};

struct Host {
  virtual ~Host() = default;
  // A notice shown for the given time (the timed message window).
  virtual void TimedMessage(std::string_view text, int milliseconds) = 0;
  virtual void AddLine(Memo memo, std::string_view line) = 0;
  virtual Answer Ask(std::string_view question, Buttons buttons) = 0;
  virtual std::optional<std::string> ChooseSavePath(const SaveRequest& request) = 0;
  virtual void Progress(std::string_view caption, int step, int steps) = 0;
  virtual bool StopRequested() = 0;
  virtual bool AdministratorMode() const = 0;
};

// A Host that shows nothing and asks nobody: for jobs that must run unattended.
struct SilentHost : Host {
  void TimedMessage(std::string_view, int) override {}
  void AddLine(Memo, std::string_view) override {}
  Answer Ask(std::string_view, Buttons) override { return Answer::No; }
  std::optional<std::string> ChooseSavePath(const SaveRequest&) override { return std::nullopt; }
  void Progress(std::string_view, int, int) override {}
  bool StopRequested() override { return false; }
  bool AdministratorMode() const override { return false; }
};

}  // namespace zorvel
