// zorvel-cli export counts FILE…, zorvel-cli export calls FILE…|--dir DIR and zorvel-cli export
// passes FILE…: the period count export, the call details export and the pass listing over a
// batch of files, with the Export page's choices as flags. Saved settings files are applied
// first; flags given on the line override them.
#include <algorithm>
#include <iostream>
#include <map>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/EditArgs.h"
#include "cli/Outcome.h"
#include "cli/TimeArg.h"
#include "core/BinaryFile.h"
#include "export/DetailListings.h"
#include "export/PassExport.h"
#include "export/PeriodExport.h"
#include "filters/EditChecks.h"
#include "settings/SettingsFiles.h"

namespace zorvel::cli {

namespace {
// The minute of a typed moment (its seconds do not matter to whole-minute jobs).
std::optional<int32_t> MinuteOf(const std::string& text) {
  const auto t = ParseMomentArg(text);
  return t ? std::optional<int32_t>(t->Mn) : std::nullopt;
}

struct ExportCliOptions {
  std::vector<std::string> files;
  std::string dir;
  std::string kind, period, out, timeFormat, from, to, filters, exportSettings;
  bool julian = false, headers = false, dropBlanks = false, separateFiles = false, ignoreFilters = false;
  bool briefNames = false, savedTime = false;
  std::vector<std::string> edits;  // NAME=TEXT for any filter edit, as if typed into it
  std::string classes;             // call-type boxes to tick: cf,qcf,fm,other
  // The flags, to learn after parsing which were typed: those win over a loaded settings file.
  std::map<std::string, const CLI::Option*> flags;
};

template <typename Enum>
bool Choose(const std::string& text, std::initializer_list<std::pair<const char*, Enum>> items, Enum& out) {
  for (const auto& [name, value] : items)
    if (text == name) {
      out = value;
      return true;
    }
  return false;
}

// --edit NAME=TEXT for each edit; false, with the edit's message, for one that is refused.
bool ApplyEdits(const std::vector<std::string>& edits, FilterSettings& f) {
  std::string message;
  if (ApplyEditArgs(edits, f, &message)) return true;
  std::cerr << message << '\n';
  return false;
}

// Builds the options and filters; false (with a message) when something typed is wrong.
bool Prepare(const ExportCliOptions& c, ExportOptions& o, FilterSettings& f, SpeciesListModel& sp,
             std::optional<MinuteSpan>& selection) {
  for (const auto& [path, isExport] : {std::pair{c.exportSettings, true}, std::pair{c.filters, false}}) {
    if (path.empty()) continue;
    std::string problem;
    const auto ini = LoadSettingsFile(path, isExport, &problem);
    if (!ini) {
      std::cerr << problem << '\n';
      return false;
    }
    // A value its control would refuse is named with the file, section and key; nothing is applied.
    if (const auto problems = isExport ? ExportFileProblems(*ini) : FilterFileProblems(*ini);
        !problems.empty()) {
      for (const std::string& p : problems) std::cerr << path << ": " << p << '\n';
      return false;
    }
    if (isExport) {
      ReadExportFile(*ini, f, o, sp);
    } else {
      ReadFilterFile(*ini, f, sp);
    }
    sp.ApplySpNumbersToList();
  }
  const auto was = [&c](const char* flag) { return c.flags.count(flag) && c.flags.at(flag)->count() > 0; };
  if (was("--kind") && !Choose<ExportKind>(c.kind,
                                           {{"calls", ExportKind::CallCounts},
                                            {"env", ExportKind::DetEnv},
                                            {"species-summary", ExportKind::SpSummary},
                                            {"species-listing", ExportKind::SpDetections}},
                                           o.kind)) {
    std::cerr << "--kind must be calls, env, species-summary or species-listing\n";
    return false;
  }
  if (was("--period") && !Choose<ExportPeriod>(c.period,
                                               {{"minutes", ExportPeriod::Minutes},
                                                {"hours", ExportPeriod::Hours},
                                                {"days", ExportPeriod::Days},
                                                {"weeks", ExportPeriod::Weeks},
                                                {"all", ExportPeriod::All}},
                                               o.period)) {
    std::cerr << "--period must be minutes, hours, days, weeks or all\n";
    return false;
  }
  ExportGroupsClicked(o);
  if (was("--out") &&
      !Choose<ExportDestination>(
          c.out, {{"file", ExportDestination::TextFile}, {"results", ExportDestination::Results}},
          o.destination)) {
    std::cerr << "--out must be file or results\n";
    return false;
  }
  if (was("--time-format") && !Choose<ExportTimeFormat>(c.timeFormat,
                                                        {{"dmy", ExportTimeFormat::DMY},
                                                         {"unit", ExportTimeFormat::Unit},
                                                         {"both", ExportTimeFormat::Both},
                                                         {"none", ExportTimeFormat::None}},
                                                        o.timeFormat)) {
    std::cerr << "--time-format must be dmy, unit, both or none\n";
    return false;
  }
  if (was("--julian")) o.dateUnit = c.julian ? ExportDateUnit::JulianDay : ExportDateUnit::Minute;
  if (was("--headers")) o.OmitSpreadsheetHeaders = !c.headers;
  if (was("--drop-blanks")) o.DropBlanksChkBox = c.dropBlanks;
  if (was("--separate-files")) o.SeparateFiles = c.separateFiles;
  if (was("--brief-names")) o.WithBriefFileName = c.briefNames;
  if (was("--saved-time")) o.ExportSavedTime = c.savedTime;
  if (was("--ignore-filters")) f.IgnoreFilters = c.ignoreFilters;
  if (!ApplyEdits(c.edits, f)) return false;
  // Files and edits together may still leave a lower value above its upper one.
  if (const auto pairs = FilterPairProblems(f); !pairs.empty()) {
    for (const std::string& p : pairs) std::cerr << p << '\n';
    return false;
  }
  if (was("--classes")) {
    f.CFchk = f.QCFchk = f.FMchk = f.noSpChk = false;
    std::string rest = c.classes + ",";
    for (size_t at = rest.find(','); at != std::string::npos; at = rest.find(',')) {
      const std::string item = rest.substr(0, at);
      rest.erase(0, at + 1);
      bool* box = item == "cf"      ? &f.CFchk
                  : item == "qcf"   ? &f.QCFchk
                  : item == "fm"    ? &f.FMchk
                  : item == "other" ? &f.noSpChk
                                    : nullptr;
      if (!box) {
        std::cerr << "--classes takes cf, qcf, fm and other, separated by commas\n";
        return false;
      }
      *box = true;
    }
  }
  if (was("--from") || was("--to")) {
    const auto from = c.from.empty() ? std::optional<int32_t>(0) : MinuteOf(c.from);
    const auto to = c.to.empty() ? std::optional<int32_t>(INT32_MAX) : MinuteOf(c.to);
    if (!from || !to || *from > *to) {
      std::cerr
          << "--from and --to take a minute number or YYYY-MM-DD HH:MM, the first not after the second\n";
      return false;
    }
    selection = MinuteSpan{*from, *to};
    o.ExportSelectedTime = true;
  }
  return true;
}

int RunCounts(const ExportCliOptions& c) {
  ConsoleHost host;
  InstallStopHandler();
  ExportOptions o;
  FilterSettings f;
  SpeciesListModel sp;
  std::optional<MinuteSpan> selection;
  if (!Prepare(c, o, f, sp, selection)) return 2;
  if (o.destination == ExportDestination::Results && StdoutRefused(c.files)) return kRefusedOutputExitCode;
  const ExportFilters filters{f, sp};
  // Files that cannot be read are named with the reason; the report keeps an error row for each.
  FileTally tally(static_cast<int>(c.files.size()));
  int named = 0;
  for (const auto& path : c.files)
    if (!tally.Usable(path)) ++named;
  const int exported = ExportBatch(c.files, o, filters, selection, host);
  std::cout.flush();
  tally.FailUnnamed(std::max(0, static_cast<int>(c.files.size()) - exported - named));
  return tally.ExitCode();
}

int RunCalls(const ExportCliOptions& c) {
  ConsoleHost host;
  InstallStopHandler();
  ExportOptions o;
  FilterSettings f;
  SpeciesListModel sp;
  std::optional<MinuteSpan> selection;
  if (!Prepare(c, o, f, sp, selection)) return 2;
  std::vector<std::string> files = c.files;
  if (!c.dir.empty()) {
    const auto found = ZV2FilesUnder(c.dir);
    files.insert(files.end(), found.begin(), found.end());
  }
  if (!files.empty() && OutputRefused(CallDetailsFileName(files.front()), files))
    return kRefusedOutputExitCode;
  const ExportFilters filters{f, sp};
  FileTally tally(static_cast<int>(files.size()));
  int named = 0;
  for (const auto& path : files)
    if (!tally.Usable(path)) ++named;
  const CallDetailsOutcome out = ExportCallDetails(files, o, filters, selection, host);
  std::cout.flush();
  // A list that was not written fails every file; otherwise those not read fail.
  tally.FailUnnamed(std::max(0, static_cast<int>(files.size()) - (out.created ? out.filesRead : 0) - named));
  if (files.empty()) return 1;
  return tally.ExitCode();
}

void AddCommonFlags(CLI::App* cmd, ExportCliOptions& o) {
  auto mark = [&o](CLI::Option* opt) { o.flags[opt->get_name()] = opt; };
  mark(cmd->add_option("--from", o.from, "First minute: a minute number or YYYY-MM-DD HH:MM"));
  mark(cmd->add_option("--to", o.to, "Last minute: a minute number or YYYY-MM-DD HH:MM"));
  cmd->add_option("--filters", o.filters, "Apply a saved .zvf filter settings file");
  cmd->add_option("--export-settings", o.exportSettings, "Apply a saved .zve export settings file");
  mark(
      cmd->add_flag("--ignore-filters", o.ignoreFilters, "Count everything, as with \"ignore all filters\""));
  cmd->add_option("--edit", o.edits,
                  "NAME=TEXT: set a filter edit as if typed (MinOctKHZedit=20, SeqEdit=FD)");
  mark(cmd->add_option("--classes", o.classes, "Call types to keep: cf,qcf,fm,other (others are unticked)"));
  mark(
      cmd->add_flag("--brief-names", o.briefNames, "Short file names in species summaries and call details"));
}
}  // namespace

void RegisterExportCommand(CLI::App& app) {
  auto* cmd = app.add_subcommand("export", "Export period counts or call details from data files");
  cmd->require_subcommand(1);

  auto counts = std::make_shared<ExportCliOptions>();
  auto* c = cmd->add_subcommand("counts", "Counts per time period, one report per run (or per file)");
  c->add_option("FILE", counts->files, "ZV1, ZV2 or ZV3 files")->required();
  auto mark = [counts](CLI::Option* opt) { counts->flags[opt->get_name()] = opt; };
  mark(c->add_option("--kind", counts->kind, "calls|env|species-summary|species-listing"));
  mark(c->add_option("--period", counts->period, "minutes|hours|days|weeks|all"));
  mark(c->add_option("--out", counts->out,
                     "file (a report beside the first data file) or results (standard output)"));
  mark(c->add_option("--time-format", counts->timeFormat, "dmy|unit|both|none"));
  mark(c->add_flag("--julian", counts->julian, "Julian days instead of minute numbers in the unit column"));
  mark(c->add_flag("--headers", counts->headers, "Write the descriptive header lines"));
  mark(c->add_flag("--drop-blanks", counts->dropBlanks, "Leave out periods without any wave group"));
  mark(c->add_flag("--separate-files", counts->separateFiles, "One report file for each data file"));
  AddCommonFlags(c, *counts);
  c->callback([counts] {
    if (const int rc = RunCounts(*counts)) throw CLI::RuntimeError(rc);
  });

  auto calls = std::make_shared<ExportCliOptions>();
  auto* k = cmd->add_subcommand("calls", "One line per accepted call into \"<first file> call details.txt\"");
  k->add_option("FILE", calls->files, "ZV2 files");
  k->add_option("--dir", calls->dir, "Take every .ZV2 file in this folder and its sub-folders");
  auto markCalls = [calls](CLI::Option* opt) { calls->flags[opt->get_name()] = opt; };
  markCalls(k->add_flag("--saved-time", calls->savedTime, "Use the processing span saved in each file"));
  AddCommonFlags(k, *calls);
  k->callback([calls] {
    if (calls->files.empty() && calls->dir.empty())
      throw CLI::ValidationError("FILE or --dir", "give files or --dir");
    if (const int rc = RunCalls(*calls)) throw CLI::RuntimeError(rc);
  });

  struct PassesCli {
    std::vector<std::string> files;
    std::string out;
  };
  auto passes = std::make_shared<PassesCli>();
  auto* p = cmd->add_subcommand("passes", "One line per pass into \"<first file> passes.txt\" or --out");
  p->add_option("FILE", passes->files, "ZV2 or ZV3 files")->required();
  p->add_option("--out", passes->out, "The file to write instead");
  p->callback([passes] {
    ConsoleHost host;
    InstallStopHandler();
    const std::string out = passes->out.empty() ? PassesFileName(passes->files.front()) : passes->out;
    if (OutputRefused(out, passes->files)) throw CLI::RuntimeError(kRefusedOutputExitCode);
    const int n = static_cast<int>(passes->files.size());
    FileTally tally(n);
    int named = 0;
    for (const auto& path : passes->files)
      if (!tally.Usable(path)) ++named;
    const PassesOutcome r =
        ExportPasses(passes->files, passes->out.empty() ? std::nullopt : std::optional(passes->out), host);
    for (const std::string& f : r.failed) std::cerr << f << '\n';
    std::cout.flush();
    // A list that was not written fails every file; otherwise those not read fail.
    tally.FailUnnamed(std::max(0, n - (r.created ? r.filesRead : 0) - named));
    if (const int rc = tally.ExitCode()) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
