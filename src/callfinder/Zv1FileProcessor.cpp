#include "callfinder/Zv1FileProcessor.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string_view>

#include "callfinder/Messages.h"
#include "callfinder/MinuteProcessor.h"
#include "core/Header.h"
#include "core/MinuteMap.h"
#include "core/SlotFiles.h"
#include "core/ZvWriter.h"

namespace zorvel {

namespace {

constexpr int kProgressSteps = 120;
constexpr size_t kChunkBytesLimit = 64u << 20;  // raw minute bytes of one batch; its results wait in memory
constexpr int64_t kMaxMinuteRecords = 4 * (int64_t{cf::kMaxOctets} + 1);
constexpr size_t kMaxReadBufferGrowth = 64u << 20;

// A minute's place in the file: its first record and its record count, both checked against
// the file so that a map that promises too much can never send a read past the end.
struct MinuteSpan {
  int64_t firstRecord = 0;
  int64_t records = 0;
};

MinuteSpan SpanOf(const TFileRec& s, int32_t m) {
  MinuteSpan span;
  const int64_t a = s.MinStarts[static_cast<size_t>(m)];
  const int64_t b = std::min<int64_t>(s.MinStarts[static_cast<size_t>(m) + 1], s.InFileRecs);
  if (a < kHeaderUnits || a >= s.InFileRecs || b <= a) return span;
  span.firstRecord = a;
  // No more octets than the octet array holds are ever decoded; records beyond a generous
  // allowance for other record types are not read, so an absurd minute cannot exhaust memory.
  span.records = std::min<int64_t>(b - a, kMaxMinuteRecords);
  return span;
}

// Reads minutes for the workers. The file has one position, so reads take turns: a worker
// takes the turn once for a whole group of minutes (Lock), then reads them one after another.
class MinuteReader {
 public:
  explicit MinuteReader(TFileRec& s) : s_(s) {}

  std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(mutex_); }

  // Reads minute m into dst at `at` (grown as needed, never shrunk); returns the whole records
  // read. A short read is reported in notices (administrators only). Call with the lock held.
  size_t Read(int32_t m, std::vector<uint8_t>& dst, size_t at, std::vector<cf::MinuteNotice>& notices) {
    const MinuteSpan span = SpanOf(s_, m);
    if (span.records == 0) return 0;
    const size_t want = static_cast<size_t>(span.records) * kRecordBytes;
    if (at + want > dst.size()) dst.resize(std::max(at + want, std::min(2 * dst.size(), kMaxReadBufferGrowth)));
    const size_t got = s_.Infile->ReadAt(span.firstRecord * kRecordBytes, dst.data() + at, want);
    if (got < want) shortRead_ = true;  // the map was built from this file: it has shrunk since
    if (got < want && got > 0) {
      notices.push_back({std::string(cfmsg::kMinuteRead1) + std::to_string(m) + "   " + std::to_string(got) +
                             "   " + std::to_string(span.records),
                         3000, true});
      notices.push_back(
          {std::string(cfmsg::kMinuteRead2) + std::to_string(got) + " " + std::to_string(span.records), 3000, true});
    }
    return got / kRecordBytes;
  }

  // The bytes minute m will take once read.
  size_t BytesOf(int32_t m) const { return static_cast<size_t>(SpanOf(s_, m).records) * kRecordBytes; }

  bool HadShortRead() {
    const auto lock = Lock();
    return shortRead_;
  }

 private:
  TFileRec& s_;
  std::mutex mutex_;
  bool shortRead_ = false;
};

// What tells that a file changed: its size and modification time.
struct FileStamp {
  int64_t size = -1;
  std::filesystem::file_time_type modified{};
  bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::string& path) {
  std::error_code ec;
  FileStamp st;
  st.size = static_cast<int64_t>(std::filesystem::file_size(path, ec));
  if (ec) return FileStamp{};
  st.modified = std::filesystem::last_write_time(path, ec);
  if (ec) return FileStamp{};
  return st;
}

// Consecutive minutes of a batch that one worker reads and processes in one go: about a cache's
// worth of records, so quiet minutes are not handed out one by one.
struct MinuteGroup {
  int first = 0;  // index within the batch
  int count = 0;
};
constexpr size_t kGroupBytes = 256u << 10;
constexpr int kGroupMinutes = 64;

// Hands finished groups on in their order: the worker that finishes a group takes over the
// handing on of every finished group from the first not yet handed on, unless another worker is
// already doing it; so the file is written in order while the other worker goes on processing.
class OrderedCommit {
 public:
  void Start(int groups) {
    done_.assign(static_cast<size_t>(groups), false);
    next_ = 0;
    committing_ = false;
  }

