// ZorvelEU1 end to end on the labelled real recordings (ZORVEL_REALDATA_DIR; skipped when they are
// absent): each recording goes through the product's front end and the whole batch, and a table
// line per recording says how many calls were found, how many named (species or group), how many
// of those were right (the labelled species or its group) and how many named the labelled species
// itself. The table is printed by
//   test_callfinder --gtest_filter='ZorvelEU1Real*'
// Labels are per file (the recordings' own file names or label lists, bats/SOURCES.txt).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "LoggerEmulation.h"
#include "TestHost.h"
#include "Zv2Reading.h"
#include "callfinder/Batch.h"
#include "core/Tables.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;
using namespace eu1;

constexpr int32_t kGHB = 1, kCmnPip = 3, kSopPip = 4, kNatterer = 8, kSerotine = 11, kLongEared = 13;

// Weak: the labeller marked the labels as uncertain (Indice 1 in the label list); shown in the
// table but kept out of the targets.
enum class Kind { Bat, Weak, NoBat, Outside, Unlabelled };

struct Recording {
  const char* path;
  int32_t expansion;  // the time-expanded recordings store ten times their real duration
  Kind kind;
  int32_t species;              // the labelled species (Bat)
  std::set<int32_t> alsoRight;  // its group, and other bats the recording holds
};

