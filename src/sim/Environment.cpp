#include "sim/Environment.h"

#include <algorithm>
#include <cmath>

#include "core/TimeBase.h"
#include "sim/Emergence.h"

namespace zorvel::sim {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kListeningMinutesPerTenthVolt = 60;
constexpr double kTwilightMinutes = 40;

struct Sun {
  double rise, set;  // minutes of the day
};

// Sunrise and sunset for a mid-latitude site: long summer days, short winter ones.
Sun SunOn(int32_t mn) {
  const CivilDateTime t = DateTimeOfMinute(mn);
  const int64_t dayOfYear = DaysFromCivil(t.year, t.month, t.day) - DaysFromCivil(t.year, 1, 1);
  const double swing = std::cos(2 * kPi * (static_cast<double>(dayOfYear) - 172) / 365.25);
  const double halfDay = 12 * 60 / 2.0 + 4 * 60 * swing;  // 8 h to 16 h of daylight
  return Sun{12 * 60 + 20 - halfDay, 12 * 60 + 20 + halfDay};
}

// Sunrise and sunset at the simulated site, as minutes of the day. A day the sun does not rise or
// set on is polar day in the hemisphere's summer and polar night in its winter.
Sun SiteSunOn(const SimSite& site, int32_t mn) {
  const int64_t day = mn / kMinutesPerDay;
  const SunDay d = SiteSunDay(site, day);
  const double base = static_cast<double>(day) * kMinutesPerDay;
  if (d.rise && d.set) return Sun{*d.rise - base, *d.set - base};
  const int month = DateTimeOfMinute(mn).month;
  const bool northSummer = month >= 4 && month <= 9;
  const bool summer = site.latitude >= 0 ? northSummer : !northSummer;
  return summer ? Sun{-1, kMinutesPerDay + 1.0} : Sun{kMinutesPerDay / 2.0, kMinutesPerDay / 2.0};
}

// 1 in full daylight, 0 at night, a ramp through twilight.
double Daylight(double minuteOfDay, const Sun& sun) {
  const double fromRise = (minuteOfDay - sun.rise) / kTwilightMinutes;
  const double toSet = (sun.set - minuteOfDay) / kTwilightMinutes;
  return std::clamp(std::min(fromRise, toSet) + 0.5, 0.0, 1.0);
}
}  // namespace

Environment::Environment(const SimOptions& options, int32_t startMn, Rng rng)
    : opt_(options), startMn_(startMn), rng_(rng) {}

void Environment::PlanRain(int64_t day) {
  rainDay_ = day;
  rainFrom_ = rainTo_ = 0;
  if (!opt_.noise || !rng_.Chance(0.3)) return;
  rainFrom_ = day * kMinutesPerDay + rng_.Between(0, kMinutesPerDay - 1);
  rainTo_ = rainFrom_ + rng_.Between(20, 90);
  rainLevel_ = rng_.Between(5.0, 40.0);
}

MinuteValues Environment::Minute(int64_t m) {
  const int32_t mn = startMn_ + static_cast<int32_t>(m);
  if (mn / kMinutesPerDay != sunDay_) {
    sunDay_ = mn / kMinutesPerDay;
    const Sun s = opt_.site ? SiteSunOn(*opt_.site, mn) : SunOn(mn);
    sunRise_ = s.rise;
    sunSet_ = s.set;
  }
  const Sun sun{sunRise_, sunSet_};
  const double minuteOfDay = mn % kMinutesPerDay;
  const double day = Daylight(minuteOfDay, sun);

  MinuteValues v;
  const double light = day > 0 ? 20 + 215 * day + rng_.Jitter(10) : rng_.Between(0.0, 2.5);
  v.LightN = static_cast<uint8_t>(std::clamp(std::lround(light), 0L, 255L));

  // Coldest at sunrise, warmest mid-afternoon.
  const double phase = 2 * kPi * (minuteOfDay - sun.rise) / kMinutesPerDay;
  const double degC = 13 - 5 * std::cos(phase * 0.9) + rng_.Jitter(0.3);
  v.RtcDegC = static_cast<uint8_t>(std::clamp(std::lround(degC), 0L, 255L));
  v.PreampHalfDegPlus20 = static_cast<uint8_t>(std::clamp(std::lround(2 * (degC + 1.5)) + 20, 0L, 255L));

  const int64_t cycle = 1 + std::max(0, opt_.minsOff);
  v.MinON = m % cycle == 0 && v.LightN <= opt_.lightSwitchLevel;

  // The stack in use runs down with listening (and slowly while asleep); below the switch
  // level the logger moves to the next stack.
  drainCount_ += v.MinON ? 4 : 1;
  if (drainCount_ >= 4 * kListeningMinutesPerTenthVolt) {
    drainCount_ = 0;
    uint8_t& b = bat_[batInUse_ - 1];
    if (b > 40) --b;
    if (b < kBatterySwitch && batInUse_ < 4) ++batInUse_;
  }
  v.BatInUse = static_cast<uint8_t>(batInUse_);
  for (int i = 0; i < 4; ++i) v.BatVn[i] = bat_[i];

  const int64_t dayIndex = m / kMinutesPerDay;
  if (dayIndex != rainDay_) PlanRain(dayIndex);
  rain_ = m >= rainFrom_ && m < rainTo_ ? rainLevel_ : 0.0;

  // Bats leave the roost around dusk, feed hard for a few hours, and again before dawn.
  batRate_ = 0;
  insectChance_ = 0;
  if (day < 0.05) {
    const double afterDusk = std::fmod(minuteOfDay - sun.set + kMinutesPerDay, kMinutesPerDay);
    const double beforeDawn = std::fmod(sun.rise - minuteOfDay + kMinutesPerDay, kMinutesPerDay);
    const double peak =
        std::exp(-std::pow((afterDusk - 90) / 80, 2)) + 0.6 * std::exp(-std::pow((beforeDawn - 50) / 40, 2));
    batRate_ = 0.08 + 0.5 * peak;
    insectChance_ = opt_.noise ? 0.12 : 0.0;
    if (rain_ > 0) batRate_ *= 0.2;
  }
  return v;
}

}  // namespace zorvel::sim
