#include "export/PassExport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "core/AtomicFile.h"
#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"
#include "core/TimeBase.h"
#include "export/Messages.h"
#include "species/BuiltInSpecies.h"
#include "species/Passes.h"

namespace zorvel {

namespace {

constexpr int32_t kPassTicksPerSecond = 200'000;
constexpr int kMessageMs = 2'000;

// The value most entries carry (the first of equals, in order of appearance), or 0.
int32_t MostCommon(const std::vector<int32_t>& values) {
  std::map<int32_t, int> count;
  int32_t best = 0;
  int bestCount = 0;
  for (int32_t v : values) {
    const int c = ++count[v];
    if (c > bestCount) best = v, bestCount = c;
  }
  return best;
}

}  // namespace

std::vector<PassSummary> MinutePassSummaries(int32_t minute, const std::vector<tCall>& calls) {
  std::vector<size_t> order(calls.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return calls[a].StartTime < calls[b].StartTime; });
  std::vector<PassCall> pc;
  for (size_t i : order) {
    const tCall& c = calls[i];
    pc.push_back({c.StartTime, int64_t{c.StartTime} + 20 * int64_t{c.Duration100Musecs},
                  PassKeyKHz(c.ModalKHZ, c.MedianKHZ, c.Fmin, c.Fmax), c.BuzzCall});
  }
  const std::vector<int> passOf = GroupIntoPasses(pc);
  const int passes = passOf.empty() ? 0 : *std::max_element(passOf.begin(), passOf.end()) + 1;
  std::vector<PassSummary> out(static_cast<size_t>(std::max(0, passes)));
  std::vector<std::vector<const tCall*>> members(out.size());
  for (size_t k = 0; k < order.size(); ++k)
    if (passOf[k] >= 0) members[static_cast<size_t>(passOf[k])].push_back(&calls[order[k]]);
  for (size_t p = 0; p < out.size(); ++p) {
    PassSummary& s = out[p];
    s.minute = minute;
    s.startTick = members[p].front()->StartTime;
    std::vector<int32_t> species, peaks;
    for (const tCall* c : members[p]) {
      s.endTick = std::max<int32_t>(s.endTick, c->StartTime + 20 * c->Duration100Musecs);
      if (c->BuzzCall) {
        ++s.buzzCalls;
        continue;
      }
      ++s.calls;
      species.push_back(c->SpN);
      peaks.push_back(c->ModalKHZ);
    }
    s.species = MostCommon(species);
    std::vector<int32_t> second;
    for (const tCall* c : members[p]) {
      if (c->BuzzCall || c->SpN != s.species) continue;
      s.confidence = std::max(s.confidence, c->SpConfidence);
      second.push_back(c->Sp2N);
    }
    s.secondSpecies = MostCommon(second);
    if (!peaks.empty()) {
      std::sort(peaks.begin(), peaks.end());
      s.medianPeakKHz = peaks[peaks.size() / 2];
    }
  }
  return out;
}

std::string PassTimeText(int32_t minute, int32_t tick) {
  const CivilDateTime d = DateTimeOfMinute(minute);
  const int32_t ms = std::clamp(tick, 0, 60 * kPassTicksPerSecond - 1) / 200;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", d.year, d.month, d.day, d.hour, d.minute,
                ms / 1000, ms % 1000);
  return buf;
}

std::string PassHeading() {
  return std::string(msg::kPassHeading);
}

std::string PassLine(const TFileRec& slot, const PassSummary& p) {
  char seconds[24];
  std::snprintf(seconds, sizeof seconds, "%.3f",
                static_cast<double>(std::max(0, p.endTick - p.startTick)) / kPassTicksPerSecond);
  auto name = [&](int32_t sp) { return sp == 0 ? slot.SpNames[0] : SpeciesNameOrNumber(slot, sp); };
  return slot.ShortName + "\t" + PassTimeText(p.minute, p.startTick) + "\t" + PassTimeText(p.minute, p.endTick) +
         "\t" + seconds + "\t" + std::to_string(p.calls) + "\t" + std::to_string(p.buzzCalls) + "\t" +
         name(p.species) + "\t" + std::to_string(p.confidence) + "\t" +
         (p.secondSpecies == 0 ? std::string() : name(p.secondSpecies)) + "\t" + std::to_string(p.medianPeakKHz);
}

std::string PassesFileName(const std::string& firstFile) {
  std::filesystem::path p(firstFile);
  p.replace_extension();
  return p.string() + std::string(msg::kPassesSuffix);
}

PassesOutcome ExportPasses(const std::vector<std::string>& files, const std::optional<std::string>& outPath,
                           Host& host) {
  PassesOutcome out;
  if (files.empty()) {
    host.TimedMessage(msg::kNoFilesSelectedLower, kMessageMs);
    return out;
  }
  out.outputFile = outPath ? *outPath : PassesFileName(files.front());
  AtomicFileWriter file(out.outputFile);
  if (!file.IsOpen()) {
    host.TimedMessage(out.outputFile + std::string(msg::kNotCreatedSuccessfully), kMessageMs);
    return out;
  }
  auto writeLine = [&file](const std::string& line) {
    file.Write(line.data(), line.size());
    file.Write("\r\n", 2);
  };
  writeLine(PassHeading());
  FileSlots slots;
  InitSlotSpeciesNames(slots);
  OpenOptions openOptions;
  openOptions.batchRunning = true;
  for (const std::string& path : files) {
    if (host.StopRequested()) break;
    if (!OpenFileInSlot(slots, path, 1, host, openOptions).opened || slots[1].FileType == ftZV1) {
      out.failed.push_back(path);
      host.AddLine(Memo::DataMemo, std::string(msg::kErrorTab) + path);
      CloseSlot(slots, 1);
      continue;
    }
    ApplyBuiltInSpeciesNames(slots, 1);
    TFileRec& s = slots[1];
    ReaderContext ctx{host, nullptr};
    ctx.options.IgnoreFilters = true;
    std::vector<tCall> calls;
    int32_t minute = 0;
    auto flush = [&] {
      for (const PassSummary& p : MinutePassSummaries(minute, calls)) {
        writeLine(PassLine(s, p));
        ++out.rows;
      }
      calls.clear();
    };
    if (SeekToMinuteStart(slots, 1, s.FirstLoggedMin, host, false)) {
      while (s.InPlay && !host.StopRequested()) {
        if (!ReadNextRecord(s, ctx)) continue;
        if (s.NrType == tCallrec && s.NewCall) {
          if (s.NrTime.Mn != minute) flush();
          minute = s.NrTime.Mn;
          calls.push_back(s.aCall);
        }
      }
    }
    flush();
    ++out.filesRead;
    CloseSlot(slots, 1);
  }
  out.created = file.Commit();
  if (!out.created) {
    host.TimedMessage(out.outputFile + std::string(msg::kNotCreatedSuccessfully), kMessageMs);
    return out;
  }
  host.AddLine(Memo::DataMemo, msg::kPassesExportedTo);
  host.AddLine(Memo::DataMemo, out.outputFile);
  host.AddLine(Memo::DataMemo, std::to_string(out.rows) + std::string(msg::kPassesListed));
  return out;
}

}  // namespace zorvel
