// The shared recording host, plus what import tests need: a scripted save dialog, the
// progress captions, and a hook that acts at a chosen caption (to pull the card mid-import).
#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/RecordingHost.h"

namespace zorvel::testing {

struct ImportHost : RecordingHost {
  std::vector<SaveRequest> saveRequests;
  std::optional<std::string> saveAnswer;  // what the save dialog returns (nullopt: cancel)
  std::vector<std::string> progress;
  std::function<void(std::string_view)> onProgress;

  std::optional<std::string> ChooseSavePath(const SaveRequest& r) override {
    saveRequests.push_back(r);
    return saveAnswer;
  }
  void Progress(std::string_view caption, int, int) override {
    progress.emplace_back(caption);
    if (onProgress) onProgress(caption);
  }
  bool HasLine(Memo m, const std::string& text) const {
    const auto v = Lines(m);
    return std::find(v.begin(), v.end(), text) != v.end();
  }
};

}  // namespace zorvel::testing
