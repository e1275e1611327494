#include "core/MinuteMap.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/Bytes.h"
#include "core/CallRecords.h"
#include "core/Header.h"
#include "core/Messages.h"
#include "core/MinuteSummary.h"
#include "core/SlotFiles.h"

namespace zorvel {

namespace {

constexpr int kProgressSteps = 120;

int64_t Span(const TFileRec& s) { return static_cast<int64_t>(s.LastLoggedMin) - s.FirstLoggedMin; }

// Array size before a scan: the header's span when it is believable, else one day (grown as
// needed). Either way no more than the file has records for: a header naming years over a file
// of minutes must not make the scan hold years of entries.
size_t ScanArraySize(const TFileRec& s, Host& host) {
  const int64_t byRecords = std::max<int64_t>(0, s.InFileRecs - kHeaderUnits) + 3;
  if (s.LastLoggedMin >= 1 && Span(s) <= kScanSpanLimit) return static_cast<size_t>(std::min(Span(s) + 3, byRecords));
  host.TimedMessage(msg::kDateRangeTooGreat, 3000);
  return static_cast<size_t>(std::min<int64_t>(kMinStartsGrowth, byRecords));
}

// True when every entry points at a minute record of the file and the last entry at its end
// record (or, in a file without one, at its end): a map of the right length whose entries rise
// can still be wrong. Reads only the first byte of each record pointed at, in file order, through
// a small block, so that a large map costs one short read per minute at most.
bool EntriesPointAtMinuteRecords(const TFileRec& s, const std::vector<int32_t>& starts, int32_t last) {
  constexpr int64_t kProbeBytes = 4096;
  std::vector<uint8_t> block(kProbeBytes);
  int64_t blockAt = 0, blockLen = 0;
  for (int32_t k = 0; k <= last; ++k) {
    if (k == last && starts[static_cast<size_t>(k)] == s.InFileRecs) return true;
    const int64_t at = int64_t{starts[static_cast<size_t>(k)]} * kRecordBytes;
    if (at < blockAt || at >= blockAt + blockLen) {
      blockAt = at;
      blockLen = static_cast<int64_t>(s.Infile ? s.Infile->ReadAt(at, block.data(), block.size()) : 0);
      if (blockLen < kRecordBytes) return false;
    }
    if (block[static_cast<size_t>(at - blockAt)] != (k == last ? kIdEnd : kIdMinute)) return false;
  }
  return true;
}

// Reads the map file; true when it describes this file: its entries rise through the file and
// each points at a minute record, the last at the end record. Its minute count may differ from
// the header's, whose last minute is amended only in memory (see AmendHeader), so the map file
// is where a scan's finding is kept between openings.
bool ReadMapFile(TFileRec& s, const std::string& path, Host& host) {
  std::error_code ec;
  const auto len = std::filesystem::file_size(path, ec);
  if (ec) {
    if (ec != std::errc::no_such_file_or_directory && host.AdministratorMode())
      host.TimedMessage(std::string(msg::kIoErrorMapfile) + " " + ec.message(), 3000);
    return false;
  }
  // A map with more minutes than the file has records, or than a scan would accept, cannot be right.
  if (len % 4 != 0 || len < 8) return false;
  const int64_t minutes = static_cast<int64_t>(len / 4) - 1;
  if (minutes - 1 > kScanSpanLimit || minutes > s.InFileRecs) return false;
  std::vector<uint8_t> bytes(len);
  std::ifstream in(path, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(len))) {
    if (host.AdministratorMode()) host.TimedMessage(std::string(msg::kIoErrorMapfile) + " read failed", 3000);
    return false;
  }
  std::vector<int32_t> starts(static_cast<size_t>(minutes + 2), 0);
  int64_t prev = kHeaderUnits - 1;
  for (size_t k = 0; k < len / 4; ++k) {
    const int32_t v = Le32(&bytes[4 * k]);
    if (v <= prev || v > s.InFileRecs) return false;  // entries must rise through the file
    starts[k] = v;
    prev = v;
  }
  if (!EntriesPointAtMinuteRecords(s, starts, static_cast<int32_t>(minutes))) return false;
  s.MinStarts = std::move(starts);
  s.MinStartsWritten = static_cast<int32_t>(minutes);
  return true;
}

// Reads the summary file beside the data file; true when it describes the file as it is now and
// the map just read.
bool ReadSummaryFile(TFileRec& s) {
  const std::string path = SummaryFileName(s.FullFileName, s.FileType);
  if (path.empty()) return false;
  const int64_t len = FileSizeOf(path);
  if (len < kSummaryHeaderBytes) return false;
  std::vector<uint8_t> bytes(static_cast<size_t>(len));
  std::ifstream in(path, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(len))) return false;
  const uint32_t flags = (s.HasExtendedIPIs ? 1u : 0u) | (s.HasExtendedAmps ? 2u : 0u);
  s.Summary = MinuteSummary::Parse(bytes, s.FileType, StampOf(s.FullFileName), s.MinStartsWritten, flags);
  return s.Summary != nullptr;
}

