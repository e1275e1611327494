// The 21 display time units (zoom levels). Levels 0 … 11 draw every wave group and call, one
// pixel being a fixed number of 5-µs ticks; levels 12 … 20 draw 3-pixel columns of whole minutes.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zorvel {

constexpr int kLevelCount = 21;
constexpr int kFirstLowResLevel = 12;
constexpr int kLevelForUnknownLabel = 7;
constexpr int32_t kDefaultFiveMusecPerPixel = 20000;

struct LevelInfo {
  std::string_view labelName;  // the level label's control name
  std::string_view caption;    // its text
  std::string_view resText;    // the resolution caption (TimeResLbl)
  int32_t perUnit;             // ticks per pixel (high resolution) or minutes per column
  int rulerSpacing;            // pixels between ruler ticks
  int rulerStep;               // low resolution: ruler label i reads "I " + step·i + unit
  std::string_view rulerUnit;
};

const std::array<LevelInfo, kLevelCount>& Levels();

constexpr bool IsHighRes(int level) {
  return level < kFirstLowResLevel;
}

// The level a label click selects; an unknown label selects level 7.
int LevelOfLabel(std::string_view labelName);

// Colours of the level labels (Windows RGB values: red in the low byte).
constexpr uint32_t kLevelLabelColour = 23080;
constexpr uint32_t kCurrentLevelLabelColour = 255;

// The level "expand display" picks for the shortest wave group on screen (quarter µs); -1
// when expanding does not apply (level 0 or 12 and above, or nothing shorter than 40000).
int ExpandLevelFor(int level, int32_t shortestOnScreen);

// "Fit to screen": the first low-resolution level whose columns hold the whole range; absent
// when none does (-1).
int FitToScreenLevel(int32_t rangeMinutes, int minuteUnits);

}  // namespace zorvel
