// The world around the logger minute by minute: daylight and temperature following the sun,
// rain showers, how busy the bats are, and the logger's own state (listening or not, the
// battery stacks running down and switching over).
#pragma once

#include <cstdint>

#include "core/CallRecords.h"
#include "sim/Rng.h"
#include "sim/Simulator.h"

namespace zorvel::sim {

class Environment {
 public:
  Environment(const SimOptions& options, int32_t startMn, Rng rng);

  // Moves to the series' minute m (counted from 0, in order) and gives its minute record values.
  MinuteValues Minute(int64_t m);

  // Passes expected in the minute just given (before the activity scale).
  double BatPassRate() const { return batRate_; }
  double InsectChance() const { return insectChance_; }
  double RainIntensity() const { return rain_; }  // drops per second, 0 when dry

  static constexpr uint8_t kBatteryFull = 84;    // 0.1 V: six charged cells
  static constexpr uint8_t kBatterySwitch = 60;  // the logger moves to the next stack here

 private:
  void PlanRain(int64_t day);

  const SimOptions& opt_;
  int32_t startMn_;
  Rng rng_;
  int batInUse_ = 1;
  uint8_t bat_[4] = {kBatteryFull, kBatteryFull, kBatteryFull, kBatteryFull};
  int drainCount_ = 0;
  int64_t rainDay_ = -1, rainFrom_ = 0, rainTo_ = 0;
  double rainLevel_ = 0;
  double batRate_ = 0, insectChance_ = 0, rain_ = 0;
  int64_t sunDay_ = -1;
  double sunRise_ = 0, sunSet_ = 0;  // minutes of day sunDay_
};

}  // namespace zorvel::sim
