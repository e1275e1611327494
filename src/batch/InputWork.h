// One manifest row into ZV2 files inside a work folder: an SD card through the card import, a
// folder or file of recordings through the recordings import, a ZV1 file through call finding
// (read where it lies, its ZV2 made in the work folder), a ZV2 file as it is. The ZV1 files made
// on the way are removed once their ZV2 files are in place; the inputs are only read.
#pragma once

#include <string>
#include <vector>

#include "batch/Manifest.h"
#include "core/Host.h"

namespace zorvel::batch {

struct InputWork {
  bool ok = false;
  bool stopped = false;
  std::string reason;                 // why it failed
  std::vector<std::string> zv2Files;  // the files to add to the survey, in time order
};

InputWork MakeZv2Files(const ManifestRow& row, const std::string& workDir, int jobs, Host& host);

// Passes questions and stop requests on to the outer host but keeps the memo lines, so a
// shard's log stays short and a failure can quote them.
class CollectingHost : public Host {
 public:
  explicit CollectingHost(Host& outer) : outer_(outer) {}
  void TimedMessage(std::string_view, int) override {}
  void AddLine(Memo memo, std::string_view line) override;
  Answer Ask(std::string_view question, Buttons buttons) override { return outer_.Ask(question, buttons); }
  std::optional<std::string> ChooseSavePath(const SaveRequest&) override { return std::nullopt; }
  void Progress(std::string_view, int, int) override {}
  bool StopRequested() override { return outer_.StopRequested(); }
  bool AdministratorMode() const override { return false; }
  const std::vector<std::string>& Errors() const { return errors_; }

 private:
  Host& outer_;
  std::vector<std::string> errors_;
};

}  // namespace zorvel::batch
