// zorvel-cli import SDDIR --out DIR: reads every series on a logger SD card into ZV1 files.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/Messages.h"
#include "cli/Outcome.h"
#include "import/Messages.h"
#include "import/PositionParser.h"
#include "import/SdImport.h"
#include "import/Zv1Header.h"
#include "survey/FileScan.h"

namespace zorvel::cli {

namespace {
namespace fs = std::filesystem;

struct ImportArgs {
  ImportOptions options;
  bool admin = false, quiet = false;
};

// A position that is not one stops the command before anything is read, in the words the
// recordings import uses; a ZV1 header keeps the text as typed, so nothing would correct it later.
bool PositionAccepted(const std::string& text, bool latitude) {
  const std::string problem = PositionTextProblem(text, latitude);
  if (problem.empty()) return true;
  std::cerr << (latitude ? "--lat" : "--long") << " '" << text << "': " << problem << '\n';
  return false;
}

// The offset is stored as typed; the survey reads it back to place the nights' sun times, so it
// must be a text the survey can read.
bool UtcAccepted(const std::string& text) {
  if (text.find_first_not_of(' ') == std::string::npos || survey::ParseUtcOffsetMinutes(text)) return true;
  std::cerr << "--utc '" << text << "': " << msg::kUtcNotHours << '\n';
  return false;
}

// Whole decimal digits only: CLI11's own conversion takes "0x3" and lets a number too large
// for the field through.
std::optional<int64_t> Digits(const std::string& s) {
  int64_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || s[0] == '-' || s[0] == '+' || ec != std::errc() || end != s.data() + s.size())
    return std::nullopt;
  return v;
}

CLI::Validator SizeLimitGB() {
  std::string list, set;
  for (const int gb : kZv1SizeLimitsGB) {
    list += (list.empty() ? "" : ", ") + std::to_string(gb);
    set += (set.empty() ? "" : ",") + std::to_string(gb);
  }
  return CLI::Validator(
      [list](std::string& s) {
        const auto v = Digits(s);
        if (v && std::find(kZv1SizeLimitsGB.begin(), kZv1SizeLimitsGB.end(), *v) != kZv1SizeLimitsGB.end())
          return std::string();
        return s + std::string(msg::kNotASizeLimit) + list;
      },
      "{" + set + "}");  // the man page and completion offer the values between the braces
}

CLI::Validator ByteCount() {
  return CLI::Validator(
      [](std::string& s) {
        const auto v = Digits(s);
        return v && *v >= 1 ? std::string() : s + std::string(msg::kNotAByteCount);
      },
      "");
}

CLI::Validator NotEmpty() {
  return CLI::Validator(
      [](std::string& s) { return s.empty() ? std::string(msg::kEmptyName) : std::string(); }, "");
}

// Makes the output folder and any missing parents one by one, and keeps the ones it made, so
// that a run that writes nothing takes them away again and leaves the disk as it found it.
class OutputFolder {
 public:
  explicit OutputFolder(const std::string& folder) : folder_(folder) {}

  // False with the reason in ec.
  bool Make(std::error_code& ec) {
    std::vector<fs::path> missing;
    fs::path p = fs::absolute(folder_, ec);
    if (ec) return false;
    for (; !fs::exists(p, ec) && !ec && p != p.parent_path(); p = p.parent_path()) missing.push_back(p);
    if (ec) return false;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
      // Only a folder created here is recorded: a missing "a/.." exists once "a" is made.
      const bool made = fs::create_directory(*it, ec);
      if (ec) return false;
      if (made) made_.push_back(fs::canonical(*it, ec));
      if (ec) return false;
    }
    return true;
  }

  // Removes, deepest first, every folder made here that still holds nothing; a folder that
  // existed before, or that holds anything, stays.
  void TakeBackIfEmpty() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
      std::error_code ec;
      if (fs::is_directory(*it, ec) && fs::is_empty(*it, ec) && !ec) fs::remove(*it, ec);
    }
    made_.clear();
  }

 private:
  std::string folder_;
  std::vector<fs::path> made_;
};

// Standard output carries only the made files, one per line, for scripts; the data list's
// lines go with the other messages to standard error.
class ImportHost : public ConsoleHost {
 public:
  ImportHost(bool admin, bool quiet) : ConsoleHost(admin, quiet), quiet_(quiet) {}
  void AddLine(Memo memo, std::string_view line) override {
    if (memo != Memo::DataMemo) return ConsoleHost::AddLine(memo, line);
    if (!quiet_) std::cerr << line << '\n';
  }

