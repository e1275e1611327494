// Settings files whose values their controls would refuse, and damaged recordings, from the
// corpus in tests/data/bad: each refused one is named with the reason and changes nothing; a
// recording with one wrong field is read with a warning.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

namespace fs = std::filesystem;

TEST(DamagedSettings, ARefusedValueNamesFileSectionAndKeyAndCountsNothing) {
  TempDir dir;
  CopyCorpus(dir.Path());
  const struct {
    const char* file;
    const char* said;
  } cases[] = {
      {"seq_brackets.zvf", "seq_brackets.zvf: [Sequence of features] sequence: '((((' is not a sequence"},
      {"nonnumeric.zvf",
       "nonnumeric.zvf: [Call features] median kHz max: 'abc' is not a valid integer value"},
      {"exponent.zvf", "exponent.zvf: [Call features] max kHz min: '1e999' is not a valid integer value"},
      {"twenty_digits.zvf",
       "twenty_digits.zvf: [Wave group features] khz max: '12345678901234567890' is not a valid integer "
       "value"},
      {"min_above_max.zvf",
       "min_above_max.zvf: [Call features] median kHz min=60 is above [Call features] median kHz max=40"},
      {"negative_duration.zvf", "negative_duration.zvf: [Call features] duration max: '-1' is below 0"},
      {"long_sequence.zvf",
       "long_sequence.zvf: [Sequence of features] sequence: 'FFFFFFFFFFFFFFFFFFFFFFFF...'"},
      {"period_minus1.zve",
       "period_minus1.zve: [Export] period: '-1' is not one of the group's items (0 to 4)"},
      {"results_4294967296.zve",
       "results_4294967296.zve: [Export] File/Results: '4294967296' is not one of the group's items (0 to "
       "1)"},
  };
  for (const auto& c : cases) {
    const std::string name = c.file;
    const std::string flag = name.ends_with(".zve") ? "--export-settings" : "--filters";
    const CliResult r = RunCli({"export", "counts", "good.ZV2", "--kind", "calls", "--period", "hours",
                                "--out", "results", flag, name},
                               dir.Path());
    EXPECT_EQ(r.code, 2) << name << "\n" << r.err;
    EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << name << ": nothing is counted";
    EXPECT_LT(r.err.size(), 1000u) << "a long value is not repeated whole";
  }
  // --edit goes through the same checks, and so does a pair left wrong by a file and an edit.
  const CliResult edit =
      RunCli({"export", "counts", "good.ZV2", "--out", "results", "--edit", "MaxDuration100MusecEdit=-3"},
             dir.Path());
  EXPECT_EQ(edit.code, 2);
  EXPECT_NE(edit.err.find("MaxDuration100MusecEdit: '-3' is below 0"), std::string::npos) << edit.err;
  const CliResult pair = RunCli({"export", "counts", "good.ZV2", "--out", "results", "--edit",
                                 "MinOctKHZedit=90", "--edit", "MaxOctKHZedit=30"},
                                dir.Path());
  EXPECT_EQ(pair.code, 2);
  EXPECT_NE(pair.err.find("MinOctKHZedit 90 is above MaxOctKHZedit 30"), std::string::npos) << pair.err;
}

TEST(DamagedRecordings, WhatCannotBeRightIsRefusedAndAWrongTimestampWarned) {
  TempDir dir;
  CopyCorpus(dir.Path());
  const CliResult rate =
      RunCli({"import-recordings", "20260601_220000_rate_4294967295.wav", "--out", "a"}, dir.Path());
  EXPECT_EQ(rate.code, 1);
  EXPECT_NE(rate.err.find("20260601_220000_rate_4294967295.wav: sample rate 4294967295 Hz cannot be right"),
            std::string::npos)
      << rate.err;
  EXPECT_EQ(rate.out, "") << "no file made";
  const CliResult riff =
      RunCli({"import-recordings", "20260601_220100_no_riff.wav", "--out", "b"}, dir.Path());
  EXPECT_EQ(riff.code, 1);
  EXPECT_NE(riff.err.find("20260601_220100_no_riff.wav: not a RIFF file"), std::string::npos) << riff.err;
  EXPECT_EQ(riff.out, "");
  const CliResult stamp =
      RunCli({"import-recordings", "20260601_220200_guano_bad_timestamp.wav", "--out", "c"}, dir.Path());
  EXPECT_EQ(stamp.code, 0) << stamp.err;
  EXPECT_NE(stamp.err.find("the GUANO start time '9999-99-99T99:99:99' is not a real time"),
            std::string::npos)
      << stamp.err;
  EXPECT_NE(stamp.out.find("2026 06 01"), std::string::npos) << "the file name's night: " << stamp.out;
  const CliResult list =
      RunCli({"list", "recordings", "20260601_220200_guano_bad_timestamp.wav"}, dir.Path());
  EXPECT_NE(list.out.find("2026-06-01 22:02:00.000"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("file name"), std::string::npos) << list.out;
}

}  // namespace
}  // namespace zorvel::testing