bool WriteMapFile(const TFileRec& s, const std::string& path, Host& host) {
  std::vector<uint8_t> bytes(4 * static_cast<size_t>(s.MinStartsWritten + 1));
  for (int32_t k = 0; k <= s.MinStartsWritten; ++k) PutLe32(&bytes[4 * k], s.MinStarts[k]);
  std::string error;
  if (!WriteWholeFile(path, bytes.data(), bytes.size(), &error)) {
    if (host.AdministratorMode()) host.TimedMessage(std::string(msg::kIoErrorWritingMap) + " " + error, 3000);
    return false;
  }
  return true;
}

// Grows by half again (at least by growth), so that a scan of a long file whose header said
// little copies the array a few times rather than once per day of minutes.
void EnsureEntry(std::vector<int32_t>& starts, size_t index, size_t growth) {
  if (index >= starts.size()) starts.resize(std::max(index + 1, starts.size() + std::max(growth, starts.size() / 2)), 0);
}

struct ScanResult {
  int32_t minutes = 0;
  int32_t waveGroups = 0;
  bool endFound = false;
  bool readAnything = false;
};

// The scan hands every record the reader would see to the summary builder (when given).
ScanResult ScanFile(TFileRec& s, Host& host, MinuteSummaryBuilder* summary) {
  ScanResult res;
  // A fresh array: assign() would keep whatever capacity an earlier map left.
  s.MinStarts = std::vector<int32_t>(ScanArraySize(s, host), 0);
  s.MinStartsWritten = 0;
  const std::string caption = std::string(msg::kMappingFile) + s.ShortName;
  const int64_t records = std::max<int64_t>(1, s.InFileRecs - kHeaderUnits);
  const int64_t interval = std::max<int64_t>(1, records / kProgressSteps);
  int64_t lastStep = -1;
  int64_t i = kHeaderUnits;
  TimeOrder order;  // as the reader applies it
  const bool callFile = s.FileType == ftZV2 || s.FileType == ftZV3;
  bool more = LoadBufferAt(s, kHeaderUnits, host);
  res.readAnything = more;
  while (more && !res.endFound) {
    const uint8_t* buf = s.FBuf.data();
    for (int32_t pos = 0; pos < s.NumBytesRead; pos += kRecordBytes, ++i) {
      const uint8_t* r = buf + pos;
      const uint8_t id = r[0];
      if (id <= kLastWaveGroupId) {
        ++res.waveGroups;
        // Wave groups that run backwards are skipped by the reader, and so by the summary.
        if (summary && !order.RunsBackwards(static_cast<int32_t>(Be24(r)))) summary->WaveGroup(r);
      } else if (id >= kIdCallA && id <= kIdCallC) {
        if (id == kIdCallA && callFile) order.Restart();
        if (summary) summary->CallRecord(r);
      } else if (id == kIdMinute) {
        if (summary) summary->MinuteRecord(r);
        order.Restart();
        EnsureEntry(s.MinStarts, static_cast<size_t>(s.MinStartsWritten) + 1, kMinStartsGrowth);
        s.MinStarts[s.MinStartsWritten++] = static_cast<int32_t>(i);
        ++res.minutes;
      } else if (id == kIdEnd) {
        EnsureEntry(s.MinStarts, static_cast<size_t>(s.MinStartsWritten) + 1, 3);
        s.MinStarts[s.MinStartsWritten] = static_cast<int32_t>(i);
        res.endFound = true;
        break;
      }
    }
    const int64_t step = (i - kHeaderUnits) / interval;
    if (step != lastStep) {
      host.Progress(caption, static_cast<int>(std::min<int64_t>(step, kProgressSteps)), kProgressSteps);
      lastStep = step;
    }
    if (res.endFound) break;
    more = RefillBuffer(s, host);
  }
  if (!res.endFound) {
    // No end record: the end of the file stands in for it.
    EnsureEntry(s.MinStarts, static_cast<size_t>(s.MinStartsWritten) + 1, 3);
    s.MinStarts[s.MinStartsWritten] = static_cast<int32_t>(std::min<int64_t>(s.InFileRecs, INT32_MAX));
  }
  EnsureEntry(s.MinStarts, static_cast<size_t>(s.MinStartsWritten) + 1, 3);
  s.MinStarts[s.MinStartsWritten + 1] = 0;
  // The buffer no longer holds the reader's place.
  s.BufPosn = s.NumBytesRead = s.NumRecsRead = 0;
  s.BufFileOffset = kHeaderBytes;
  s.WaveOrder.Restart();
  return res;
}

