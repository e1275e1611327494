// The whole road on a simulated night: the logger simulator's card, the SD import, the call
// finder; the calls found are scored against the simulator's ground truth.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Zv2Reading.h"
#include "callfinder/Batch.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "import/SdImport.h"
#include "sim/Simulator.h"
#include "support/TempDir.h"

namespace zorvel {
namespace {

struct TruthCall {
  int32_t minute, tick, spN;
  double ms;
};

std::vector<TruthCall> OrdinaryCalls(const std::string& truthPath) {
  std::vector<TruthCall> out;
  std::ifstream in(truthPath);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::stringstream ss(line);
    for (std::string x; std::getline(ss, x, '\t');) f.push_back(x);
    if (f.size() >= 10 && f[5] == "call")
      out.push_back({std::stoi(f[0]), std::stoi(f[2]), std::stoi(f[4]), std::stod(f[8])});
  }
  return out;
}

TEST(SimulatedNight, CallsAreFoundAndPipistrellesNamed) {
  PopulatePrecalculatedArrays();
  testing::TempDir dir;
  sim::SimOptions so;
  so.outDir = dir / "card";
  so.truthPath = dir / "truth.txt";
  so.seed = 5;
  ASSERT_TRUE(sim::SimulateCard(so).ok);
  SilentHost host;
  ImportOptions io;
  io.SdPath = so.outDir;
  io.Zv1Folder = dir / "zv1";
  io.Zv1FolderChosen = true;
  std::filesystem::create_directories(io.Zv1Folder);
  SdCardImport import;
  const ImportResult imported = import.Run(io, host);
  ASSERT_EQ(imported.MadeFiles.size(), 1u);

  KeepAwake none;
  BatchOptions one;
  one.Jobs = 1;
  ASSERT_EQ(RunCallFindingBatch(imported.MadeFiles, one, host, none).zv2Files.size(), 1u);
  const std::string zv2 = WithExtension(imported.MadeFiles[0], ".ZV2");
  const auto bytesOne = test::FileBytes(zv2);
  BatchOptions two;
  two.Jobs = 2;
  ASSERT_EQ(RunCallFindingBatch(imported.MadeFiles, two, host, none).zv2Files.size(), 1u);
  EXPECT_TRUE(bytesOne == test::FileBytes(zv2));

  const auto found = test::ReadZv2Calls(zv2);
  int total = 0, matched = 0, pips = 0, pipsNamed = 0;
  std::vector<bool> used(found.size(), false);
  for (const TruthCall& t : OrdinaryCalls(so.truthPath)) {
    ++total;
    if (t.spN == 3) ++pips;
    for (size_t i = 0; i < found.size(); ++i) {
      const tCall& c = found[i].call;
      if (used[i] || found[i].minute != t.minute || c.StartTime < t.tick - 200 ||
          c.StartTime > t.tick + static_cast<int32_t>(t.ms * 200))
        continue;
      used[i] = true;
      ++matched;
      if (t.spN == 3 && c.SpN == 3) ++pipsNamed;
      break;
    }
  }
  ASSERT_GT(total, 500);
  EXPECT_GE(matched * 100, total * 95);
  EXPECT_GE(pipsNamed * 100, pips * 90);
}

}  // namespace
}  // namespace zorvel
