// zorvel-cli map FILE [--force]: builds or reads the minute map and says what it did.
#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/Messages.h"
#include "cli/OpenForCli.h"
#include "core/MinuteMap.h"

namespace zorvel::cli {

namespace {
struct MapOptions {
  std::string file;
  bool force = false;
};

// When a map file was last written (nothing when there is no such file).
std::optional<std::filesystem::file_time_type> WrittenAt(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  const auto t = std::filesystem::last_write_time(path, ec);
  return ec ? std::nullopt : std::optional(t);
}

int RunMap(const MapOptions& o) {
  ConsoleHost host;
  FileSlots slots;
  if (!OpenForCli(slots, o.file, host, o.force, true, false)) return 1;
  const bool mappedAtOpen = slots[1].Mapped;
  const std::string mapName = MapFileName(slots[1]);
  const auto before = WrittenAt(mapName);
  bool written = false;
  if (!mappedAtOpen || o.force) written = !MapSlot(slots, 1, o.force, host);
  if (!slots[1].Open) {
    std::cerr << o.file << ": " << msg::kNotProcessed << '\n';
    return 1;
  }
  // The scan says it wrote a map file; it is claimed only when a new one is there.
  const auto after = written ? WrittenAt(mapName) : std::nullopt;
  const bool inPlace = written && after && (!before || *after != *before);
  const TFileRec& s = slots[1];
  if (const std::string warning = MapWarning(s); !warning.empty()) std::cerr << o.file << ": " << warning << '\n';
  std::cout << msg::kMinutes << s.MinStartsWritten << '\n';
  std::cout << msg::kMapFile
            << (inPlace ? std::string(msg::kWritten) + mapName : std::string(msg::kNotWritten)) << '\n';
  if (written && !inPlace) {
    std::cout.flush();
    std::cerr << o.file << ": " << msg::kMapNotWritten << mapName << '\n';
    return 1;
  }
  return 0;
}
}  // namespace

void RegisterMapCommand(CLI::App& app) {
  auto opts = std::make_shared<MapOptions>();
  auto* cmd = app.add_subcommand("map", "Build or read the minute map of a data file");
  cmd->add_option("FILE", opts->file, "ZV1, ZV2 or ZV3 file")->required();
  cmd->add_flag("--force", opts->force, "Rescan the file even when a map file exists");
  cmd->callback([opts] {
    if (const int rc = RunMap(*opts)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
