#include "sim/Emergence.h"

#include <cmath>
#include <cstring>

#include "core/CallRecords.h"
#include "core/SunTimes.h"
#include "core/TimeBase.h"

namespace zorvel::sim {

double EmergenceDelayMinutes(const SpeciesModel& m) {
  struct Delay {
    const char* name;
    double minutes;
  };
  static constexpr Delay kDelays[] = {{"Noctule", 10}, {"Serotine", 18}, {"CmnPip", 22},
                                      {"SopPip", 26},  {"NatPip", 28},   {"LHB", 32},
                                      {"GHB", 38},     {"FM", 50},       {"Natterer", 58}};
  for (const Delay& d : kDelays)
    if (std::strcmp(d.name, m.name) == 0) return d.minutes;
  return 40;
}

SunDay SiteSunDay(const SimSite& s, int64_t day) {
  SunDay d;
  d.rise = SunEventMinute(day, s.latitude, s.longitude, s.utcOffsetMinutes, kSunsetZenith, true);
  d.set = SunEventMinute(day, s.latitude, s.longitude, s.utcOffsetMinutes, kSunsetZenith, false);
  return d;
}

void EmergencePlan::Night(int32_t mn, Rng& rng) {
  const int64_t night = (static_cast<int64_t>(mn) - kMinutesPerDay / 2) / kMinutesPerDay;
  if (night == night_) return;
  night_ = night;
  const auto& models = SpeciesModels();
  first_.assign(models.size(), std::nullopt);
  taken_.assign(models.size(), false);
  const SunEvents sun = NightSunEvents(static_cast<int32_t>(night * kMinutesPerDay + kMinutesPerDay / 2),
                                       site_.latitude, site_.longitude, site_.utcOffsetMinutes);
  if (!sun.sunset) return;
  for (size_t k = 0; k < models.size(); ++k) {
    const double at = *sun.sunset + EmergenceDelayMinutes(models[k]) +
                      rng.Between(-kEmergenceScatterMinutes, kEmergenceScatterMinutes);
    first_[k] = static_cast<AbsTick>(std::llround((at - startMn_) * kTicksPerMinute));
  }
}

std::optional<AbsTick> EmergencePlan::TakeFirst(size_t species, AbsTick from, AbsTick to) {
  if (species >= first_.size() || taken_[species] || !first_[species]) return std::nullopt;
  const AbsTick t = *first_[species];
  if (t < from || t >= to) return std::nullopt;
  taken_[species] = true;
  return t;
}

bool EmergencePlan::Out(size_t species, AbsTick t) const {
  if (species >= first_.size() || !first_[species]) return true;
  return t > *first_[species];
}

}  // namespace zorvel::sim
