#include "fileutils/PeriodCopy.h"

#include <algorithm>
#include <filesystem>

#include "core/BinaryFile.h"
#include "core/CallRecords.h"
#include "core/Header.h"
#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"
#include "core/ZvWriter.h"
#include "fileutils/Messages.h"
#include "fileutils/SpanCheck.h"

namespace zorvel::fileutils {

namespace fs = std::filesystem;

namespace {

constexpr int64_t kCopyRecords = 65536;

bool SamePath(const std::string& a, const std::string& b) {
  std::error_code ec;
  return a == b || fs::equivalent(a, b, ec);
}

void Report(Host& host, const std::string& text, int ms) {
  host.AddLine(Memo::ErrorsMemo, text);
  host.TimedMessage(text, ms);
}

enum class CopyResult { Written, Skipped, Stop };

// Record indices (16-byte units from the start of the file) of the period: the minute record of
// firstMin up to, not including, the minute record after lastMin or the end record.
bool PeriodRecords(TFileRec& s, int32_t firstMin, int32_t lastMin, int64_t& from, int64_t& to) {
  const int64_t a = int64_t{firstMin} - s.FirstLoggedMin;
  const int64_t b = int64_t{lastMin} + 1 - s.FirstLoggedMin;
  if (a < 0 || b > s.MinStartsWritten || a >= b) return false;
  from = s.MinStarts[static_cast<size_t>(a)];
  if (lastMin == s.LastLoggedMin) {
    uint8_t lastRec[kRecordBytes] = {};
    s.Infile->ReadAt((s.InFileRecs - 1) * kRecordBytes, lastRec, kRecordBytes);
    to = lastRec[0] == kIdEnd ? s.InFileRecs - 1 : s.InFileRecs;
  } else {
    to = s.MinStarts[static_cast<size_t>(b)];
  }
  return from >= kHeaderUnits && from <= to && to <= s.InFileRecs;
}

CopyResult CopyOne(FileSlots& slots, int slot, int32_t firstMin, int32_t lastMin, const std::string& output,
                   Host& host) {
  TFileRec& s = slots[slot];
  if (const std::string problem = FirstMinuteProblem(s.ShortName, s.FirstLoggedMin); !problem.empty()) {
    Report(host, problem, 5000);
    return CopyResult::Skipped;
  }
  if (!s.Mapped) MapSlot(slots, slot, false, host);
  if (!s.Open) return CopyResult::Skipped;
  if (const std::string problem = SpanProblem(s.ShortName, s.FirstLoggedMin, s.LastLoggedMin);
      !problem.empty()) {
    Report(host, problem, 5000);
    return CopyResult::Skipped;
  }
  int64_t from = 0, to = 0;
  if (firstMin < s.FirstLoggedMin || lastMin > s.LastLoggedMin ||
      !PeriodRecords(s, firstMin, lastMin, from, to)) {
    Report(host, s.ShortName + std::string(msg::kOutsideFile), 5000);
    return CopyResult::Skipped;
  }
  for (int i = 1; i <= kSlotCount; ++i)
    if (slots[i].Open && SamePath(slots[i].FullFileName, output)) {
      Report(host, s.ShortName + std::string(msg::kCopyIsSource), 5000);
      return CopyResult::Skipped;
    }
  if (FileExists(output) &&
      host.Ask(std::string(msg::kReplaceQuestion1) + output + std::string(msg::kReplaceQuestion2),
               Buttons::YesNo) != Answer::Yes)
    return CopyResult::Skipped;
  if (const std::string problem = SpaceProblem(output, kHeaderBytes + (to - from + 1) * kRecordBytes);
      !problem.empty()) {
    Report(host, problem, 10'000);
    return CopyResult::Stop;
  }
  WriteBackIfChanged(s, host);  // marks still in the buffer belong in the copy
  HeaderBytes header{};
  if (s.Infile->ReadAt(0, header.data(), header.size()) != header.size()) {
    Report(host, std::string(msg::kFailedCopy) + "header not read", 60'000);
    return CopyResult::Stop;
  }
  PutHeaderInt32(header, hdr::kFirstLoggedMin, firstMin);
  PutHeaderInt32(header, hdr::kStoredFirstProcessMin, firstMin);
  PutHeaderInt32(header, hdr::kLastLoggedMin, lastMin);
  PutHeaderInt32(header, hdr::kStoredLastProcessMin, lastMin);
  std::fill(header.begin() + hdr::kMarker1, header.begin() + hdr::kMarker1 + 4, 0);
  ZvFileWriter out(output, header);
  if (!out.IsOpen()) {
    host.AddLine(Memo::ErrorsMemo, std::string(msg::kFailedCopy) + out.ErrorText());
    host.TimedMessage(msg::kFailedCopy, 60'000);
    return CopyResult::Stop;
  }
  std::vector<uint8_t> buf(static_cast<size_t>(kCopyRecords) * kRecordBytes);
  for (int64_t r = from; r < to;) {
    if (host.StopRequested()) return CopyResult::Stop;  // the unfinished copy is removed
    const int64_t n = std::min(kCopyRecords, to - r);
    const size_t bytes = static_cast<size_t>(n) * kRecordBytes;
    if (s.Infile->ReadAt(r * kRecordBytes, buf.data(), bytes) != bytes ||
        !out.Append(buf.data(), static_cast<size_t>(n))) {
      Report(host, std::string(msg::kShortCopyError), 10'000);
      return CopyResult::Stop;
    }
    r += n;
  }
  if (!out.Finish()) {
    Report(host, std::string(msg::kShortCopyError), 10'000);
    return CopyResult::Stop;
  }
  return CopyResult::Written;
}

std::string OneFieldBytes(const std::string& text, int width) {
  return text.substr(0, static_cast<size_t>(width));
}

}  // namespace

std::string PeriodCopyName(const std::string& fullName, int32_t minutes) {
  const fs::path p(fullName);
  std::string name =
      p.stem().string() + std::string(msg::kPart) + std::to_string(minutes) + p.extension().string();
  for (char& c : name)
    if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos ||
        static_cast<unsigned char>(c) < 0x20)
      c = '_';
  return (p.parent_path() / name).string();
}

SaveRequest PeriodCopyRequest(const TFileRec& slot, int32_t firstMin, int32_t lastMin) {
  return {std::string(msg::kCopyPeriodBtn), PeriodCopyName(slot.FullFileName, lastMin - firstMin + 1),
          std::string(msg::kZV1Filter)};
}

int CopySelectedPeriod(FileSlots& slots, int32_t firstMin, int32_t lastMin, const std::string& output,
                       Host& host) {
  int written = 0;
  std::vector<std::string> used;
  for (int i = 1; i <= 3; ++i) {
    if (!slots[i].Open) continue;
    host.Progress(msg::kCopyPeriodBusy, i, 3);
    const std::string target =
        used.empty() ? output : WithExtension(output, fs::path(slots[i].FullFileName).extension().string());
    // Two open files of one type would share a name: the second is not allowed to replace the first.
    if (std::find(used.begin(), used.end(), target) != used.end()) {
      Report(host, slots[i].ShortName + std::string(msg::kCopyIsSource), 5000);
      continue;
    }
    const CopyResult r = CopyOne(slots, i, firstMin, lastMin, target, host);
    if (r == CopyResult::Stop) break;
    if (r == CopyResult::Written) {
      ++written;
      used.push_back(target);
    }
  }
  host.Progress(msg::kCopyPeriodBtn, 3, 3);
  return written;
}

CropOutcome MakeCroppedCopies(FileSlots& slots, const std::vector<std::string>& files, Host& host) {
  CropOutcome out;
  if (!slots[1].Open) {
    host.TimedMessage(msg::kFile1MustBeOpen, 10'000);
    return out;
  }
  // Spans come from the minute scan, which corrects a header whose last minute was never filled in;
  // the scan counts from the header's first minute, which must be trusted first.
  const auto refused = [&host](const std::string& problem) {
    if (problem.empty()) return false;
    host.AddLine(Memo::DataMemo, std::string(msg::kCropError) + problem);
    host.TimedMessage(problem, 5000);
    return true;
  };
  if (refused(FirstMinuteProblem(slots[1].ShortName, slots[1].FirstLoggedMin))) {
    out.failed = static_cast<int>(files.size());
    return out;
  }
  if (!slots[1].Mapped) MapSlot(slots, 1, false, host, true);
  if (!slots[1].Open) return out;
  const int32_t first = slots[1].FirstLoggedMin, last = slots[1].LastLoggedMin;
  if (refused(SpanProblem(slots[1].ShortName, first, last))) {
    out.failed = static_cast<int>(files.size());
    return out;
  }
  host.TimedMessage(msg::kMakingCopies, 2000);
  CloseAllSlots(slots);
  const int n = static_cast<int>(files.size());
  for (int k = 1; k <= n && !host.StopRequested(); ++k) {
    const std::string& path = files[static_cast<size_t>(k - 1)];
    host.Progress(std::string(msg::kCopying) + std::to_string(k) + std::string(msg::kOf) + std::to_string(n),
                  k, n);
    const bool opened = OpenFileInSlot(slots, path, 1, host, {.batchRunning = true}).opened;
    const bool trusted = opened && !refused(FirstMinuteProblem(slots[1].ShortName, slots[1].FirstLoggedMin));
    const bool mapped = trusted && (slots[1].Mapped || MapSlot(slots, 1, false, host, true) || slots[1].Open);
    if (!opened || (trusted && !mapped)) {
      host.AddLine(Memo::DataMemo, std::string(msg::kCropError) + path);
      ++out.failed;
    } else if (!trusted ||
               refused(SpanProblem(slots[1].ShortName, slots[1].FirstLoggedMin, slots[1].LastLoggedMin))) {
      ++out.failed;
    } else if (slots[1].FirstLoggedMin > first || slots[1].LastLoggedMin < last) {
      host.AddLine(Memo::DataMemo, slots[1].ShortName + std::string(msg::kOutsideSpan));
      ++out.failed;
    } else if (const auto target = host.ChooseSavePath(PeriodCopyRequest(slots[1], first, last))) {
      if (CopySelectedPeriod(slots, first, last, *target, host) == 1) {
        ++out.copied;
      } else {
        ++out.failed;
      }
    }
    CloseSlot(slots, 1);
  }
  host.TimedMessage(msg::kBatchCopyCompleted, 3000);
  if (out.failed > 0) host.TimedMessage(msg::kSomeFilesFailed, 2000);
  host.Progress(msg::kCropBtnAfter, n, n);
  return out;
}

int CopyTextToOpenFiles(FileSlots& slots, const DeploymentTexts& texts, Host& host) {
  if (!slots[1].Open) {
    host.TimedMessage(msg::kTextOnFile1, 3000);
    return 0;
  }
  host.Progress(msg::kSaveTextBusy, 0, 1);
  int written = 0;
  const struct {
    int offset, width;
    const std::string& text;
  } fields[] = {{hdr::kLatText, hdr::kLatLen, texts.Lat1Edit},
                {hdr::kLongText, hdr::kLongLen, texts.Long1Edit},
                {hdr::kNotesText, hdr::kNotesLen, texts.Notes1Edit},
                {hdr::kGMTText, hdr::kGMTLen, texts.GMT1Edit},
                {hdr::kLocationText, hdr::kLocationLen, texts.Location1Edit}};
  for (int i = 1; i <= kSlotCount; ++i) {
    TFileRec& s = slots[i];
    if (!s.Open) continue;
    uint8_t header[kHeaderBytes];
    bool ok = s.Infile->ReadAt(0, header, kHeaderBytes) == kHeaderBytes;
    if (ok) {
      std::fill(header + hdr::kLatText, header + hdr::kFirstLoggedMin, 0);
      std::fill(header + hdr::kGMTText, header + hdr::kLocationText + hdr::kLocationLen, 0);
      for (const auto& f : fields) {
        const std::string bytes = OneFieldBytes(f.text, f.width);
        std::copy(bytes.begin(), bytes.end(), header + f.offset);
      }
      ok = s.Infile->WriteInPlace(0, header, kHeaderBytes) && s.Infile->Flush();
    }
    if (!ok) {
      host.TimedMessage(std::string(msg::kHeaderNotWritten) + s.ShortName, 5000);
      continue;
    }
    s.LatText = OneFieldBytes(texts.Lat1Edit, hdr::kLatLen);
    s.LongText = OneFieldBytes(texts.Long1Edit, hdr::kLongLen);
    s.NotesText = OneFieldBytes(texts.Notes1Edit, hdr::kNotesLen);
    s.GMTText = OneFieldBytes(texts.GMT1Edit, hdr::kGMTLen);
    s.LocationText = OneFieldBytes(texts.Location1Edit, hdr::kLocationLen);
    ++written;
  }
  host.Progress(msg::kSaveTextAfter, 1, 1);
  return written;
}

}  // namespace zorvel::fileutils
