#include "display/Levels.h"

namespace zorvel {

const std::array<LevelInfo, kLevelCount>& Levels() {
  static const std::array<LevelInfo, kLevelCount> table{{
      {"Lbl5us", "5us", "1 pixel = 5us", 1, 100, 0, ""},
      {"Lbl10us", "10us", "1 pixel = 10us", 2, 100, 0, ""},
      {"Lbl20us", "20us", "1 pixel = 20us", 4, 100, 0, ""},
      {"Lbl100us", "100us", "1 pixel = 100us", 20, 100, 0, ""},
      {"Lbl500us", "500us", "1 pixel = 500us", 100, 100, 0, ""},
      {"Lbl1Ms", "1ms", "1 pixel = 1ms", 200, 100, 0, ""},
      {"Lbl2Ms", "2ms", "1 pixel = 2ms", 400, 100, 0, ""},
      {"Lbl5Ms", "5ms", "1 pixel = 5ms", 1000, 100, 0, ""},
      {"Lbl10Ms", "10ms", "1 pixel = 10ms", 2000, 100, 0, ""},
      {"Lbl20Ms", "20ms", "1 pixel = 20ms", 4000, 100, 0, ""},
      {"Lbl50Ms", "50ms", "1 pixel = 50ms", 10000, 100, 0, ""},
      {"Lbl100Ms", "100ms", "1 pixel = 0.1s", 20000, 100, 0, ""},
      {"Lbl1min", "1min", "1min", 1, 90, 30, "m"},
      {"Lbl5min", "5min", "5mins", 5, 108, 3, "h"},
      {"Lbl30min", "30min", "30mins", 30, 144, 1, "d"},
      {"Lbl1h", "1hr", "1h", 60, 72, 1, "d"},
      {"Lbl6h", "6hr", "6h", 360, 120, 10, "d"},
      {"Lbl12h", "12hr", "12h", 720, 120, 20, "d"},
      {"Lblday", "day", "1 day", 1440, 90, 30, "d"},
      {"Lblweek", "week", "1 week", 10080, 90, 30, "wk"},
      {"Lb10days", "10days", "10 days", 14400, 90, 300, "d"},
  }};
  return table;
}

int LevelOfLabel(std::string_view labelName) {
  for (int i = 0; i < kLevelCount; ++i)
    if (Levels()[i].labelName == labelName) return i;
  return kLevelForUnknownLabel;
}

int ExpandLevelFor(int level, int32_t s) {
  if (level < 1 || level > 11 || s > 40000) return -1;
  if (s <= 8) return 0;
  if (s <= 16) return 1;
  if (s <= 80) return 2;
  if (s <= 400) return 3;
  if (s <= 800) return 4;
  if (s <= 1600) return 5;
  if (s <= 4000) return 6;
  if (s <= 8000) return 7;
  if (s <= 16000) return 8;
  return 9;
}

int FitToScreenLevel(int32_t rangeMinutes, int minuteUnits) {
  if (rangeMinutes < minuteUnits) return kFirstLowResLevel;
  for (int level = kFirstLowResLevel; level < kLevelCount; ++level)
    if (rangeMinutes / Levels()[level].perUnit < minuteUnits) return level;
  return -1;
}

}  // namespace zorvel