  template <typename HandOn>
  void Finished(int group, HandOn&& handOn) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      done_[static_cast<size_t>(group)] = true;
      if (committing_) return;  // the worker handing on now will reach this group
      committing_ = true;
    }
    for (;;) {
      int ready = 0;
      {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (next_ >= static_cast<int>(done_.size()) || !done_[static_cast<size_t>(next_)]) {
          committing_ = false;
          return;
        }
        ready = next_++;
      }
      handOn(ready);
    }
  }

 private:
  std::mutex mutex_;
  std::vector<bool> done_;
  int next_ = 0;
  bool committing_ = false;
};

void CopyResult(cf::MinuteWork& w, MinuteResult& r) {
  r.bytes.assign(w.out.begin(), w.out.begin() + static_cast<std::ptrdiff_t>(w.outLen));
  r.counters = w.counters;
  r.exportLines.swap(w.exportLines);
  r.graphMarks.swap(w.graphMarks);
  r.notices.swap(w.notices);
}

// The ZV1's header with the finder's version byte cleared; a last minute that the map amended
// (in memory only: the ZV1 is never written) goes into the ZV2 with the wave-group count.
HeaderBytes Zv2Header(TFileRec& s) {
  HeaderBytes h{};
  s.Infile->ReadAt(0, h.data(), h.size());
  h[hdr::kUsedCallFinderVersion] = 0;
  if (s.HeaderAmended) {
    PutHeaderInt32(h, hdr::kLastLoggedMin, s.LastLoggedMin);
    PutHeaderInt32(h, hdr::kStoredLastProcessMin, s.LastLoggedMin);
    if (s.ScannedWaveGroups >= 0) PutHeaderInt32(h, hdr::kWaveGroupCount, s.ScannedWaveGroups);
  }
  return h;
}

}  // namespace

RunStorage::RunStorage(int jobs, const FinderSettings& settings)
    : pool(jobs, settings), chunkMinutes(pool.Jobs() == 1 ? 1 : 64 * pool.Jobs()),
      classifier(settings.Classifier), results(static_cast<size_t>(chunkMinutes)) {}

