// A simulated card imported and read back by the commands a user runs next: every command sees
// the whole night, for one card file and for a night spread over several card files; and a file
// whose header names too short a span is read over the span its records hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lines.push_back(l);
  }
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> f;
  std::istringstream in(line);
  for (std::string x; std::getline(in, x, '\t');) f.push_back(x);
  return f;
}

// The rows of a report that belong to the file (the heading and memo lines left out).
int RowsOf(const std::string& out, const std::string& name) {
  int rows = 0;
  for (const auto& l : Lines(out))
    if (l.starts_with(name + "\t")) ++rows;
  return rows;
}

std::string OnlyZv1(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    if (e.path().extension() == ".ZV1") names.push_back(e.path().filename().string());
  return names.size() == 1 ? names[0] : "";
}

struct Night {
  int nights;
  size_t cardFiles;
  const char* start;  // list times' "starts" and "ends"
  const char* end;
  const char* inside;  // a minute well inside the last night, for --from/--to
};

class FreshImport : public ::testing::TestWithParam<Night> {};

TEST_P(FreshImport, EveryMinuteOfTheNightIsExportedAndListed) {
  const Night& n = GetParam();
  TempDir dir;
  const auto& d = dir.Path();
  CliResult r = RunCli({"simulate", "--out", "c", "--nights", std::to_string(n.nights), "--seed", "12"}, d, {.seconds = 300});
  ASSERT_EQ(r.code, 0) << r.err;
  size_t cardFiles = 0;
  for (const auto& e : std::filesystem::directory_iterator(d / "c")) cardFiles += e.path().extension() == ".NXQ";
  ASSERT_EQ(cardFiles, n.cardFiles);
  r = RunCli({"import", "c", "--out", "n", "--quiet"}, d, {.seconds = 300});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string name = OnlyZv1(d / "n");
  ASSERT_FALSE(name.empty());
  const std::string path = "n/" + name;

  r = RunCli({"export", "counts", path, "--kind", "env", "--period", "minutes", "--out", "results"}, d,
             {.seconds = 300});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(RowsOf(r.out, name), n.nights * 1440);
  EXPECT_EQ(r.out.find("amended"), std::string::npos) << "the import wrote the true last minute";

  r = RunCli({"list", "times", path}, d);
  ASSERT_EQ(r.code, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u) << r.out;
  const auto f = Fields(lines[1]);
  ASSERT_GE(f.size(), 7u) << lines[1];
  EXPECT_EQ(f[2], n.start);
  EXPECT_EQ(f[3], n.end);
  EXPECT_EQ(std::stoll(f[5]) - std::stoll(f[4]), n.nights * 1440 - 1);

  r = RunCli({"export", "counts", path, "--kind", "env", "--period", "hours", "--out", "results", "--from", n.inside,
              "--to", n.inside},
             d);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(RowsOf(r.out, name), 1) << r.out << r.err;
}

INSTANTIATE_TEST_SUITE_P(CardFiles, FreshImport,
                         ::testing::Values(Night{1, 1, "1/6/2026 18:00", "2/6/2026 17:59", "2026-06-02 03:10"},
                                           Night{3, 2, "1/6/2026 18:00", "4/6/2026 17:59", "2026-06-04 03:10"}),
                         [](const auto& info) { return std::to_string(info.param.nights) + "Nights"; });

// A ZV1 file whose header ends at its first minute though ten minutes follow (as an import that
// undercounted its minutes left it): every command reads the ten minutes the records hold, and
// the file is left as it was.
TEST(ShortHeaderSpan, CommandsUseTheMinutesTheRecordsHold) {
  TempDir dir;
  CopyCorpus(dir.Path());
  const std::string name = "header_span_short.ZV1";
  const auto before = CorpusBytes(name);
  CliResult r = RunCli({"export", "counts", name, "--kind", "env", "--period", "minutes", "--out", "results"},
                       dir.Path());
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(RowsOf(r.out, name), 10) << r.out;
  r = RunCli({"list", "times", name}, dir.Path());
  EXPECT_EQ(r.code, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u) << r.out;
  EXPECT_EQ(Fields(lines[1]).at(3), "1/6/2026 18:09");
  r = RunCli({"list", "minutes", name}, dir.Path());
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(RowsOf(r.out, name), 10) << r.out;
  r = RunCli({"info", name}, dir.Path());
  EXPECT_NE(r.out.find("LastLoggedMin: 66491649 (2026/6/1 18:9)"), std::string::npos) << r.out;
  r = RunCli({"wav", name, "--from", "2026-06-01 18:07", "--to", "2026-06-01 18:07:01", "--out", "o.wav"},
             dir.Path());
  EXPECT_EQ(r.code, 0) << "a minute past the header's end but inside the records\n" << r.err;
  EXPECT_TRUE(ReadAll(dir / name) == before);
}

// A file cut before its end record, and one with no minutes at all, are read with a word about
// what is missing, never in silence.
TEST(FileEnds, CutShortOrEmptyFilesAreSaidToBeSo) {
  TempDir dir;
  CopyCorpus(dir.Path());
  const std::vector<std::vector<std::string>> commands = {
      {"list", "minutes"}, {"export", "counts", "--out", "results", "--kind", "env"}, {"dump"}};
  for (const auto& c : commands) {
    std::vector<std::string> cut = c, empty = c;
    cut.insert(cut.begin() + (c[0] == "dump" ? 1 : 2), "no_end_record.ZV1");
    empty.insert(empty.begin() + (c[0] == "dump" ? 1 : 2), "no_minutes.ZV1");
    CliResult r = RunCli(cut, dir.Path());
    EXPECT_NE(r.err.find("no_end_record.ZV1: the file ends early: its records stop without an end record after 5 minutes"),
              std::string::npos)
        << c[0] << "\n" << r.err;
    r = RunCli(empty, dir.Path());
    EXPECT_NE(r.err.find("no_minutes.ZV1: the file holds no minutes"), std::string::npos) << c[0] << "\n" << r.err;
  }
  const CliResult good = RunCli({"list", "minutes", "good.ZV1"}, dir.Path());
  EXPECT_EQ(good.code, 0);
  EXPECT_TRUE(good.err.empty()) << good.err;
}

}  // namespace
}  // namespace zorvel::testing
