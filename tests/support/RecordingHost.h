// A Host for tests: records every message and memo line, answers save dialogs from a script,
// and lets a test stop a job or act at a chosen progress step.
#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Host.h"

namespace zorvel::test {

struct RecordingHost : Host {
  std::vector<std::string> timed;
  std::vector<std::pair<Memo, std::string>> lines;
  std::vector<std::string> progress;
  std::vector<SaveRequest> saveRequests;
  std::optional<std::string> saveAnswer;  // what the save dialog returns (nullopt: cancel)
  bool admin = false;
  bool stop = false;
  std::function<void(std::string_view)> onProgress;

  void TimedMessage(std::string_view text, int) override { timed.emplace_back(text); }
  void AddLine(Memo memo, std::string_view line) override { lines.emplace_back(memo, std::string(line)); }
  Answer Ask(std::string_view, Buttons) override { return Answer::No; }
  std::optional<std::string> ChooseSavePath(const SaveRequest& r) override {
    saveRequests.push_back(r);
    return saveAnswer;
  }
  void Progress(std::string_view caption, int, int) override {
    progress.emplace_back(caption);
    if (onProgress) onProgress(caption);
  }
  bool StopRequested() override { return stop; }
  bool AdministratorMode() const override { return admin; }

  std::vector<std::string> Lines(Memo m) const {
    std::vector<std::string> out;
    for (const auto& [memo, line] : lines)
      if (memo == m) out.push_back(line);
    return out;
  }
  bool Shown(const std::string& text) const {
    return std::find(timed.begin(), timed.end(), text) != timed.end();
  }
  bool HasLine(Memo m, const std::string& text) const {
    const auto v = Lines(m);
    return std::find(v.begin(), v.end(), text) != v.end();
  }
};

}  // namespace zorvel::test
