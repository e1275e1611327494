#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/AtomicFile.h"
#include "core/BinaryFile.h"
#include "core/Bytes.h"
#include "core/CallRecords.h"
#include "core/Header.h"
#include "core/MinuteMap.h"
#include "core/SlotFiles.h"
#include "core/TimeBase.h"
#include "fileutils/Messages.h"
#include "fileutils/ShiftJoin.h"
#include "fileutils/SpanCheck.h"

namespace zorvel::fileutils {

namespace fs = std::filesystem;

namespace {

constexpr size_t kCopyBlock = 1 << 20;

std::string NameOf(const std::string& path) {
  return fs::path(path).filename().string();
}

// Only files whose extension is ".ZV1" exactly take part, as in the file dialog's filter.
bool IsUpperZV1(const std::string& path) {
  return fs::path(path).extension() == ".ZV1";
}

// Copies the records of a data file from byte `from` up to its first end-of-data record (or the
// last whole record), so that the joined file carries one end record, at its very end.
bool CopyRecords(BinaryFile& in, int64_t from, AtomicFileWriter& out) {
  const int64_t size = in.Size();
  if (size < 0) return false;
  const int64_t end = from + (size - from) / kRecordBytes * kRecordBytes;
  std::vector<uint8_t> buf(kCopyBlock);
  for (int64_t at = from; at < end;) {
    const size_t want = static_cast<size_t>(std::min<int64_t>(kCopyBlock, end - at));
    if (in.ReadAt(at, buf.data(), want) != want) return false;
    size_t keep = 0;
    while (keep < want && buf[keep] != kIdEnd) keep += kRecordBytes;
    if (!out.Write(buf.data(), keep)) return false;
    if (keep < want) return true;
    at += static_cast<int64_t>(want);
  }
  return true;
}

bool WriteGapMinutes(AtomicFileWriter& out, int64_t count) {
  // A minute record with nothing set: the logger was not listening in that minute.
  uint8_t gap[kRecordBytes] = {kIdMinute};
  std::vector<uint8_t> block;
  while (count > 0) {
    const int64_t n = std::min<int64_t>(count, 65536);
    block.clear();
    for (int64_t k = 0; k < n; ++k) block.insert(block.end(), gap, gap + kRecordBytes);
    if (!out.Write(block.data(), block.size())) return false;
    count -= n;
  }
  return true;
}

void Refuse(Host& host, const std::string& text) {
  host.AddLine(Memo::DataMemo, std::string(msg::kUnreadable) + text);
  host.TimedMessage(text, 5000);
}

// The header's first logged minute, read without opening the file in a slot (nothing when the
// header cannot be read).
std::optional<int32_t> HeaderFirstMinute(const std::string& path) {
  auto in = BinaryFile::Open(path, BinaryFile::Mode::ReadOnly);
  uint8_t bytes[4];
  if (!in || in->ReadAt(hdr::kFirstLoggedMin, bytes, 4) != 4) return std::nullopt;
  return static_cast<int32_t>(Be32(bytes));
}

int64_t SizeOf(const std::string& path) {
  std::error_code ec;
  const auto n = fs::file_size(path, ec);
  return ec ? 0 : static_cast<int64_t>(n);
}

// The files whose spans can be trusted, each refused one named with its reason.
std::vector<JoinFile> TrustedCandidates(const std::vector<std::string>& chosen, const std::string& path1,
                                        Host& host) {
  std::vector<JoinFile> selection;
  std::error_code ec;
  for (const auto& p : chosen) {
    if (!IsUpperZV1(p)) {
      Refuse(host, NameOf(p) + std::string(msg::kNotZV1Name));
      continue;
    }
    if (fs::equivalent(p, path1, ec)) {
      Refuse(host, NameOf(p) + std::string(msg::kSameAsFirst));
      continue;
    }
    // The first minute is checked before the minute scan, which counts minutes from it.
    const auto first = HeaderFirstMinute(p);
    if (!first) {
      host.AddLine(Memo::DataMemo, std::string(msg::kUnreadable) + NameOf(p));
      continue;
    }
    if (const std::string problem = FirstMinuteProblem(NameOf(p), *first); !problem.empty()) {
      Refuse(host, problem);
      continue;
    }
    const auto span = ScannedSpan(p);
    if (!span) {
      host.AddLine(Memo::DataMemo, std::string(msg::kUnreadable) + NameOf(p));
      continue;
    }
    if (const std::string problem = SpanProblem(NameOf(p), span->FirstLoggedMin, span->LastLoggedMin);
        !problem.empty()) {
      Refuse(host, problem);
      continue;
    }
    selection.push_back({p, *span});
  }
  return selection;
}

}  // namespace

JoinPlan ChainAfter(int32_t lastLoggedMin, const std::vector<JoinFile>& candidates) {
  std::vector<JoinFile> pool;
  for (const auto& c : candidates)
    if (c.span.FirstLoggedMin > lastLoggedMin) pool.push_back(c);
  std::stable_sort(pool.begin(), pool.end(), [](const JoinFile& a, const JoinFile& b) {
    return a.span.FirstLoggedMin < b.span.FirstLoggedMin;
  });
  JoinPlan plan;
  int32_t end = lastLoggedMin;
  for (const auto& c : pool) {
    if (c.span.FirstLoggedMin > end) {
      plan.files.push_back(c);
      end = c.span.LastLoggedMin;
    } else {
      plan.leftOut.push_back(c);
    }
  }
  return plan;
}

int JoinZV1Files(FileSlots& slots, const std::vector<std::string>& chosen, const JoinOptions& options,
                 Host& host) {
  TFileRec& s1 = slots[1];
  if (!s1.Open || s1.FileType != ftZV1) {
    host.TimedMessage(msg::kFile1NotZV1, 5000);
    return 0;
  }
  if (options.CopyJoinFirstFileChk) {
    host.TimedMessage(msg::kCopyFirstFile, 10'000);
    return 0;
  }
  if (chosen.empty()) {
    host.TimedMessage(msg::kNoFilesSelected, 2000);
    return 0;
  }
  const std::string path1 = s1.FullFileName;
  if (const std::string problem = FirstMinuteProblem(NameOf(path1), s1.FirstLoggedMin); !problem.empty()) {
    Refuse(host, problem);
    return 0;
  }
  // The minute scan corrects a header whose last minute was never filled in.
  if (!s1.Mapped) MapSlot(slots, 1, false, host, true);
  if (!s1.Open) return 0;
  const int32_t first1 = s1.FirstLoggedMin;
  int32_t last = s1.LastLoggedMin;
  if (const std::string problem = SpanProblem(NameOf(path1), first1, last); !problem.empty()) {
    Refuse(host, problem);
    return 0;
  }
  host.AddLine(Memo::DataMemo, msg::kJoinHeading);
  host.AddLine(Memo::DataMemo, std::string(msg::kFirstFile) + NameOf(path1) + "\t\t" +
                                   std::to_string(first1) + "\t" + std::to_string(last));
  CloseAllSlots(slots);  // file 1 too: its records are flushed before they are copied

  std::vector<JoinFile> selection = TrustedCandidates(chosen, path1, host);
  std::error_code ec;
  if (options.KeepGapsChk) {
    for (const auto& f : selection)
      host.AddLine(Memo::DataMemo, std::string(msg::kListed) + NameOf(f.path) + "\t\t" +
                                       std::to_string(f.span.FirstLoggedMin) + "\t" +
                                       std::to_string(f.span.LastLoggedMin));
    JoinPlan plan = ChainAfter(last, selection);
    if (plan.files.empty()) {
      host.TimedMessage(msg::kNoneAfterFirst, 5000);
      return 0;
    }
    for (const auto& f : plan.leftOut)
      host.AddLine(Memo::DataMemo, std::string(msg::kLeftOut) + NameOf(f.path));
    selection = std::move(plan.files);
  }
  // Gaps longer than a year are refused (a wrong clock, not a pause in recording), and the whole
  // joined file must fit on the disk before a byte of it is written.
  std::vector<int64_t> gaps;
  int64_t needed = SizeOf(path1) + kRecordBytes;
  for (int32_t end = last; const auto& f : selection) {
    const int64_t gap =
        options.KeepGapsChk ? std::max<int64_t>(0, int64_t{f.span.FirstLoggedMin} - end - 1) : 0;
    if (gap > kLongestJoinGapMinutes) {
      Refuse(host, NameOf(f.path) + std::string(msg::kGapTooLong1) + std::to_string(gap) +
                       std::string(msg::kGapTooLong2) + MinuteDateTimeText(end) +
                       std::string(msg::kGapTooLong3) + MinuteDateTimeText(f.span.FirstLoggedMin) +
                       std::string(msg::kGapTooLong4));
      gaps.push_back(-1);
      continue;
    }
    gaps.push_back(gap);
    needed += gap * kRecordBytes + SizeOf(f.path);
    end = options.KeepGapsChk
              ? f.span.LastLoggedMin
              : static_cast<int32_t>(std::min<int64_t>(
                    INT32_MAX, int64_t{end} + f.span.LastLoggedMin - f.span.FirstLoggedMin + 1));
  }
  if (const std::string problem = SpaceProblem(path1, needed, options.FreeBytesOverride); !problem.empty()) {
    host.TimedMessage(std::string(msg::kJoinFailed) + problem, 10'000);
    return 0;
  }

  // The joined file is built beside file 1 and replaces it only when complete.
  auto in1 = BinaryFile::Open(path1, BinaryFile::Mode::ReadOnly);
  AtomicFileWriter out(path1);
  uint8_t header[kHeaderBytes];
  if (!in1 || in1->ReadAt(0, header, kHeaderBytes) != kHeaderBytes || !out.Write(header, kHeaderBytes) ||
      !CopyRecords(*in1, kHeaderBytes, out)) {
    host.TimedMessage(std::string(msg::kJoinFailed) + out.ErrorText(), 10'000);
    return 0;
  }
  in1.reset();
  int appended = 0;
  for (size_t k = 0; k < selection.size(); ++k) {
    host.Progress(msg::kJoinBtn, static_cast<int>(k), static_cast<int>(selection.size()));
    if (host.StopRequested()) break;
    if (gaps[k] < 0) continue;
    const HeaderSpan* span = &selection[k].span;
    auto in = BinaryFile::Open(selection[k].path, BinaryFile::Mode::ReadOnly);
    if (!in) {
      host.AddLine(Memo::DataMemo, std::string(msg::kUnreadable) + NameOf(selection[k].path));
      continue;
    }
    const int64_t gap =
        options.KeepGapsChk ? std::max<int64_t>(0, int64_t{span->FirstLoggedMin} - last - 1) : 0;
    const int64_t newLast = int64_t{last} + gap + (int64_t{span->LastLoggedMin} - span->FirstLoggedMin + 1);
    if (newLast > INT32_MAX || !WriteGapMinutes(out, gap) || !CopyRecords(*in, kHeaderBytes, out)) {
      host.TimedMessage(std::string(msg::kJoinFailed) + out.ErrorText(), 10'000);
      return 0;
    }
    last = static_cast<int32_t>(newLast);
    ++appended;
    host.AddLine(Memo::DataMemo, std::string(msg::kAppended) + NameOf(selection[k].path) + "\t" +
                                     std::to_string(gap) + "\t" + std::to_string(span->FirstLoggedMin) +
                                     "\t" + std::to_string(span->LastLoggedMin));
  }
  if (appended == 0) {
    // Every file was refused or could not be read (or the run was stopped first): file 1 stays
    // exactly as it was rather than being rewritten with nothing added.
    out.Abandon();
    host.TimedMessage(std::string(msg::kJoinFailed) + std::string(msg::kNothingAppended), 10'000);
    return 0;
  }
  const Record end = EndRecord();
  uint8_t lastBytes[4];
  PutBe32(lastBytes, last);
  if (!out.Write(end.data(), end.size()) || !out.WriteAt(hdr::kLastLoggedMin, lastBytes, 4) ||
      !out.WriteAt(hdr::kStoredLastProcessMin, lastBytes, 4) || !out.Commit()) {
    host.TimedMessage(std::string(msg::kJoinFailed) + out.ErrorText(), 10'000);
    return 0;
  }
  fs::remove(WithExtension(path1, ".z1m"), ec);  // its span has changed: rebuilt on the next open
  host.TimedMessage(std::to_string(appended) + std::string(msg::kFilesAppended), 5000);
  return appended;
}

}  // namespace zorvel::fileutils
