// zorvel-cli import-recordings DIR|FILE… --out DIR: full-spectrum and zero-crossing recordings
// into ZV1 files (one per night, or one per folder), each with the index of its recordings.
#include <unistd.h>

#include <iostream>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "import/PositionParser.h"
#include "recordings/RecordingTime.h"
#include "recordings/RecordingsImport.h"

namespace zorvel::cli {

namespace {

struct Args {
  rec::RecordingsImportOptions options;
  double highPassKhz = 15;
  std::string frontEnd = "spectral";
  bool quiet = false;
};

// Memo lines to standard error; a progress line that rewrites itself on a terminal.
class RecordingsHost : public ConsoleHost {
 public:
  explicit RecordingsHost(bool quiet) : ConsoleHost(false, quiet), quiet_(quiet), tty_(::isatty(2) != 0) {}
  void AddLine(Memo, std::string_view line) override {
    if (quiet_) return;
    EndProgress();
    std::cerr << line << '\n';
  }
  void Progress(std::string_view caption, int step, int steps) override {
    if (quiet_ || !tty_) return;
    if (caption.empty()) return EndProgress();
    std::cerr << "\r\033[K" << step + 1 << "/" << steps << " " << caption << std::flush;
    open_ = true;
  }
  void EndProgress() {
    if (open_) std::cerr << "\r\033[K" << std::flush;
    open_ = false;
  }

 private:
  bool quiet_, tty_, open_ = false;
};

bool PositionAccepted(const std::string& text, bool latitude) {
  const tParseReport r = ParsePosition(text, latitude);
  if (r.Errors.empty()) return true;
  std::cerr << (latitude ? "--lat" : "--long") << " '" << text << "': " << r.Errors << '\n';
  return false;
}

int Run(Args& a) {
  rec::RecordingsImportOptions& o = a.options;
  if (!PositionAccepted(o.place.lat, true) || !PositionAccepted(o.place.lon, false)) return 2;
  if (!o.place.utc.empty()) {
    o.read.utcOffsetMinutes = rec::ParseUtcOffset(o.place.utc);
    if (!o.read.utcOffsetMinutes) {
      std::cerr << "--utc '" << o.place.utc << "': give the offset in hours, e.g. +1, -5 or +5:30\n";
      return 2;
    }
  }
  o.read.frontEnd.highPassHz = a.highPassKhz * 1000;
  o.read.frontEnd.kind = a.frontEnd == "zero-crossing" ? rec::FrontEndKind::ZeroCrossing : rec::FrontEndKind::Spectral;
  InstallStopHandler();
  RecordingsHost host(a.quiet);
  const rec::RecordingsImportResult r = rec::ImportRecordings(o, host);
  host.EndProgress();
  for (const std::string& f : r.madeFiles) std::cout << f << '\n';
  // Files that could not be read are named even when nothing else is said.
  if (a.quiet || !r.error.empty())
    for (const rec::SkippedRecording& s : r.skipped)
      if (s.failed || !r.error.empty()) std::cerr << s.path << ": " << s.reason << '\n';
  if (!r.error.empty()) {
    std::cerr << "import-recordings: " << r.error << '\n';
    return 1;
  }
  if (!a.quiet)
    for (const std::string& line : r.Summary()) std::cerr << line << '\n';
  return r.AllRead() ? 0 : 1;
}

}  // namespace

void RegisterImportRecordingsCommand(CLI::App& app) {
  auto a = std::make_shared<Args>();
  rec::RecordingsImportOptions& o = a->options;
  auto* cmd = app.add_subcommand("import-recordings",
                                 "Make ZV1 files from full-spectrum (WAV) or zero-crossing recordings");
  cmd->add_option("INPUT", o.inputs, "Folders and recordings")->required();
  cmd->add_option("--out", o.outFolder, "Folder for the ZV1 files and their recording indexes")->required();
  cmd->add_flag("--recursive", o.recursive, "Read the subfolders too");
  cmd->add_option("--time-expansion", o.read.timeExpansion,
                  "Factor of recordings slowed down (header rate below 96 kHz) without a GUANO TE field")
      ->check(CLI::Range(2, 100));
  cmd->add_option("--channel", o.read.channel, "Channel to read (1 = first)")->capture_default_str()->check(CLI::Range(1, 64));
  cmd->add_option("--high-pass", a->highPassKhz, "Lowest frequency taken, in kHz")->capture_default_str()->check(CLI::Range(1.0, 150.0));
  cmd->add_option("--front-end", a->frontEnd,
                  "spectral: follows each call where it stands over the noise at its frequency; zero-crossing: "
                  "hears as a logger does (British0's rules were made on such data)")
      ->capture_default_str()
      ->check(CLI::IsMember({"spectral", "zero-crossing"}));
  cmd->add_flag("--one-file", o.oneFile, "One file per folder instead of one per night");
  cmd->add_option("--location", o.place.location, "Place name (starts the file names)");
  cmd->add_option("--lat", o.place.lat, "Latitude as typed (else from GUANO Loc Position)");
  cmd->add_option("--long", o.place.lon, "Longitude as typed");
  cmd->add_option("--utc", o.place.utc, "UTC offset of the local time, e.g. +1 (times in other offsets move to it)");
  cmd->add_flag("--quiet", a->quiet, "Print only the made files");
  cmd->callback([a] {
    if (const int rc = Run(*a)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
