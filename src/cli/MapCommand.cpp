// zorvel-cli map FILE [--force]: builds or reads the minute map and says what it did.
#include <iostream>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/OpenForCli.h"
#include "core/MinuteMap.h"

namespace zorvel::cli {

namespace {
struct MapOptions {
  std::string file;
  bool force = false;
};

int RunMap(const MapOptions& o) {
  ConsoleHost host;
  FileSlots slots;
  if (!OpenForCli(slots, o.file, host, o.force)) return 1;
  const bool mappedAtOpen = slots[1].Mapped;
  bool written = false;
  if (!mappedAtOpen || o.force) written = !MapSlot(slots, 1, o.force, host);
  if (!slots[1].Open) return 1;
  const TFileRec& s = slots[1];
  std::cout << "minutes: " << s.MinStartsWritten << '\n';
  std::cout << "map file: " << (written ? "written " + MapFileName(s) : std::string("not written")) << '\n';
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
