// Turning a wave list back into sound. The logger keeps only each wave's period (IPI, quarter
// microseconds) and amplitude, so every entry becomes one cycle of a sine from a 2000-step table.
//
// Live rendering (44.1 kHz): pitch P (1 … 8) and stretch S (1 … 4); a wave of I quarter
// microseconds becomes a tone of 26,460 × P / I Hz and each pair of entries is repeated 2S + 1
// times, so a bat's call is slowed and lowered into hearing.
// Reconstruction (500 kHz): each cycle lasts I / 8 samples, the wave's real period.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Records.h"

namespace zorvel::sound {

constexpr int kSineSteps = 2000;
// entry i = round(1024 × sin(2πi / 2000)), built once.
const std::array<int16_t, kSineSteps>& SineTable();

struct LiveOptions {
  int pitch = 1;    // PitchLbl
  int stretch = 4;  // lengthLbl
};

// Renders a chunk of entries for live play. Chunks are independent, so a window can render and
// play one chunk while the next is being collected.
std::vector<int16_t> RenderLive(const std::vector<tCycPair>& entries, const LiveOptions& options);

// Renders the 500 kHz reconstruction. Gaps become low noise from a generator seeded with seed,
// so the same screen gives the same file.
std::vector<int16_t> RenderReconstruction(const std::vector<tCycPair>& entries, uint32_t seed = 1);

// The developer's test sweep: 65,001 samples rising from about 6.5 to 91 kHz at 500 kHz.
std::vector<int16_t> TestSweep();

// How long to wait after playing a chunk, in milliseconds.
inline int PauseAfterChunkMs(int32_t pauseTicks) {
  return pauseTicks / 1200 < 200 ? pauseTicks / 1200 : 200;
}

// Label texts and their cycles: "pitch  1" … "pitch  8", "stretch 1" … "stretch 4".
std::string PitchLblText(int pitch);
std::string LengthLblText(int stretch);
inline int NextPitch(int pitch) {
  return pitch >= 8 || pitch < 1 ? 1 : pitch + 1;
}
inline int NextStretch(int stretch) {
  return stretch >= 4 || stretch < 1 ? 1 : stretch + 1;
}

}  // namespace zorvel::sound
