// import --out names the output folder when it cannot be made or written, rather than the ZV1
// file it never got to create.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

namespace fs = std::filesystem;

TEST(ImportOut, AFolderThatCannotBeMadeIsNamed) {
  TempDir dir;
  CardWithOneFile(dir);
  std::ofstream(dir / "plain") << "x";
  const CliResult r = RunCli({"import", "card", "--out", "plain/out"}, dir.Path());
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("import: the folder plain/out cannot be made: "), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
}

TEST(ImportOut, AReadOnlyFolderIsNamed) {
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not stop the superuser";
  TempDir dir;
  CardWithOneFile(dir);
  fs::create_directories(dir / "ro");
  fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  const CliResult r = RunCli({"import", "card", "--out", "ro"}, dir.Path());
  fs::permissions(dir / "ro", fs::perms::owner_all);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("import: the folder ro cannot be written: "), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("No such file or directory"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace zorvel::testing
