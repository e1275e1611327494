// The call finder on real bat recordings: each recording is turned into wave groups by the
// product's zero-crossing front end (as a logger stores them) and run through the whole batch. Recordings live outside the repository
// (ZORVEL_REALDATA_DIR); without them these tests are skipped. Every run prints one line of the
// table of calls and species found (and, with ZORVEL_REAL_CALLS set, one line per call); run
//   test_callfinder --gtest_filter='RealRecordings*'
// to see it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "LoggerEmulation.h"
#include "TestHost.h"
#include "Zv2Reading.h"
#include "callfinder/Batch.h"
#include "core/Tables.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kUnclassed = 0, kGHB = 1, kLHB = 2, kCmnPip = 3, kSopPip = 4, kFM = 7;

// The time-expanded recordings store ten times their real duration.
constexpr int32_t kTimeExpanded = 10;

const char* const kPipistrelle = "batdetect2/Echometer.wav";
const char* const kHorseshoe = "batdetect2/20180627_215323-RHIFER-LR_0_0.5.wav";
const char* const kWhiskered = "batdetect2/20170701_213954-MYOMYS-LR_0_0.5.wav";
const char* const kSerotine = "batdetect2/20180530_213516-EPTSER-LR_0_0.5.wav";
const char* const kNoBats = "batdetect2/AudiomothNoBatCalls.WAV";
const char* const kPipistrellePass = "tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160630_034535_500.wav";
const char* const kNatterers = "tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160630_013159_341.wav";
const char* const kInsect = "tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160630_041559_488.wav";
const char* const kMechanical = "tadarida_c/Car370293-2016-Pass1-Z3-US-16611-0_20160629_220901_133.wav";

struct Found {
  bool ran = false;
  std::vector<tCall> calls;
  int count(int32_t sp) const {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const tCall& c) { return c.SpN == sp; }));
  }
};

