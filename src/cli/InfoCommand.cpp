// zorvel-cli info FILE: every decoded header field, one "name: value" per line.
#include <iostream>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/OpenForCli.h"
#include "core/HeaderText.h"

namespace zorvel::cli {

namespace {
struct InfoOptions {
  std::string file;
};

int RunInfo(const InfoOptions& o) {
  ConsoleHost host;
  FileSlots slots;
  if (!OpenForCli(slots, o.file, host, false, false)) return 1;
  for (const auto& [name, value] : HeaderFieldTexts(slots[1])) std::cout << name << ": " << value << '\n';
  return 0;
}
}  // namespace

void RegisterInfoCommand(CLI::App& app) {
  auto opts = std::make_shared<InfoOptions>();
  auto* cmd = app.add_subcommand("info", "Print every decoded header field of a data file");
  cmd->add_option("FILE", opts->file, "ZV1, ZV2 or ZV3 file")->required();
  cmd->callback([opts] {
    if (const int rc = RunInfo(*opts)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
