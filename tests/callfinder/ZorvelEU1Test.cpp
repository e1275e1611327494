// ZorvelEU1: each species test on calls built from the published figures, passes and their
// names, the confidence scale, and bad input.
#include <gtest/gtest.h>

#include "OctetFixture.h"
#include "callfinder/CallEmitter.h"
#include "callfinder/Classifier.h"
#include "callfinder/classify/Passes.h"
#include "core/CallRecords.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {
namespace {

using namespace eu1;
constexpr int32_t kGHB = 1, kLHB = 2, kCmnPip = 3, kSopPip = 4, kNatPip = 5, kNatterer = 8, kNoctule = 9,
                  kLongEared = 13;

// A call from published figures: top and bottom frequency, frequency of most energy, duration.
tCall Published(int32_t top, int32_t bottom, int32_t peak, double ms) {
  tCall c;
  c.Fstart = c.Fmax = top;
  c.Fend = c.Fmin = bottom;
  c.ModalKHZ = peak;
  c.MedianKHZ = (top + bottom) / 2;
  c.BodyLoKhz = bottom + (top - bottom) / 4;  // a sweep's middle half of waves
  c.BodyHiKhz = top - (top - bottom) / 4;
  c.Duration100Musecs = static_cast<int32_t>(ms * 10);
  c.nSelOctInCall = 20;
  return c;
}

int32_t Best(const cf::SpeciesFit& f) {
  return static_cast<int32_t>(std::max_element(f.begin(), f.end()) - f.begin());
}

struct Case {
  const char* what;
  tCall call;
  int32_t best;  // the profile the call fits best (0: none)
};

TEST(ZorvelEU1Calls, EachSpeciesFitsItsPublishedCall) {
  const Case cases[] = {
      {"greater horseshoe CF 81 kHz, 37 ms", Published(84, 80, 81, 37.4), kGHB},
      {"lesser horseshoe CF 110 kHz", Published(112, 106, 110, 30), kLHB},
      {"common pipistrelle 47 kHz peak, 5.6 ms", Published(70, 45, 47, 5.6), kCmnPip},
      {"common pipistrelle in the open with its first echo, 12 ms, from 90 kHz", Published(90, 45, 46, 12),
       kCmnPip},
      {"soprano pipistrelle 55.1 peak, 54.7 end, 5.5 ms", Published(80, 54, 55, 5.5), kSopPip},
      {"Nathusius' pipistrelle 42.2 peak", Published(60, 41, 42, 5), kNatPip},
      {"Kuhl's pipistrelle, 36.8 kHz peak", Published(60, 36, 37, 5), kKuhl},
      {"Schreibers' bent-winged bat 51 kHz, 10 ms", Published(62, 49, 51, 10), kSchreibers},
      {"noctule 20 kHz in the open, long", Published(24, 19, 20, 20), kNoctule},
      {"serotine 31 peak, 8.8 ms", Published(45, 28, 31, 8.8), kNyctaloid},
      {"long-eared fundamental 35 to 22, 3 ms", Published(35, 22, 30, 3), kLongEared},
      {"barbastelle 44 to 29, 4.1 ms", Published(44, 29, 38, 4.1), kBarbastelle},
      {"Natterer's 115 to 23, 3.8 ms", Published(115, 23, 60, 3.8), kNatterer},
      {"Daubenton's 85 to 26, 3.3 ms", Published(85, 26, 50, 3.3), kDaubenton},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    EXPECT_EQ(Best(cf::CallFit(k.call)), k.best);
  }
}

TEST(ZorvelEU1Calls, CallsOutsideEveryEuropeanRangeFitNothing) {
  const Case cases[] = {
      {"a 17 kHz tone (bush-cricket, pipistrelle social call)", Published(18, 17, 17, 11), 0},
      {"a 60 kHz sweep into a flat tail lasting 11 ms (a bent-winged bat from elsewhere)",
       Published(70, 58, 60, 11), 0},
      {"a 140 kHz constant frequency (no European bat)", Published(142, 138, 140, 8), 0},
      {"a 0.3 ms blip at 110 kHz (noise, not a horseshoe's long tone)", Published(112, 108, 110, 0.3), 0},
      {"a 56 kHz call of 12 ms (longer than any soprano pipistrelle's)", Published(70, 55, 56, 12), 0},
      {"a call without measures", tCall{}, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    const cf::SpeciesFit f = cf::CallFit(k.call);
    EXPECT_EQ(*std::max_element(f.begin(), f.end()), 0.0);
    EXPECT_EQ(cf::NamePass({f}).SpN, 0);
  }
}

std::vector<cf::SpeciesFit> Fits(const std::vector<tCall>& calls) {
  std::vector<cf::SpeciesFit> f;
  for (const tCall& c : calls) f.push_back(cf::CallFit(c));
  return f;
}

TEST(ZorvelEU1Passes, UnresolvedNearRelativesGetTheGroup) {
  // Whiskered/Brandt's and Bechstein's calls overlap: a pass of them is "Myotis", with the two
  // species next.
  const cf::PassName myotis = cf::NamePass(Fits(std::vector<tCall>(5, Published(104, 34, 70, 3))));
  EXPECT_EQ(myotis.SpN, kMyotis);
  EXPECT_TRUE((myotis.Sp2N == kWhiskBrandt && myotis.Sp3N == kBechstein) ||
              (myotis.Sp2N == kBechstein && myotis.Sp3N == kWhiskBrandt));
  // Calls pointing half to common, half to soprano pipistrelle.
  const cf::PassName pip = cf::NamePass(Fits({Published(70, 46, 47, 5), Published(75, 54, 55, 5)}));
  EXPECT_EQ(pip.SpN, kPipistrellus);
  // A pass clearly of one species is named by it, its group's other members next.
  const cf::PassName common = cf::NamePass(Fits(std::vector<tCall>(4, Published(70, 45, 46, 5))));
  EXPECT_EQ(common.SpN, kCmnPip);
}

TEST(ZorvelEU1Passes, ConfidenceGrowsWithThePassAndIsCappedByPublishedAccuracy) {
  const tCall pip = Published(70, 45, 46, 5);
  int32_t last = 0;
  for (size_t n = 1; n <= 5; ++n) {
    const int32_t c = cf::NamePass(Fits(std::vector<tCall>(n, pip))).confidence;
    EXPECT_GE(c, last);
    last = c;
  }
  EXPECT_EQ(last, cf::ConfidenceCeiling(kCmnPip));
  EXPECT_EQ(cf::NamePass(Fits(std::vector<tCall>(8, Published(84, 80, 82, 40)))).confidence, 15);
  // Species that published work tells apart less well never reach 12.
  for (int32_t sp : std::initializer_list<int32_t>{kKuhl, kNatPip, kNatterer, kDaubenton, kWhiskBrandt,
                                                   kBechstein, kLongEared, kBarbastelle})
    EXPECT_LT(cf::ConfidenceCeiling(sp), 12) << sp;
  // A pass split between two profiles is less sure than a clean one.
  const int32_t mixed = cf::NamePass(Fits({pip, pip, pip, Published(60, 41, 42, 5)})).confidence;
  EXPECT_LT(mixed, last);
}

// A minute whose calls sit in the output buffer as the emitter leaves them.
std::unique_ptr<cf::MinuteWork> Minute(const std::vector<tCall>& calls) {
  FinderSettings s;
  s.Classifier = SpClassifier::ZorvelEU1;
  return test::MinuteOfCalls(calls, s);
}

tCall At(tCall c, int32_t ms) {
  c.StartTime = ms * 200;
  return c;
}

TEST(ZorvelEU1Minute, TwoBatsAtOnceEachGetTheirOwnName) {
  std::vector<tCall> calls;
  for (int k = 0; k < 12; ++k)
    calls.push_back(At(k % 2 ? Published(75, 54, 55, 5) : Published(70, 45, 46, 5), 60 * k));
  tCall buzz = At(tCall{}, 60 * 12);
  buzz.BuzzCall = true;
  calls.push_back(buzz);
  tCall echo = At(Published(50, 47, 48, 0.5), 60 * 12 + 10);  // a fragment of the common's pass
  calls.push_back(echo);
  auto w = Minute(calls);
  cf::ClassifyMinute(*w);
  for (int i = 1; i <= 12; ++i) {
    const tCall& c = w->calls[i];
    EXPECT_EQ(c.SpN, i % 2 ? kCmnPip : kSopPip) << i;
    EXPECT_EQ(c.CallType, tcQCF);
    EXPECT_GE(c.SpConfidence, 12);
    const uint8_t* rc = w->out.data() + c.ClBufPosnOfStart + 32;
    EXPECT_EQ(rc[15], c.SpN);
    EXPECT_EQ(rc[14], c.Sp2N);
    EXPECT_EQ(rc[13], c.Sp3N);
    EXPECT_EQ(rc[4] >> 4, c.SpConfidence);
    EXPECT_EQ(rc[12], tcQCF);
  }
  EXPECT_EQ(w->calls[13].SpN, kSopPip);  // the buzz takes the name of the latest pass going on
  EXPECT_EQ(w->calls[14].SpN, kCmnPip);
  EXPECT_LT(w->calls[14].SpConfidence, w->calls[1].SpConfidence);
  EXPECT_EQ(w->counters.callsPerSpN[kSopPip], 7);
}

TEST(ZorvelEU1Minute, BadInputNeverCrashes) {
  // One call; calls of zero duration at one instant; a call whose number lies beyond the table.
  auto one = Minute({At(Published(70, 45, 46, 5), 0)});
  cf::ClassifyMinute(*one);
  EXPECT_EQ(one->calls[1].SpN, kCmnPip);
  // A lone call is less sure than the same call in a pass of four.
  auto four = Minute({At(Published(70, 45, 46, 5), 0), At(Published(70, 45, 46, 5), 100),
                      At(Published(70, 45, 46, 5), 200), At(Published(70, 45, 46, 5), 300)});
  cf::ClassifyMinute(*four);
  EXPECT_LT(one->calls[1].SpConfidence, four->calls[1].SpConfidence);

  auto zero = Minute(std::vector<tCall>(20, Published(70, 45, 46, 0)));
  cf::ClassifyMinute(*zero);
  for (int i = 1; i <= 20; ++i) EXPECT_EQ(zero->calls[i].SpN, 0);  // no pipistrelle call lasts 0 ms

  std::vector<tCall> many;
  for (int k = 0; k < cf::kMaxCalls; ++k)
    many.push_back(At(Published(40 + k % 70, 20 + k % 30, 30 + k % 50, (k % 100) / 10.0), k * 12 / 1000));
  auto full = Minute(many);
  cf::ClassifyMinute(*full);
  int counted = 0;
  for (int32_t n : full->counters.callsPerSpN) counted += n;
  EXPECT_EQ(counted, cf::kMaxCalls);
  for (int i = 1; i <= cf::kMaxCalls; ++i) {
    EXPECT_GE(full->calls[i].SpConfidence, 0);
    EXPECT_LE(full->calls[i].SpConfidence, 15);
    EXPECT_LT(full->calls[i].SpN, kZorvelEU1SpeciesCount);
  }
}

TEST(ZorvelEU1Minute, SpeciesNumbersBeyondTheTableReadBackAsNumbers) {
  // A record patched with numbers no table holds (a later classifier's, a damaged file): the
  // record keeps the byte, and a reader of a ZorvelEU1 file names it by number.
  auto w = Minute({At(Published(70, 45, 46, 5), 0), At(Published(70, 45, 46, 5), 90)});
  cf::ClassifyMinute(*w);
  w->calls[1].SpN = 30, w->calls[1].Sp2N = kZorvelEU1SpeciesCount, w->calls[1].Sp3N = 999;
  w->calls[2].SpN = -4;
  cf::PatchClassification(*w);
  tCall back1, back2;
  DecodeCallC(w->out.data() + w->calls[1].ClBufPosnOfStart + 32, back1);
  DecodeCallC(w->out.data() + w->calls[2].ClBufPosnOfStart + 32, back2);
  EXPECT_EQ(back1.SpN, 30);
  EXPECT_EQ(back1.Sp2N, kZorvelEU1SpeciesCount);
  EXPECT_EQ(back1.Sp3N, 255);  // a byte holds no more
  EXPECT_EQ(back2.SpN, 0);
  FileSlots slots;
  InitSlotSpeciesNames(slots);
  slots[1].SpClassifierName = kZorvelEU1ClassifierName;
  ASSERT_TRUE(ApplyBuiltInSpeciesNames(slots, 1));
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], back1.SpN), "Sp30");
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], back1.Sp2N), "Sp27");
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], back1.Sp3N), "Sp255");
  // Numbers the table does hold keep their names, older entries and appended ones alike.
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], kPipistrellus), "Pipistrellus");
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], kUnknownBat), "UnknownBat");
}

}  // namespace
}  // namespace zorvel
