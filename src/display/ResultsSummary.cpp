#include "display/ResultsSummary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "core/MinuteMap.h"
#include "core/Tables.h"
#include "core/TimeBase.h"
#include "display/Messages.h"
#include "species/BuiltInSpecies.h"
#include "species/Passes.h"

namespace zorvel {
namespace {

constexpr int kBatteryStartMinute = 10;

void AddPositive(SummaryHistogram& h, int32_t v) {
  if (v > 0) ++h[static_cast<size_t>(std::min(v, kSummaryBins - 1))];
}

std::string Fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

}  // namespace

SummaryTotals AnalyzeSlot(FileSlots& slots, int slotNumber, int32_t firstMin, int32_t lastMin,
                          ReaderContext& reader) {
  SummaryTotals t;
  TFileRec& s = slots[slotNumber];
  t.fileType = s.FileType;
  t.limit = s.ChunkLimit > 0 ? std::min(s.ChunkLimit, kProgramChunkLimit) : kProgramChunkLimit;
  PositionSlot(slots, slotNumber, {firstMin, 0}, reader, false);
  // A file whose calls were only found up to some minute is summarised up to there.
  const bool partlyProcessed = s.LastProcessMin <= s.LastLoggedMin - 2;
  const int32_t stopMin = partlyProcessed ? std::min(lastMin, s.LastProcessMin) : lastMin;
  int64_t inMinute = 0;
  bool haveMinute = false;
  int32_t minuteN = 0;
  std::vector<tCall> minuteCalls;  // the minute's calls, grouped into passes when it closes
  std::map<int32_t, std::pair<int64_t, int64_t>> perSpecies;  // calls, passes
  auto closeMinute = [&] {
    for (const PassSummary& p : MinutePassSummaries(minuteN, minuteCalls)) ++perSpecies[p.species].second;
    minuteCalls.clear();
    if (!haveMinute) return;
    t.octets += inMinute;
    if (t.fileType == ftZV2) {
      if (inMinute > 0) ++t.positiveMinutes;
    }
    if (inMinute >= t.limit - 2 || s.MinTruncated) ++t.truncatedMinutes;
  };
  while (s.InPlay && s.NrType != tEnd && s.NrTime.Mn <= stopMin) {
    if (reader.host.StopRequested()) break;
    if (s.NrType == tMinRec) {
      closeMinute();
      haveMinute = true;
      minuteN = s.NrTime.Mn;
      inMinute = 0;
      ++t.minutes;
      t.tempSum += s.HalfDegCpreamp;
      if (s.LightN < s.LightSwitchLevel) ++t.acousticMinutes;
      if (s.BatInUse >= 1 && s.BatInUse <= 4) ++t.batteryMinutes[static_cast<size_t>(s.BatInUse - 1)];
      if (t.minutes == kBatteryStartMinute)
        t.startVoltages = {s.Bat1Voltage, s.Bat2Voltage, s.Bat3Voltage, s.Bat4Voltage};
    } else if (s.NrType == tOctet) {
      ++inMinute;
      AddPositive(t.charts[scSpectrum], s.aOct.avF);
    } else if (s.NrType == tCallrec) {
      const tCall& c = s.aCall;
      ++t.calls;
      minuteCalls.push_back(c);
      if (!c.BuzzCall) ++perSpecies[c.SpN].first;
      const size_t type = static_cast<size_t>(c.CallType & 3);
      ++t.typeCounts[type];
      t.typeKHZSums[type] += c.ModalKHZ;
      AddPositive(t.charts[scMaxKHZ], c.Fmax);
      AddPositive(t.charts[scMinKHZ], c.Fmin);
      AddPositive(t.charts[scMaxDown], c.MaxIPIfallKHZ);
      AddPositive(t.charts[scMinSlope], c.MinSlopeKHZ);
      AddPositive(t.charts[scUpBend], c.UBkhz);
      AddPositive(t.charts[scDownBend], c.DBkhz);
      if (c.Flat1avIPI > 0) AddPositive(t.charts[scFlats], KhzOfIpi(c.Flat1avIPI));
      if (c.Flat2avIPI > 0) AddPositive(t.charts[scFlats], KhzOfIpi(c.Flat2avIPI));
      ++t.amplitudeClasses[static_cast<size_t>(std::clamp(c.AmpAv / 16, 0, 15))];
    }
    ReadNextUsedRecord(s, reader);
  }
  closeMinute();
  if (t.fileType == ftZV2 || t.fileType == ftZV3)
    for (const auto& [sp, n] : perSpecies)
      t.species.push_back({sp, sp == 0 ? s.SpNames[0] : SpeciesNameOrNumber(s, sp), n.first, n.second});
  return t;
}

int TypeBarWidth(const SummaryTotals& t, int type) {
  const int64_t largest = std::max<int64_t>(1, *std::max_element(t.typeCounts.begin(), t.typeCounts.end()));
  return std::max(2, static_cast<int>(std::lround(80.0 * t.typeCounts[static_cast<size_t>(type)] / largest)));
}

int TypeMeanKHZ(const SummaryTotals& t, int type) {
  const int64_t n = t.typeCounts[static_cast<size_t>(type)];
  return n > 0 ? static_cast<int>(t.typeKHZSums[static_cast<size_t>(type)] / n) : 0;
}

SummaryTexts MakeSummaryTexts(const SummaryTotals& t, int64_t fileBytes, const std::string& passFilterText) {
  using std::to_string;
  SummaryTexts x;
  const int64_t G = t.minutes, F = t.acousticMinutes, O = t.octets;
  const double perHourBase = static_cast<double>(std::max<int64_t>(1, F));
  const bool zv1 = t.fileType == ftZV1, zv2 = t.fileType == ftZV2, zv3 = t.fileType == ftZV3;
  x.FileTimeOn = std::string(msg::kFileDurationAnalysed) + MinuteDurationText(G);
  x.RunningTime = std::string(msg::kAcousticDuration) + MinuteDurationText(F);
  if (G > 0) x.RunningTime += " (" + to_string(F * 100 / G) + "%)";
  if (zv1 || zv2)
    x.WaveTotal = to_string(8 * O) + std::string(msg::kWavesTail) +
                  to_string(std::llround(8.0 * O / perHourBase * 60)) + std::string(msg::kPerHour);
  if (zv2) {
    const double rate = t.calls / perHourBase * 60;
    x.CallCount =
        to_string(t.calls) + std::string(msg::kCallsTail) +
        (rate > 20 ? to_string(std::llround(rate)) + std::string(msg::kPerHour) : to_string(t.calls));
    x.DPMperDay = std::string(msg::kDPMperDay) + Fixed(t.positiveMinutes * 1440.0 / perHourBase, 0) + " (" +
                  to_string(t.positiveMinutes) + ")";
  }
  x.memo.push_back(std::string(msg::kOnMins) + to_string(std::max<int64_t>(1, F)));
  x.Diversity = std::string(msg::kFileSizePrefix) + Fixed(fileBytes / 1048576.0, 2) + std::string(msg::kMB);
  if (zv1) {
    const double perMinute = static_cast<double>(O) / std::max<int64_t>(1, G);
    x.OneGbLasts = std::string(msg::kOneGbLasts) + Fixed(4085.0 / std::max(perMinute, 1.0), 2) +
                   std::string(msg::kYears);
  }
  x.BattStack = std::string(msg::kStack);
  for (size_t k = 0; k < 4; ++k) {
    if (t.startVoltages[k] < 0.3f)
      x.BattStack += std::string(msg::kNilBattery);
    else
      x.BattStack +=
          Fixed(t.startVoltages[k], 1) + "v " + to_string(t.batteryMinutes[k] / 1440) + (k < 3 ? "d, " : "d");
  }
  if (t.limit <= 99998 && F > 0 && (zv1 || zv2 || zv3)) {
    x.Truncated = to_string(t.truncatedMinutes * 100 / F) +
                  std::string(zv3 ? msg::kTruncatedInZV1 : msg::kTruncated) + "  (" +
                  to_string(t.truncatedMinutes) + " @ " + to_string(t.limit) + ")";
  }
  x.CallFilters = zv1 ? std::string(msg::kCallFiltersZV1) : std::string(msg::kPassFilters) + passFilterText;
  if (F >= 1)
    x.MeanDegC = std::string(msg::kMeanTemp) + Fixed(t.tempSum / (2.0 * std::max<int64_t>(1, G)), 1) + "C";
  if (zv2) {
    static constexpr std::array<std::string_view, 4> kTypeLines{msg::kMemoFM, msg::kMemoQCF, msg::kMemoCF,
                                                                msg::kMemoUnclass};
    const std::array<size_t, 4> order{tcFM, tcQCF, tcCF, tcNoSp};
    for (size_t k = 0; k < 4; ++k)
      x.memo.push_back(std::string(kTypeLines[k]) + to_string(t.typeCounts[order[k]]));
  }
  if (!t.species.empty()) {
    x.memo.push_back(std::string(msg::kMemoSpeciesHeading));
    for (const SummaryTotals::SpeciesTally& sp : t.species)
      x.memo.push_back(sp.name + "\t" + to_string(sp.calls) + "\t" + to_string(sp.passes));
  }
  return x;
}

}  // namespace zorvel
