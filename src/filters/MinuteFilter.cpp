#include "filters/MinuteFilter.h"

#include "filters/Messages.h"
#include "filters/RangeEdits.h"

namespace zorvel {

namespace {
constexpr MinuteEditInfo kInfo[] = {
    {"HourOfDayStartHrEdit", "00"}, {"HourOfDayStartMnEdit", "00"}, {"ExclusionHrEdit", "23"},
    {"HourOfDayStopMnEdit", "59"},  {"MinLightLevelEdit", "0"},     {"MaxLightLevelEdit", "255"},
    {"MinMinuteTemperatureEdit", "-10"}, {"MaxMinuteTemperatureEdit", "50"},
};
constexpr int32_t kLastMinuteOfDay = 1439;
}  // namespace

const MinuteEditInfo& InfoOf(MinuteEdit e) { return kInfo[static_cast<size_t>(e)]; }

MinuteFilterValues::MinuteFilterValues() {
  for (size_t i = 0; i < static_cast<size_t>(MinuteEdit::Count); ++i) texts_[i] = std::string(kInfo[i].initialText);
  Recompute();
}

std::string MinuteFilterValues::SetText(MinuteEdit e, std::string_view text) {
  texts_[static_cast<size_t>(e)] = std::string(text);
  const auto parsed = ParseWholeNumber(text);
  std::string message;
  switch (e) {
    case MinuteEdit::HourOfDayStartHrEdit:
    case MinuteEdit::ExclusionHrEdit: {
      const int32_t h = parsed.value_or(0);
      if (h < 0 || h > 23) {
        message = std::string(msg::kHoursRange);
        SetText(e, "00");
        return message;
      }
      (e == MinuteEdit::HourOfDayStartHrEdit ? startHr_ : stopHr_) = h;
      break;
    }
    case MinuteEdit::HourOfDayStartMnEdit:
    case MinuteEdit::HourOfDayStopMnEdit: {
      const int32_t m = parsed.value_or(0);
      if (m < 0 || m > 59) {
        message = std::string(msg::kMinutesRange);
        SetText(e, "00");
        return message;
      }
      (e == MinuteEdit::HourOfDayStartMnEdit ? startMn_ : stopMn_) = m;
      break;
    }
    case MinuteEdit::MinLightLevelEdit:
    case MinuteEdit::MaxLightLevelEdit: {
      const bool isMin = e == MinuteEdit::MinLightLevelEdit;
      const int32_t v = parsed.value_or(isMin ? 0 : 255);
      if (v >= 256) return SetText(e, "255");
      (isMin ? minLight_ : maxLight_) = v;
      break;
    }
    case MinuteEdit::MinMinuteTemperatureEdit:
    case MinuteEdit::MaxMinuteTemperatureEdit:
      if (!parsed) {
        message = "'" + std::string(text) + std::string(msg::kNotAWholeNumber);
      } else {
        (e == MinuteEdit::MinMinuteTemperatureEdit ? minTemp_ : maxTemp_) = *parsed;
      }
      break;
    case MinuteEdit::Count:
      break;
  }
  if (e == MinuteEdit::HourOfDayStartHrEdit || e == MinuteEdit::HourOfDayStartMnEdit) dayStart_ = startHr_ * 60 + startMn_;
  if (e == MinuteEdit::ExclusionHrEdit || e == MinuteEdit::HourOfDayStopMnEdit) dayStop_ = stopHr_ * 60 + stopMn_;
  Recompute();
  return message;
}

void MinuteFilterValues::ClearHourAndLightFilters() {
  for (size_t i = 0; i < static_cast<size_t>(MinuteEdit::Count); ++i) Reset(static_cast<MinuteEdit>(i));
  Recompute();
}

void MinuteFilterValues::Recompute() {
  // A stop at the day's last minute (23:59, what the edits hold after clearing) leaves the whole
  // day in the window, just as the start-up value one past it does.
  active_ = !(dayStart_ <= 0 && dayStop_ >= kLastMinuteOfDay && minLight_ <= 0 && maxLight_ >= 255 && minTemp_ <= -10 &&
              maxTemp_ >= 50);
}

bool MinuteFilterValues::MinuteIsExcluded(const TFileRec& s) const {
  if (!active_) return false;
  const int32_t m = ((s.NrTime.Mn % 1440) + 1440) % 1440;
  const int32_t light = s.LightN;
  const int32_t t = s.HalfDegCpreamp / 2;
  return light < minLight_ || light > maxLight_ || t < minTemp_ || t > maxTemp_ || m < dayStart_ || m > dayStop_;
}

}  // namespace zorvel
