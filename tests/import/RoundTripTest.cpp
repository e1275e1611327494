// Simulate a card, import it, read the ZV1 files back through the core reader: every minute
// and wave group the logger wrote arrives, at the right times, and the card is untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/Bytes.h"
#include "core/Header.h"
#include "import/ImportFixture.h"
#include "import/Zv1Reading.h"
#include "sim/Simulator.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::vector<uint8_t>> Snapshot(const std::string& folder) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& e : fs::directory_iterator(folder))
    files[e.path().filename().string()] = testing::ReadAll(e.path().string());
  return files;
}

struct RoundTrip : testing::ImportFixture {
  sim::SimOptions sim;
  RoundTrip() {
    fs::remove_all(sd);
    sim.outDir = sd;
    sim.seed = 5;
    sim.nights = 1;
    sim.series = 2;
    sim.loggerFileBytes = 512 << 10;
    sim.awkward = {true, true, true, true, -1};
  }
  sim::SimResult Simulate() {
    const sim::SimResult r = sim::SimulateCard(sim);
    EXPECT_TRUE(r.ok) << r.error;
    return r;
  }
};

// The last minute as the import wrote it into the header (both copies of it), before any reader
// has had a chance to amend it in memory.
int32_t WrittenLastMinute(const std::string& path) {
  const auto f = testing::ReadAll(path);
  if (f.size() < 1024) return -1;
  const auto last = static_cast<int32_t>(Be32(&f[hdr::kLastLoggedMin]));
  return last == static_cast<int32_t>(Be32(&f[hdr::kStoredLastProcessMin])) ? last : -2;
}

void ExpectEverythingArrived(const sim::SimResult& s, const ImportResult& r) {
  ASSERT_TRUE(r.Completed) << r.Error;
  ASSERT_EQ(r.MadeFiles.size(), s.series.size());
  for (size_t k = 0; k < s.series.size(); ++k) {
    const auto& c = s.series[k];
    const auto z = testing::ReadZv1(r.MadeFiles[k]);
    ASSERT_TRUE(z.opened) << r.MadeFiles[k];
    EXPECT_EQ(z.firstLoggedMin, c.startMn);
    EXPECT_EQ(z.minutes, c.minuteRecords);
    EXPECT_EQ(z.lastMinute, c.startMn + c.minuteRecords - 1);
    EXPECT_EQ(WrittenLastMinute(r.MadeFiles[k]), z.lastMinute) << "the header ends where the records end";
    // Groups stamped with tick 0 are kept in the file but marked so that readers pass over them;
    // groups whose time runs backwards are kept unmarked, and the reader passes over them.
    EXPECT_EQ(z.waveGroups, c.waveGroups - c.tickZeroGroups - c.backwardGroups);
  }
  EXPECT_EQ(r.MinutesRead,
            s.TotalMinutes() - static_cast<int64_t>(s.series.size()));  // record 0 goes to the header
  EXPECT_EQ(r.WaveGroups, s.TotalWaveGroups());
}

TEST_F(RoundTrip, NumberedSeriesArriveWholeAndTheCardIsUntouched) {
  const sim::SimResult s = Simulate();
  ASSERT_GE(s.series[0].files.size(), 3u);
  const auto before = Snapshot(sd);
  const ImportResult r = Run();
  ExpectEverythingArrived(s, r);
  EXPECT_EQ(Snapshot(sd), before);
  EXPECT_EQ(fs::path(r.MadeFiles[1]).filename(), "Wood 2026 06 02 ZORVEL_1234 file1.ZV1");
}

TEST_F(RoundTrip, LegacySeriesArriveWhole) {
  sim.scheme = 2;
  sim.series = 1;
  const sim::SimResult s = Simulate();
  EXPECT_EQ(s.series[0].files[1], "ZORVEL1.NXQ");
  ExpectEverythingArrived(s, Run());
}

