// zorvel-cli import with values that are not what their options take: it exits 2 with the
// option and the value named, before the card is read or anything is written. And a card that
// yields no ZV1 file leaves behind no folder the command made.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Import(std::vector<std::string> extra) {
  std::vector<std::string> args{"import", "card", "--out", "out"};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

TEST(ImportArgs, ValuesThatAreNotWhatTheOptionTakesExitTwoAndWriteNothing) {
  const std::string noPosition = "does not read as a position; write e.g. 51.0 or 51 30 N";
  const std::string hours = "give the offset in whole or decimal hours from -14 to +14, e.g. +1, -5 or 5.5";
  const std::string limits = " is not one of the size limits in GB: 1, 2, 3, 4, 6, 8, 16, 32";
  const struct {
    std::vector<std::string> extra;
    std::string message;
  } cases[] = {
      {{"--lat", "foo"}, "--lat 'foo': " + noPosition},
      {{"--long", "foo"}, "--long 'foo': " + noPosition},
      {{"--lat", "52"}, "--lat '52': " + noPosition},
      {{"--lat", "95.5"}, "--lat '95.5': beyond 90 degrees"},
      {{"--lat", "51.5E"}, "--lat '51.5E': Lat cannot be E"},
      {{"--long", "181"}, "--long '181': Deg too big"},
      {{"--lat", "51.5", "--long", "x"}, "--long 'x': " + noPosition},
      {{"--utc", "foo"}, "--utc 'foo': " + hours},
      {{"--utc", "15"}, "--utc '15': " + hours},
      {{"--utc", "1:3"}, "--utc '1:3': " + hours},
      {{"--utc", "+5:30"}, "import: UTC offset text is 5 characters; the header holds 3"},
      {{"--location", std::string(33, 'a')}, "import: Location text is 33 characters; the header holds 32"},
      {{"--size-limit", "3.5"}, "--size-limit: 3.5" + limits},
      {{"--size-limit", "5"}, "--size-limit: 5" + limits},
      {{"--size-limit", "-1"}, "--size-limit: -1" + limits},
      {{"--size-limit", "0x3"}, "--size-limit: 0x3" + limits},
      {{"--size-limit", "three"}, "--size-limit: three" + limits},
      {{"--size-limit-bytes", "0"}, "--size-limit-bytes: 0 is not a whole number of bytes, 1 or more"},
      {{"--size-limit-bytes", "-5"}, "--size-limit-bytes: -5 is not a whole number of bytes, 1 or more"},
      {{"--size-limit-bytes", "99999999999999999999"},
       "--size-limit-bytes: 99999999999999999999 is not a whole number of bytes, 1 or more"},
      {{"--size-limit-bytes", "1e6"}, "--size-limit-bytes: 1e6 is not a whole number of bytes, 1 or more"},
  };
  TempDir dir;
  CardWithOneFile(dir);
  const auto card = ReadAll(dir / "card/0BAT000.NXQ");
  for (const auto& c : cases) {
    const CliResult r = RunCli(Import(c.extra), dir.Path());
    EXPECT_EQ(r.code, 2) << c.message << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message + "\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << c.message;
    // Refused before the card is read: nothing of the import, not even its folder.
    EXPECT_EQ(r.err.find("Reading"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out")) << c.message;
  }
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"import", "card", "--out", ""}, {"import", "", "--out", "out"}}) {
    const CliResult r = RunCli(args, dir.Path());
    EXPECT_EQ(r.code, 2) << r.err;
    EXPECT_NE(r.err.find(": an empty name names no folder"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(dir / "out"));
  EXPECT_TRUE(ReadAll(dir / "card/0BAT000.NXQ") == card);
}

// import-recordings takes positions by the same rule.
TEST(ImportArgs, RecordingsRefuseAPositionThatIsNone) {
  TempDir dir;
  fs::create_directories(dir / "recs");
  for (const auto& [value, why] : {std::pair<std::string, std::string>{"foo", "does not read as a position"},
                                   {"52", "does not read as a position"},
                                   {"95.5", "beyond 90 degrees"}}) {
    const CliResult r = RunCli({"import-recordings", "recs", "--out", "made", "--lat", value}, dir.Path());
    EXPECT_EQ(r.code, 2) << value << "\n" << r.err;
    EXPECT_NE(r.err.find("--lat '" + value + "': " + why), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "made")) << value;
  }
}

