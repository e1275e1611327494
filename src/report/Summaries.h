// The figures' and tables' numbers, worked out from the report data without drawing anything:
// species totals over the survey, the confidence of the names, the species a deployment's charts
// show, the season grid of passes by time after sunset, and the axis ticks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/ReportData.h"

namespace zorvel::report {

struct SpeciesTotal {
  std::string classifier, species;
  int passes = 0;
  int nightsPresent = 0;  // nights (over all deployments) with at least one pass
  int activityIndex = 0;  // minutes with the species present, summed over nights
  int passesWithBuzz = 0;
  double BuzzShare() const { return passes > 0 ? static_cast<double>(passesWithBuzz) / passes : 0.0; }
};

// Per classifier, most passes first (then by name): species of different classifiers are never
// added together, since the same name may mean different things to two classifiers.
std::vector<SpeciesTotal> SpeciesTotals(const ReportData& data);

struct ConfidenceFigures {
  std::vector<std::string> classifiers;  // in first-seen order
  int namedPasses = 0;                   // passes with a species name
  double meanConfidence = 0;             // of the named passes
  int highConfidence = 0;                // named passes of confidence 12 or more
};
ConfidenceFigures Confidence(const ReportData& data);

// The species a deployment's charts give a colour each, most passes first; when there are more
// than `most`, the last place goes to all the rest together.
struct ChartSpecies {
  std::vector<std::string> names;
  bool hasOthers = false;  // the last entry of names stands for every other species
  // Index into names of a species (the "others" entry for one not listed).
  size_t IndexOf(const std::string& species) const;
};
ChartSpecies SpeciesForCharts(const Deployment& d, size_t most);

// Passes of each night in 15-minute bins counted from the night's sunset. Bin b covers minutes
// [15 b, 15 b + 15) after sunset; firstBin is negative when bats came before sunset. Nights
// without a sunset keep an empty row and their passes are left out.
struct SeasonGrid {
  static constexpr double kBinMinutes = 15;
  int firstBin = 0, bins = 0;
  std::vector<std::vector<int>> counts;             // [night][bin - firstBin]
  std::vector<std::optional<double>> sunriseAfter;  // minutes from sunset to sunrise, per night
  int maxCount = 0;
  int leftOut = 0;  // passes of nights without a sunset
};
SeasonGrid SeasonBins(const Deployment& d);

// Up to about `most` round tick values (1, 2 or 5 times a power of ten) covering [lo, hi].
std::vector<double> NiceTicks(double lo, double hi, int most);

// Effort of a deployment in minutes (nights without sun times count nothing).
int EffortMinutes(const Deployment& d);

// Texts of the tables.
std::string DateOfMinute(double minute);               // yyyy-mm-dd
std::string PositionText(const Deployment& d);         // "51.50000° N, 0.11667° W" or msg::kNoPosition
std::string SpeciesLabel(const std::string& species);  // "" becomes msg::kUnclassed
std::string FixedText(double v, int decimals);
std::string PercentText(double share);  // "12 %"

}  // namespace zorvel::report
