#include <filesystem>
#include <limits>

#include "core/Header.h"
#include "core/MinuteMap.h"
#include "core/SlotFiles.h"
#include "fileutils/Messages.h"
#include "fileutils/ShiftJoin.h"

namespace zorvel::fileutils {

int AddMinutesToStart(FileSlots& slots, int32_t minutes, Host& host) {
  int shifted = 0;
  for (int i = 1; i <= kSlotCount; ++i) {
    TFileRec& s = slots[i];
    if (!s.Open) continue;
    const int64_t first = static_cast<int64_t>(s.FirstLoggedMin) + minutes;
    const int64_t last = static_cast<int64_t>(s.LastLoggedMin) + minutes;
    if (first < 1 || last > std::numeric_limits<int32_t>::max()) {
      host.TimedMessage(s.ShortName + std::string(msg::kShiftRefused), 5000);
      continue;
    }
    const std::string path = s.FullFileName;
    // The stored processing range becomes the whole file.
    const bool written = WriteHeaderInt32(s, hdr::kFirstLoggedMin, static_cast<int32_t>(first)) &&
                         WriteHeaderInt32(s, hdr::kStoredFirstProcessMin, static_cast<int32_t>(first)) &&
                         WriteHeaderInt32(s, hdr::kLastLoggedMin, static_cast<int32_t>(last)) &&
                         WriteHeaderInt32(s, hdr::kStoredLastProcessMin, static_cast<int32_t>(last));
    if (!written) host.TimedMessage(std::string(msg::kHeaderNotWritten) + s.ShortName, 5000);
    CloseSlot(slots, i);
    // The maps are removed before the file is reopened, so that they are rebuilt for the new times.
    if (written) {
      std::error_code ec;
      for (const char* ext : {".z1m", ".z2m", ".z3m"}) std::filesystem::remove(WithExtension(path, ext), ec);
      ++shifted;
    }
    OpenFileInSlot(slots, path, i, host, {});
  }
  return shifted;
}

std::optional<HeaderSpan> ScannedSpan(const std::string& path) {
  FileSlots scratch;
  SilentHost quiet;
  if (!OpenFileInSlot(scratch, path, 1, quiet, {.batchRunning = true}).opened) return std::nullopt;
  if (!scratch[1].Mapped) MapSlot(scratch, 1, false, quiet, true);
  if (!scratch[1].Open) return std::nullopt;
  return HeaderSpan{scratch[1].FirstLoggedMin, scratch[1].LastLoggedMin};
}

}  // namespace zorvel::fileutils
