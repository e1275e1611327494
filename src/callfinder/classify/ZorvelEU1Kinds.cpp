#include "callfinder/classify/ZorvelEU1Kinds.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "callfinder/classify/ZorvelEU1.h"
#include "species/Passes.h"

namespace zorvel::cf {

namespace {

constexpr int32_t kTicksPerMs = 200;

// Sources (see also ZorvelEU1.cpp):
//   [G20]  Götze, Denzinger & Schnitzler 2020, Sci Rep 10: the common pipistrelle's complex
//          social call, 3-5 FM syllables ending at 16.0 ± 0.8 kHz within 25.0 ± 3.9 ms,
//          interspersed among its echolocation calls while foraging
//   [PS21] Piskorski & Sachanowicz 2021, J Vertebr Biol 71: Kuhl's pipistrelle's song flight,
//          median 3 elements in 41 ms, most energy at 14 kHz (P. lepidus: 6 elements, 56 ms)
//   [EK]   Kriner, Rufe unserer Fledermäuse: single-syllable pipistrelle calls at 18-25 kHz,
//          Nathusius' song at 15-35 kHz
//   [RR98] Ragge & Reynolds 1998, The Songs of the Grasshoppers and Crickets of Western Europe:
//          bush-cricket songs are echemes of 3-90 syllables lasting 0.15-4 s, syllables repeated
//          at 10-50 a second at a very constant rate, each made of pulses about 1 ms apart
//   [N17]  Newson, Bas, Murray & Gillings 2017, Methods Ecol Evol 8:1051 (bush-crickets on bat
//          detectors; their songs mostly at 10-40 kHz)
//   [Ma10] Ma et al. 2010, Acta Theriol 55: approach calls at 15 a second, buzz calls at
//          111-222 a second; [K95] Kalko 1995: search, approach, buzz
//   [R21]  Russ 2021: soprano pipistrelle search intervals 89 (51-217) ms
//   [D07]  Dietz et al. 2007: long-eared search intervals 40-80 (120) ms, the shortest of the
//          table's species; [BCT], [SE]: a noctule's 2-4 calls a second
//   [JS10] Jakobsen & Surlykke 2010: in the buzz a bat lowers its call by up to an octave

// Pipistrelle social calls [G20, PS21, EK]. A part ends below the lowest echolocation call of a
// pipistrelle and above the high-pass corner.
constexpr int32_t kSocialLowestEnd = 12, kSocialHighestEnd = 26, kSocialHighestTop = 60, kSocialMinBand = 8;
constexpr int32_t kSocialMinPart100us = 25, kSocialMaxPart100us = 800;
// Parts of one social call follow within the call's length; the echolocation calls of the bats
// that call in this band (long-eared, barbastelle, nyctaloids) are 40 ms or more apart [D07].
constexpr int32_t kSocialPartsWithinMs = 30;
// The longest social calls of the sources: 6 elements in 56 ms [PS21], 5 syllables in 29 ms
// [G20]; with a part split in two by a harmonic, 8 parts in 80 ms. A longer run of like low
// sweeps is a song no bat of the table sings [RR98].
constexpr size_t kSocialMaxParts = 8;
constexpr int32_t kSocialMaxSpanMs = 80;
// Social calls are given only among echolocating pipistrelles [G20]: at least three of their
// calls within the pass gap either side (a pipistrelle calls 7-9 times a second [BCT]), not one
// stray call that only looks like one. Elsewhere bush-crickets and birds sing in the same band
// [RR98, N17], and a long-eared bat's call with its echo makes two low sweeps as well.
constexpr int64_t kPipistrelleNearTicks = kPassGapTicks;
constexpr std::ptrdiff_t kPipistrelleCallsNear = 3;

// Outside a buzz no bat calls faster than its approach phase, 15 calls a second [Ma10, K95];
// the call finder marks buzz calls as such. A run of ordinary calls of one pass following each
// other within 40 ms (25 a second) for this many calls is an insect's syllables or pulses
// [RR98], or a ticking noise: a bat's late approach calls at that rate are fewer before the buzz.
// Many bats of one species flying together (a swarm at a roost) also call that fast as a pass,
// but not at a steady rate, and each call is a good call of its species; an insect repeats its
// syllables at a very constant rate [RR98].
constexpr int32_t kTrainGapMs = 40;
constexpr size_t kTrainCalls = 8;
constexpr double kSteadyRateSpread = 0.35;  // standard deviation of the intervals over their mean
constexpr double kGoodCallFit = 0.5;        // a swarm's calls fit a profile this well on average

// A bat's echolocation: calls of 1-60 ms (buzz calls aside), repeated at search intervals of
// 40-800 ms (from the long-eared bat's shortest [D07] to a noctule's 2 calls a second [BCT, SE]),
// above the band where bush-crickets and birds sing most [N17]. The European bats that call
// lower (free-tailed bat, greater noctule) are left unnamed rather than risk naming a song.
constexpr int32_t kBatMin100us = 10, kBatMax100us = 600;
constexpr int32_t kBatMinIntervalMs = 40, kBatMaxIntervalMs = 800;
constexpr size_t kBatMinCalls = 3;
constexpr int32_t kBatLowestKhz = 20, kBatHighestKhz = 130;
// A bat's call sweeps down or holds its frequency; zero-crossing readings of a flat tail may end
// a few kHz above its start.
constexpr int32_t kBatRiseKhz = 4;

int64_t Ticks(int32_t ms) {
  return int64_t{ms} * kTicksPerMs;
}

}  // namespace

bool MaySocialPart(const tCall& c) {
  if (c.BuzzCall) return false;
  const CallShape s = ShapeOf(c);
  if (s != CallShape::FM && s != CallShape::FMQCF) return false;
  return c.Fmin >= kSocialLowestEnd && c.Fmin <= kSocialHighestEnd && c.Fmax <= kSocialHighestTop &&
         c.Fmax - c.Fmin >= kSocialMinBand && c.Fstart > c.Fend &&
         c.Duration100Musecs >= kSocialMinPart100us && c.Duration100Musecs <= kSocialMaxPart100us;
}

namespace {

// Whether the calls of a run (indexes into the minute, in start order) are an insect's train
// rather than many bats together: a steady rate, or calls that are no good bat calls.
bool InsectTrain(const MinuteWork& w, const std::vector<int32_t>& run, const std::vector<double>& bestFit) {
  double sum = 0, sumSq = 0, fit = 0;
  for (size_t k = 1; k < run.size(); ++k) {
    const double gap =
        static_cast<double>(int64_t{w.calls[run[k]].StartTime} - w.calls[run[k - 1]].StartTime);
    sum += gap, sumSq += gap * gap;
  }
  for (int32_t i : run) fit += bestFit[static_cast<size_t>(i)];
  const double n = static_cast<double>(run.size() - 1), mean = sum / n;
  const double spread = std::sqrt(std::max(0.0, sumSq / n - mean * mean));
  return spread <= kSteadyRateSpread * mean || fit / static_cast<double>(run.size()) < kGoodCallFit;
}

// Runs of ordinary calls of one pass that follow each other faster than any bat outside a buzz.
void MarkTrains(const MinuteWork& w, const std::vector<MinutePass>& passes,
                const std::vector<double>& bestFit, std::vector<CallKind>& kind) {
  for (const MinutePass& p : passes) {
    size_t from = 0;
    for (size_t k = 1; k <= p.calls.size(); ++k) {
      if (k < p.calls.size() &&
          int64_t{w.calls[p.calls[k]].StartTime} - w.calls[p.calls[k - 1]].StartTime <= Ticks(kTrainGapMs))
        continue;
      const std::vector<int32_t> run(p.calls.begin() + static_cast<std::ptrdiff_t>(from),
                                     p.calls.begin() + static_cast<std::ptrdiff_t>(k));
      if (run.size() >= kTrainCalls && InsectTrain(w, run, bestFit))
        for (int32_t i : run) kind[static_cast<size_t>(i)] = CallKind::NotABat;
      from = k;
    }
  }
}

// Start times of the pipistrelle echolocation calls, and whether one lies near a time.
struct PipistrellesAbout {
  std::vector<int64_t> starts;
  bool Near(int64_t t) const {
    const auto from = std::lower_bound(starts.begin(), starts.end(), t - kPipistrelleNearTicks);
    const auto to = std::upper_bound(starts.begin(), starts.end(), t + kPipistrelleNearTicks);
    return to - from >= kPipistrelleCallsNear;
  }
};

// Chains of social parts, each starting within kSocialPartsWithinMs of the one before.
void MarkSocialChains(const MinuteWork& w, const PipistrellesAbout& pips, std::vector<CallKind>& kind) {
  std::vector<int32_t> parts;
  for (int32_t i = 1; i <= w.callCount; ++i)
    if (kind[static_cast<size_t>(i)] == CallKind::Echolocation && MaySocialPart(w.calls[i]))
      parts.push_back(i);
  std::stable_sort(parts.begin(), parts.end(),
                   [&](int32_t a, int32_t b) { return w.calls[a].StartTime < w.calls[b].StartTime; });
  size_t from = 0;
  for (size_t k = 1; k <= parts.size(); ++k) {
    if (k < parts.size() &&
        int64_t{w.calls[parts[k]].StartTime} - w.calls[parts[k - 1]].StartTime <= Ticks(kSocialPartsWithinMs))
      continue;
    const size_t n = k - from;
    const int64_t first = w.calls[parts[from]].StartTime, last = w.calls[parts[k - 1]].StartTime;
    CallKind as = CallKind::Echolocation;
    if (n > kSocialMaxParts || last - first > Ticks(kSocialMaxSpanMs))
      as = CallKind::NotABat;
    else if (n >= 2 && (pips.Near(first) || pips.Near(last)))
      as = CallKind::Social;
    if (as != CallKind::Echolocation)
      for (size_t j = from; j < k; ++j) kind[static_cast<size_t>(parts[j])] = as;
    from = k;
  }
}

// Single-syllable social calls [EK]: low sweeps wholly below the long-eared bat's start (35 kHz
// and up [S87, D07]) that make a pass of their own, one call or a few, within a pass of
// pipistrelles. A nyctaloid's calls reach higher (Leisler's and serotine start near 55 kHz,
// the noctule's broadband calls near 47 [W]).
constexpr int32_t kLoneSocialHighestTop = 30;

void MarkSyllableSocialCalls(const MinuteWork& w, const std::vector<MinutePass>& passes,
                             const std::vector<char>& pipistrelle, std::vector<CallKind>& kind) {
  std::vector<std::pair<int64_t, int64_t>> pipPasses;  // first and last start of pipistrelle passes
  for (const MinutePass& p : passes) {
    if (p.calls.size() < 2) continue;
    size_t pips = 0;
    for (int32_t i : p.calls) pips += pipistrelle[static_cast<size_t>(i)] != 0;
    if (2 * pips > p.calls.size())
      pipPasses.emplace_back(w.calls[p.calls.front()].StartTime, w.calls[p.calls.back()].StartTime);
  }
  const auto syllable = [&](int32_t i) {
    const tCall& c = w.calls[i];
    return kind[static_cast<size_t>(i)] == CallKind::Echolocation && MaySocialPart(c) &&
           c.Fmax <= kLoneSocialHighestTop;
  };
  for (const MinutePass& p : passes) {
    if (p.calls.empty() || !std::all_of(p.calls.begin(), p.calls.end(), syllable)) continue;
    const int64_t first = w.calls[p.calls.front()].StartTime, last = w.calls[p.calls.back()].StartTime;
    for (const auto& [from, to] : pipPasses)
      if (first > from && last < to) {
        for (int32_t i : p.calls) kind[static_cast<size_t>(i)] = CallKind::Social;
        break;
      }
  }
}

}  // namespace

std::vector<CallKind> KindsOfCalls(const MinuteWork& w, const std::vector<MinutePass>& passes,
                                   const std::vector<char>& pipistrelle, const std::vector<double>& bestFit) {
  std::vector<CallKind> kind(static_cast<size_t>(std::max(0, w.callCount)) + 1, CallKind::Echolocation);
  MarkTrains(w, passes, bestFit, kind);
  PipistrellesAbout pips;
  for (int32_t i = 1; i <= w.callCount; ++i)
    if (pipistrelle[static_cast<size_t>(i)] && !w.calls[i].BuzzCall &&
        kind[static_cast<size_t>(i)] == CallKind::Echolocation)
      pips.starts.push_back(w.calls[i].StartTime);
  std::sort(pips.starts.begin(), pips.starts.end());
  if (pips.starts.empty()) return kind;
  MarkSocialChains(w, pips, kind);
  MarkSyllableSocialCalls(w, passes, pipistrelle, kind);
  return kind;
}

bool BatLikePass(const MinuteWork& w, const std::vector<int32_t>& calls) {
  if (calls.size() < kBatMinCalls) return false;
  std::vector<int32_t> starts;
  for (int32_t i : calls) {
    const tCall& c = w.calls[i];
    if (ShapeOf(c) == CallShape::None) continue;
    if (c.Duration100Musecs < kBatMin100us || c.Duration100Musecs > kBatMax100us) continue;
    if (c.ModalKHZ < kBatLowestKhz || c.ModalKHZ > kBatHighestKhz) continue;
    if (c.Fend - c.Fstart > kBatRiseKhz) continue;
    starts.push_back(c.StartTime);
  }
  // Most of the pass must look like echolocation, not only a few of its calls.
  if (starts.size() < kBatMinCalls || 3 * starts.size() < 2 * calls.size()) return false;
  std::sort(starts.begin(), starts.end());
  std::vector<int64_t> gaps;
  for (size_t k = 1; k < starts.size(); ++k) gaps.push_back(int64_t{starts[k]} - starts[k - 1]);
  std::nth_element(gaps.begin(), gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() / 2), gaps.end());
  const int64_t median = gaps[gaps.size() / 2];
  return median >= Ticks(kBatMinIntervalMs) && median <= Ticks(kBatMaxIntervalMs);
}

int32_t CalibratedConfidence(int32_t raw) {
  // Fitted on the labelled recordings (bench/fit_confidence.py over measure_eu1's bands with
  // this table set to 0 … 15): the share of names right at each raw score, shrunk towards
  // raw/15 with the weight of ten calls, then made monotone by pooling adjacent scores that
  // violate order; stored as round(15 × probability). Sixteen numbers and one weight: too few
  // to follow any one recording.
  static constexpr std::array<int32_t, 16> kTable = {0,  1,  3,  6,  7,  10, 12, 12,
                                                     13, 13, 14, 14, 14, 15, 15, 15};
  return kTable[static_cast<size_t>(std::clamp(raw, 0, 15))];
}

}  // namespace zorvel::cf