// The header's last minute as the map found it. Only the slot's copy is amended: reading never
// writes into the data file, so a later opening amends it again (from the map file when there is one).
void AmendHeader(TFileRec& s, int32_t minutes, Host& host, bool report) {
  if (minutes <= 0 || Span(s) + 1 == minutes) return;
  const int64_t diff = static_cast<int64_t>(minutes) + s.FirstLoggedMin - s.LastLoggedMin - 1;
  if (report) host.AddLine(Memo::DataMemo, s.ShortName + std::string(msg::kMapAmendedHeader) + std::to_string(diff));
  // The first minute is plausible (checked at opening); the sum is taken wide and kept within the
  // widest span a file may open with past the plausible range, so that sums and differences of
  // any two minutes of the file stay far inside 32 bits.
  const auto newLast = static_cast<int32_t>(std::min<int64_t>(
      int64_t{s.FirstLoggedMin} + minutes - 1, int64_t{kLastPlausibleMinute} + kOpenSpanLimit));
  s.HeaderAmended = true;
  s.LastLoggedMin = newLast;
  s.StoredLastProcessMin = newLast;
  s.StoredFirstProcessMin = std::min(s.StoredFirstProcessMin, newLast);
  s.GoToMin = std::min(s.GoToMin, newLast);
}

}  // namespace

std::string MapFileName(const TFileRec& s) {
  const char* ext = nullptr;
  switch (s.FileType) {
    case ftZV1: ext = ".z1m"; break;
    case ftZV2: ext = ".z2m"; break;
    case ftZV3: ext = ".z3m"; break;
    default: return "skip";
  }
  std::filesystem::path p(s.FullFileName);
  p.replace_extension(ext);
  return p.string();
}

