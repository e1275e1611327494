// Low-resolution screens drawn from the per-minute summary must be the very pixels drawn from the
// records: every y-axis type, several levels and screen positions, raw and call files, with no
// filter, the filters as they stand at start-up, and a minute filter.
#include <gtest/gtest.h>

#include "core/MinuteMap.h"
#include "core/MinuteSummary.h"
#include "display/DisplayFixture.h"
#include "display/Graphs.h"
#include "display/Levels.h"
#include "display/ResultsSummary.h"
#include "filters/CallFilter.h"

namespace zorvel {
namespace {

using testing::DisplayFixture;
using testing::SyntheticMinute;

// A varied deployment: quiet and busy minutes, scores on both sides of the summary's split, every
// amplitude scale, changing light, temperatures and batteries, and (for call files) calls of
// every type, some without wave groups.
std::vector<SyntheticMinute> VariedMinutes(int n, bool calls, uint32_t seed) {
  std::vector<SyntheticMinute> ms(static_cast<size_t>(n));
  uint32_t x = seed;
  auto next = [&x] { return x = x * 1664525u + 1013904223u; };
  for (int m = 0; m < n; ++m) {
    SyntheticMinute& mn = ms[static_cast<size_t>(m)];
    mn.values.MinON = m % 7 != 0;
    mn.values.LightN = static_cast<uint8_t>(m * 13 % 256);
    mn.values.RtcDegC = static_cast<uint8_t>(10 + m % 9);
    mn.values.PreampHalfDegPlus20 = static_cast<uint8_t>(30 + m % 60);
    mn.values.BatInUse = static_cast<uint8_t>(1 + m % 4);
    mn.values.BatVn = {static_cast<uint8_t>(200 - m % 50), static_cast<uint8_t>(150 + m % 30),
                       static_cast<uint8_t>(m % 3 ? 90 : 0), 40};
    const int groups = m % 5 == 0 ? 0 : (m % 3 == 0 ? 3 : static_cast<int>(next() % 60));
    int tick = 1000;
    for (int g = 0; g < groups; ++g) {
      tick += 1 + static_cast<int>(next() % 80'000);
      const int t = g % 9 == 5 ? std::max(0, tick - 30'000) : tick;  // backwards, or at 0
      const uint8_t ipi = static_cast<uint8_t>(12 + next() % 200);
      const uint8_t amp = static_cast<uint8_t>(next() >> 24);
      const int32_t score = static_cast<int32_t>(next() % 32);
      if (calls) {
        if (g % 4 == 0) {
          tCall c = testing::AcceptedCall(tick, g / 4 + 1);
          c.CallType = static_cast<tCallType>(next() % 4);
          c.ModalKHZ = static_cast<int32_t>(next() % 120);
          c.MedianKHZ = static_cast<int32_t>(30 + next() % 40);
          c.SpN = static_cast<int32_t>(next() % 5);
          c.BuzzCall = g % 12 == 8;
          c.AmpAv = static_cast<int32_t>(next() % 3);  // some calls the start-up filters reject
          for (const Record& r : EncodeCall(c)) mn.records.push_back(r);
          if (g % 8 == 4) continue;  // a call without wave groups
        }
        mn.records.push_back(EncodeZV2WaveGroup(t, {amp, amp, 200, 240}, {ipi, ipi, 40, ipi}, false, false,
                                                g / 4 + 1, tfNotFeature, score));
      } else {
        std::array<uint8_t, 8> ipis;
        for (auto& v : ipis) v = static_cast<uint8_t>(ipi + next() % 9);
        mn.records.push_back(
            EncodeZV1WaveGroup(t, ipis, {amp, 240, 231, static_cast<uint8_t>(next())}, score));
      }
    }
  }
  return ms;
}

class SummaryPathTest : public DisplayFixture {
 protected:
  FilterSettings settings;
  SpeciesListModel species;
  CallFilter filter{settings, species};

  QImage Draw(bool summary, int level, int32_t startMin) {
    painter.useSummaries = summary;
    view.DisplayTimeUnit = level;
    ApplyLevel(view);
    view.DisplayPosition = {startMin, 0};
    nav.ShowAtPoint(view.layout.PlotLeft, ShowMode::Keep);
    return painter.Image().copy();
  }

  // Draws every y-axis type at each level and start from both roads and compares the images.
  void ExpectSamePixels(int slot, const std::vector<int>& levels, bool expectServed) {
    const int32_t first = fileSlots[slot].FirstLoggedMin;
    for (TYaxisType axis : {tyFreq, tyPeriod, tySPL, tyCallType, tyBatteryVoltage}) {
      if (axis == tyCallType && fileSlots[slot].FileType == ftZV1) continue;
      fileSlots[slot].FileYaxisType = axis;
      for (int level : levels) {
        for (int32_t start : {first - 7, first + 3, first + 250}) {
          SCOPED_TRACE("axis " + std::to_string(axis) + " level " + std::to_string(level) + " start " +
                       std::to_string(start - first));
          const QImage fromRecords = Draw(false, level, start);
          const QImage fromSummary = Draw(true, level, start);
          int layers = 0;
          EXPECT_EQ(ServingSummary(fileSlots[slot], reader, &layers) != nullptr, expectServed);
          ASSERT_EQ(fromRecords.size(), fromSummary.size());
          EXPECT_TRUE(fromRecords == fromSummary);
        }
      }
    }
  }
};

TEST_F(SummaryPathTest, RawFileLooksTheSameFromEitherRoad) {
  const int slot = Open("night.ZV1", VariedMinutes(400, false, 7));
  options.ShowLight = options.ShowTemps = options.ShowTempsGrid = true;
  options.ShowBatt = {true, true, true, true};
  Layout(12, 700, 416);
  ExpectSamePixels(slot, {12, 13, 14, 15}, true);
}

TEST_F(SummaryPathTest, FiltersAsAtStartUpAndMinuteFiltersUseTheSummary) {
  const int slot = Open("night.ZV1", VariedMinutes(300, false, 11));
  reader.filter = &filter;
  Layout(12, 700, 416);
  int layers = 0;
  ASSERT_TRUE(nav.ShowFromStart());
  ASSERT_NE(ServingSummary(fileSlots[slot], reader, &layers), nullptr);
  EXPECT_EQ(layers, 1);  // the start-up wave-group filter stops at score 24
  ExpectSamePixels(slot, {12, 13}, true);
  settings.minutes.SetText(MinuteEdit::MinLightLevelEdit, "60");
  settings.minutes.SetText(MinuteEdit::MaxLightLevelEdit, "200");
  ASSERT_TRUE(settings.minutes.MinuteFiltersActive());
  ExpectSamePixels(slot, {12, 14}, true);
}

TEST_F(SummaryPathTest, CallFileLooksTheSameFromEitherRoad) {
  const int slot = Open("night.ZV2", VariedMinutes(300, true, 5));
  Layout(12, 700, 416);
  ExpectSamePixels(slot, {12, 13, 14}, true);
  // A call filter that passes every call still lets the summary serve; the start-up one does not
  // (it drops quiet calls), and then both roads read the records.
  reader.filter = &filter;
  settings.ranges.SetText(RangeEdit::MinAvSPLEdit, "0");
  settings.ranges.SetText(RangeEdit::MaxOctQedit, "31");
  ExpectSamePixels(slot, {12}, true);
  settings.ranges.SetText(RangeEdit::MinAvSPLEdit, "1");
  ExpectSamePixels(slot, {12}, false);
}

TEST_F(SummaryPathTest, WaveGroupFiltersOtherThanTheScoreReadTheRecords) {
  const int slot = Open("night.ZV1", VariedMinutes(120, false, 3));
  reader.filter = &filter;
  settings.ranges.SetText(RangeEdit::MinOctKHZedit, "30");
  Layout(12, 700, 416);
  ExpectSamePixels(slot, {12}, false);
  settings.ranges.SetText(RangeEdit::MinOctKHZedit, "0");
  settings.ranges.SetText(RangeEdit::MaxOctQedit, "20");  // a score limit the summary does not split at
  ExpectSamePixels(slot, {12}, false);
}

void ExpectSameTally(const GraphTally& a, const GraphTally& b) {
  EXPECT_EQ(a.minutes, b.minutes);
  EXPECT_EQ(a.octets, b.octets);
  EXPECT_EQ(a.calls, b.calls);
  EXPECT_EQ(a.hist, b.hist);
  for (size_t i = 0; i < a.diel.size(); ++i) {
    EXPECT_EQ(a.diel[i].minutes, b.diel[i].minutes);
    EXPECT_EQ(a.diel[i].onMinutes, b.diel[i].onMinutes);
    EXPECT_EQ(a.diel[i].lightSum, b.diel[i].lightSum);
    EXPECT_EQ(a.diel[i].tempSum, b.diel[i].tempSum);
    EXPECT_EQ(a.diel[i].octets, b.diel[i].octets);
    EXPECT_EQ(a.diel[i].khz, b.diel[i].khz);
  }
}

void ExpectSameTotals(const SummaryTotals& a, const SummaryTotals& b) {
  EXPECT_EQ(a.minutes, b.minutes);
  EXPECT_EQ(a.acousticMinutes, b.acousticMinutes);
  EXPECT_EQ(a.positiveMinutes, b.positiveMinutes);
  EXPECT_EQ(a.truncatedMinutes, b.truncatedMinutes);
  EXPECT_EQ(a.octets, b.octets);
  EXPECT_EQ(a.calls, b.calls);
  EXPECT_EQ(a.tempSum, b.tempSum);
  EXPECT_EQ(a.batteryMinutes, b.batteryMinutes);
  EXPECT_EQ(a.startVoltages, b.startVoltages);
  EXPECT_EQ(a.typeCounts, b.typeCounts);
  EXPECT_EQ(a.typeKHZSums, b.typeKHZSums);
  EXPECT_EQ(a.charts, b.charts);
  EXPECT_EQ(a.amplitudeClasses, b.amplitudeClasses);
  if (a.fileType == ftZV2) {
    EXPECT_GT(a.species.size(), 1u);  // the call file's species were counted
  }
  ASSERT_EQ(a.species.size(), b.species.size());
  for (size_t i = 0; i < a.species.size(); ++i) {
    EXPECT_EQ(a.species[i].species, b.species[i].species);
    EXPECT_EQ(a.species[i].name, b.species[i].name);
    EXPECT_EQ(a.species[i].calls, b.species[i].calls);
    EXPECT_EQ(a.species[i].passes, b.species[i].passes);
  }
}

class SummaryTalliesTest : public SummaryPathTest {
 protected:
  // Every graph type over [from, to) and the results summary over [from, to - 1], both roads.
  void ExpectSameTallies(int slot, int32_t from, int32_t to) {
    TFileRec& s = fileSlots[slot];
    for (int type = tDiel; type <= tDuration; ++type) {
      SCOPED_TRACE("graph type " + std::to_string(type));
      GraphTally fromRecords, fromSummary;
      for (bool summary : {false, true}) {
        PositionSlot(fileSlots, slot, {from, 0}, reader, false);
        GraphTally t = TallySlot(s, static_cast<tGraphType>(type), {to, 0}, reader, summary);
        (summary ? fromSummary : fromRecords) = t;
      }
      ExpectSameTally(fromRecords, fromSummary);
    }
    const SummaryTotals a = AnalyzeSlot(fileSlots, slot, from, to - 1, reader, false);
    const SummaryTotals b = AnalyzeSlot(fileSlots, slot, from, to - 1, reader, true);
    ExpectSameTotals(a, b);
    PositionSlot(fileSlots, slot, {from, 0}, reader, false);
    int layers = 0;
    EXPECT_NE(ServingSummary(s, reader, &layers), nullptr);
  }
};

TEST_F(SummaryTalliesTest, GraphsAndResultsSummaryAddUpTheSameFromEitherRoad) {
  const int zv1 = Open("night.ZV1", VariedMinutes(300, false, 17));
  const int zv2 = Open("night.ZV2", VariedMinutes(300, true, 19));
  const int32_t first = fileSlots[zv1].FirstLoggedMin;
  for (int slot : {zv1, zv2}) {
    SCOPED_TRACE(fileSlots[slot].ShortName);
    ExpectSameTallies(slot, first - 5, first + 400);
    ExpectSameTallies(slot, first + 17, first + 161);
    reader.filter = &filter;  // the start-up filters: one layer for the raw file
    settings.ranges.SetText(RangeEdit::MinAvSPLEdit, "0");
    settings.minutes.SetText(MinuteEdit::MinMinuteTemperatureEdit, "8");
    ExpectSameTallies(slot, first + 1, first + 299);
    reader.filter = nullptr;
  }
}

}  // namespace
}  // namespace zorvel
