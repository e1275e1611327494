#include "cli/OpenForCli.h"

#include <iostream>

#include "cli/Messages.h"
#include "cli/Outcome.h"
#include "core/SlotFiles.h"
#include "species/BuiltInSpecies.h"

namespace zorvel::cli {

bool OpenForCli(FileSlots& slots, const std::string& path, Host& host, bool refreshMaps, bool needRecords,
                bool mapAtOpening) {
  InitSlotSpeciesNames(slots);
  if (const std::string problem = InputProblem(path, needRecords); !problem.empty()) {
    std::cerr << path << ": " << problem << '\n';
    return false;
  }
  OpenOptions options;
  options.batchRunning = false;
  options.refreshMaps = refreshMaps;
  options.mapAtOpening = mapAtOpening;
  if (!OpenFileInSlot(slots, path, 1, host, options).opened) {
    std::cerr << path << ": " << msg::kNotOpened << '\n';
    return false;
  }
  ApplyBuiltInSpeciesNames(slots, 1);
  return true;
}

}  // namespace zorvel::cli
