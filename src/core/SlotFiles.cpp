#include "core/SlotFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/Header.h"
#include "core/Messages.h"
#include "core/WavIndex.h"
#include "core/MinuteMap.h"
#include "core/RecordReader.h"

namespace zorvel {

namespace {

std::string UpperExtension4(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  ext = ext.substr(0, 4);
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

std::string NeighbourFileName(const std::string& path, int delta) {
  const std::filesystem::path p(path);
  const std::string stem = p.stem().string();
  const size_t at = stem.rfind("file");
  if (at == std::string::npos) return "";
  const std::string digits = stem.substr(at + 4);
  if (digits.empty() || digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
    return "";
  const long n = std::stol(digits) + delta;
  if (n < 1) return "";
  // Keep the width the number had, so "file09" is followed by "file10" and "file1" by "file2".
  std::string num = std::to_string(n);
  if (num.size() < digits.size()) num.insert(0, digits.size() - num.size(), '0');
  std::filesystem::path out = p.parent_path() / (stem.substr(0, at + 4) + num + p.extension().string());
  return FileExists(out.string()) ? out.string() : "";
}

}  // namespace

TFileType FileTypeOfPath(const std::string& path) {
  const std::string ext = UpperExtension4(path);
  if (ext == ".ZV1") return ftZV1;
  if (ext == ".ZV2") return ftZV2;
  if (ext == ".ZV3") return ftZV3;
  return ftUnknown;
}

bool IsDataFile(const std::string& path, Host& host) {
  if (FileTypeOfPath(path) != ftUnknown) return true;
  if (UpperExtension4(path) == ".NXQ") host.TimedMessage(msg::kSdCardFile, 5000);
  return false;
}

OpenOutcome OpenFileInSlot(FileSlots& slots, const std::string& path, int slot, Host& host,
                           const OpenOptions& options) {
  OpenOutcome out;
  if (path.empty() || !FileSlots::ValidSlot(slot)) return out;
  const TFileType type = FileTypeOfPath(path);
  if (type == ftUnknown) {
    host.TimedMessage(msg::kFileTypeNotRecognised, 2000);
    return out;
  }
  CloseSlot(slots, slot);
  TFileRec& s = slots[slot];
  auto file = BinaryFile::Open(path, BinaryFile::Mode::ReadWritePreferred);
  if (!file) {
    host.TimedMessage(path + std::string(msg::kNotOpenedSuccessfully), 2000);
    return out;
  }
  const int64_t size = file->Size();
  const int64_t recs = size < 0 ? 0 : size / kRecordBytes;
  if (recs <= kHeaderUnits - 1) {
    if (!options.batchRunning) host.TimedMessage(path + std::string(msg::kTooSmallToHoldData), 1000);
    CloseSlot(slots, slot);
    return out;
  }
  s.ReadOnly = !file->Writable();
  s.Infile = std::move(file);
  s.InFileRecs = recs;
  s.FileType = type;
  s.FullFileName = path;
  s.ShortName = std::filesystem::path(path).filename().string();
  s.FileLbl = s.ShortName;
  s.Open = true;
  s.InPlay = true;
  s.FBuf.assign(kBufferBytes, 0);

  uint8_t block[kHeaderBlockBytes] = {};
  const size_t got = s.Infile->ReadAt(0, block, kHeaderBlockBytes);
  if (got < static_cast<size_t>(kHeaderBlockBytes)) host.TimedMessage(msg::kTooFewBytes, 2000);
  const HeaderRaw raw = DecodeHeader(block, got, s);
  if (const auto bad = ImplausibleHeaderMinute(raw)) {
    host.TimedMessage(s.ShortName + std::string(msg::kImplausibleMinute1) + std::string(bad->name) +
                          std::string(msg::kImplausibleMinute2) + std::to_string(bad->value) +
                          std::string(msg::kImplausibleMinute3),
                      5000);
    CloseSlot(slots, slot);
    return out;
  }

  const int64_t span = static_cast<int64_t>(s.LastLoggedMin) - s.FirstLoggedMin;
  // A file cannot hold more minutes than records: a header naming years over a small file
  // gets an array the size of the file, not of its header's span.
  const int64_t entries =
      s.LastLoggedMin >= 1 && span < kOpenSpanLimit ? std::min<int64_t>(span, recs - kHeaderUnits) + 3 : kMinStartsGrowth;
  s.MinStarts.assign(static_cast<size_t>(entries), 0);
  s.MinStarts[0] = kHeaderUnits;
  // Reading from the start: the first minute record opens FirstLoggedMin.
  s.BufPosn = s.NumBytesRead = s.NumRecsRead = 0;
  s.BufFileOffset = kHeaderBytes;
  s.NrTime = TRecTime{s.FirstLoggedMin - 1, 0};

  // A header written by a logger or an older import may end too early or too late; the scan
  // (or a map file that matches the file) gives the span every command then keeps to. A file of
  // a header alone has nothing to scan and keeps the header's span.
  const bool headerSpanUnset = raw.LastLoggedMin == 0 || raw.LastLoggedMin < raw.FirstLoggedMin;
  if (headerSpanUnset || (options.mapAtOpening && s.InFileRecs > kHeaderUnits)) {
    // Only a header without a span is reported as mapped: every other file is mapped here too,
    // and a line for each would bury the results.
    if (!MapSlot(slots, slot, options.refreshMaps, host, options.batchRunning, headerSpanUnset) && s.Open) {
      out.mapFileWritten = true;
      if (headerSpanUnset) host.AddLine(Memo::DataMemo, s.ShortName + std::string(msg::kReMapped));
    }
    if (!s.Open) return out;
    if (const std::string warning = MapWarning(s); !warning.empty())
      host.TimedMessage(s.ShortName + ": " + warning, 3000);
  }
  if (!s.Mapped && static_cast<int64_t>(s.MinStarts.size()) < span + 1) {
    host.TimedMessage(std::string(msg::kMinStarts1) + std::to_string(s.MinStarts.size()) + std::string(msg::kMinStarts2) +
                          std::to_string(span + 1) + std::string(msg::kMinStarts3),
                      2000);
    if (!MapSlot(slots, slot, true, host, options.batchRunning) && s.Open) out.mapFileWritten = true;
    if (!s.Open) return out;
  }
  s.FirstProcessMin = s.FirstLoggedMin;
  s.LastProcessMin = s.LastLoggedMin;
  // A file made from recordings names them under the pointer through its index.
  if (s.WavConversion > 0 && !options.batchRunning) LoadWavIndex(s, host);
  s.CallOK = false;
  s.NewCall = false;
  out.opened = true;
  return out;
}

void CloseSlot(FileSlots& slots, int slot) {
  if (!FileSlots::ValidSlot(slot)) return;
  TFileRec& s = slots[slot];
  if (!s.Open) {
    s.Infile.reset();
    return;
  }
  SilentHost quiet;
  WriteBackIfChanged(s, quiet);
  s.ResetToVacant(slot);
}

void CloseAllSlots(FileSlots& slots) {
  for (int i = 1; i <= kSlotCount; ++i) CloseSlot(slots, i);
}

std::string PreviousFileName(const std::string& path) { return NeighbourFileName(path, -1); }
std::string NextFileName(const std::string& path) { return NeighbourFileName(path, +1); }

std::string WithExtension(const std::string& path, const std::string& ext) {
  std::filesystem::path p(path);
  p.replace_extension(ext);
  return p.string();
}

std::string OpenButtonCaption(int openCount) {
  if (openCount <= 0) return std::string(msg::kOpenUnrelatedNone);
  if (openCount >= kSlotCount) return std::string(msg::kAllSlotsInUse);
  return std::string(msg::kOpenUpTo) + std::to_string(kSlotCount - openCount) + std::string(msg::kFilesSuffix);
}

std::string WindowTitle(const FileSlots& slots) {
  const int lowest = slots.LowestOpenSlot();
  return std::string(msg::kWindowTitlePrefix) + (lowest ? slots[lowest].ShortName : std::string());
}

std::string SkipBoxCaption(const TFileRec& slot) { return std::string(msg::kSkipOn) + slot.ShortName; }

}  // namespace zorvel
