// zorvel-cli simulate --out SDDIR: writes a simulated SD card (and its ground truth beside it).
#include <cmath>
#include <cstdio>
#include <iostream>

#include "cli/Commands.h"
#include "core/TimeBase.h"
#include "sim/Simulator.h"

namespace zorvel::cli {

namespace {
struct SimulateArgs {
  sim::SimOptions options;
  std::string start;
  bool tickZero = false, backwards = false, unknownIds = false, runErrors = false, awkward = false;
  double fileMiB = 8;
  std::vector<double> site;  // latitude, longitude (degrees, north and east positive), UTC offset in minutes
};

// "yyyy-mm-dd hh:mm" as a minute number.
std::optional<int32_t> ParseStart(const std::string& text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d%c", &y, &mo, &d, &h, &mi, &tail) != 5) return std::nullopt;
  return MinuteNumber(y, mo, d, h, mi);
}

int RunSimulate(SimulateArgs& a) {
  sim::SimOptions& o = a.options;
  if (!a.start.empty()) {
    const auto mn = ParseStart(a.start);
    if (!mn || *mn < MinuteNumber(2000, 1, 1, 0, 0) || *mn >= MinuteNumber(2100, 1, 1, 0, 0)) {
      std::cerr << "simulate: --start must be a date and time from 2000 to 2099 as 'yyyy-mm-dd hh:mm'\n";
      return 2;
    }
    o.startMn = *mn;
  }
  if (!a.site.empty()) {
    if (a.site.size() != 3 || std::abs(a.site[0]) > 90 || std::abs(a.site[1]) > 180 || std::abs(a.site[2]) > 14 * 60) {
      std::cerr << "simulate: --site must be LAT,LONG,UTC_MINUTES (degrees north and east, e.g. 51.5,-0.12,60)\n";
      return 2;
    }
    o.site = sim::SimSite{a.site[0], a.site[1], static_cast<int>(std::lround(a.site[2]))};
  }
  o.loggerFileBytes = static_cast<int64_t>(a.fileMiB * 1048576.0);
  o.awkward.tickZero = a.tickZero || a.awkward;
  o.awkward.backwards = a.backwards || a.awkward;
  o.awkward.unknownIds = a.unknownIds || a.awkward;
  o.awkward.runErrors = a.runErrors || a.awkward;
  const sim::SimResult r = sim::SimulateCard(o);
  if (!r.ok) {
    std::cerr << "simulate: " << r.error << '\n';
    return 1;
  }
  for (size_t s = 0; s < r.series.size(); ++s) {
    const auto& c = r.series[s];
    std::cout << "series " << s << ": " << c.files.size() << " files from " << MinuteDateTimeText(c.startMn)
              << ", " << c.minuteRecords << " minutes, " << c.waveGroups << " wave groups\n";
  }
  std::cout << r.calls << " calls and " << r.buzzes << " buzzes listed in " << r.truthPath << '\n';
  return 0;
}
}  // namespace

void RegisterSimulateCommand(CLI::App& app) {
  auto a = std::make_shared<SimulateArgs>();
  auto* cmd = app.add_subcommand("simulate", "Write a simulated logger SD card folder and its ground truth");
  sim::SimOptions& o = a->options;
  cmd->add_option("--out", o.outDir, "SD card folder to write")->required();
  cmd->add_option("--nights", o.nights, "Days each series runs")
      ->capture_default_str()
      ->check(CLI::Range(1, 3660));
  cmd->add_option("--series", o.series, "Deployments, one after another")
      ->capture_default_str()
      ->check(CLI::Range(1, 10));
  cmd->add_option("--seed", o.seed, "Random seed")->capture_default_str();
  cmd->add_option("--scheme", o.scheme, "1: 0BAT000.NXQ …, 2: ZORVEL0.NXQ …")
      ->capture_default_str()
      ->check(CLI::IsMember({1, 2}));
  cmd->add_option("--site", a->site,
                  "LAT,LONG,UTC_MINUTES: the sun of this place sets the light and the bats' emergence; the "
                  "truth then lists every pass")
      ->delimiter(',');
  cmd->add_option("--start", a->start, "First minute, 'yyyy-mm-dd hh:mm' (default 2026-06-01 18:00)");
  cmd->add_option("--logger-id", o.loggerId, "Logger identity")
      ->capture_default_str()
      ->check(CLI::Range(0, 999999));
  cmd->add_option("--mins-off", o.minsOff, "Minutes off after each minute on")
      ->capture_default_str()
      ->check(CLI::IsMember({0, 1, 2, 4, 9}));
  cmd->add_option("--light-switch", o.lightSwitchLevel, "Listen only at or below this light level")
      ->capture_default_str()
      ->check(CLI::Range(0, 255));
  cmd->add_option("--file-mib", a->fileMiB, "Logger file size before the next file starts")
      ->capture_default_str()
      ->check(CLI::Range(0.001, 4096.0));
  cmd->add_option("--activity", o.activity, "Scale of the number of bat passes")
      ->capture_default_str()
      ->check(CLI::Range(0.0, 100.0));
  cmd->add_option("--truth", o.truthPath, "Ground-truth file (default: SDDIR_truth.txt beside the folder)");
  cmd->add_flag("!--no-noise", o.noise, "Leave out insects and rain");
  cmd->add_flag("--awkward", a->awkward, "Plant every awkward case below");
  cmd->add_flag("--tick-zero", a->tickZero, "Plant wave groups with tick time 0");
  cmd->add_flag("--backwards", a->backwards, "Plant wave groups whose time runs backwards");
  cmd->add_flag("--unknown-ids", a->unknownIds, "Plant records with unknown identifiers");
  cmd->add_flag("--run-errors", a->runErrors, "Plant logger run-error records");
  cmd->add_option("--blank-header", o.awkward.blankHeaderSeries,
                  "Give this series' first file a blank header");
  cmd->callback([a] {
    if (const int rc = RunSimulate(*a)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