const Recording kRecordings[] = {
    // The whiskered bat's clip also holds four common pipistrelle calls near 49 kHz (at 0.14,
    // 0.22, 0.30 and 0.47 s in the recording's own annotation file), which a front end that
    // follows each call finds.
    {"batdetect2/20170701_213954-MYOMYS-LR_0_0.5.wav",
     1,
     Kind::Bat,
     kWhiskBrandt,
     {kMyotis, kCmnPip, kPipistrellus}},
    // The serotine clip also holds common pipistrelle calls near 46 kHz.
    {"batdetect2/20180530_213516-EPTSER-LR_0_0.5.wav",
     1,
     Kind::Bat,
     kSerotine,
     {kNyctaloid, kCmnPip, kPipistrellus}},
    {"batdetect2/20180627_215323-RHIFER-LR_0_0.5.wav", 1, Kind::Bat, kGHB, {}},
    {"batdetect2/Echometer.wav", 1, Kind::Bat, kCmnPip, {kPipistrellus}},
    {"batdetect2/AudiomothNoBatCalls.WAV", 1, Kind::NoBat, 0, {}},
    {"batdetect2/20230322_172000_selec2.wav", 1, Kind::Unlabelled, 0, {}},
    {"batdetect2/Audiomoth.WAV", 1, Kind::Unlabelled, 0, {}},
    {"tadarida_c/Car340319-2015-Pass1-G2-16701_0_20150718_055612_507.wav",
     10,
     Kind::Bat,
     kSopPip,
     {kPipistrellus}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160629_233708_037.wav",
     10,
     Kind::Bat,
     kCmnPip,
     {kPipistrellus}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160630_034535_500.wav",
     10,
     Kind::Bat,
     kCmnPip,
     {kPipistrellus}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160629_233226_620.wav",
     10,
     Kind::Bat,
     kBarbastelle,
     {}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160630_013159_341.wav",
     10,
     Kind::Bat,
     kNatterer,
     {kMyotis}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160630_041559_488.wav", 10, Kind::NoBat, 0, {}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160629_220901_133.wav", 10, Kind::NoBat, 0, {}},
    {"tadarida_c/Car340319-2015-Pass1-G2-16701_0_20150718_045047_787.wav",
     10,
     Kind::Bat,
     kSerotine,
     {kNyctaloid}},
    {"tadarida_c/Car340319-2015-Pass1-G2-16701_0_20150718_031633_453.wav",
     10,
     Kind::Weak,
     kSerotine,
     {kNyctaloid}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160629_234204_701.wav", 10, Kind::Bat, kLongEared, {}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160630_041439_799.wav", 10, Kind::Bat, kLongEared, {}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160630_003001_029.wav",
     10,
     Kind::Bat,
     kKuhl,
     {kPipistrellus}},
    {"tadarida_c/Car340319-2015-Pass1-G2-16701_0_20150718_052730_057.wav",
     10,
     Kind::Bat,
     kKuhl,
     {kPipistrellus}},
    {"tadarida_c/Car340319-2015-Pass1-G2-16701_0_20150718_041830_256.wav", 10, Kind::Bat, kSchreibers, {}},
    {"tadarida_c/Car340319-2015-Pass1-G2-16701_0_20150718_052755_293.wav",
     10,
     Kind::Bat,
     kSopPip,
     {kPipistrellus}},
    {"tadarida_c/Car340319-2015-Pass1-G2-16701_0_20150718_034611_770.wav",
     10,
     Kind::Bat,
     kCmnPip,
     {kPipistrellus}},
    {"tadarida_c/Car340319-2015-Pass1-G2-16701_0_20150718_040807_273.wav", 10, Kind::NoBat, 0, {}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160629_213356_166.wav", 10, Kind::NoBat, 0, {}},
    {"tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160630_062107_735.wav", 10, Kind::NoBat, 0, {}},
};

struct Tally {
  int calls = 0, named = 0, right = 0, species = 0, kinds = 0;
  void Add(const Tally& t) {
    calls += t.calls, named += t.named, right += t.right, species += t.species, kinds += t.kinds;
  }
};

std::string Percent(int a, int b) {
  return b == 0 ? "-" : std::to_string((100 * a + b / 2) / b) + " %";
}

class ZorvelEU1Real : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(ZORVEL_REALDATA_DIR) / "bats";
    if (!fs::is_directory(root_)) GTEST_SKIP() << "no real recordings at " << root_.string();
    PopulatePrecalculatedArrays();
    dir_ = fs::temp_directory_path() / ("zorvel_eu1_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  std::vector<tCall> Calls(const Recording& r, double gateOverFloor) {
    // The front end's hold keeps its usual proportion to the gate.
    rec::FrontEndOptions fe;
    fe.holdOverFloor = gateOverFloor * fe.holdOverFloor / fe.gateOverFloor;
    fe.gateOverFloor = gateOverFloor;
    const test::EmulatedRecording wav =
        test::EmulateRecording((root_ / r.path).string(), r.expansion, 200'000, fe);
    EXPECT_TRUE(wav.ok) << wav.error;
    if (!wav.ok) return {};
    const std::string zv1 = (dir_ / "rec.ZV1").string();
    EXPECT_TRUE(test::WriteRecordingZv1(zv1, 60'000'000, wav.groups));
    BatchOptions bo;
    bo.Jobs = 1;
    bo.settings.Classifier = SpClassifier::ZorvelEU1;
    KeepAwake none;
    const BatchResult br = RunCallFindingBatch({zv1}, bo, host_, none);
    std::vector<tCall> calls;
    if (br.zv2Files.size() != 1) {
      ADD_FAILURE() << r.path << ": " << br.statusLine2;
      return calls;
    }
    for (const auto& rc : test::ReadZv2Calls(br.zv2Files[0]))
      if (!rc.call.BuzzCall) calls.push_back(rc.call);
    return calls;
  }

  // Runs every recording; prints the table; returns the totals of the labelled bat recordings.
  void Table(double gateOverFloor) {
    std::printf("[ table    ] logger emulation: a wave counts at %.1f times the noise floor\n",
                gateOverFloor);
    std::printf("[ table    ] %-62s %-12s %5s %5s %5s %7s %8s %8s\n", "recording", "label", "calls", "named",
                "right", "species", "named%", "right%");
    Tally bats, noBats, outside;
    for (const Recording& r : kRecordings) {
      SCOPED_TRACE(r.path);
      Tally t;
      for (const tCall& c : Calls(r, gateOverFloor)) {
        if (std::getenv("ZORVEL_REAL_CALLS"))
          std::printf(
              "    t=%d SpN=%d Sp2N=%d Sp3N=%d conf=%d type=%d Fstart=%d Fend=%d Fmin=%d Fmax=%d modal=%d "
              "median=%d body=%d-%d dur=%d\n",
              c.StartTime, c.SpN, c.Sp2N, c.Sp3N, c.SpConfidence, c.CallType, c.Fstart, c.Fend, c.Fmin,
              c.Fmax, c.ModalKHZ, c.MedianKHZ, c.BodyLoKhz, c.BodyHiKhz, c.Duration100Musecs);
        ++t.calls;
        if (c.SpN == 0) continue;
        // "Social" and "UnknownBat" claim no species: among bats they are neither right nor
        // wrong, where there is no bat they are as wrong as any name.
        if ((c.SpN == kSocial || c.SpN == kUnknownBat) && r.kind != Kind::NoBat) {
          ++t.kinds;
          continue;
        }
        ++t.named;
        const bool right = c.SpN == r.species || r.alsoRight.count(c.SpN) > 0;
        t.right += right ? 1 : 0;
        t.species += c.SpN == r.species ? 1 : 0;
        const int band = std::clamp(c.SpConfidence, 0, 15);
        // An unlabelled recording has no right answer, and a weak label no sure one.
        if (r.kind == Kind::Weak || r.kind == Kind::Unlabelled) continue;
        ++byConfidence_[static_cast<size_t>(band)].named;
        byConfidence_[static_cast<size_t>(band)].right += (r.kind == Kind::Bat && right) ? 1 : 0;
      }
      const std::string label =
          r.kind == Kind::Bat || r.kind == Kind::Weak
              ? ZorvelEU1SpeciesNames()[static_cast<size_t>(r.species)] + (r.kind == Kind::Weak ? "?" : "")
          : r.kind == Kind::NoBat   ? "no bat"
          : r.kind == Kind::Outside ? "not European"
                                    : "unlabelled";
      std::printf("[ table    ] %-62s %-12s %5d %5d %5d %7d %8s %8s\n",
                  fs::path(r.path).filename().string().c_str(), label.c_str(), t.calls, t.named, t.right,
                  t.species, Percent(t.named, t.calls).c_str(), Percent(t.right, t.named).c_str());
      if (r.kind == Kind::Bat) bats.Add(t);
      if (r.kind == Kind::NoBat) noBats.Add(t);
      if (r.kind == Kind::Outside) outside.Add(t);
      perRecording_.push_back({r, t});
    }
    std::printf(
        "[ table    ] bats: %d calls, %d named (%s), %d right (%s of named), %d the labelled species, %d "
        "Social or UnknownBat\n",
        bats.calls, bats.named, Percent(bats.named, bats.calls).c_str(), bats.right,
        Percent(bats.right, bats.named).c_str(), bats.species, bats.kinds);
    std::printf("[ table    ] no bats: %d calls, %d named; not European: %d calls, %d named\n", noBats.calls,
                noBats.named, outside.calls, outside.named);
    for (int b = 15; b >= 0; --b) {
      const Tally& t = byConfidence_[static_cast<size_t>(b)];
      if (t.named > 0)
        std::printf("[ table    ] confidence %2d: %3d named, %3d right\n", b, t.named, t.right);
    }
    bats_ = bats, noBats_ = noBats, outside_ = outside;
  }

  fs::path root_, dir_;
  test::RecordingHost host_;
  std::array<Tally, 16> byConfidence_{};
  std::vector<std::pair<Recording, Tally>> perRecording_;
  Tally bats_, noBats_, outside_;
};

// The targets: most calls of covered species named, nearly all named calls right, nothing named
// where there is no bat, bats from elsewhere mostly unclassed, and the confidence meaning what it
// says: 12 or more right at least nine times in ten.
void CheckTargets(const Tally& bats, const Tally& noBats, const Tally& outside,
                  const std::array<Tally, 16>& conf) {
  EXPECT_GE(bats.named * 100, bats.calls * 80) << bats.named << " of " << bats.calls << " named";
  EXPECT_GE(bats.right * 100, bats.named * 90) << bats.right << " of " << bats.named << " right";
  EXPECT_EQ(noBats.named, 0);
  EXPECT_LE(outside.named * 2, outside.calls);
  int high = 0, highRight = 0;
  for (int b = 12; b <= 15; ++b)
    high += conf[static_cast<size_t>(b)].named, highRight += conf[static_cast<size_t>(b)].right;
  EXPECT_GE(highRight * 100, high * 90)
      << highRight << " of " << high << " calls of confidence 12 or more right";
}

TEST_F(ZorvelEU1Real, TableAtTheEmulationsUsualGate) {
  Table(4.0);
  CheckTargets(bats_, noBats_, outside_, byConfidence_);
}

// A more sensitive front end hears fainter, flatter calls; the rules must hold there too. It also
// hears the bush-crickets, noise, echoes and call fragments the bat recordings hold (105 of the
// 133 calls of the serotine and bush-cricket recording), which rightly stay unnamed: per file,
// the share named says little here (measure_eu1 takes it per labelled event). What must hold is
// that nothing is named where there is no bat, that high confidence means a right name, and
// that nearly all names are right; by file labels a little less than at the usual gate, since
// the hand-held common pipistrelle recording also holds a bat calling at 21-30 kHz and short
// pieces of the bent-winged bat's calls measure as the soprano pipistrelle's.
TEST_F(ZorvelEU1Real, TableWithAMoreSensitiveFrontEnd) {
  Table(3.0);
  EXPECT_EQ(noBats_.named, 0);
  EXPECT_GT(noBats_.calls, 100);  // there was something to hear
  EXPECT_GE(bats_.right * 100, bats_.named * 85) << bats_.right << " of " << bats_.named << " right";
  int high = 0, highRight = 0;
  for (int b = 12; b <= 15; ++b)
    high += byConfidence_[static_cast<size_t>(b)].named,
        highRight += byConfidence_[static_cast<size_t>(b)].right;
  EXPECT_GE(highRight * 100, high * 90)
      << highRight << " of " << high << " calls of confidence 12 or more right";
}

}  // namespace
}  // namespace zorvel