TEST(ImportArgs, WellFormedValuesAreStoredAsTyped) {
  TempDir dir;
  CardWithOneFile(dir);
  const CliResult r = RunCli(Import({"--lat", "51 30 N", "--long", "0.25W", "--utc", "5.5", "--size-limit",
                                     "03", "--size-limit-bytes", "1000000", "--quiet"}),
                             dir.Path());
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string made = "out/2026 06 01 ZORVEL_10203 file0.ZV1";
  ASSERT_EQ(r.out, made + "\n");
  const CliResult info = RunCli({"info", made}, dir.Path());
  EXPECT_NE(info.out.find("LatText: 51 30 N\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("LongText: 0.25W\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("GMTText: 5.5\n"), std::string::npos) << info.out;
  // Blank texts give no position and no offset, as leaving them out does.
  const CliResult blank =
      RunCli({"import", "card", "--out", "blank", "--lat", " ", "--utc", " ", "--quiet"}, dir.Path());
  EXPECT_EQ(blank.code, 0) << blank.err;
}

// A card with nothing to import says what it held; the folders the command made for it go again,
// and folders that were there before stay, with whatever they hold.
TEST(ImportEmptyCard, SaysSoAndLeavesNoFolderItMade) {
  TempDir dir;
  fs::create_directories(dir / "card");
  std::ofstream(dir / "card/readme.txt") << "not a logger file";
  fs::create_directories(dir / "before/kept");
  fs::create_directories(dir / "full");
  std::ofstream(dir / "full/old.txt") << "x";
  fs::create_directories(dir / "empty");
  const std::string noFiles =
      "import: No file with a valid name for the first file in a series exists: the folder card holds no "
      "logger files (no .NXQ file at all)\n";
  for (const char* out : {"out", "new/deeper/out", "before/kept", "before/made/here/", "full", "empty"}) {
    const CliResult r = RunCli({"import", "card", "--out", out, "--quiet"}, dir.Path());
    EXPECT_EQ(r.code, 1) << out;
    EXPECT_EQ(r.err, noFiles) << out;
    EXPECT_EQ(r.out, "") << out;
  }
  EXPECT_FALSE(fs::exists(dir / "out"));
  EXPECT_FALSE(fs::exists(dir / "new"));
  EXPECT_FALSE(fs::exists(dir / "before/made"));
  EXPECT_TRUE(fs::is_directory(dir / "before/kept"));
  EXPECT_TRUE(fs::exists(dir / "full/old.txt"));
  EXPECT_TRUE(fs::is_directory(dir / "empty"));
  // A card whose only files are later files of a series is not empty, and is not called so.
  fs::copy_file(fs::path(ZORVEL_CORPUS_DIR) / "card_good.NXQ", dir / "card/0BAT001.NXQ");
  const CliResult later = RunCli({"import", "card", "--out", "out", "--quiet"}, dir.Path());
  EXPECT_EQ(later.code, 1);
  EXPECT_NE(later.err.find("the folder card holds 1 logger file(s), but none is the first file of a series"),
            std::string::npos)
      << later.err;
  EXPECT_FALSE(fs::exists(dir / "out"));
}

// The folder goes also when a card's files are there but none makes a ZV1 file; once one is
// made, the folder stays with it.
TEST(ImportEmptyCard, ACardThatMakesNoFileLeavesNoFolderAndOneThatDoesKeepsIt) {
  TempDir dir;
  fs::create_directories(dir / "card");
  fs::copy_file(fs::path(ZORVEL_CORPUS_DIR) / "card_random_4k.NXQ", dir / "card/0BAT000.NXQ");
  CliResult r = RunCli({"import", "card", "--out", "a/out", "--quiet"}, dir.Path());
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_FALSE(fs::exists(dir / "a"));
  fs::copy_file(fs::path(ZORVEL_CORPUS_DIR) / "card_good.NXQ", dir / "card/0BAT000.NXQ",
                fs::copy_options::overwrite_existing);
  r = RunCli({"import", "card", "--out", "a/out", "--quiet"}, dir.Path());
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir / "a/out/2026 06 01 ZORVEL_10203 file0.ZV1"));
}

}  // namespace
}  // namespace zorvel::testing
