// zorvel-cli list times|settings|firmware|calibration|minutes FILE…: the file listings, printed
// to standard output as tab-separated lines.
#include <algorithm>
#include <iostream>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/Messages.h"
#include "cli/OpenForCli.h"
#include "cli/Outcome.h"
#include "cli/TimeArg.h"
#include "export/DetailListings.h"
#include "recordings/RecordingList.h"

namespace zorvel::cli {

namespace {
// The minute of a typed moment (its seconds do not matter to whole-minute jobs).
std::optional<int32_t> MinuteOf(const std::string& text) {
  const auto t = ParseMomentArg(text);
  return t ? std::optional<int32_t>(t->Mn) : std::nullopt;
}

struct ListOptions {
  std::string what;
  std::vector<std::string> files;
  bool deployment = false;
  std::string from, to;
  int timeExpansion = 0;
};

void Print(const std::vector<std::string>& lines) {
  for (const auto& l : lines) std::cout << l << '\n';
}

int RunMinutes(const ListOptions& o, ConsoleHost& host) {
  FileTally tally(static_cast<int>(o.files.size()));
  bool first = true;
  for (const auto& path : o.files) {
    FileSlots slots;
    if (!tally.Usable(path)) continue;
    if (!OpenForCli(slots, path, host)) {
      tally.Fail(path, msg::kNotOpened);
      continue;
    }
    const auto from = o.from.empty() ? std::optional<int32_t>(slots[1].FirstLoggedMin) : MinuteOf(o.from);
    const auto to = o.to.empty() ? std::optional<int32_t>(slots[1].LastLoggedMin) : MinuteOf(o.to);
    if (!from || !to) {
      std::cerr << "--from and --to take a minute number or YYYY-MM-DD HH:MM\n";
      return 2;
    }
    auto lines = ListMinuteValues(slots, 1, *from, *to, host);
    if (!lines) {
      tally.Fail(path, msg::kNotProcessed);
      continue;
    }
    if (!first) lines->erase(lines->begin());  // one heading for all files
    first = false;
    Print(*lines);
  }
  return tally.ExitCode();
}

int RunList(const ListOptions& o) {
  ConsoleHost host;
  InstallStopHandler();
  if (StdoutRefused(o.files)) return kRefusedOutputExitCode;
  if (o.what == "minutes") return RunMinutes(o, host);
  if (o.what == "recordings") {
    rec::ReadOptions ro;
    ro.timeExpansion = o.timeExpansion;
    const rec::RecordingListing l = rec::ListRecordings(o.files, ro);
    Print(l.lines);
    for (const auto& f : l.failed) std::cerr << f << '\n';
    const int listed = l.lines.empty() ? 0 : static_cast<int>(l.lines.size()) - 1;  // less the heading
    FileTally tally(listed + static_cast<int>(l.failed.size()));
    tally.FailUnnamed(static_cast<int>(l.failed.size()));
    return tally.ExitCode();
  }
  // The listings keep an error row for each file they could not open; the reasons go to
  // standard error.
  FileTally tally(static_cast<int>(o.files.size()));
  int named = 0;
  for (const auto& path : o.files)
    if (!tally.Usable(path, false)) ++named;
  int failures = 0;
  if (o.what == "times") {
    failures = ListFileTimes(o.files, o.deployment, host);
  } else if (o.what == "settings" || o.what == "firmware") {
    Print(ListBatchSettings(o.files, o.what == "settings", host, &failures));
  } else if (o.what == "calibration") {
    failures = ListCalibration(o.files, host);
  } else {
    std::cerr << "list what? times, settings, firmware, calibration, minutes or recordings\n";
    return 2;
  }
  tally.FailUnnamed(std::max(0, failures - named));
  std::cout.flush();
  return tally.ExitCode();
}
}  // namespace

void RegisterListCommand(CLI::App& app) {
  auto opts = std::make_shared<ListOptions>();
  auto* cmd =
      app.add_subcommand("list", "List file times, logger settings, firmware, calibration, minute values or recordings");
  cmd->add_option("WHAT", opts->what, "times|settings|firmware|calibration|minutes|recordings")
      ->required()
      ->check(CLI::IsMember({"times", "settings", "firmware", "calibration", "minutes", "recordings"}));
  cmd->add_option("FILE", opts->files, "ZV1, ZV2 or ZV3 files (recordings: WAV or zero-crossing files)")->required();
  cmd->add_flag("--deployment", opts->deployment, "times: add the deployment columns");
  cmd->add_option("--from", opts->from, "minutes: first minute (number or YYYY-MM-DD HH:MM)");
  cmd->add_option("--time-expansion", opts->timeExpansion, "recordings: factor of slowed-down recordings");
  cmd->add_option("--to", opts->to, "minutes: last minute (number or YYYY-MM-DD HH:MM)");
  cmd->callback([opts] {
    if (const int rc = RunList(*opts)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
