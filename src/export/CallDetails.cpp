#include <algorithm>
#include <filesystem>

#include "core/AtomicFile.h"
#include "core/MinuteMap.h"
#include "core/OutputGuard.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"
#include "export/DetailListings.h"
#include "export/ExportText.h"
#include "export/Messages.h"
#include "filters/Sequence.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {

namespace {
constexpr size_t kBriefNameLength = 6;
constexpr int kNoFilesMs = 2'000;

std::string Bool(bool b) {
  return std::string(b ? msg::kTrue : msg::kFalse);
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The span a call details export covers in one file.
std::pair<int32_t, int32_t> CallDetailsSpan(const TFileRec& s, const ExportOptions& o,
                                            std::optional<MinuteSpan> sel) {
  if (o.ExportSelectedTime && sel)
    return {std::max(sel->first, s.FirstLoggedMin), std::min(sel->second, s.LastLoggedMin)};
  if (o.ExportSavedTime) {
    const int32_t first = std::max(s.FirstLoggedMin, s.StoredFirstProcessMin);
    const int32_t last = s.StoredLastProcessMin <= s.FirstLoggedMin
                             ? s.LastLoggedMin
                             : std::min(s.LastLoggedMin, s.StoredLastProcessMin);
    return {first, last};
  }
  return {s.FirstLoggedMin, s.LastLoggedMin};
}
}  // namespace

std::vector<std::string> ZV2FilesUnder(const std::string& dir) {
  std::vector<std::string> out;
  std::error_code ec;
  std::filesystem::recursive_directory_iterator it(
      dir, std::filesystem::directory_options::skip_permission_denied, ec);
  for (; !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code fec;
    // A pipe, device or broken link named as a ZV2 file is listed too, so that it is named as
    // failing rather than passed over in silence; folders are descended into.
    if (!it->is_directory(fec) && Upper(it->path().extension().string()) == ".ZV2")
      out.push_back(it->path().string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::string CallDetailsFileName(const std::string& firstFile) {
  std::filesystem::path p(firstFile);
  p.replace_extension();
  return p.string() + std::string(msg::kCallDetailsSuffix);
}

std::string CallDetailsRow(const TFileRec& s, bool briefName) {
  const tCall& c = s.aCall;
  const std::string name =
      briefName ? s.ShortName.substr(0, std::min(kBriefNameLength, s.ShortName.size())) : s.ShortName;
  const int32_t halfDeg = s.HalfDegC_RTC != 0 ? s.HalfDegC_RTC : s.HalfDegCpreamp;
  const size_t type = std::min<size_t>(c.CallType, 3);
  std::string row = name + "\t" + ExportDateTimeText(s.NrTime.Mn) + "\t" + HalfDegreesTwoDigits(halfDeg) +
                    "\t" + std::to_string(c.StartTime) + "\t" + std::to_string(c.Number) + "\t" +
                    FeatureString(c.Seq) + "\t" + Bool(c.BuzzCall) + "\t" + std::to_string(c.avScore) + "\t" +
                    Bool(c.Reverb) + "\t" + std::string(msg::kCallTypeTexts[type]) + "\t" +
                    FixedPoint(c.Duration100Musecs, 10, 1);
  for (int32_t v : {c.Fmin,      c.Fmax,       c.Fstart,      c.Fend,       c.Frange,  c.ModalKHZ, c.Fav,
                    c.BodyHiKhz, c.BodyLoKhz,  c.MinSlopeKHZ, c.UBkhz,      c.UBSharp, c.DBkhz,    c.DBSharp,
                    c.Flat1KHZ,  c.Flat1score, c.Flat2KHZ,    c.Flat2score, c.AmpAv,   c.Nmissing})
    row += "\t" + std::to_string(v);
  row += "\t" + std::to_string(8LL * c.nSelOctInCall);
  return row;
}

CallDetailsOutcome ExportCallDetails(const std::vector<std::string>& files, const ExportOptions& options,
                                     const ExportFilters& filters, std::optional<MinuteSpan> selection,
                                     Host& host) {
  CallDetailsOutcome out;
  if (files.empty()) {
    host.TimedMessage(msg::kNoFilesSelectedLower, kNoFilesMs);
    return out;
  }
  out.outputFile = CallDetailsFileName(files.front());
  if (const std::string problem = OutputProblem(out.outputFile, files); !problem.empty()) {
    host.TimedMessage(out.outputFile + ": " + problem, kNoFilesMs);
    return out;
  }
  AtomicFileWriter file(out.outputFile);
  if (!file.IsOpen()) {
    host.TimedMessage(out.outputFile + std::string(msg::kNotCreatedSuccessfully), kNoFilesMs);
    return out;
  }
  auto writeLine = [&file](const std::string& line) {
    file.Write(line.data(), line.size());
    file.Write("\r\n", 2);
  };
  writeLine(std::string(msg::kCallDetailsHeading));

  CallFilter callFilter(filters.settings, filters.species);
  FileSlots slots;
  InitSlotSpeciesNames(slots);
  OpenOptions openOptions;
  openOptions.batchRunning = true;
  std::vector<std::string> perFile;
  const int n = static_cast<int>(files.size());
  for (int i = 0; i < n && !host.StopRequested(); ++i) {
    const std::string& path = files[static_cast<size_t>(i)];
    host.Progress(std::string(msg::kExportingCallDetails) + std::to_string(i + 1) + std::string(msg::kOf) +
                      std::to_string(n),
                  i, n);
    if (!OpenFileInSlot(slots, path, 1, host, openOptions).opened) {
      perFile.push_back(std::string(msg::kErrorTab) + path);
      continue;
    }
    ApplyBuiltInSpeciesNames(slots, 1);
    TFileRec& s = slots[1];
    const auto [first, last] = CallDetailsSpan(s, options, selection);
    int rows = 0;
    const bool sought = first <= last && SeekToMinuteStart(slots, 1, first, host, false);
    // A file whose records cannot be read (a header alone) is closed while it is sought: it was
    // not read, and has no row of its own.
    if (!s.Open) {
      perFile.push_back(std::string(msg::kErrorTab) + path);
      continue;
    }
    ++out.filesRead;
    if (sought) {
      ReaderContext ctx{host, &callFilter};
      ctx.options.IgnoreFilters = filters.settings.IgnoreFilters;
      ctx.options.LastMinuteToShow = last;
      while (s.InPlay && !host.StopRequested()) {
        if (!ReadNextRecord(s, ctx)) continue;
        if (s.NrType == tCallrec && s.NewCall && s.CallOK && s.InPlay) {
          writeLine(CallDetailsRow(s, options.WithBriefFileName));
          ++rows;
        }
      }
    }
    out.rows += rows;
    perFile.push_back(s.ShortName + "\t" + std::to_string(rows));
    CloseSlot(slots, 1);
  }
  if (out.filesRead == 0) {
    // Not one file could be read: no empty list is left behind, and no completion is claimed.
    file.Abandon();
    for (const auto& l : perFile) host.AddLine(Memo::ErrorsMemo, l);
    host.TimedMessage(std::string(msg::kNoFileRead) + out.outputFile, kNoFilesMs);
    return out;
  }
  out.created = file.Commit();
  if (!out.created) {
    host.TimedMessage(out.outputFile + std::string(msg::kNotCreatedSuccessfully) + ": " + file.ErrorText(),
                      kNoFilesMs);
    return out;
  }
  host.AddLine(Memo::DataMemo, msg::kClickDataExportedTo);
  host.AddLine(Memo::DataMemo, out.outputFile);
  host.AddLine(Memo::DataMemo, std::to_string(out.filesRead) + std::string(msg::kFilesSuccessfullyRead) +
                                   std::to_string(n) + std::string(msg::kFilesSelected));
  host.AddLine(Memo::DataMemo, "");
  host.AddLine(Memo::DataMemo, msg::kFileCallsExported);
  for (const auto& l : perFile) host.AddLine(Memo::DataMemo, l);
  host.TimedMessage(msg::kExportComplete, kNoFilesMs);
  return out;
}

}  // namespace zorvel