// The first-file search looks for numbered names before the legacy one, so a legacy card
// whose second series starts "1BAT000.NXQ" is read from that series on, as numbered.
TEST_F(RoundTrip, LegacyCardWithASecondSeriesIsTakenForNumbered) {
  sim.scheme = 2;
  const sim::SimResult s = Simulate();
  EXPECT_EQ(s.series[1].files[0], "1BAT000.NXQ");
  EXPECT_EQ(s.series[1].files[1], "0ORVEL01.NXQ");
  const ImportResult r = Run();
  ASSERT_EQ(r.MadeFiles.size(), 1u);
  EXPECT_NE(r.MadeFiles[0].find(" file1.ZV1"), std::string::npos);
}

TEST_F(RoundTrip, SizeLimitSplitKeepsEveryMinuteInOrder) {
  sim.series = 1;
  sim.loggerFileBytes = 256 << 10;
  const sim::SimResult s = Simulate();
  options.SizeLimitBytes = 1 << 20;
  const ImportResult r = Run();
  ASSERT_TRUE(r.Completed);
  ASSERT_GE(r.MadeFiles.size(), 3u);
  int64_t minutes = 0, groups = 0;
  int32_t next = s.series[0].startMn;
  for (size_t k = 0; k < r.MadeFiles.size(); ++k) {
    const auto z = testing::ReadZv1(r.MadeFiles[k]);
    EXPECT_EQ(z.firstLoggedMin, next) << "file " << k << " starts where the one before ended";
    next = z.lastMinute + 1;
    EXPECT_EQ(WrittenLastMinute(r.MadeFiles[k]), z.lastMinute) << r.MadeFiles[k];
    minutes += z.minutes;
    groups += z.waveGroups;
    const auto size = static_cast<int64_t>(testing::ReadAll(r.MadeFiles[k]).size());
    // Split only at logger-file boundaries: a file passes the limit by less than one logger file.
    EXPECT_LT(size, (1 << 20) + sim.loggerFileBytes + 64 * 1024) << r.MadeFiles[k];
  }
  EXPECT_EQ(minutes, s.series[0].minuteRecords);
  EXPECT_EQ(groups, s.series[0].waveGroups - s.series[0].tickZeroGroups - s.series[0].backwardGroups);
  // Files that start on the same day are told apart by " part2", " part3" …
  EXPECT_EQ(OutFolder().size(), r.MadeFiles.size());
  EXPECT_NE(r.MadeFiles[1].find(" part2.ZV1"), std::string::npos) << r.MadeFiles[1];
}

// The card as the simulator writes it by default: the logger listens all night on its first
// battery, so every minute record carries 3 in the low bits of its flags byte. One card file for
// one night, two for three nights; either way the header spans every minute of the card.
TEST_F(RoundTrip, HeaderSpansEveryMinuteOfOneOrSeveralCardFiles) {
  sim.seed = 12;
  sim.series = 1;
  sim.awkward = {};
  sim.loggerFileBytes = sim::SimOptions{}.loggerFileBytes;
  for (const int nights : {1, 3}) {
    SCOPED_TRACE(nights);
    fs::remove_all(sd);
    fs::remove_all(out);
    fs::create_directories(out);
    sim.nights = nights;
    const sim::SimResult s = Simulate();
    ASSERT_EQ(s.series[0].files.size(), nights == 1 ? 1u : 2u);
    const ImportResult r = Run();
    ASSERT_TRUE(r.Completed) << r.Error;
    ASSERT_EQ(r.MadeFiles.size(), 1u);
    const int32_t start = s.series[0].startMn;
    EXPECT_EQ(WrittenLastMinute(r.MadeFiles[0]), start + nights * 1440 - 1);
    const auto z = testing::ReadZv1(r.MadeFiles[0]);
    EXPECT_EQ(z.lastLoggedMin, start + nights * 1440 - 1);
  }
}

TEST_F(RoundTrip, TimeReversalOptionSuppressesTheBackwardGroups) {
  sim.series = 1;
  const sim::SimResult s = Simulate();
  options.AddTimestampsAtTimeReversals = true;
  const ImportResult r = Run();
  ASSERT_TRUE(r.Completed);
  const auto z = testing::ReadZv1(r.MadeFiles.at(0));
  const auto& c = s.series[0];
  EXPECT_EQ(z.waveGroups, c.waveGroups - c.tickZeroGroups - c.backwardGroups);
}

}  // namespace
}  // namespace zorvel
