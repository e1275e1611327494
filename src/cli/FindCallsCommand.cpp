// zorvel-cli find-calls FILE… : finds the calls in ZV1 files and writes a ZV2 file beside each,
// printing the Results page's summary lines.
#include <iostream>
#include <map>

#include "callfinder/Batch.h"
#include "callfinder/Messages.h"
#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/Outcome.h"
#include "core/Messages.h"

namespace zorvel::cli {

namespace {
struct FindCallsOptions {
  std::vector<std::string> files;
  BatchOptions batch;
  bool noBuzzes = false;
  std::string exportPath;
};

int RunFindCalls(FindCallsOptions& o) {
  ConsoleHost host;
  InstallStopHandler();
  o.batch.settings.FindBuzzes = !o.noBuzzes;
  if (!o.exportPath.empty() && OutputRefused(o.exportPath, o.files)) return kRefusedOutputExitCode;
  if (!o.exportPath.empty()) {
    o.batch.settings.ExportToClassifier = true;
    o.batch.classifierExportPath = o.exportPath;
  }
  auto keepAwake = MakeSystemKeepAwake();
  const BatchResult r = RunCallFindingBatch(o.files, o.batch, host, *keepAwake);
  if (r.picked == 0) return 1;
  std::cout.flush();
  // The classifier export is not one of the input files: its failure is named, and fails the
  // command, but is kept out of the count of files that failed.
  int inputFailures = 0;
  for (const FileFailure& f : r.failures) inputFailures += f.path == o.batch.classifierExportPath ? 0 : 1;
  const std::string_view status2 = inputFailures == 0 ? cfmsg::kSummaryOnResults : cfmsg::kSomeFilesFailed;
  std::cerr << r.statusLine1 << '\n' << status2 << '\n' << r.finalStatus << '\n';
  for (const FileFailure& f : r.failures) {
    // The run says "file not found" for anything it cannot open as a file; say what it is.
    const std::string problem = f.path == o.batch.classifierExportPath ? "" : InputProblem(f.path);
    std::cerr << f.path << ": " << (problem.empty() ? f.reason : problem) << '\n';
  }
  const int inputs = static_cast<int>(o.files.size());
  if (inputFailures > 0 && inputs > 1)
    std::cerr << inputFailures << msg::kOfFiles << inputs << msg::kFilesFailed << '\n';
  if (r.aborted) return 130;
  return r.failed > 0 ? 1 : 0;
}
}  // namespace

void RegisterFindCallsCommand(CLI::App& app) {
  auto opts = std::make_shared<FindCallsOptions>();
  auto* cmd = app.add_subcommand("find-calls", "Find calls in ZV1 files and write a ZV2 file beside each");
  FinderSettings& s = opts->batch.settings;
  cmd->add_option("FILE", opts->files, "ZV1 files")->required();
  cmd->add_option("--jobs", opts->batch.Jobs, "Threads for the minutes of a file (default: one per core)")
      ->check(CLI::Range(1, 256));
  cmd->add_flag("--skip-existing", opts->batch.SkipIfZV2exists, "Skip a file whose ZV2 file exists");
  cmd->add_flag("--no-buzzes", opts->noBuzzes, "Do not run the buzz finder");
  cmd->add_flag("--noise-reduction", s.UseNoiseReduction, "Repair noisy wave groups before finding calls");
  cmd->add_option("--classifier-export", opts->exportPath,
                  "Write one line per call for an outside classifier");
  cmd->add_option("--classifier", s.Classifier, "Built-in classifier that names the calls")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, SpClassifier>{{kBuiltInClassifierName, SpClassifier::British0},
                                              {kZorvelEU1ClassifierName, SpClassifier::ZorvelEU1}}))
      ->default_str(kBuiltInClassifierName)
      ->option_text("British0|ZorvelEU1 (default British0)");
  cmd->add_option("--label", s.ExportLabel, "Label of the exported calls")->capture_default_str();
  cmd->add_option("--max-mismatch", s.MaxMismatch, "Largest accepted scaled mismatch")->capture_default_str();
  cmd->add_option("--quality-threshold", s.TriageThreshold, "Call quality threshold")->capture_default_str();
  cmd->add_option("--bend-threshold", s.BendThreshold, "Bend threshold")->capture_default_str();
  cmd->add_option("--flat-wiggle", s.FlatWiggle, "FlatWiggle")->capture_default_str();
  cmd->callback([opts] {
    if (const int rc = RunFindCalls(*opts)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
