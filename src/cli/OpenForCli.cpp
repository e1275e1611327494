#include "cli/OpenForCli.h"

#include <iostream>

#include "core/SlotFiles.h"
#include "species/BuiltInSpecies.h"

namespace zorvel::cli {

bool OpenForCli(FileSlots& slots, const std::string& path, Host& host, bool refreshMaps) {
  InitSlotSpeciesNames(slots);
  if (!FileExists(path)) {
    std::cerr << path << ": no such file\n";
    return false;
  }
  if (!IsDataFile(path, host)) {
    std::cerr << path << ": not a Zorvel data file (.ZV1, .ZV2 or .ZV3)\n";
    return false;
  }
  OpenOptions options;
  options.batchRunning = false;
  options.refreshMaps = refreshMaps;
  if (!OpenFileInSlot(slots, path, 1, host, options).opened) return false;
  ApplyBuiltInSpeciesNames(slots, 1);
  return true;
}

}  // namespace zorvel::cli
