// A Host that remembers what the engine said and answers questions from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/Host.h"

namespace zorvel::testing {

struct RecordingHost : Host {
  struct Timed {
    std::string text;
    int ms;
  };
  std::vector<Timed> timed;
  std::vector<std::pair<Memo, std::string>> lines;
  std::vector<std::string> questions;
  std::deque<Answer> answers;
  bool admin = false;
  bool stop = false;

  void TimedMessage(std::string_view text, int ms) override { timed.push_back({std::string(text), ms}); }
  void AddLine(Memo memo, std::string_view line) override { lines.emplace_back(memo, std::string(line)); }
  Answer Ask(std::string_view q, Buttons) override {
    questions.emplace_back(q);
    if (answers.empty()) return Answer::No;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::string> ChooseSavePath(const SaveRequest& r) override { return r.proposedPath; }
  void Progress(std::string_view, int, int) override {}
  bool StopRequested() override { return stop; }
  bool AdministratorMode() const override { return admin; }

  bool SaidTimed(const std::string& text) const {
    for (const auto& t : timed)
      if (t.text == text) return true;
    return false;
  }
  std::vector<std::string> Lines(Memo m) const {
    std::vector<std::string> out;
    for (const auto& [memo, l] : lines)
      if (memo == m) out.push_back(l);
    return out;
  }
};

}  // namespace zorvel::testing
