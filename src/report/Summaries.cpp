#include "report/Summaries.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "core/TimeBase.h"
#include "report/Messages.h"

namespace zorvel::report {

std::vector<SpeciesTotal> SpeciesTotals(const ReportData& data) {
  std::map<std::pair<std::string, std::string>, SpeciesTotal> totals;
  for (const Deployment& d : data.deployments) {
    for (const SpeciesNightRow& s : d.speciesNights) {
      SpeciesTotal& t = totals[{d.classifier, s.species}];
      t.classifier = d.classifier;
      t.species = s.species;
      t.passes += s.passes;
      t.activityIndex += s.activityIndex;
      if (s.passes > 0) ++t.nightsPresent;
    }
    for (const PassRow& p : d.passes)
      if (p.buzzCalls > 0) ++totals[{d.classifier, p.species}].passesWithBuzz;
  }
  std::vector<SpeciesTotal> out;
  for (auto& [key, t] : totals) {
    t.classifier = key.first;
    t.species = key.second;
    out.push_back(t);
  }
  std::stable_sort(out.begin(), out.end(), [](const SpeciesTotal& a, const SpeciesTotal& b) {
    if (a.classifier != b.classifier) return a.classifier < b.classifier;
    if (a.passes != b.passes) return a.passes > b.passes;
    return a.species < b.species;
  });
  return out;
}

ConfidenceFigures Confidence(const ReportData& data) {
  ConfidenceFigures f;
  double sum = 0;
  for (const Deployment& d : data.deployments) {
    if (std::find(f.classifiers.begin(), f.classifiers.end(), d.classifier) == f.classifiers.end())
      f.classifiers.push_back(d.classifier);
    for (const PassRow& p : d.passes) {
      if (p.species.empty()) continue;
      ++f.namedPasses;
      sum += p.confidence;
      if (p.confidence >= 12) ++f.highConfidence;
    }
  }
  if (f.namedPasses > 0) f.meanConfidence = sum / f.namedPasses;
  return f;
}

size_t ChartSpecies::IndexOf(const std::string& species) const {
  const size_t listed = hasOthers ? names.size() - 1 : names.size();
  for (size_t i = 0; i < listed; ++i)
    if (names[i] == species) return i;
  return names.empty() ? 0 : names.size() - 1;
}

ChartSpecies SpeciesForCharts(const Deployment& d, size_t most) {
  std::map<std::string, int> passes;
  for (const SpeciesNightRow& s : d.speciesNights) passes[s.species] += s.passes;
  std::vector<std::pair<std::string, int>> order(passes.begin(), passes.end());
  std::stable_sort(order.begin(), order.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  ChartSpecies c;
  const bool fold = most > 0 && order.size() > most;
  const size_t keep = fold ? most - 1 : order.size();
  for (size_t i = 0; i < keep; ++i) c.names.push_back(order[i].first);
  if (fold) {
    c.names.push_back(std::string(msg::kOtherSpecies));
    c.hasOthers = true;
  }
  return c;
}

SeasonGrid SeasonBins(const Deployment& d) {
  SeasonGrid g;
  const size_t nights = d.nights.size();
  g.sunriseAfter.resize(nights);
  int lo = -4, hi = 0;  // an hour before sunset at least
  for (size_t i = 0; i < nights; ++i) {
    const NightRow& n = d.nights[i];
    if (n.sunset && n.sunrise) {
      g.sunriseAfter[i] = *n.sunrise - *n.sunset;
      hi = std::max(hi, static_cast<int>(std::ceil(*g.sunriseAfter[i] / SeasonGrid::kBinMinutes)) + 4);
    }
  }
  std::vector<std::pair<size_t, int>> binned;
  for (const PassRow& p : d.passes) {
    if (p.night >= nights || !d.nights[p.night].sunset) {
      ++g.leftOut;
      continue;
    }
    const int b =
        static_cast<int>(std::floor((p.start - *d.nights[p.night].sunset) / SeasonGrid::kBinMinutes));
    binned.push_back({p.night, b});
    lo = std::min(lo, b);
    hi = std::max(hi, b + 1);
  }
  // A night runs noon to noon, so no pass lies further than a day from its sunset.
  lo = std::max(lo, -96);
  hi = std::min(hi, 96);
  g.firstBin = lo;
  g.bins = hi - lo;
  g.counts.assign(nights, std::vector<int>(static_cast<size_t>(g.bins), 0));
  for (const auto& [night, b] : binned) {
    if (b < lo || b >= hi) continue;
    int& c = g.counts[night][static_cast<size_t>(b - lo)];
    g.maxCount = std::max(g.maxCount, ++c);
  }
  return g;
}

std::vector<double> NiceTicks(double lo, double hi, int most) {
  std::vector<double> ticks;
  if (!(hi > lo) || most < 1) {
    ticks.push_back(lo);
    return ticks;
  }
  const double raw = (hi - lo) / most;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  // The finest round step that keeps to most + 1 ticks.
  double step = 10 * power;
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    const double candidate = m * power;
    const double count = std::floor(hi / candidate + 1e-9) - std::ceil(lo / candidate - 1e-9) + 1;
    if (count <= most + 1) {
      step = candidate;
      break;
    }
  }
  const double first = std::ceil(lo / step - 1e-9) * step;
  for (double t = first; t <= hi + step * 1e-9; t += step)
    ticks.push_back(std::abs(t) < step * 1e-9 ? 0.0 : t);
  return ticks;
}

int EffortMinutes(const Deployment& d) {
  int sum = 0;
  for (const NightRow& n : d.nights) sum += n.effortMinutes.value_or(0);
  return sum;
}

std::string DateOfMinute(double minute) {
  const CivilDateTime t = DateTimeOfMinute(static_cast<int32_t>(std::floor(minute)));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
  return buf;
}

std::string PositionText(const Deployment& d) {
  if (!d.latitude || !d.longitude) return std::string(msg::kNoPosition);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.5f\u00b0 %c, %.5f\u00b0 %c", std::abs(*d.latitude),
                *d.latitude < 0 ? 'S' : 'N', std::abs(*d.longitude), *d.longitude < 0 ? 'W' : 'E');
  return buf;
}

std::string SpeciesLabel(const std::string& species) {
  return species.empty() ? std::string(msg::kUnclassed) : species;
}

std::string FixedText(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

std::string PercentText(double share) {
  return FixedText(100.0 * share, 0) + std::string(msg::kPercentSign);
}

}  // namespace zorvel::report