bool MapSlot(FileSlots& slots, int slot, bool force, Host& host, bool batchRunning, bool reportAmendment) {
  if (!FileSlots::ValidSlot(slot) || !slots[slot].Open) return false;
  TFileRec& s = slots[slot];
  WriteBackIfChanged(s, host);
  const std::string mapName = MapFileName(s);
  s.Summary.reset();
  bool mapFileGood = false;
  if (mapName != "skip" && !force && ReadMapFile(s, mapName, host)) {
    AmendHeader(s, s.MinStartsWritten, host, reportAmendment);
    // The map's last entry is the end record, or the end of a file that has none.
    s.EndRecordFound = s.MinStarts[static_cast<size_t>(s.MinStartsWritten)] < s.InFileRecs;
    s.Mapped = true;
    if (batchRunning || ReadSummaryFile(s)) return true;
    // The map is right but its summary is missing or stale: one more scan makes both.
    mapFileGood = true;
  }
  const DataFileStamp before = StampOf(s.FullFileName);
  // Batch jobs read each file once, front to back: they have no use for a summary.
  std::optional<MinuteSummaryBuilder> builder;
  if (!batchRunning) builder.emplace(s.FileType, s.HasExtendedIPIs, s.HasExtendedAmps);
  const ScanResult res = ScanFile(s, host, builder ? &*builder : nullptr);
  s.ScannedWaveGroups = res.waveGroups;
  if (!res.readAnything) {
    host.TimedMessage(s.ShortName + std::string(msg::kNotValidWillClose), 3000);
    CloseSlot(slots, slot);
    return false;
  }
  const bool large = res.endFound && s.InFileRecs > kMapFileMinRecords && mapName != "skip";
  bool result = true;
  if (large && !mapFileGood) {
    WriteMapFile(s, mapName, host);
    result = false;
  }
  AmendHeader(s, res.minutes, host, reportAmendment);
  s.EndRecordFound = res.endFound;
  s.Mapped = true;
  // A data file that changed while it was scanned may have been summarised half old, half new:
  // such a summary is dropped, and the screens read the records instead.
  const DataFileStamp after = StampOf(s.FullFileName);
  if (builder && before == after && after.size >= 0) {
    s.Summary = builder->Finish(after);
    // Where the folder cannot be written the summary serves from memory alone.
    if (large) {
      const std::vector<uint8_t> bytes = s.Summary->Serialise();
      WriteWholeFile(SummaryFileName(s.FullFileName, s.FileType), bytes.data(), bytes.size());
    }
  }
  return result;
}

std::string MapWarning(const TFileRec& s) {
  if (!s.Mapped) return "";
  if (s.MinStartsWritten == 0) return std::string(msg::kNoMinutes);
  if (!s.EndRecordFound)
    return std::string(msg::kEndsEarly) + std::to_string(s.MinStartsWritten) + std::string(msg::kEndsEarlyMinutes);
  return "";
}

bool SeekToMinuteStart(FileSlots& slots, int slot, int32_t minute, Host& host, bool refreshMaps) {
  if (!FileSlots::ValidSlot(slot) || !slots[slot].Open) return false;
  TFileRec& s = slots[slot];
  if (!s.Mapped) {
    MapSlot(slots, slot, refreshMaps, host);
    if (!s.Open) return false;
  }
  if (s.MinStartsWritten < Span(s) + 1) {
    MapSlot(slots, slot, true, host);
    if (!s.Open) return false;
  }
  // Past the map's last minute the slot lands on the end entry, never on the header.
  const int64_t index = std::clamp<int64_t>(static_cast<int64_t>(minute) - s.FirstLoggedMin, 0, s.MinStartsWritten);
  const int64_t r = s.MinStarts[static_cast<size_t>(index)];
  if (!LoadBufferAt(s, r, host) && r < s.InFileRecs)
    host.TimedMessage(std::string(msg::kIoErrorMoveAll) + s.ShortName, 3000);
  s.NrTime.Mn = std::max(minute, s.FirstLoggedMin) - 1;
  s.NrTime.FiveMuSec = 0;
  s.LastFiveMusecTime = -1;
  s.WaveOrder.Restart();
  s.InPlay = true;
  return true;
}

void PositionSlot(FileSlots& slots, int slot, TRecTime target, ReaderContext& ctx, bool refreshMaps) {
  if (!FileSlots::ValidSlot(slot) || !slots[slot].Open) return;
  TFileRec& s = slots[slot];
  if (target.Mn > s.LastLoggedMin) {
    s.InPlay = false;
    return;
  }
  if (!SeekToMinuteStart(slots, slot, target.Mn, ctx.host, refreshMaps)) return;
  ReadNextUsedRecord(s, ctx);
  s.lastReadTime = -2;
  s.OctInThisScreen = 0;
  s.CallsInThisScreen = 0;
  while (s.InPlay && s.NrTime < target) ReadNextUsedRecord(s, ctx);
}

void MoveAllFilePosn(FileSlots& slots, TRecTime target, ReaderContext& ctx, bool refreshMaps) {
  for (int i = 1; i <= kSlotCount; ++i) PositionSlot(slots, i, target, ctx, refreshMaps);
}

}  // namespace zorvel
