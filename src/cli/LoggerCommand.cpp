// zorvel-cli logger settings|clock: the logger's BATSETS.txt and BATTIME.txt, for preparing SD
// cards from a script.
#include <chrono>
#include <ctime>
#include <iostream>
#include <sstream>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/Outcome.h"
#include "core/TimeBase.h"
#include "logger/LoggerSettings.h"
#include "logger/Messages.h"
#include "logger/SetupFiles.h"

namespace zorvel::cli {

namespace {

using logger::LoggerSettings;
using logger::LoggerSettingsModel;

struct SettingsOptions {
  std::string out = "BATSETS.txt";
  LoggerSettings values;
  std::string highPass, detection, light, minsOff, battery, lifts, ipiScores;
};

struct ClockOptions {
  std::string out = "BATTIME.txt";
  std::string at;
  std::string addon = "2";
};

CivilDateTime LocalNow() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min};
}

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  for (std::string p; std::getline(in, p, ',');) parts.push_back(p);
  return parts;
}

// Chooses a label text by a short key; false for a key that is not offered.
template <size_t N>
bool Choose(const std::string& key, const std::array<std::string_view, N>& keys,
            const std::array<std::string_view, N>& texts, std::string& label, const char* what) {
  if (key.empty()) return true;
  for (size_t i = 0; i < N; ++i)
    if (key == keys[i]) {
      label = std::string(texts[i]);
      return true;
    }
  std::cerr << "unknown " << what << ": " << key << '\n';
  return false;
}

int RunSettings(SettingsOptions& o) {
  namespace m = logger::msg;
  if (OutputRefused(o.out, {})) return kRefusedOutputExitCode;
  LoggerSettings& v = o.values;
  bool ok = Choose<4>(o.highPass, {"none", "20", "40", "80"}, m::kHighPassCycle, v.HighPassFilterLbl,
                      "--high-pass") &&
            Choose<2>(o.detection, {"half", "qtr"}, {m::kDetectionHalf, m::kDetectionQtr}, v.DetectionModeLbl,
                      "--detection") &&
            Choose<4>(o.light, {"all", "high", "moderate", "minimal"}, m::kLightCycle, v.LightSwitchLbl,
                      "--light") &&
            Choose<5>(o.minsOff, {"0", "1", "2", "4", "9"}, m::kMinsOffCycle, v.MinsOffLbl, "--mins-off") &&
            Choose<4>(o.battery, {"nimh", "alkaline", "leadacid", "user"}, m::kBatteryCycle, v.BatteryTypeLbl,
                      "--battery");
  if (!ok) return 2;
  if (!o.lifts.empty()) {
    const auto l = SplitCommas(o.lifts);
    if (l.size() != 4) {
      std::cerr << "--lifts takes four values: >160k,>80k,>40k,<40k\n";
      return 2;
    }
    v.Over160kHzEdit = l[0];
    v.under160khzEdit = l[1];
    v.under80khzEdit = l[2];
    v.under40khzEdit = l[3];
  }
  if (!o.ipiScores.empty()) {
    const auto s = SplitCommas(o.ipiScores);
    if (s.size() != 6) {
      std::cerr << "--ipi-scores takes six values, for 3 … 8 short IPIs\n";
      return 2;
    }
    std::copy(s.begin(), s.end(), v.IPIEdits.begin());
  }
  ConsoleHost host;
  const CivilDateTime now = LocalNow();
  const auto today = MinuteNumber(now.year, now.month, now.day, 0, 0);
  return logger::WriteSettingsFile(v, o.out, today ? ShortDateText(*today) : std::string(), host) ? 0 : 1;
}

int RunClock(const ClockOptions& o) {
  if (OutputRefused(o.out, {})) return kRefusedOutputExitCode;
  LoggerSettingsModel model;
  LoggerSettings& v = model.Values();
  if (o.at.empty()) {
    v.TimeAddonEdit = o.addon;
    model.SetNow(LocalNow());
  } else {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0;
    char tail = 0;
    if (std::sscanf(o.at.c_str(), "%d-%d-%d %d:%d%c", &y, &mo, &d, &h, &mi, &tail) != 5 ||
        !MinuteNumber(y, mo, d, h, mi)) {
      std::cerr << "--at wants 'yyyy-mm-dd hh:mm'\n";
      return 2;
    }
    v.YearEdit = std::to_string(y);
    v.MonthEdit = std::to_string(mo);
    v.DayEdit = std::to_string(d);
    v.HourEdit = std::to_string(h);
    v.MinuteEdit = std::to_string(mi);
  }
  ConsoleHost host;
  const auto label = logger::WriteClockFile(v, o.out, host);
  if (!label) return 1;
  std::cerr << *label << '\n';
  return 0;
}

}  // namespace

void RegisterLoggerCommand(CLI::App& app) {
  auto* cmd = app.add_subcommand("logger", "Write the logger's set-up files for its SD card");
  cmd->require_subcommand(1);

  auto so = std::make_shared<SettingsOptions>();
  auto* s = cmd->add_subcommand("settings", "Write the operating-settings file (BATSETS.txt)");
  LoggerSettings& v = so->values;
  s->add_option("--out", so->out, "Where to write it")->required();
  s->add_option("--name", v.SettingsFileNameEdit, "First line: the settings' name");
  s->add_option("--utc", v.UTCoffsetEdit, "Local time deviation from UTC in hours");
  s->add_option("--high-pass", so->highPass, "none, 20, 40 or 80 (kHz)");
  s->add_option("--detection", so->detection, "half or qtr");
  s->add_option("--light", so->light, "all, high, moderate or minimal");
  s->add_option("--mins-off", so->minsOff, "0 (continuous), 1, 2, 4 or 9 minutes off after each minute on");
  s->add_option("--battery", so->battery, "nimh, alkaline, leadacid or user");
  s->add_option("--batt-level", v.BattSwitchLevelEdit, "User battery switch-over level, tenths of a volt");
  s->add_option("--lifts", so->lifts, "Four frequency lifts 0-3: >160k,>80k,>40k,<40k");
  s->add_option("--score-threshold", v.WaveGroupThreshEdit, "Short (wave-group) score threshold");
  s->add_option("--triad-threshold", v.TriadThresholdEdit, "Long (triad) score threshold");
  s->add_option("--ipi-max", v.IPImaxEdit, "IPI count level");
  s->add_option("--ipi-scores", so->ipiScores, "Six band scores for 3 … 8 short IPIs");
  s->add_option("--deadband", v.ADC_deadband_amplitudeEdit, "Amplitude below which processing is suspended");
  s->add_option("--peak-deadband", v.Peak_track_deadband_amplitudeEdit, "Peak-tracking dead band amplitude");
  s->add_option("--noise-delay", v.NoiseSuppressionDelayEdit,
                "Low-quality detections before noise suppression");
  s->callback([so] {
    if (const int rc = RunSettings(*so)) throw CLI::RuntimeError(rc);
  });

  auto co = std::make_shared<ClockOptions>();
  auto* c = cmd->add_subcommand("clock", "Write the clock-setting file (BATTIME.txt)");
  c->add_option("--out", co->out, "Where to write it")->required();
  c->add_option("--at", co->at, "The moment to set, 'yyyy-mm-dd hh:mm' (default: now plus --addon minutes)");
  c->add_option("--addon", co->addon, "Minutes added to now when --at is not given");
  c->callback([co] {
    if (const int rc = RunClock(*co)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
