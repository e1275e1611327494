// Reads an imported ZV1 file back through the core record reader, as every part of the
// program that looks at data does.
#pragma once

#include <string>

#include "core/FileRec.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"

namespace zorvel::testing {

struct Zv1Contents {
  bool opened = false;
  int32_t firstLoggedMin = 0, lastLoggedMin = 0;
  int64_t minutes = 0, waveGroups = 0;
  int32_t lastMinute = 0;  // the minute number the reader reached
};

inline Zv1Contents ReadZv1(const std::string& path) {
  Zv1Contents c;
  SilentHost host;
  FileSlots slots;
  if (!OpenFileInSlot(slots, path, 1, host, {}).opened) return c;
  c.opened = true;
  TFileRec& s = slots[1];
  c.firstLoggedMin = s.FirstLoggedMin;
  c.lastLoggedMin = s.LastLoggedMin;
  ReaderContext ctx{host};
  for (;;) {
    ReadNextUsedRecord(s, ctx);
    if (s.NrType == tEnd) break;
    if (s.NrType == tMinRec) ++c.minutes;
    if (s.NrType == tOctet) ++c.waveGroups;
  }
  c.lastMinute = s.NrTime.Mn;
  CloseAllSlots(slots);
  return c;
}

}  // namespace zorvel::testing
