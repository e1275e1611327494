#include "callfinder/classify/ZorvelEU1Kinds.h"

#include <algorithm>
#include <array>

#include "callfinder/classify/ZorvelEU1.h"

namespace zorvel::cf {

namespace {

constexpr int32_t kTicksPerMs = 200;

// Pipistrelle social calls: three to five FM syllables ending at 16.0 ± 0.8 kHz within about
// 25 ms [Götze et al. 2020]; Kuhl's song flight three elements in 41 ms, most energy at 14 kHz
// [Piskorski & Sachanowicz 2021]; Nathusius' song at 15-35 kHz [Kriner; Lynx 2003]. A part ends
// below the lowest echolocation call of a pipistrelle and above the high-pass corner.
constexpr int32_t kSocialLowestEnd = 12, kSocialHighestEnd = 26, kSocialHighestTop = 60, kSocialMinBand = 8;
constexpr int32_t kSocialMinPart100us = 25, kSocialMaxPart100us = 800;
// Parts of one social call follow within the call's length; the echolocation calls of the bats
// that call in this band (long-eared, barbastelle, nyctaloids) are 40 ms or more apart
// [Dietz et al. 2007; Schober & Grimmberger 1987].
constexpr int32_t kSocialPartsWithinMs = 30;
// Social calls are given only among echolocating pipistrelles [G20]: elsewhere bush-crickets and
// birds sing in the same band.
constexpr int kPipistrelleCallsForSocial = 2;

// A bat's echolocation: calls of 1-60 ms (buzz calls aside), repeated every 20-800 ms (from a
// horseshoe's high duty cycle to a noctule's 2 calls a second [BCT, SE]).
constexpr int32_t kBatMin100us = 10, kBatMax100us = 600;
constexpr int32_t kBatMinIntervalMs = 20, kBatMaxIntervalMs = 800;
constexpr size_t kBatMinCalls = 3;
constexpr int32_t kBatLowestKhz = 15, kBatHighestKhz = 130;

}  // namespace

bool MaySocialPart(const tCall& c) {
  if (c.BuzzCall) return false;
  const CallShape s = ShapeOf(c);
  if (s != CallShape::FM && s != CallShape::FMQCF) return false;
  return c.Fmin >= kSocialLowestEnd && c.Fmin <= kSocialHighestEnd && c.Fmax <= kSocialHighestTop &&
         c.Fmax - c.Fmin >= kSocialMinBand && c.Fstart > c.Fend &&
         c.Duration100Musecs >= kSocialMinPart100us && c.Duration100Musecs <= kSocialMaxPart100us;
}

std::vector<char> SocialCalls(const MinuteWork& w, int pipistrelleCalls) {
  std::vector<char> social(static_cast<size_t>(std::max(0, w.callCount)) + 1, 0);
  if (pipistrelleCalls < kPipistrelleCallsForSocial) return social;
  std::vector<int32_t> parts;
  for (int32_t i = 1; i <= w.callCount; ++i)
    if (MaySocialPart(w.calls[i])) parts.push_back(i);
  std::sort(parts.begin(), parts.end(),
            [&](int32_t a, int32_t b) { return w.calls[a].StartTime < w.calls[b].StartTime; });
  for (size_t k = 1; k < parts.size(); ++k) {
    const int64_t gap = int64_t{w.calls[parts[k]].StartTime} - w.calls[parts[k - 1]].StartTime;
    if (gap <= int64_t{kSocialPartsWithinMs} * kTicksPerMs)
      social[static_cast<size_t>(parts[k])] = social[static_cast<size_t>(parts[k - 1])] = 1;
  }
  return social;
}

bool BatLikePass(const MinuteWork& w, const std::vector<int32_t>& calls) {
  if (calls.size() < kBatMinCalls) return false;
  std::vector<int32_t> starts;
  for (int32_t i : calls) {
    const tCall& c = w.calls[i];
    if (ShapeOf(c) == CallShape::None) continue;
    if (c.Duration100Musecs < kBatMin100us || c.Duration100Musecs > kBatMax100us) continue;
    if (c.ModalKHZ < kBatLowestKhz || c.ModalKHZ > kBatHighestKhz) continue;
    starts.push_back(c.StartTime);
  }
  // Most of the pass must look like echolocation, not only a few of its calls.
  if (starts.size() < kBatMinCalls || 3 * starts.size() < 2 * calls.size()) return false;
  std::sort(starts.begin(), starts.end());
  std::vector<int64_t> gaps;
  for (size_t k = 1; k < starts.size(); ++k) gaps.push_back(int64_t{starts[k]} - starts[k - 1]);
  std::nth_element(gaps.begin(), gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() / 2), gaps.end());
  const int64_t median = gaps[gaps.size() / 2];
  return median >= int64_t{kBatMinIntervalMs} * kTicksPerMs &&
         median <= int64_t{kBatMaxIntervalMs} * kTicksPerMs;
}

int32_t CalibratedConfidence(int32_t raw) {
  // Fitted on the labelled recordings (bench/fit_confidence.py over measure_eu1's bands with
  // this table set to 0 … 15): the share of names right at each raw score, shrunk towards
  // raw/15 with the weight of ten calls, then made monotone by pooling adjacent scores that
  // violate order; stored as round(15 × probability). Sixteen numbers and one weight: too few
  // to follow any one recording.
  static constexpr std::array<int32_t, 16> kTable = {0, 1, 2, 2, 3, 8, 8, 11, 11, 12, 13, 14, 14, 14, 14, 15};
  return kTable[static_cast<size_t>(std::clamp(raw, 0, 15))];
}

}  // namespace zorvel::cf
