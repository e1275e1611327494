// A Host that records what the engine says, for tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/Host.h"

namespace zorvel::test {

struct RecordingHost : Host {
  std::vector<std::string> messages;
  std::vector<std::pair<Memo, std::string>> lines;
  bool admin = false;
  int stopAfterChecks = -1;  // StopRequested turns true on this call (counting from 0)
  int stopChecks = 0;
  std::optional<std::string> savePath;

  void TimedMessage(std::string_view text, int) override { messages.emplace_back(text); }
  void AddLine(Memo memo, std::string_view line) override { lines.emplace_back(memo, std::string(line)); }
  Answer Ask(std::string_view, Buttons) override { return Answer::No; }
  std::optional<std::string> ChooseSavePath(const SaveRequest&) override { return savePath; }
  void Progress(std::string_view, int, int) override {}
  bool StopRequested() override { return stopAfterChecks >= 0 && stopChecks++ >= stopAfterChecks; }
  bool AdministratorMode() const override { return admin; }

  std::vector<std::string> DataLines() const {
    std::vector<std::string> out;
    for (const auto& [m, l] : lines)
      if (m == Memo::DataMemo) out.push_back(l);
    return out;
  }
};

}  // namespace zorvel::test