 private:
  bool quiet_;
};

class LabelPrinter : public ImportListener {
 public:
  explicit LabelPrinter(bool quiet) : quiet_(quiet) {}
  void StatusLabel(std::string_view text) override {
    if (!quiet_ && !text.empty()) std::cerr << text << '\n';
  }
  void MinutesReadLabel(std::string_view) override {}

 private:
  bool quiet_;
};

int RunImport(ImportArgs& a) {
  ImportOptions& o = a.options;
  if (!PositionAccepted(o.Texts.Lat, true) || !PositionAccepted(o.Texts.Long, false)) return 2;
  if (const std::string tooLong = TextTooLongMessage(o.Texts); !tooLong.empty()) {
    std::cerr << msg::kImportPrefix << tooLong << '\n';
    return 2;
  }
  if (!UtcAccepted(o.Texts.Utc)) return 2;
  if (OutputFolderRefused(o.Zv1Folder, {o.SdPath})) return kRefusedOutputExitCode;
  OutputFolder out(o.Zv1Folder);
  std::error_code ec;
  // Said of the folder itself: otherwise the first ZV1 file's creation fails with a reason that
  // names neither the folder nor what is wrong with it.
  if (!out.Make(ec)) {
    out.TakeBackIfEmpty();
    std::cerr << msg::kImportPrefix << zorvel::msg::kTheFolder << o.Zv1Folder << zorvel::msg::kCannotBeMade
              << ec.message() << '\n';
    return 1;
  }
  if (access(o.Zv1Folder.c_str(), W_OK | X_OK) != 0) {
    const int why = errno;
    out.TakeBackIfEmpty();
    std::cerr << msg::kImportPrefix << zorvel::msg::kTheFolder << o.Zv1Folder << zorvel::msg::kCannotBeWritten
              << std::strerror(why) << '\n';
    return 1;
  }
  o.Zv1FolderChosen = true;
  InstallStopHandler();
  ImportHost host(a.admin, a.quiet);
  LabelPrinter labels(a.quiet);
  SdCardImport importer;
  const ImportResult r = importer.Run(o, host, &labels);
  // A run that made no file (an empty card, a blank or damaged one, a stop before the first file)
  // leaves no folder behind that it made.
  out.TakeBackIfEmpty();
  for (const auto& f : r.MadeFiles) std::cout << f << '\n';
  for (const auto& f : r.FailedFiles) std::cerr << msg::kImportPrefix << f << '\n';
  if (!r.Completed) {
    if (!r.Error.empty()) std::cerr << msg::kImportPrefix << r.Error << '\n';
    return 1;
  }
  return r.FailedFiles.empty() ? 0 : 1;
}
}  // namespace

void RegisterImportCommand(CLI::App& app) {
  auto a = std::make_shared<ImportArgs>();
  ImportOptions& o = a->options;
  auto* cmd = app.add_subcommand("import", "Read a logger SD card folder into ZV1 files");
  cmd->add_option("SDDIR", o.SdPath, "SD card folder, or any .NXQ file in it")->required()->check(NotEmpty());
  cmd->add_option("--out", o.Zv1Folder, "Folder for the ZV1 files")->required()->check(NotEmpty());
  cmd->add_option("--lat", o.Texts.Lat, "Latitude as typed (stored as it stands), e.g. 51.5 or 51 30 N");
  cmd->add_option("--long", o.Texts.Long, "Longitude as typed, e.g. -0.12 or 0 7 W");
  cmd->add_option("--location", o.Texts.Location, "Place name (starts the file names)");
  cmd->add_option("--notes", o.Texts.Notes, "Notes");
  cmd->add_option("--utc", o.Texts.Utc, "UTC offset in hours as typed, e.g. +1, -5 or 5.5");
  cmd->add_flag("--no-gaps", o.NoGapsInFileName, "Put \"_\" for every blank in the file names");
  cmd->add_option("--size-limit", o.SizeLimitGB, "ZV1 size limit in GB")
      ->capture_default_str()
      ->check(SizeLimitGB());
  cmd->add_option("--size-limit-bytes", o.SizeLimitBytes, "ZV1 size limit in bytes (for tests)")
      ->check(ByteCount());
  cmd->add_flag("--time-reversals", o.AddTimestampsAtTimeReversals, "Mark wave groups whose time runs back");
  cmd->add_flag("--admin", a->admin, "Administrator mode: diagnostic messages");
  cmd->add_flag("--quiet", a->quiet, "Print only the made files");
  cmd->callback([a] {
    if (const int rc = RunImport(*a)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
