#include "export/PassExport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/AtomicFile.h"
#include "core/MinuteMap.h"
#include "core/OutputGuard.h"
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

}  // namespace

std::string PassTimeText(int32_t minute, int32_t tick) {
  const CivilDateTime d = DateTimeOfMinute(minute);
  const int32_t ms = std::clamp(tick, 0, 60 * kPassTicksPerSecond - 1) / 200;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", d.year, d.month, d.day, d.hour,
                d.minute, ms / 1000, ms % 1000);
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
  return slot.ShortName + "\t" + PassTimeText(p.minute, p.startTick) + "\t" +
         PassTimeText(p.minute, p.endTick) + "\t" + seconds + "\t" + std::to_string(p.calls) + "\t" +
         std::to_string(p.buzzCalls) + "\t" + name(p.species) + "\t" + std::to_string(p.confidence) + "\t" +
         (p.secondSpecies == 0 ? std::string() : name(p.secondSpecies)) + "\t" +
         std::to_string(p.medianPeakKHz);
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
  if (const std::string problem = OutputProblem(out.outputFile, files); !problem.empty()) {
    host.TimedMessage(out.outputFile + ": " + problem, kMessageMs);
    return out;
  }
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
    const bool sought = SeekToMinuteStart(slots, 1, s.FirstLoggedMin, host, false);
    // A file whose records cannot be read (a header alone) is closed while it is sought.
    if (!s.Open) {
      out.failed.push_back(path);
      host.AddLine(Memo::DataMemo, std::string(msg::kErrorTab) + path);
      continue;
    }
    if (sought) {
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
  if (out.filesRead == 0) {
    // Not one file could be read: no empty list is left behind, and no completion is claimed.
    file.Abandon();
    host.TimedMessage(std::string(msg::kNoFileRead) + out.outputFile, kMessageMs);
    return out;
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
