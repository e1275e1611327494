// Opening one data file into a slot for a command-line job, with its species names.
#pragma once

#include <string>

#include "core/FileRec.h"
#include "core/Host.h"

namespace zorvel::cli {

// Opens path into slot 1 of slots; prints "<path>: <reason>" and returns false when it cannot.
// needRecords: a file holding only a header is refused too.
// mapAtOpening false leaves the mapping to the caller (the map command reports what it finds).
bool OpenForCli(FileSlots& slots, const std::string& path, Host& host, bool refreshMaps = false,
                bool needRecords = true, bool mapAtOpening = true);

}  // namespace zorvel::cli