class RealRecordings : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(ZORVEL_REALDATA_DIR) / "bats";
    if (!fs::is_directory(root_)) GTEST_SKIP() << "no real recordings at " << root_.string();
    PopulatePrecalculatedArrays();
    dir_ = fs::temp_directory_path() / ("zorvel_real_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  // The recording's wave groups as the emulated logger stores them.
  std::vector<synth::Octet> Emulate(const std::string& relPath, int32_t timeExpansion,
                                    double* seconds = nullptr) {
    // British0's rules were made on what loggers store: these recordings go through the
    // front end that hears as a logger does.
    rec::FrontEndOptions asALogger;
    asALogger.kind = rec::FrontEndKind::ZeroCrossing;
    const test::EmulatedRecording r =
        test::EmulateRecording((root_ / relPath).string(), timeExpansion, 200'000, asALogger);
    EXPECT_TRUE(r.ok) << r.error;
    if (!r.ok) return {};
    EXPECT_LT(r.seconds, 50.0) << "the recording must fit in its minute";
    if (seconds) *seconds = r.seconds;
    return r.groups;
  }

  // Finds the calls in a minute of these groups and prints the table line.
  Found FindCalls(const std::string& name, const std::vector<synth::Octet>& groups) {
    Found f;
    const std::string zv1 = (dir_ / "rec.ZV1").string();
    EXPECT_TRUE(test::WriteRecordingZv1(zv1, 60'000'000, groups));
    BatchOptions bo;
    bo.Jobs = 1;
    KeepAwake none;
    const BatchResult r = RunCallFindingBatch({zv1}, bo, host_, none);
    EXPECT_EQ(r.processed, 1) << r.statusLine2;
    if (r.zv2Files.size() != 1) return f;
    for (const auto& rc : test::ReadZv2Calls(r.zv2Files[0])) f.calls.push_back(rc.call);
    f.ran = true;
    Print(name, groups.size(), f);
    return f;
  }

  Found Run(const std::string& relPath, int32_t timeExpansion = 1) {
    return FindCalls(relPath, Emulate(relPath, timeExpansion));
  }

  static void Print(const std::string& name, size_t groups, const Found& f) {
    std::map<int32_t, int> perSpecies;
    for (const tCall& c : f.calls) ++perSpecies[c.SpN];
    std::string line =
        name + "\tgroups " + std::to_string(groups) + "\tcalls " + std::to_string(f.calls.size());
    for (const auto& [sp, n] : perSpecies) line += "\t" + SpeciesListCaption(sp) + " " + std::to_string(n);
    std::printf("[ table    ] %s\n", line.c_str());
    if (!std::getenv("ZORVEL_REAL_CALLS")) return;
    for (const tCall& c : f.calls)
      std::printf(
          "    t=%d SpN=%d Sp2N=%d type=%d Fstart=%d Fend=%d Fmin=%d Fmax=%d modal=%d median=%d octets=%d\n",
          c.StartTime, c.SpN, c.Sp2N, c.CallType, c.Fstart, c.Fend, c.Fmin, c.Fmax, c.ModalKHZ, c.MedianKHZ,
          c.nSelOctInCall);
  }

  fs::path root_, dir_;
  test::RecordingHost host_;
};

TEST_F(RealRecordings, CommonPipistrellePassIsMostlyCmnPip) {
  const Found f = Run(kPipistrellePass, kTimeExpanded);
  ASSERT_TRUE(f.ran);
  // 119 search calls are labelled; the quiet ones at the edges of the pass are not expected.
  EXPECT_GE(f.calls.size(), 30u);
  EXPECT_GE(f.count(kCmnPip) * 4, static_cast<int>(f.calls.size()) * 3);
  for (const tCall& c : f.calls) {
    if (c.SpN != kCmnPip) continue;
    EXPECT_GE(c.Fend, 43);
    EXPECT_LE(c.Fend, 53);
    EXPECT_EQ(c.CallType, tcQCF);
  }
}

// Five calls in half a second: the rule tests see a common pipistrelle, but the species is
// given only to a run of at least six such calls in the minute, so the calls stay unclassed.
TEST_F(RealRecordings, ShortPipistrelleClipHasPipistrelleCallsButTooFewForASpecies) {
  const Found f = Run(kPipistrelle);
  ASSERT_TRUE(f.ran);
  ASSERT_GE(f.calls.size(), 3u);
  for (const tCall& c : f.calls) {
    EXPECT_GE(c.ModalKHZ, 43);
    EXPECT_LE(c.ModalKHZ, 52);
    EXPECT_TRUE(c.SpN == kUnclassed || c.SpN == kCmnPip) << c.SpN;
  }
  EXPECT_TRUE(std::any_of(f.calls.begin(), f.calls.end(),
                          [](const tCall& c) { return c.SpN == kCmnPip || c.Sp2N == kCmnPip; }));
}

// The same holds for the horseshoe: its long constant-frequency calls are measured as such and
// proposed as GHB, but half a second holds too few calls for the species to be given.
TEST_F(RealRecordings, GreaterHorseshoeCallsAreConstantFrequencyNear82kHz) {
  const Found f = Run(kHorseshoe);
  ASSERT_TRUE(f.ran);
  int longCalls = 0;
  for (const tCall& c : f.calls) {
    EXPECT_NE(c.SpN, kCmnPip);
    EXPECT_NE(c.SpN, kSopPip);
    if (c.nSelOctInCall < 100) continue;  // the call's end, split off when the tone drops
    ++longCalls;
    EXPECT_EQ(c.CallType, tcCF);
    EXPECT_GE(c.ModalKHZ, 80);
    EXPECT_LE(c.ModalKHZ, 86);
    EXPECT_GE(c.Duration100Musecs, 100);  // 10 ms and more
    EXPECT_TRUE(c.SpN == kGHB || c.Sp2N == kGHB) << "SpN " << c.SpN << " Sp2N " << c.Sp2N;
  }
  EXPECT_GE(longCalls, 4);
}

// Played six times in a row, the same real calls make a pass long enough for the species.
TEST_F(RealRecordings, GreaterHorseshoePassIsClassedGHB) {
  double seconds = 0;
  const auto once = Emulate(kHorseshoe, 1, &seconds);
  ASSERT_FALSE(once.empty());
  const int32_t clipTicks = static_cast<int32_t>(seconds * 200'000);
  std::vector<synth::Octet> pass;
  for (int k = 0; k < 6; ++k) {
    for (synth::Octet g : once) {
      g.tick += k * clipTicks;
      pass.push_back(g);
    }
  }
  const Found f = FindCalls(std::string("6 x ") + kHorseshoe, pass);
  ASSERT_TRUE(f.ran);
  ASSERT_GE(f.calls.size(), 24u);
  EXPECT_GE(f.count(kGHB) * 4, static_cast<int>(f.calls.size()) * 3);
  for (const tCall& c : f.calls) {
    if (c.SpN != kGHB) continue;
    EXPECT_EQ(c.CallType, tcCF);
    EXPECT_GE(c.ModalKHZ, 80);
    EXPECT_LE(c.ModalKHZ, 86);
  }
}

TEST_F(RealRecordings, WhiskeredBatCallsAreBroadbandFM) {
  const Found f = Run(kWhiskered);
  ASSERT_TRUE(f.ran);
  ASSERT_GE(f.calls.size(), 8u);
  EXPECT_GE(f.count(kFM) * 4, static_cast<int>(f.calls.size()) * 3);
  for (const tCall& c : f.calls) {
    if (c.SpN != kFM) continue;
    EXPECT_EQ(c.CallType, tcFM);
    EXPECT_GE(c.Fmax - c.Fmin, 40);
  }
}

// Serotine calls sweep down below 35 kHz; the clip also holds pipistrelle calls near 46 kHz.
TEST_F(RealRecordings, SerotineClipHoldsLowAndPipistrelleCalls) {
  const Found f = Run(kSerotine);
  ASSERT_TRUE(f.ran);
  const auto low = std::count_if(f.calls.begin(), f.calls.end(), [](const tCall& c) { return c.Fend <= 33; });
  const auto pip = std::count_if(f.calls.begin(), f.calls.end(),
                                 [](const tCall& c) { return c.ModalKHZ >= 43 && c.ModalKHZ <= 50; });
  EXPECT_GE(low, 2);
  EXPECT_GE(pip, 1);
  for (const tCall& c : f.calls) EXPECT_NE(c.SpN, kGHB);
}

TEST_F(RealRecordings, NattererCallsAreNotTakenForPipistrellesOrHorseshoes) {
  const Found f = Run(kNatterers, kTimeExpanded);
  ASSERT_TRUE(f.ran);
  const auto broad =
      std::count_if(f.calls.begin(), f.calls.end(), [](const tCall& c) { return c.Fmax - c.Fmin >= 20; });
  EXPECT_GE(broad, 3);
  for (const tCall& c : f.calls) {
    EXPECT_NE(c.SpN, kCmnPip);
    EXPECT_NE(c.SpN, kSopPip);
    EXPECT_NE(c.SpN, kGHB);
    EXPECT_NE(c.SpN, kLHB);
  }
}

TEST_F(RealRecordings, RecordingsWithoutBatsGiveNoCalls) {
  for (const auto& [path, expansion] :
       {std::pair{kNoBats, 1}, {kInsect, kTimeExpanded}, {kMechanical, kTimeExpanded}}) {
    SCOPED_TRACE(path);
    const Found f = Run(path, expansion);
    EXPECT_TRUE(f.ran);
    EXPECT_TRUE(f.calls.empty()) << f.calls.size() << " calls";
  }
}

// The table for every recording, including those too quiet for the emulated logger to hear.
TEST_F(RealRecordings, EveryRecordingIsReadAndProcessed) {
  for (const char* dir : {"batdetect2", "tadarida_c"}) {
    std::vector<fs::path> wavs;
    for (const auto& e : fs::directory_iterator(root_ / dir)) {
      std::string ext = e.path().extension().string();
      std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char ch) { return std::tolower(ch); });
      if (ext == ".wav") wavs.push_back(e.path());
    }
    std::sort(wavs.begin(), wavs.end());
    EXPECT_FALSE(wavs.empty());
    for (const fs::path& p : wavs) {
      SCOPED_TRACE(p.string());
      EXPECT_TRUE(Run(std::string(dir) + "/" + p.filename().string(),
                      std::string(dir) == "tadarida_c" ? kTimeExpanded : 1)
                      .ran);
    }
  }
}

}  // namespace
}  // namespace zorvel
