// zorvel-cli import over SD cards whose only file is damaged: the command names the card file
// and why it could not be read, exits non-zero, and makes no ZV1 file dated 1899 (nor the
// folder for one).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

namespace fs = std::filesystem;

struct Card {
  const char* corpusName;
  const char* reason;
};

constexpr Card kCards[] = {
    {"card_empty.NXQ", "too short to hold a logger header (0 bytes"},
    {"card_one_zero.NXQ", "too short to hold a logger header (1 bytes"},
    {"card_511_zeros.NXQ", "too short to hold a logger header (511 bytes"},
    {"card_random_100.NXQ", "too short to hold a logger header (100 bytes"},
    {"card_cut_500.NXQ", "too short to hold a logger header (500 bytes"},
    {"card_random_4k.NXQ", "its header's start date is not a date from 2000 to 2099"},
    {"card_bad_date.NXQ", "its header's start date is not a date from 2000 to 2099"},
};

CliResult ImportCard(const TempDir& dir, const std::string& corpusName) {
  fs::create_directories(dir / "card");
  fs::copy_file(fs::path(ZORVEL_CORPUS_DIR) / corpusName, dir / "card/0BAT000.NXQ");
  return RunCli({"import", "card", "--out", "out"}, dir.Path());
}

TEST(CardCorpus, DamagedCardFilesAreNamedWithTheReasonAndFail) {
  for (const Card& c : kCards) {
    SCOPED_TRACE(c.corpusName);
    TempDir dir;
    const CliResult r = ImportCard(dir, c.corpusName);
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.err.find("0BAT000.NXQ: " + std::string(c.reason)), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("SD card reading completed"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << "no ZV1 file is listed: " << r.out;
    EXPECT_FALSE(fs::exists(dir / "out")) << "the folder made for the import holds nothing and goes again";
  }
}

TEST(CardCorpus, TheUndamagedCardImportsWithTheTrueSpan) {
  TempDir dir;
  const CliResult r = ImportCard(dir, "card_good.NXQ");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.err.find("SD card reading completed"), std::string::npos) << r.err;
  const std::string made = "out/2026 06 01 ZORVEL_10203 file0.ZV1";
  EXPECT_EQ(r.out, made + "\n");
  const CliResult info = RunCli({"info", made}, dir.Path());
  EXPECT_NE(info.out.find("LastLoggedMin: 66491642 (2026/6/1 18:2)"), std::string::npos) << info.out;
}

}  // namespace
}  // namespace zorvel::testing