FileOutcome ProcessZV1File(FileSlots& slots, RunStorage& run, Host& host,
                           std::vector<std::string>& exportLines, const GraphMarkSink& graph) {
  FileOutcome outcome;
  const FileStamp before = StampOf(slots[1].FullFileName);
  MapSlot(slots, 1, true, host, true);
  TFileRec& s = slots[1];
  if (!s.Open) {
    outcome.error = cfmsg::kNotValid;
    return outcome;
  }
  const int32_t minutes = s.MinStartsWritten;
  const int64_t firstSpan = minutes > 0 ? int64_t{s.MinStarts[1]} - s.MinStarts[0] : 0;
  if (firstSpan <= 0) {
    if (host.AdministratorMode())
      host.TimedMessage(std::string(cfmsg::kFirstMinuteEmpty) + std::to_string(firstSpan), 3000);
    outcome.error = cfmsg::kNoMinutes;
    return outcome;
  }
  const std::string zv2Path = WithExtension(s.FullFileName, ".ZV2");
  ZvFileWriter out(zv2Path, Zv2Header(s));
  if (!out.IsOpen()) {
    host.TimedMessage(std::string(cfmsg::kFailedToCreateZV2) + zv2Path, 20000);
    outcome.error = std::string(cfmsg::kZV2NotWritten) +
                    (out.ErrorText().empty() ? std::string(cfmsg::kUnknownError) : out.ErrorText());
    return outcome;
  }
  std::error_code ec;
  std::filesystem::remove(WithExtension(s.FullFileName, ".z2m"), ec);

  const std::string caption = std::string(cfmsg::kFindingCallsIn) + s.ShortName;
  const int32_t progressEvery = std::max(1, minutes / kProgressSteps);
  host.Progress(caption, 0, kProgressSteps);
  const int chunkMinutes = run.chunkMinutes;
  std::vector<MinuteResult>& results = run.results;
  cf::MinutePool& pool = run.pool;
  MinuteReader reader(s);
  std::vector<MinuteGroup> groups;
  OrderedCommit ordered;
  bool writeOk = true;
  const bool collectGraph = static_cast<bool>(graph);

  for (int32_t m = 0; m < minutes;) {
    // A batch of minutes, bounded in count and in raw bytes so that the results waiting to be
    // written stay small whatever the file holds, cut into groups for the workers.
    int count = 0;
    size_t batchBytes = 0, groupBytes = 0;
    groups.clear();
    while (count < chunkMinutes && m + count < minutes && (count == 0 || batchBytes < kChunkBytesLimit)) {
      const size_t bytes = reader.BytesOf(m + count);
      if (groups.empty() || groupBytes >= kGroupBytes || groups.back().count >= kGroupMinutes) {
        groups.push_back({count, 0});
        groupBytes = 0;
      }
      ++groups.back().count;
      groupBytes += bytes;
      batchBytes += bytes;
      ++count;
    }
    const int32_t firstMinute = m;
    // Each minute's result is handed on (written, counted, reported) in file order as soon as it
    // and every minute before it are done, by whichever worker finishes the gap, so the writing
    // overlaps the processing instead of waiting for the whole batch.
    auto commit = [&](int i) {
      MinuteResult& r = results[static_cast<size_t>(i)];
      for (const cf::MinuteNotice& n : r.notices)
        if (!n.administratorOnly || host.AdministratorMode()) host.TimedMessage(n.text, n.milliseconds);
      if (!r.bytes.empty()) writeOk = writeOk && out.Append(r.bytes.data(), r.bytes.size() / kRecordBytes);
      if (r.counters.calls > 0) {
        outcome.totals.octetsInCalls += r.counters.octetsInCalls;
        outcome.totals.calls += r.counters.calls;
        outcome.totals.buzzCalls += r.counters.buzzCalls;
        for (int sp = 0; sp < cf::kSpeciesSlots; ++sp)
          outcome.totals.callsPerSpN[sp] += r.counters.callsPerSpN[sp];
      }
      for (std::string& line : r.exportLines) exportLines.push_back(std::move(line));
      if (collectGraph)
        for (const cf::GraphMark& g : r.graphMarks) graph(g);
      const int32_t doneMinutes = firstMinute + i + 1;
      if (doneMinutes % progressEvery == 0)
        host.Progress(caption, std::min(kProgressSteps, doneMinutes / progressEvery), kProgressSteps);
    };
    const int groupCount = static_cast<int>(groups.size());
    ordered.Start(groupCount);
    pool.Run(groupCount, [&](cf::MinuteWork& w, int g) {
      const MinuteGroup group = groups[static_cast<size_t>(g)];
      std::vector<size_t> offset(static_cast<size_t>(group.count)), length(offset.size());
      std::vector<cf::MinuteNotice> readNotices;
      std::vector<int> noticesOf;  // which minute of the group each read notice is about
      {
        const auto lock = reader.Lock();
        size_t used = 0;
        for (int k = 0; k < group.count; ++k) {
          const size_t recs = reader.Read(firstMinute + group.first + k, w.input, used, readNotices);
          noticesOf.resize(readNotices.size(), k);
          offset[static_cast<size_t>(k)] = used;
          length[static_cast<size_t>(k)] = recs * kRecordBytes;
          used += recs * kRecordBytes;
        }
      }
      for (int k = 0; k < group.count; ++k) {
        const int i = group.first + k;
        w.collectGraphMarks = collectGraph;
        w.minuteOfDay = (s.FirstLoggedMin + firstMinute + i) % kMinutesPerDay;
        cf::ProcessMinute(w, w.input.data() + offset[static_cast<size_t>(k)], length[static_cast<size_t>(k)],
                          s.ShortName);
        MinuteResult& r = results[static_cast<size_t>(i)];
        CopyResult(w, r);
        // A short read is told before what the minute's processing had to say.
        for (size_t n = readNotices.size(); n-- > 0;)
          if (noticesOf[n] == k) r.notices.insert(r.notices.begin(), readNotices[n]);
      }
      ordered.Finished(g, [&](int ready) {
        const MinuteGroup finished = groups[static_cast<size_t>(ready)];
        for (int k = 0; k < finished.count; ++k) commit(finished.first + k);
      });
    });
    m += count;
  }

  std::array<uint8_t, hdr::kClassifierLen> name{};
  const std::string_view classifier = ClassifierName(run.classifier);
  std::copy(classifier.begin(), classifier.end(), name.begin());
  writeOk = writeOk && out.PatchHeader(hdr::kSpClassifierName, name.data(), name.size());
  // A file that changed while it was read gives no ZV2: the writer's temporary file goes with it.
  if (reader.HadShortRead() || !(StampOf(s.FullFileName) == before) || before.size < 0) {
    outcome.error = cfmsg::kInputChanged;
    return outcome;
  }
  if (!writeOk || !out.Finish()) {
    host.TimedMessage(std::string(cfmsg::kFailedToCreateZV2) + zv2Path, 20000);
    outcome.error = std::string(cfmsg::kZV2NotWritten) +
                    (out.ErrorText().empty() ? std::string(cfmsg::kUnknownError) : out.ErrorText());
    return outcome;
  }
  outcome.zv2Path = zv2Path;
  return outcome;
}

std::string SummaryLine(const TFileRec& s, const FileTotals& t, bool administrator, SpClassifier classifier) {
  char days[32];
  std::snprintf(days, sizeof days, "%.4f",
                (static_cast<double>(s.LastLoggedMin) - s.FirstLoggedMin) / kMinutesPerDay);
  std::string line = s.ShortName + "\t" + days + "\t" + std::to_string(t.octetsInCalls) + "\t" +
                     std::to_string(t.calls) + "\t" + std::to_string(t.buzzCalls);
  const int species = static_cast<int>(SpeciesNames(classifier).size());
  for (int sp = 0; sp < species; ++sp) line += "\t" + std::to_string(t.callsPerSpN[sp]);
  if (administrator)
    line += "\t" + std::to_string(s.ScoreThreshold) + "\t" + std::to_string(s.TriadThreshold);
  return line;
}

}  // namespace zorvel
