// zorvel-cli import SDDIR --out DIR: reads every series on a logger SD card into ZV1 files.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/Outcome.h"
#include "import/Messages.h"
#include "import/PositionParser.h"
#include "import/SdImport.h"
#include "import/Zv1Header.h"

namespace zorvel::cli {

namespace {
struct ImportArgs {
  ImportOptions options;
  bool admin = false, quiet = false;
};

// A position the parser rejects stops the command with the parser's own words.
bool PositionAccepted(const std::string& text, bool latitude) {
  const tParseReport r = ParsePosition(text, latitude);
  if (r.Errors.empty()) return true;
  std::cerr << (latitude ? "--lat" : "--long") << " '" << text << "': " << r.Errors << '\n';
  return false;
}

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
    std::cerr << "import: " << tooLong << '\n';
    return 2;
  }
  if (OutputFolderRefused(o.Zv1Folder, {o.SdPath})) return kRefusedOutputExitCode;
  std::error_code ec;
  std::filesystem::create_directories(o.Zv1Folder, ec);
  // Said of the folder itself: otherwise the first ZV1 file's creation fails with a reason that
  // names neither the folder nor what is wrong with it.
  if (ec) {
    std::cerr << "import: " << msg::kTheFolder << o.Zv1Folder << msg::kCannotBeMade << ec.message() << '\n';
    return 1;
  }
  if (access(o.Zv1Folder.c_str(), W_OK | X_OK) != 0) {
    std::cerr << "import: " << msg::kTheFolder << o.Zv1Folder << msg::kCannotBeWritten << std::strerror(errno) << '\n';
    return 1;
  }
  o.Zv1FolderChosen = true;
  InstallStopHandler();
  ImportHost host(a.admin, a.quiet);
  LabelPrinter labels(a.quiet);
  SdCardImport importer;
  const ImportResult r = importer.Run(o, host, &labels);
  for (const auto& f : r.MadeFiles) std::cout << f << '\n';
  for (const auto& f : r.FailedFiles) std::cerr << "import: " << f << '\n';
  if (!r.Completed) {
    if (!r.Error.empty()) std::cerr << "import: " << r.Error << '\n';
    return 1;
  }
  return r.FailedFiles.empty() ? 0 : 1;
}
}  // namespace

void RegisterImportCommand(CLI::App& app) {
  auto a = std::make_shared<ImportArgs>();
  ImportOptions& o = a->options;
  auto* cmd = app.add_subcommand("import", "Read a logger SD card folder into ZV1 files");
  cmd->add_option("SDDIR", o.SdPath, "SD card folder, or any .NXQ file in it")->required();
  cmd->add_option("--out", o.Zv1Folder, "Folder for the ZV1 files")->required();
  cmd->add_option("--lat", o.Texts.Lat, "Latitude as typed (stored as it stands)");
  cmd->add_option("--long", o.Texts.Long, "Longitude as typed");
  cmd->add_option("--location", o.Texts.Location, "Place name (starts the file names)");
  cmd->add_option("--notes", o.Texts.Notes, "Notes");
  cmd->add_option("--utc", o.Texts.Utc, "UTC offset as typed");
  cmd->add_flag("--no-gaps", o.NoGapsInFileName, "Put \"_\" for every blank in the file names");
  cmd->add_option("--size-limit", o.SizeLimitGB, "ZV1 size limit in GB")
      ->capture_default_str()
      ->check(CLI::IsMember({1, 2, 3, 4, 6, 8, 16, 32}));
  cmd->add_option("--size-limit-bytes", o.SizeLimitBytes, "ZV1 size limit in bytes (for tests)")
      ->check(CLI::Range(int64_t{1}, INT64_MAX));
  cmd->add_flag("--time-reversals", o.AddTimestampsAtTimeReversals, "Mark wave groups whose time runs back");
  cmd->add_flag("--admin", a->admin, "Administrator mode: diagnostic messages");
  cmd->add_flag("--quiet", a->quiet, "Print only the made files");
  cmd->callback([a] {
    if (const int rc = RunImport(*a)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
