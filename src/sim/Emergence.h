// The site's sun and the bats' evening emergence: sunset and sunrise of each local day at the
// simulated logger's place, and when each species' first bat of a night comes past.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/CallShapes.h"
#include "sim/Simulator.h"

namespace zorvel::sim {

// Minutes after sunset at which a species' first bat of the night typically passes. The figures
// are this simulator's own choice, in the order commonly reported for European bats (noctules
// and serotines out around sunset, pipistrelles a little later, horseshoes and Myotis bats
// once it is dark); the simulator adds a few minutes of scatter per night.
double EmergenceDelayMinutes(const SpeciesModel& m);
inline constexpr double kEmergenceScatterMinutes = 5;

struct SunDay {
  std::optional<double> rise, set;  // minute numbers of the local day's sunrise and sunset
};

// The site's sunrise and sunset of local day `day` (days since 1899-12-30).
SunDay SiteSunDay(const SimSite& site, int64_t day);

// A night's emergence times, per species in SpeciesModels() order, in ticks of the series
// (nothing for a night without a sunset).
class EmergencePlan {
 public:
  EmergencePlan(const SimSite& site, int32_t seriesStartMn) : site_(site), startMn_(seriesStartMn) {}
  // Moves to the night holding minute mn (nights run noon to noon) and draws its times.
  void Night(int32_t mn, Rng& rng);
  // The species' first pass of the night when it falls in [from, to), then marked as done.
  std::optional<AbsTick> TakeFirst(size_t species, AbsTick from, AbsTick to);
  // Whether the species is out at tick t of the present night.
  bool Out(size_t species, AbsTick t) const;

 private:
  SimSite site_;
  int32_t startMn_;
  int64_t night_ = INT64_MIN;
  std::vector<std::optional<AbsTick>> first_;
  std::vector<bool> taken_;
};

}  // namespace zorvel::sim
