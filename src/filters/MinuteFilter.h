// Time-of-day, light and temperature filters: they judge whole minutes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/FileRec.h"

namespace zorvel {

enum class MinuteEdit : uint8_t {
  HourOfDayStartHrEdit, HourOfDayStartMnEdit, ExclusionHrEdit, HourOfDayStopMnEdit,
  MinLightLevelEdit, MaxLightLevelEdit, MinMinuteTemperatureEdit, MaxMinuteTemperatureEdit, Count
};

struct MinuteEditInfo {
  std::string_view name;
  std::string_view initialText;  // also the reset text
};
const MinuteEditInfo& InfoOf(MinuteEdit e);

// The eight edits with their derived values.
class MinuteFilterValues {
 public:
  MinuteFilterValues();

  const std::string& Text(MinuteEdit e) const { return texts_[static_cast<size_t>(e)]; }
  // The edit's Change handler. Returns the message to show (empty when none); the edit's text
  // may have been replaced (read it back with Text()).
  std::string SetText(MinuteEdit e, std::string_view text);
  // The edit's DblClick handler.
  std::string Reset(MinuteEdit e) { return SetText(e, InfoOf(e).initialText); }
  // " Clear time and light filters".
  void ClearHourAndLightFilters();

  int32_t DayStartMinute() const { return dayStart_; }
  int32_t DayStopMinute() const { return dayStop_; }
  int32_t MinLight() const { return minLight_; }
  int32_t MaxLight() const { return maxLight_; }
  int32_t MinTemperature() const { return minTemp_; }
  int32_t MaxTemperature() const { return maxTemp_; }
  bool MinuteFiltersActive() const { return active_; }

  // The minute test for a slot whose minute record has just been decoded.
  bool MinuteIsExcluded(const TFileRec& slot) const;

 private:
  void Recompute();
  std::string texts_[static_cast<size_t>(MinuteEdit::Count)];
  int32_t startHr_ = 0, startMn_ = 0, stopHr_ = 23, stopMn_ = 59;
  int32_t dayStart_ = 0, dayStop_ = 1440;
  int32_t minLight_ = 0, maxLight_ = 255, minTemp_ = -10, maxTemp_ = 50;
  bool active_ = false;
};

}  // namespace zorvel
