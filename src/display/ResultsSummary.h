// The results summary of one file over the time range in use: minutes, acoustic minutes,
// wave-group and call totals, battery use, truncated minutes, and the parameter histograms the
// Analysis page draws as bar charts. The totals and the texts are plain values; the window only
// puts them into its labels and charts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/FileRec.h"
#include "core/RecordReader.h"

namespace zorvel {

// The most wave groups a minute may hold as far as the program is concerned; a file's own limit
// can only be lower. A limit above 99,998 means minutes are never cut short.
constexpr int32_t kProgramChunkLimit = 100000;

constexpr int kSummaryBins = 256;
using SummaryHistogram = std::array<int64_t, kSummaryBins>;

// The eight charts, in the order of the Analysis page.
enum SummaryChart : uint8_t {
  scFlats,
  scMaxKHZ,
  scMinKHZ,
  scMaxDown,
  scMinSlope,
  scSpectrum,
  scUpBend,
  scDownBend,
  scChartCount
};

struct SummaryTotals {
  TFileType fileType = ftUnknown;
  int64_t minutes = 0;                 // G
  int64_t acousticMinutes = 0;         // F
  int64_t positiveMinutes = 0;         // ZV2: minutes with wave groups
  int64_t truncatedMinutes = 0;        // T
  int32_t limit = kProgramChunkLimit;  // L
  int64_t octets = 0;                  // O
  int64_t calls = 0;
  double tempSum = 0;
  std::array<int64_t, 4> batteryMinutes{};
  std::array<float, 4> startVoltages{};
  std::array<int64_t, 4> typeCounts{};   // by tCallType
  std::array<int64_t, 4> typeKHZSums{};  // sum of ModalKHZ by type
  std::array<SummaryHistogram, scChartCount> charts{};
  std::array<int64_t, 16> amplitudeClasses{};  // AmpAv in classes of 16
  // Calls and passes per species (ZV2 and ZV3 files), in species order, named as the file names them.
  struct SpeciesTally {
    int32_t species = 0;
    std::string name;
    int64_t calls = 0, passes = 0;
  };
  std::vector<SpeciesTally> species;
};

// Reads the slot from firstMin to lastMin (or the end of its processed part, see the .cpp) with
// the reader's filters. progress(minute) is called every rangeMinutes/120 minutes of long ranges.
SummaryTotals AnalyzeSlot(FileSlots& slots, int slot, int32_t firstMin, int32_t lastMin,
                          ReaderContext& reader);

struct SummaryTexts {
  std::string FileTimeOn, RunningTime, WaveTotal, CallCount, DPMperDay, Diversity, OneGbLasts, BattStack,
      Truncated, MeanDegC, CallFilters;
  std::vector<std::string> memo;  // AnalysisMemo lines
};

SummaryTexts MakeSummaryTexts(const SummaryTotals& t, int64_t fileBytes, const std::string& passFilterText);

// Width in pixels of a call type's legend bar.
int TypeBarWidth(const SummaryTotals& t, int type);
// The mean ModalKHZ of a call type (0 without calls).
int TypeMeanKHZ(const SummaryTotals& t, int type);

}  // namespace zorvel
