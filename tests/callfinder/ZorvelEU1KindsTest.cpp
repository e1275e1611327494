// ZorvelEU1 beyond the species profiles: social calls, bats that fit no profile, Schreibers'
// bent-winged bat against the soprano pipistrelle, the confidence scale, and bad minutes.
#include <gtest/gtest.h>

#include <algorithm>

#include "OctetFixture.h"
#include "callfinder/Classifier.h"
#include "callfinder/classify/ZorvelEU1Kinds.h"

namespace zorvel {
namespace {

using namespace eu1;
constexpr int32_t kCmnPip = 3, kSopPip = 4, kLongEared = 13;
constexpr int32_t kTicksPerMs = 200;

tCall Sweep(int32_t top, int32_t bottom, int32_t peak, double ms, double atMs) {
  tCall c;
  c.Fstart = c.Fmax = top;
  c.Fend = c.Fmin = bottom;
  c.ModalKHZ = peak;
  c.MedianKHZ = (top + bottom) / 2;
  c.BodyLoKhz = bottom + (top - bottom) / 4;
  c.BodyHiKhz = top - (top - bottom) / 4;
  c.Duration100Musecs = static_cast<int32_t>(ms * 10);
  c.nSelOctInCall = 20;
  c.StartTime = static_cast<int32_t>(atMs * kTicksPerMs);
  return c;
}

// A common pipistrelle's search calls at 46 kHz, one every 90 ms from `fromMs`.
std::vector<tCall> CommonPass(int n, double fromMs) {
  std::vector<tCall> v;
  for (int k = 0; k < n; ++k) v.push_back(Sweep(70, 45, 46, 5, fromMs + 90 * k));
  return v;
}

// A pipistrelle social call: `parts` sweeps from 38 to 17 kHz, 6 ms long, 9 ms apart.
std::vector<tCall> SocialCall(int parts, double atMs) {
  std::vector<tCall> v;
  for (int k = 0; k < parts; ++k) v.push_back(Sweep(38, 17, 19, 6, atMs + 9 * k));
  return v;
}

std::unique_ptr<cf::MinuteWork> Classified(const std::vector<tCall>& calls) {
  FinderSettings s;
  s.Classifier = SpClassifier::ZorvelEU1;
  auto w = test::MinuteOfCalls(calls, s);
  cf::ClassifyMinute(*w);
  return w;
}

std::vector<tCall> Join(std::vector<tCall> a, const std::vector<tCall>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ZorvelEU1Social, MultiPartLowSweepsAmongPipistrellesAreSocialAndLeaveThePassAlone) {
  const auto plain = Classified(CommonPass(8, 0));
  const auto w = Classified(Join(CommonPass(8, 0), SocialCall(4, 400)));
  for (int i = 1; i <= 8; ++i) {
    EXPECT_EQ(w->calls[i].SpN, kCmnPip) << i;
    EXPECT_EQ(w->calls[i].SpConfidence, plain->calls[i].SpConfidence) << i;
  }
  for (int i = 9; i <= 12; ++i) {
    EXPECT_EQ(w->calls[i].SpN, kSocial) << i;
    EXPECT_EQ(w->calls[i].Sp2N, 0);
    // The record carries the name as any other.
    EXPECT_EQ(w->out[static_cast<size_t>(w->calls[i].ClBufPosnOfStart + 32 + 15)], kSocial);
  }
  EXPECT_EQ(w->counters.callsPerSpN[kSocial], 4);
}

TEST(ZorvelEU1Social, LowSweepsAreNotSocialWithoutPipistrellesOrWhenSpacedLikeEcholocation) {
  // The same sweeps with no pipistrelle in the minute (a bush-cricket's song lies there too).
  const auto alone = Classified(SocialCall(4, 400));
  for (int i = 1; i <= 4; ++i) EXPECT_NE(alone->calls[i].SpN, kSocial) << i;
  // Long-eared calls 60 ms apart in a minute with pipistrelles stay long-eared.
  std::vector<tCall> calls = CommonPass(8, 0);
  for (int k = 0; k < 6; ++k) calls.push_back(Sweep(40, 22, 28, 3, 2000 + 60 * k));
  const auto w = Classified(calls);
  for (int i = 9; i <= 14; ++i) EXPECT_EQ(w->calls[i].SpN, kLongEared) << i;
  // A single part is not a multi-part call.
  const auto one = Classified(Join(CommonPass(8, 0), SocialCall(1, 400)));
  EXPECT_NE(one->calls[9].SpN, kSocial);
}

TEST(ZorvelEU1Social, ASocialCallIsOnlyNearPipistrellesAndNeverALongSong) {
  // Pipistrelles in the first second, the same four-part call 20 s later: no pipistrelle near.
  const auto late = Classified(Join(CommonPass(8, 0), SocialCall(4, 20'000)));
  for (int i = 9; i <= 12; ++i) EXPECT_NE(late->calls[i].SpN, kSocial) << i;
  // One stray pipistrelle-like call is no echolocating pipistrelle (a long-eared bat's call and
  // its echo make two low sweeps too); three of its calls are.
  const auto stray = Classified(Join(CommonPass(1, 0), SocialCall(2, 400)));
  for (int i = 2; i <= 3; ++i) EXPECT_NE(stray->calls[i].SpN, kSocial) << i;
  const auto three = Classified(Join(CommonPass(3, 0), SocialCall(2, 400)));
  for (int i = 4; i <= 5; ++i) EXPECT_EQ(three->calls[i].SpN, kSocial) << i;
  // Twelve low sweeps 9 ms apart among pipistrelles, ending by turns at 17 and 22 kHz: longer
  // than any published social call, so a song, and no name at all; the pipistrelles keep theirs.
  std::vector<tCall> twelve = SocialCall(12, 400);
  for (size_t k = 1; k < twelve.size(); k += 2) twelve[k].Fend = twelve[k].Fmin = 22, twelve[k].ModalKHZ = 24;
  const auto song = Classified(Join(CommonPass(8, 0), twelve));
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(song->calls[i].SpN, kCmnPip) << i;
  for (int i = 9; i <= 20; ++i) EXPECT_EQ(song->calls[i].SpN, 0) << i;
}

TEST(ZorvelEU1Social, ASingleSyllableWithinAPipistrellePassIsSocial) {
  const tCall syllable = Sweep(26, 17, 19, 8, 400);
  const auto inside = Classified(Join(CommonPass(8, 0), {syllable}));
  EXPECT_EQ(inside->calls[9].SpN, kSocial);
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(inside->calls[i].SpN, kCmnPip) << i;
  // Three of them in the pass, 150 ms apart (a pass of their own): social too.
  const auto three = Classified(Join(
      CommonPass(12, 0), {Sweep(26, 17, 19, 8, 300), Sweep(26, 17, 19, 8, 450), Sweep(26, 17, 19, 8, 600)}));
  for (int i = 13; i <= 15; ++i) EXPECT_EQ(three->calls[i].SpN, kSocial) << i;
  // After the pass has ended, or starting as high as a long-eared bat's call: not social.
  EXPECT_NE(Classified(Join(CommonPass(8, 0), {Sweep(26, 17, 19, 8, 900)}))->calls[9].SpN, kSocial);
  EXPECT_NE(Classified(Join(CommonPass(8, 0), {Sweep(40, 22, 28, 3, 400)}))->calls[9].SpN, kSocial);
}

// A bush-cricket's song as the call finder measures it: `n` like pulses about every `everyMs`,
// each a little early or late (an insect's rate is steady, not exact).
std::vector<tCall> Song(int n, double everyMs, int32_t top, int32_t bottom, int32_t peak, double ms,
                        double fromMs) {
  std::vector<tCall> v;
  for (int k = 0; k < n; ++k)
    v.push_back(Sweep(top, bottom, peak, ms, fromMs + everyMs * (k + 0.08 * ((k * 7) % 5 - 2))));
  return v;
}

TEST(ZorvelEU1NotABat, InsectTrainsGetNoNameEvenWhereEachPulseFitsABat) {
  const struct {
    const char* what;
    std::vector<tCall> song;
  } songs[] = {
      // Pulses at 18 kHz, 5 ms, 50 a second (a bush-cricket's syllables).
      {"low syllables", Song(30, 20, 22, 14, 18, 5, 300)},
      // Pulses at 37 kHz ending flat, each a fair Kuhl's pipistrelle call, 40 a second.
      {"Kuhl-like pulses", Song(30, 25, 50, 36, 37, 4, 300)},
      // Broadband clicks at 35 kHz every 6 ms (an insect's ticking).
      {"fast clicks", Song(60, 6, 46, 22, 35, 1.2, 300)},
  };
  for (const auto& s : songs) {
    SCOPED_TRACE(s.what);
    // Alone, and in a minute with a common pipistrelle going by.
    const auto alone = Classified(s.song);
    for (int i = 1; i <= alone->callCount; ++i) EXPECT_EQ(alone->calls[i].SpN, 0) << i;
    const auto mixed = Classified(Join(CommonPass(20, 0), s.song));
    for (int i = 1; i <= 20; ++i) EXPECT_EQ(mixed->calls[i].SpN, kCmnPip) << i;
    for (int i = 21; i <= mixed->callCount; ++i) EXPECT_EQ(mixed->calls[i].SpN, 0) << i;
  }
  // Ten common pipistrelles swarming at a roost: one pass, calls often closer than 40 ms, but at
  // no steady rate, and each a good call; all keep their name.
  std::vector<tCall> swarm;
  uint32_t seed = 12345;
  const auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16 & 0x7FFF; };
  for (int bat = 0; bat < 10; ++bat)
    for (double t = next() % 100; t < 3000; t += 90 + next() % 40) swarm.push_back(Sweep(70, 45, 46, 5, t));
  std::sort(swarm.begin(), swarm.end(),
            [](const tCall& a, const tCall& b) { return a.StartTime < b.StartTime; });
  const auto s = Classified(swarm);
  ASSERT_GT(s->callCount, 200);
  for (int i = 1; i <= s->callCount; ++i) ASSERT_EQ(s->calls[i].SpN, kCmnPip) << i;
  // The same Kuhl-like pulses at a bat's search rate are a bat's pass.
  const auto bat = Classified(Song(8, 110, 50, 36, 37, 4, 300));
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(bat->calls[i].SpN, kKuhl) << i;
  // A bat's approach: a few calls faster than 25 a second before its buzz keep the pass's name.
  const auto approach = Classified(Join(CommonPass(8, 0), Song(5, 30, 70, 45, 46, 3, 8 * 90)));
  for (int i = 1; i <= 13; ++i) EXPECT_EQ(approach->calls[i].SpN, kCmnPip) << i;
}

TEST(ZorvelEU1Unknown, ABatsPassThatFitsNoProfileIsUnknownNotTheNearest) {
  // A long sweep into a flat tail at 60 kHz: too long for a soprano pipistrelle, too high for
  // Schreibers' bent-winged bat.
  std::vector<tCall> longQcf;
  for (int k = 0; k < 8; ++k) longQcf.push_back(Sweep(70, 58, 60, 11, 100 * k));
  const auto w = Classified(longQcf);
  for (int i = 1; i <= 8; ++i) {
    EXPECT_EQ(w->calls[i].SpN, kUnknownBat) << i;
    EXPECT_NE(w->calls[i].Sp2N, kSopPip);
  }
  // Two calls are no repetition; calls every 5 ms are no bat's search calls.
  EXPECT_EQ(Classified({longQcf[0], longQcf[1]})->calls[1].SpN, 0);
  std::vector<tCall> rapid;
  for (int k = 0; k < 8; ++k) rapid.push_back(Sweep(70, 58, 60, 1.2, 5 * k));
  const auto r = Classified(rapid);
  for (int i = 1; i <= 8; ++i) EXPECT_NE(r->calls[i].SpN, kUnknownBat) << i;
  // An 11 ms sweep from 45 to 30 kHz every 100 ms fits no profile but is a bat's; the same
  // rising, or a like sound below 20 kHz, is a bird's or an insect's, and gets no name at all.
  const std::vector<tCall> down = Song(8, 100, 45, 30, 40, 11, 0);
  std::vector<tCall> up = down;
  for (tCall& c : up) std::swap(c.Fstart, c.Fend);
  const auto d = Classified(down), u = Classified(up), low = Classified(Song(8, 100, 19, 14, 16, 6, 0));
  for (int i = 1; i <= 8; ++i) {
    EXPECT_EQ(d->calls[i].SpN, kUnknownBat) << i;
    EXPECT_EQ(u->calls[i].SpN, 0) << i;
    EXPECT_EQ(low->calls[i].SpN, 0) << i;
  }
}

TEST(ZorvelEU1Unknown, SchreibersIsToldFromTheSopranoByLength) {
  std::vector<tCall> bentWing, soprano;
  for (int k = 0; k < 8; ++k) {
    bentWing.push_back(Sweep(62, 49, 51, 10, 120 * k));
    soprano.push_back(Sweep(80, 54, 55, 5.5, 90 * k));
  }
  const auto b = Classified(bentWing);
  const auto s = Classified(soprano);
  for (int i = 1; i <= 8; ++i) {
    EXPECT_EQ(b->calls[i].SpN, kSchreibers) << i;
    EXPECT_EQ(s->calls[i].SpN, kSopPip) << i;
  }
  // A bent-winged bat whose fainter calls read short (5 ms, as a soprano's would), with a third of
  // its calls longer than any soprano's: the pass is the bent-winged bat's, every call of it. A
  // soprano calling as low, with no such long call, stays a soprano.
  std::vector<tCall> faint, lowSoprano;
  for (int k = 0; k < 9; ++k) {
    faint.push_back(Sweep(60, 50, 51, k % 3 == 0 ? 12 : 5, 120 * k));
    lowSoprano.push_back(Sweep(60, 51, 52, 5 + k % 3, 90 * k));
  }
  const auto f = Classified(faint), l = Classified(lowSoprano);
  for (int i = 1; i <= 9; ++i) {
    EXPECT_EQ(f->calls[i].SpN, kSchreibers) << i;
    EXPECT_EQ(l->calls[i].SpN, kSopPip) << i;
  }
}

TEST(ZorvelEU1Confidence, TheScaleIsMonotoneBoundedAndKeepsItsEnds) {
  int32_t last = 0;
  for (int32_t raw = -5; raw <= 40; ++raw) {
    const int32_t c = cf::CalibratedConfidence(raw);
    EXPECT_GE(c, last) << raw;
    EXPECT_GE(c, 0);
    EXPECT_LE(c, 15);
    last = c;
  }
  EXPECT_EQ(cf::CalibratedConfidence(0), 0);
  EXPECT_EQ(cf::CalibratedConfidence(15), 15);
  // A weak raw score never reads as a likely name.
  EXPECT_LT(cf::CalibratedConfidence(4), 8);
}

TEST(ZorvelEU1Minute, FullAndEdgeMinutesGiveNamesWithinTheTable) {
  // 5,000 calls: pipistrelles, social-like sweeps and long calls interleaved every 12 ms.
  std::vector<tCall> many;
  for (int k = 0; k < cf::kMaxCalls; ++k) {
    const double at = k * 11.9;
    many.push_back(k % 3 == 0   ? Sweep(70, 45, 46, 5, at)
                   : k % 3 == 1 ? Sweep(38, 17, 19, 6, at)
                                : Sweep(70, 58, 60, 11, at));
  }
  const auto full = Classified(many);
  int counted = 0;
  for (int32_t n : full->counters.callsPerSpN) counted += n;
  EXPECT_EQ(counted, cf::kMaxCalls);
  // Each kind repeats at a steady 28 a second all minute long: no bat's, so nothing is named.
  EXPECT_EQ(full->counters.callsPerSpN[0], cf::kMaxCalls);
  for (int i = 1; i <= cf::kMaxCalls; ++i) {
    ASSERT_GE(full->calls[i].SpN, 0);
    ASSERT_LT(full->calls[i].SpN, kZorvelEU1SpeciesCount);
    ASSERT_LE(full->calls[i].SpConfidence, 15);
  }
  // Calls at the very start and end of the minute, and one lone call: named, no crash.
  const auto edge = Classified(Join(CommonPass(4, 0), CommonPass(4, 60'000 - 4 * 90)));
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(edge->calls[i].SpN, kCmnPip) << i;
  const auto lone = Classified(SocialCall(1, 59'999));
  EXPECT_NE(lone->calls[1].SpN, kSocial);
}

}  // namespace
}  // namespace zorvel
