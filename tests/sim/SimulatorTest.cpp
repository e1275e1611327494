#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/Bytes.h"
#include "core/CallRecords.h"
#include "core/TimeBase.h"
#include "sim/LoggerCard.h"
#include "sim/Simulator.h"
#include "support/TempDir.h"

namespace zorvel::sim {
namespace {

using testing::ReadAll;
using testing::TempDir;

int FromBcdByte(uint8_t b) {
  return (b >> 4) * 10 + (b & 15);
}

int32_t BcdMinute(const std::vector<uint8_t>& f) {
  return *MinuteNumber(2000 + FromBcdByte(f[96]), FromBcdByte(f[97]), FromBcdByte(f[98]), FromBcdByte(f[99]),
                       FromBcdByte(f[100]));
}

// One minute of the card as written: its record and its wave-group ticks.
struct CardMinute {
  std::vector<uint8_t> record;
  std::vector<int32_t> ticks;
};

// Walks every file of series 0 in order (records after the headers) into minutes.
std::vector<CardMinute> ReadSeries(const std::string& dir, const SimSeriesCounts& s, int64_t* odd = nullptr) {
  std::vector<CardMinute> minutes;
  for (size_t k = 0; k < s.files.size(); ++k) {
    const auto f = ReadAll(dir + "/" + s.files[k]);
    for (size_t at = 496; at + 16 <= f.size(); at += 16) {
      const uint8_t id = f[at];
      if (id == kIdEnd) break;
      if (id == kIdMinute) {
        minutes.push_back(
            {std::vector<uint8_t>(f.begin() + static_cast<long>(at), f.begin() + static_cast<long>(at) + 16),
             {}});
      } else if (id <= kLastWaveGroupId && !minutes.empty()) {
        minutes.back().ticks.push_back(static_cast<int32_t>(Be24(&f[at])));
      } else if (odd) {
        ++*odd;
      }
    }
  }
  return minutes;
}

SimOptions Small(const TempDir& dir) {
  SimOptions o;
  o.outDir = dir / "card";
  o.seed = 11;
  o.loggerFileBytes = 1 << 20;
  return o;
}

TEST(Simulator, SameSeedSameCardOtherSeedOtherCard) {
  TempDir dir;
  SimOptions a = Small(dir);
  SimOptions b = a;
  b.outDir = dir / "again";
  SimOptions c = a;
  c.outDir = dir / "other";
  c.seed = 12;
  const SimResult ra = SimulateCard(a), rb = SimulateCard(b), rc = SimulateCard(c);
  ASSERT_TRUE(ra.ok && rb.ok && rc.ok) << ra.error << rb.error << rc.error;
  ASSERT_EQ(ra.series[0].files, rb.series[0].files);
  for (const auto& name : ra.series[0].files)
    EXPECT_EQ(ReadAll(a.outDir + "/" + name), ReadAll(b.outDir + "/" + name));
  EXPECT_EQ(ReadAll(ra.truthPath), ReadAll(rb.truthPath));
  EXPECT_NE(ReadAll(a.outDir + "/0BAT000.NXQ"), ReadAll(c.outDir + "/0BAT000.NXQ"));
  EXPECT_EQ(ra.truthPath, dir / "card_truth.txt");
}

TEST(Simulator, FilesHaveTheLoggersHeadersAndEndRecords) {
  TempDir dir;
  SimOptions o = Small(dir);
  o.loggerId = 123456;
  o.minsOff = 2;
  o.loggerFileBytes = 256 << 10;
  const SimResult r = SimulateCard(o);
  ASSERT_TRUE(r.ok) << r.error;
  const auto& s = r.series[0];
  ASSERT_GE(s.files.size(), 3u) << "a night should fill several 256 KiB files";
  EXPECT_EQ(s.files[0], "0BAT000.NXQ");
  EXPECT_EQ(s.files[1], "0BAT001.NXQ");

  const auto first = ReadAll(o.outDir + "/0BAT000.NXQ");
  EXPECT_EQ(first[2] * 10000 + first[3] * 100 + first[4], 123456);
  EXPECT_EQ(BcdMinute(first), DefaultStartMinute());
  EXPECT_EQ(first[128 + 13], 2) << "minutes off in the settings block";
  EXPECT_EQ(first[496], kIdMinute) << "the series' first record sits at 496";

  int64_t minutesSeen = 0;
  for (size_t k = 0; k < s.files.size(); ++k) {
    const auto f = ReadAll(o.outDir + "/" + s.files[k]);
    EXPECT_EQ(f.size() % 16, 0u);
    EXPECT_EQ(std::vector<uint8_t>(f.end() - 16, f.end()), std::vector<uint8_t>(16, 0xFF)) << s.files[k];
    // A later file starts with a minute, and its header names that minute.
    EXPECT_EQ(f[496], kIdMinute) << s.files[k];
    EXPECT_EQ(BcdMinute(f), DefaultStartMinute() + minutesSeen) << s.files[k];
    for (size_t at = 496; at + 16 < f.size(); at += 16) minutesSeen += f[at] == kIdMinute;
  }
  EXPECT_EQ(minutesSeen, 1440);
}

TEST(Simulator, MinutesFollowTheSunTheSettingsAndTheBatteries) {
  TempDir dir;
  SimOptions o = Small(dir);
  o.nights = 3;
  o.minsOff = 1;
  o.loggerFileBytes = 64 << 20;
  const SimResult r = SimulateCard(o);
  ASSERT_TRUE(r.ok) << r.error;
  const auto minutes = ReadSeries(o.outDir, r.series[0]);
  ASSERT_EQ(minutes.size(), 3u * 1440);
  EXPECT_EQ(r.series[0].minuteRecords, 3 * 1440);

  int64_t groups = 0;
  std::set<int> batteries;
  for (size_t m = 0; m < minutes.size(); ++m) {
    const auto& rec = minutes[m].record;
    const bool on = rec[10] & 1;
    EXPECT_EQ(on, m % 2 == 0) << "one minute on, one off";
    if (!on) {
      EXPECT_TRUE(minutes[m].ticks.empty()) << "nothing is recorded while asleep";
    }
    groups += static_cast<int64_t>(minutes[m].ticks.size());
    for (size_t i = 1; i < minutes[m].ticks.size(); ++i)
      EXPECT_LE(minutes[m].ticks[i - 1], minutes[m].ticks[i]);
    for (int32_t t : minutes[m].ticks) EXPECT_GT(t, 0);
    const int bat = (rec[10] >> 1) & 3;
    batteries.insert(bat == 0 ? 4 : bat);
  }
  EXPECT_EQ(groups, r.series[0].waveGroups);
  // Start 18:00: minute 360 is midnight, minute 1080 is noon the next day.
  EXPECT_LE(minutes[360].record[6], 3);
  EXPECT_GE(minutes[1080].record[6], 150);
  EXPECT_GT(minutes[1260].record[7], minutes[720].record[7]) << "afternoon warmer than the small hours";
  EXPECT_GE(batteries.size(), 2u) << "three days run the first stack down and switch";
  EXPECT_LT(minutes.back().record[11], minutes.front().record[11]);
}

TEST(Simulator, GroundTruthListsCallsThatAreOnTheCard) {
  TempDir dir;
  SimOptions o = Small(dir);
  const SimResult r = SimulateCard(o);
  ASSERT_TRUE(r.ok) << r.error;
  const auto minutes = ReadSeries(o.outDir, r.series[0]);
  std::ifstream in(r.truthPath);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line.rfind("minute\ttime\ttick\tspecies", 0), 0u);
  int64_t calls = 0, buzzes = 0;
  std::set<std::string> species;
  while (std::getline(in, line)) {
    std::istringstream f(line);
    std::string mnText, date, clock, tickText, name, spN, kind;
    std::getline(f, mnText, '\t');
    std::getline(f, date, '\t');
    std::getline(f, tickText, '\t');
    std::getline(f, name, '\t');
    std::getline(f, spN, '\t');
    std::getline(f, kind, '\t');
    const int64_t m = std::stoll(mnText) - DefaultStartMinute();
    ASSERT_GE(m, 0);
    ASSERT_LT(m, static_cast<int64_t>(minutes.size()));
    EXPECT_TRUE(minutes[static_cast<size_t>(m)].record[10] & 1) << "calls are listed only in minutes on";
    if (kind == "buzz") {
      ++buzzes;
      continue;
    }
    ++calls;
    species.insert(name);
    // The call's first wave group is on the card at the listed tick.
    const auto& ticks = minutes[static_cast<size_t>(m)].ticks;
    EXPECT_TRUE(std::binary_search(ticks.begin(), ticks.end(), std::stoi(tickText))) << line;
  }
  EXPECT_EQ(calls, r.calls);
  EXPECT_EQ(buzzes, r.buzzes);
  EXPECT_GT(calls, 1000);
  EXPECT_GE(species.size(), 6u) << "a night brings most of the species";
}

TEST(Simulator, AwkwardCasesArePlantedAndCounted) {
  TempDir dir;
  SimOptions o = Small(dir);
  o.awkward = {true, true, true, true, -1};
  const SimResult r = SimulateCard(o);
  ASSERT_TRUE(r.ok) << r.error;
  const auto& s = r.series[0];
  EXPECT_GT(s.tickZeroGroups, 0);
  EXPECT_GT(s.backwardGroups, 0);
  int64_t odd = 0;
  const auto minutes = ReadSeries(o.outDir, s, &odd);
  EXPECT_EQ(odd, s.oddRecords);
  EXPECT_GT(odd, 0);
  int64_t zeros = 0, reversals = 0;
  for (const auto& m : minutes) {
    for (size_t i = 0; i < m.ticks.size(); ++i) {
      zeros += m.ticks[i] == 0;
      reversals += i > 0 && m.ticks[i] < m.ticks[i - 1] && m.ticks[i] != 0;
    }
  }
  EXPECT_EQ(zeros, s.tickZeroGroups);
  EXPECT_EQ(reversals, s.backwardGroups);
}

TEST(Simulator, BlankHeaderSeriesHasOnlyErasedBytesBeforeItsRecords) {
  TempDir dir;
  SimOptions o = Small(dir);
  o.awkward.blankHeaderSeries = 0;
  ASSERT_TRUE(SimulateCard(o).ok);
  const auto f = ReadAll(o.outDir + "/0BAT000.NXQ");
  EXPECT_EQ(std::vector<uint8_t>(f.begin(), f.begin() + 512), std::vector<uint8_t>(512, 0xFF));
  EXPECT_EQ(f[512], kIdMinute);
}

TEST(LoggerFileName, BothSchemesAndTheirSeries) {
  EXPECT_EQ(LoggerFileName(1, 0, 0), "0BAT000.NXQ");
  EXPECT_EQ(LoggerFileName(1, 0, 12), "0BAT012.NXQ");
  EXPECT_EQ(LoggerFileName(1, 3, 1), "3BAT001.NXQ");
  EXPECT_EQ(LoggerFileName(1, 0, 1000), "");
  EXPECT_EQ(LoggerFileName(2, 0, 0), "ZORVEL0.NXQ");
  EXPECT_EQ(LoggerFileName(2, 0, 11), "ZORVEL11.NXQ");
  EXPECT_EQ(LoggerFileName(2, 1, 0), "1BAT000.NXQ");
  EXPECT_EQ(LoggerFileName(2, 1, 2), "0ORVEL02.NXQ");
  EXPECT_EQ(LoggerFileName(2, 10, 0), "");
}

TEST(Simulator, RejectsOptionsItCannotHonour) {
  TempDir dir;
  SimOptions o = Small(dir);
  o.scheme = 3;
  EXPECT_FALSE(SimulateCard(o).ok);
  o = Small(dir);
  o.outDir.clear();
  EXPECT_FALSE(SimulateCard(o).ok);
  o = Small(dir);
  o.outDir = dir / "file";
  std::ofstream(o.outDir) << "x";
  const SimResult r = SimulateCard(o);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
}

}  // namespace
}  // namespace zorvel::sim
