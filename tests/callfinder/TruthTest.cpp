// A simulated night scored against what was put into it: the share of calls found and, per
// species group, the share given the intended species. The table is printed; run
//   test_callfinder --gtest_filter=Truth.*
// to see it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>

#include "SynthNight.h"
#include "TestHost.h"
#include "Zv2Reading.h"
#include "callfinder/Batch.h"
#include "core/Tables.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;

struct Truth {
  int32_t minute, start, end;
  std::string group;
  int32_t species;
};

struct Group {
  std::string name;
  int32_t species;
  double fStart, fEnd, sweepMs, tailMs;
};

TEST(Truth, SimulatedNightScoredPerSpeciesGroup) {
  PopulatePrecalculatedArrays();
  const std::vector<Group> groups = {
      {"CmnPip-like 75>46 kHz", 3, 75, 46, 1.5, 4.0},
      {"SopPip-like 85>56 kHz", 4, 85, 56, 1.5, 3.5},
      {"FM-like 100>35 kHz", 7, 100, 35, 3.0, 0.3},
  };
  std::mt19937 rng(21);
  std::vector<std::vector<Record>> minutes;
  std::vector<Truth> truth;
  const int32_t firstMin = 60'000'000;
  for (int m = 0; m < 30; ++m) {
    std::vector<synth::Octet> octets;
    // Two passes per minute by bats of different groups, 8 to 20 calls each, 70 to 110 ms apart.
    for (int p = 0; p < 2; ++p) {
      const Group& g = groups[static_cast<size_t>((m + p) % groups.size())];
      int32_t t = 200'000 + p * 5'800'000 + std::uniform_int_distribution<int32_t>(0, 400'000)(rng);
      const int calls = std::uniform_int_distribution<int>(8, 20)(rng);
      for (int c = 0; c < calls; ++c) {
        const int32_t end = synth::AddSweepCall(octets, t, g.fStart, g.fEnd, g.sweepMs, g.tailMs, rng);
        truth.push_back({firstMin + m, t, end, g.name, g.species});
        t += std::uniform_int_distribution<int32_t>(14'000, 22'000)(rng);
      }
    }
    synth::AddNoise(octets, 2000, rng);
    minutes.push_back(synth::MinuteRecords(octets));
  }
  const fs::path dir = fs::temp_directory_path() / ("zorvel_truth_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string zv1 = (dir / "night.ZV1").string();
  ASSERT_TRUE(synth::WriteZv1(zv1, firstMin, minutes));
  test::RecordingHost host;
  KeepAwake none;
  BatchOptions o;
  o.Jobs = 2;
  const BatchResult r = RunCallFindingBatch({zv1}, o, host, none);
  ASSERT_EQ(r.zv2Files.size(), 1u);
  const auto found = test::ReadZv2Calls(r.zv2Files[0]);
  fs::remove_all(dir);

  struct Score {
    int total = 0, found = 0, rightSpN = 0;
  };
  std::map<std::string, Score> byGroup;
  int extra = 0;
  std::vector<bool> used(found.size(), false);
  for (const Truth& t : truth) {
    Score& s = byGroup[t.group];
    ++s.total;
    for (size_t i = 0; i < found.size(); ++i) {
      const tCall& c = found[i].call;
      if (found[i].minute != t.minute || c.StartTime < t.start - 200 || c.StartTime > t.end) continue;
      if (!used[i]) {
        ++s.found;
        if (c.SpN == t.species) ++s.rightSpN;
      }
      used[i] = true;
      break;
    }
  }
  for (bool u : used) extra += u ? 0 : 1;
  std::printf("group\tsimulated\tfound\tfound%%\tright SpN\tright SpN%%\n");
  int total = 0, totalFound = 0;
  for (const auto& [name, s] : byGroup) {
    std::printf("%s\t%d\t%d\t%.1f\t%d\t%.1f\n", name.c_str(), s.total, s.found, 100.0 * s.found / s.total,
                s.rightSpN, 100.0 * s.rightSpN / s.total);
    total += s.total;
    totalFound += s.found;
  }
  std::printf("all\t%d\t%d\t%.1f\nfound calls matching nothing simulated: %d\n", total, totalFound,
              100.0 * totalFound / total, extra);
  EXPECT_GE(totalFound * 10, total * 9);  // at least 90 % of the simulated calls are found
  EXPECT_GE(byGroup.at(groups[0].name).rightSpN * 10, byGroup.at(groups[0].name).total * 8);
}

}  // namespace
}  // namespace zorvel
