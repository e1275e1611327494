// zorvel-cli survey add SURVEY FILE|DIR… : adds data files to a survey, one transaction per file,
// with a progress line on a terminal and a summary at the end.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>

#include "callfinder/Batch.h"
#include "callfinder/KeepAwake.h"
#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/Outcome.h"
#include "cli/SurveyMessages.h"
#include "core/SlotFiles.h"
#include "species/BuiltInSpecies.h"
#include "survey/Survey.h"

namespace zorvel::cli {

namespace {

struct SurveyAddOptions {
  std::string survey;
  std::vector<std::string> inputs;
  bool recursive = false, findCalls = false;
  std::string classifier;
};

// The console's host with a progress line that rewrites itself, on a terminal only.
class ProgressHost : public ConsoleHost {
 public:
  ProgressHost() : ConsoleHost(false, true), terminal_(::isatty(STDERR_FILENO) != 0) {}
  void Progress(std::string_view caption, int step, int steps) override {
    if (!terminal_ || steps <= 0) return;
    std::cerr << '\r' << prefix_ << caption << ' ' << std::min(100, 100 * step / steps) << "%\x1b[K"
              << std::flush;
    shown_ = true;
  }
  void SetPrefix(std::string p) { prefix_ = std::move(p); }
  // Clears the progress line before a line of output.
  void Clear() {
    if (shown_) std::cerr << "\r\x1b[K" << std::flush;
    shown_ = false;
  }

 private:
  bool terminal_;
  bool shown_ = false;
  std::string prefix_;
};

bool IsType(const std::filesystem::path& p, TFileType t) {
  return FileTypeOfPath(p.string()) == t;
}

// The data files of the inputs in a stable order: a folder gives its ZV2/ZV3 files and those ZV1
// files that have no ZV2 file beside them.
std::vector<std::string> ExpandInputs(const SurveyAddOptions& o) {
  namespace fs = std::filesystem;
  std::vector<std::string> out;
  for (const std::string& input : o.inputs) {
    std::error_code ec;
    if (!fs::is_directory(input, ec)) {
      out.push_back(input);
      continue;
    }
    std::vector<std::string> found;
    auto consider = [&](const fs::directory_entry& e) {
      if (!e.is_regular_file()) return;
      const fs::path p = e.path();
      if (IsType(p, ftZV2) || IsType(p, ftZV3)) found.push_back(p.string());
      if (IsType(p, ftZV1) && !fs::exists(WithExtension(p.string(), ".ZV2"))) found.push_back(p.string());
    };
    if (o.recursive) {
      for (const auto& e :
           fs::recursive_directory_iterator(input, fs::directory_options::skip_permission_denied, ec))
        consider(e);
    } else {
      for (const auto& e : fs::directory_iterator(input, ec)) consider(e);
    }
    std::sort(found.begin(), found.end());
    out.insert(out.end(), found.begin(), found.end());
  }
  return out;
}

int RunSurveyAdd(const SurveyAddOptions& o) {
  InstallStopHandler();
  ProgressHost host;
  survey::OpenResult opened = survey::OpenSurvey(o.survey, survey::OpenMode::ReadWrite);
  if (!opened.survey) {
    std::cerr << opened.message << '\n';
    return 1;
  }
  const std::vector<std::string> files = ExpandInputs(o);
  if (files.empty()) {
    std::cerr << msg::kSurveyNoInputs << '\n';
    return 1;
  }
  FileTally tally(static_cast<int>(files.size()));
  survey::AddOptions addOptions;
  addOptions.classifier = o.classifier;
  int added = 0, replaced = 0, skipped = 0;
  for (size_t i = 0; i < files.size() && !host.StopRequested(); ++i) {
    std::string path = files[i];
    host.SetPrefix("[" + std::to_string(i + 1) + "/" + std::to_string(files.size()) + "] ");
    if (!tally.Usable(path)) continue;
    if (FileTypeOfPath(path) == ftZV1) {
      if (!o.findCalls) {
        tally.Fail(path, msg::kSurveyZv1NeedsFindCalls);
        continue;
      }
      BatchOptions batch;
      batch.SkipIfZV2exists = true;
      batch.ShowDetectionSummary = false;
      if (o.classifier == kZorvelEU1ClassifierName) batch.settings.Classifier = SpClassifier::ZorvelEU1;
      SilentHost quiet;
      auto keepAwake = MakeSystemKeepAwake();
      const BatchResult r = RunCallFindingBatch({path}, batch, quiet, *keepAwake);
      const std::string zv2 = WithExtension(path, ".ZV2");
      if (r.aborted) break;
      if (!std::filesystem::exists(zv2)) {
        tally.Fail(path, r.failures.empty() ? r.statusLine2 : r.failures.front().reason);
        continue;
      }
      path = zv2;
    }
    const survey::AddOutcome r = survey::AddFile(*opened.survey, path, addOptions, host);
    host.Clear();
    for (const std::string& w : r.warnings) std::cerr << msg::kSurveyWarning << w << '\n';
    switch (r.status) {
      case survey::AddStatus::Added:
      case survey::AddStatus::Replaced:
        (r.status == survey::AddStatus::Added ? added : replaced) += 1;
        std::cout << (r.status == survey::AddStatus::Added ? msg::kSurveyAdded : msg::kSurveyReplaced) << path
                  << "\t" << r.nights << msg::kSurveyNightsWord << '\n';
        break;
      case survey::AddStatus::Skipped:
        ++skipped;
        std::cout << msg::kSurveySkipped << path << "\t" << r.message << '\n';
        break;
      case survey::AddStatus::Stopped:
        break;
      case survey::AddStatus::Failed:
        tally.Fail(path, r.message);
        break;
    }
  }
  host.Clear();
  // The survey's totals after this run.
  const std::vector<std::string> totals = survey::SurveyTotals(*opened.survey);
  std::cerr << msg::kSurveySummaryStart << o.survey << ": " << added << " added, " << replaced
            << " replaced, " << skipped << " skipped, " << tally.Failures() << " failed";
  for (const std::string& t : totals) std::cerr << "; " << t;
  std::cerr << '\n';
  return tally.ExitCode();
}

}  // namespace

void RegisterSurveyAddCommand(CLI::App& survey) {
  auto o = std::make_shared<SurveyAddOptions>();
  auto* cmd = survey.add_subcommand("add", "Add ZV2/ZV3 files (or ZV1 files with --find-calls) to a survey");
  cmd->add_option("SURVEY", o->survey, "The survey file (made when absent)")->required();
  cmd->add_option("FILE", o->inputs, "Data files or folders")->required();
  cmd->add_flag("--recursive", o->recursive, "Look into the folders' folders too");
  cmd->add_flag("--find-calls", o->findCalls,
                "Find the calls of ZV1 files first (their ZV2 file is made beside them)");
  cmd->add_option("--classifier", o->classifier,
                  "Add only files named by this classifier; with --find-calls, the classifier to name calls");
  cmd->callback([o] {
    if (const int rc = RunSurveyAdd(*o)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
