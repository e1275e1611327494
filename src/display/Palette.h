// Colours of the display, built once on first use. Values from the data model are Windows RGB
// integers (red in the low byte); RgbColour turns them into QColor.
#pragma once

#include <QColor>
#include <array>
#include <cstdint>

#include "core/Records.h"

namespace zorvel {

constexpr QColor RgbColour(uint32_t v) {
  return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

constexpr uint32_t kSilver = 12632256, kGrey = 8421504, kWhite = 0xFFFFFF, kBlack = 0;
constexpr std::array<uint32_t, 4> kCallTypeColours{12632256, 65280, 38600, 16711935};
constexpr std::array<uint32_t, 8> kFeatureColours{kGrey, 255, 16768200, 32768, 38600, kWhite, kGrey, 65280};
constexpr std::array<uint32_t, 4> kBatteryColours{255, 32768, 16711680, 65535};
constexpr uint32_t kMinuteLineColour = kGrey;

// 513 entries indexed by kHz: dark reds below 16 kHz, then red through yellow, green, cyan and
// blue to violet at 146 kHz, a fading violet to 180 kHz and silver above.
const std::array<QColor, 513>& FrequencyPalette();
inline const QColor& FrequencyColour(int khz) {
  return FrequencyPalette()[static_cast<size_t>(khz < 0 ? 0 : (khz > 512 ? 512 : khz))];
}

// The colour of the i-th 10-kHz grid line (i from 25 on shares the last entry).
const QColor& GridColour(int i);

// Height in pixels (0 … 26) of a light level on the light trace.
int LightHeight(int level);

}  // namespace zorvel
