// A wrong command line exits 2 with CLI11's message, whatever CLI11 found wrong; help, the version
// and a command's own outcome keep their codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/CliRun.h"
#include "cli/ParseOutcome.h"

namespace zorvel::testing {
namespace {

using ::zorvel::cli::ParseOutcome;

struct Parsed {
  int code = -1;
  std::string out, err;
};

// Parses args with a small app of the shape the real one has: one subcommand required, a
// required option, a ranged value and a runner that throws its outcome.
Parsed Parse(std::vector<std::string> args, int runnerOutcome = 0) {
  CLI::App app{"tool"};
  app.set_version_flag("--version", "tool 1");
  app.require_subcommand(1);
  auto* run = app.add_subcommand("run", "Run");
  std::string out;
  int nights = 1;
  run->add_option("--out", out)->required();
  run->add_option("--nights", nights)->check(CLI::Range(1, 10));
  run->callback([runnerOutcome] {
    if (runnerOutcome) throw CLI::RuntimeError(runnerOutcome);
  });
  std::reverse(args.begin(), args.end());  // CLI11 takes a reversed vector
  Parsed p;
  std::ostringstream o, e;
  try {
    app.parse(args);
    p.code = 0;
  } catch (const CLI::ParseError& error) {
    p.code = ParseOutcome(app, error, o, e);
  }
  p.out = o.str();
  p.err = e.str();
  return p;
}

TEST(ParseOutcome, EveryCommandLineErrorIsTwoWithCLI11sMessage) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"run"}, "--out is required"},
      {{"run", "--out", "x", "--nights", "11"}, "--nights: Value 11 not in range 1 to 10"},
      {{"run", "--out", "x", "--nights", "many"}, "--nights"},
      {{"run", "--out", "x", "--bogus"}, "The following argument was not expected: --bogus"},
      {{"run", "--out"}, "--out"},
      {{"walk"}, "A subcommand is required"},
      {{}, "A subcommand is required"},
  };
  for (const auto& c : cases) {
    const Parsed p = Parse(c.args);
    const std::string line = c.args.empty() ? "(nothing)" : c.args.back();
    EXPECT_EQ(p.code, 2) << line << "\n" << p.err;
    EXPECT_NE(p.err.find(c.message), std::string::npos) << p.err;
    EXPECT_NE(p.err.find("Run with --help for more information."), std::string::npos) << p.err;
    EXPECT_EQ(p.out, "");
  }
}

TEST(ParseOutcome, HelpVersionAndTheRunnersOwnCodePassThrough) {
  Parsed p = Parse({"--help"});
  EXPECT_EQ(p.code, 0);
  EXPECT_NE(p.out.find("run"), std::string::npos) << p.out;
  p = Parse({"--version"});
  EXPECT_EQ(p.code, 0);
  EXPECT_EQ(p.out, "tool 1\n");
  p = Parse({"run", "--help"});
  EXPECT_EQ(p.code, 0);
  EXPECT_NE(p.out.find("--nights"), std::string::npos) << p.out;
  // A runner that failed, or was stopped, says so itself: nothing more is printed.
  for (const int outcome : {1, 130}) {
    p = Parse({"run", "--out", "x"}, outcome);
    EXPECT_EQ(p.code, outcome);
    EXPECT_EQ(p.err, "");
  }
  EXPECT_EQ(Parse({"run", "--out", "x"}).code, 0);
}

// The real program, as a script sees it.
TEST(CliExitCodes, WrongOptionsOfTheRealCommandsExitTwo) {
  TempDir dir;
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"info"}, "FILE is required"},
      {{"simulate", "--nights", "1"}, "--out is required"},
      {{"simulate", "--out", "card", "--nights", "0"}, "--nights: Value 0 not in range"},
      {{"import-recordings", "x.wav", "--out", "o", "--time-expansion", "101"}, "--time-expansion"},
      {{"find-calls", "x.ZV1", "--classifier", "Nope"}, "--classifier"},
      {{"map", "x.ZV1", "--bogus"}, "The following argument was not expected: --bogus"},
      {{"frobnicate"}, "A subcommand is required"},
      {{"survey", "frobnicate"}, "A subcommand is required"},
  };
  for (const auto& c : cases) {
    const CliResult r = RunCli(c.args, dir.Path());
    EXPECT_EQ(r.code, 2) << c.args[0] << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << c.args[0];
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
  // A command that ran and failed keeps its own code.
  const CliResult missing = RunCli({"info", "missing.ZV1"}, dir.Path());
  EXPECT_EQ(missing.code, 1) << missing.err;
  EXPECT_EQ(RunCli({"--version"}, dir.Path()).code, 0);
}

}  // namespace
}  // namespace zorvel::testing
