#include "display/Palette.h"

#include <cmath>

namespace zorvel {

const std::array<QColor, 513>& FrequencyPalette() {
  static const std::array<QColor, 513> palette = [] {
    std::array<QColor, 513> p;
    p[0] = QColor(0, 0, 0);
    for (int i = 1; i <= 15; ++i) p[i] = QColor(8 * i, 0, 0);
    // Hue walks from red (0°) to violet (280°) over 16 … 146 kHz.
    for (int i = 16; i <= 146; ++i) p[i] = QColor::fromHsv((i - 16) * 280 / 130, 255, 255);
    for (int i = 147; i <= 180; ++i)
      p[i] = RgbColour(static_cast<uint32_t>((690 - 3 * i) * 65536 + (595 - 3 * i)));
    for (int i = 181; i <= 512; ++i) p[i] = RgbColour(kSilver);
    return p;
  }();
  return palette;
}

const QColor& GridColour(int i) {
  static const std::array<QColor, 26> grid = [] {
    std::array<QColor, 26> g;
    // The kHz colour of the line's height, darkened so the grid stays behind the calls.
    for (int k = 0; k < 26; ++k) g[k] = FrequencyColour(k == 0 ? 5 : k * 10).darker(220);
    return g;
  }();
  return grid[static_cast<size_t>(i < 0 ? 0 : (i > 25 ? 25 : i))];
}

int LightHeight(int level) {
  static const std::array<int, 256> table = [] {
    std::array<int, 256> t{};
    // Dusk and dawn happen at low levels: a square-root scale spreads them out.
    for (int l = 0; l < 256; ++l) t[l] = static_cast<int>(std::lround(std::sqrt(l / 255.0) * 26));
    return t;
  }();
  return table[static_cast<size_t>(level < 0 ? 0 : (level > 255 ? 255 : level))];
}

}  // namespace zorvel
