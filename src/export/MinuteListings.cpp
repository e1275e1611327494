// Listings read minute by minute from an open file: the minute values of the file selected for
// action, and the microphone response of file 1.
#include <array>

#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "export/DetailListings.h"
#include "export/ExportText.h"
#include "export/Messages.h"
#include "filters/Messages.h"

namespace zorvel {

namespace {
constexpr int kNoFileMs = 5'000;
constexpr int kMicLowKhz = 17, kMicHighKhz = 225;
constexpr int kMicScoreAbove = 4;
constexpr int32_t kMicMinWaveGroups = 500;
constexpr int kMicFirstLine = 20, kMicLastLine = 220, kMicLineStep = 5;
}  // namespace

std::optional<std::vector<std::string>> ListMinuteValues(FileSlots& slots, int selectedSlot,
                                                         int32_t screenFirstMin, int32_t screenLastMin,
                                                         Host& host, std::string* caption) {
  int slot = selectedSlot;
  if (!FileSlots::ValidSlot(slot) || !slots[slot].Open) {
    if (!slots[1].Open) {
      host.TimedMessage(msg::kNoFileSelectedShort, kNoFileMs);
      return std::nullopt;
    }
    host.TimedMessage(msg::kNoFileForActionUsingFile1, kNoFileMs);
    slot = 1;
  }
  host.Progress(std::string(msg::kWaitReadingFile) + std::to_string(slot), 0, 1);
  TFileRec& s = slots[slot];
  std::vector<std::string> lines{std::string(msg::kMinuteValuesHeading)};
  if (screenFirstMin <= s.LastLoggedMin && SeekToMinuteStart(slots, slot, screenFirstMin, host, false)) {
    ReaderContext ctx{host};
    ctx.options.IgnoreFilters = true;
    while (!host.StopRequested()) {
      ReadNextUsedRecord(s, ctx);
      if (s.NrType == tEnd || s.NrTime.Mn > screenLastMin) break;
      if (s.NrType != tMinRec) continue;
      std::string row = s.ShortName + "\t" + ExportDateTimeText(s.NrTime.Mn) + "\t" +
                        std::to_string(s.LightN) + "\t" + FixedPoint(s.HalfDegCpreamp, 1, 5) + "\t" +
                        std::to_string(s.BatInUse);
      for (int32_t v : {s.Bat1Vn, s.Bat2Vn, s.Bat3Vn, s.Bat4Vn}) row += "\t" + FixedPoint(v, 10, 1);
      lines.push_back(row);
    }
  }
  if (caption)
    *caption = std::string(msg::kFileWord) + std::to_string(slot) + std::string(msg::kMinuteValuesCaptionEnd);
  return lines;
}

std::optional<std::vector<std::string>> MicrophoneResponse(FileSlots& slots, TRecTime rangeStart,
                                                           const ExportFilters& filters, Host& host) {
  if (!slots[1].Open) {
    host.TimedMessage(msg::kFile1MustBeZV1, kNoFileMs);
    return std::nullopt;
  }
  std::array<int64_t, 256> sums{}, counts{};
  TFileRec& s = slots[1];
  int64_t groups = 0;
  if (SeekToMinuteStart(slots, 1, rangeStart.Mn, host, false)) {
    ReaderContext ctx{host};
    ctx.options.IgnoreFilters = true;
    while (s.InPlay && !host.StopRequested()) {
      if (!ReadNextRecord(s, ctx) || s.NrType != tOctet) continue;
      if (s.NrTime < rangeStart) continue;
      ++groups;
      const int32_t f = s.aOct.avF;
      if (s.aOct.score > kMicScoreAbove && f >= kMicLowKhz && f <= kMicHighKhz) {
        sums[static_cast<size_t>(f)] += s.aOct.avSPL;
        ++counts[static_cast<size_t>(f)];
      }
    }
  }
  // Back where the display was, with the filters in force again.
  CallFilter callFilter(filters.settings, filters.species);
  ReaderContext back{host, &callFilter};
  back.options.IgnoreFilters = filters.settings.IgnoreFilters;
  MoveAllFilePosn(slots, rangeStart, back, false);
  if (groups < kMicMinWaveGroups) {
    host.TimedMessage(msg::kTooFewWaves, kNoFileMs);
    return std::nullopt;
  }
  auto weighted = [](const std::array<int64_t, 256>& a, int k) {
    return a[k - 2] + 2 * a[k - 1] + 3 * a[k] + 2 * a[k + 1] + a[k + 2];
  };
  std::vector<std::string> lines;
  for (int k = kMicFirstLine; k <= kMicLastLine; k += kMicLineStep) {
    const int64_t c = std::max<int64_t>(1, weighted(counts, k));
    lines.push_back(std::to_string(weighted(sums, k) / c) + std::string(msg::kMicLineSeparator) + "\t" +
                    std::to_string(k) + std::string(msg::kKhz));
  }
  host.TimedMessage(std::to_string(8 * groups) + std::string(msg::kCalibrationOnClipboard), kNoFileMs);
  return lines;
}

}  // namespace zorvel
