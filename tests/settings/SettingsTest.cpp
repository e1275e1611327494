#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "settings/Messages.h"
#include "settings/SettingsFiles.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel {
namespace {

std::string Text(const std::string& path) {
  const auto b = testing::ReadAll(path);
  return std::string(b.begin(), b.end());
}

class SettingsTest : public ::testing::Test {
 protected:
  testing::TempDir dir{"settings"};
  testing::RecordingHost host;
  FilterSettings f;
  SpeciesListModel sp;
  ExportOptions o;

  // Every control of the tables away from its start-up value.
  void ChangeEverything() {
    f.IgnoreFilters = true;
    f.IncludeFragments = false;
    f.CallHasThirdHarmonic = true;
    f.CFchk = false;
    f.QCFchk = false;
    f.FMchk = false;
    f.noSpChk = false;
    for (int i = 0; i < kRangeEditCount; ++i)
      f.ranges.SetText(static_cast<RangeEdit>(i), std::to_string(100 + i));
    f.sequence.Seq = "FD";
    f.sequence.Seq2 = "UC";
    f.minutes.SetText(MinuteEdit::HourOfDayStartHrEdit, "20");
    f.minutes.SetText(MinuteEdit::HourOfDayStartMnEdit, "15");
    f.minutes.SetText(MinuteEdit::ExclusionHrEdit, "4");
    f.minutes.SetText(MinuteEdit::HourOfDayStopMnEdit, "30");
    f.minutes.SetText(MinuteEdit::MinLightLevelEdit, "3");
    f.minutes.SetText(MinuteEdit::MaxLightLevelEdit, "90");
    sp.NoPoorSpecies = true;
    o.kind = ExportKind::SpDetections;
    o.period = ExportPeriod::Weeks;
    o.destination = ExportDestination::TextFile;
    o.timeFormat = ExportTimeFormat::Both;
    o.dateUnit = ExportDateUnit::JulianDay;
    o.ExportSelectedTime = true;
    o.OmitSpreadsheetHeaders = false;
    o.DropBlanksChkBox = true;
    o.SeparateFiles = true;
    o.ExportFile = {false, true, true, false, false, true};
  }

  static void ExpectSameFilters(const FilterSettings& a, const FilterSettings& b) {
    EXPECT_EQ(a.IgnoreFilters, b.IgnoreFilters);
    EXPECT_EQ(a.IncludeFragments, b.IncludeFragments);
    EXPECT_EQ(a.CallHasThirdHarmonic, b.CallHasThirdHarmonic);
    EXPECT_EQ(std::tie(a.CFchk, a.QCFchk, a.FMchk, a.noSpChk),
              std::tie(b.CFchk, b.QCFchk, b.FMchk, b.noSpChk));
    for (int i = 0; i < kRangeEditCount; ++i) {
      const auto e = static_cast<RangeEdit>(i);
      EXPECT_EQ(a.ranges.Text(e), b.ranges.Text(e)) << InfoOf(e).name;
      EXPECT_EQ(a.ranges.Value(e), b.ranges.Value(e)) << InfoOf(e).name;
    }
    EXPECT_EQ(a.sequence.Seq, b.sequence.Seq);
    EXPECT_EQ(a.sequence.Seq2, b.sequence.Seq2);
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(a.minutes.Text(static_cast<MinuteEdit>(i)), b.minutes.Text(static_cast<MinuteEdit>(i)));
    EXPECT_EQ(a.minutes.DayStartMinute(), b.minutes.DayStartMinute());
    EXPECT_EQ(a.minutes.DayStopMinute(), b.minutes.DayStopMinute());
  }
};

TEST_F(SettingsTest, FilterFileRoundTripAndKeyOrder) {
  ChangeEverything();
  const DisplayPlace place{"/data/night.ZV2", 63735700, 1234, 7};
  const auto path = SaveFilterSettings(dir.File("mine.txt"), place, f, sp, host);
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, dir.File("mine.zvf"));
  const std::string text = Text(*path);
  EXPECT_EQ(
      text.find(
          "[FileAndTime]\r\nFileNameAndPath=/data/night.ZV2\r\nScreenMin=63735700\r\nScreen5Musec=1234\r\n"
          "DisplayTimeUnit=7\r\n"),
      0u);
  // Sections in the order written.
  const char* order[] = {"[AllFilters]",          "[CallType]",        "[Call features]",
                         "[Wave group features]", "[Species filters]", "[Sequence of features]",
                         "[Hours of day]"};
  size_t at = 0;
  for (const char* s : order) {
    const size_t next = text.find(s);
    ASSERT_NE(next, std::string::npos) << s;
    EXPECT_GT(next, at) << s;
    at = next;
  }
  EXPECT_NE(text.find("[CallType]\r\ntcCF=0\r\ntcQCF=0\r\ntcFM=0\r\nOther=0\r\n"), std::string::npos);
  EXPECT_NE(text.find("[Hours of day]\r\nstart min=20\r\nstart max=15\r\nstop min=4\r\nstop max=30\r\n"
                      "light levels min=3\r\nlight levels max=90\r\n"),
            std::string::npos);

  FilterSettings loaded;
  SpeciesListModel sp2;
  host.answers = {Answer::Yes, Answer::Yes};
  const auto out = LoadFilterSettings(*path, "/data/other.ZV2", false, loaded, sp2, host);
  ASSERT_TRUE(out.loaded);
  ExpectSameFilters(f, loaded);
  EXPECT_TRUE(sp2.NoPoorSpecies);
  EXPECT_EQ(out.reopenPath, std::optional<std::string>("/data/night.ZV2"));
  ASSERT_TRUE(out.displayTime.has_value());
  EXPECT_EQ(out.displayTime->ScreenMin, 63735700);
  EXPECT_EQ(out.displayTime->Screen5Musec, 1234);
  EXPECT_EQ(out.displayTime->DisplayTimeUnit, 7);
  EXPECT_EQ(host.questions, (std::vector<std::string>{std::string(msg::kReopenQuestion),
                                                      std::string(msg::kDisplayTimeQuestion)}));
}

TEST_F(SettingsTest, SameFileAsSlot1AsksOnlyAboutTheDisplayTime) {
  const auto path = SaveFilterSettings(dir.File("a.zvf"), DisplayPlace{"/data/night.ZV2"}, f, sp, host);
  ASSERT_TRUE(path);
  const auto out = LoadFilterSettings(*path, "/data/night.ZV2", false, f, sp, host);
  EXPECT_EQ(host.questions, std::vector<std::string>{std::string(msg::kDisplayTimeQuestion)});
  EXPECT_FALSE(out.reopenPath);
  EXPECT_FALSE(out.displayTime);  // answered No
  host.questions.clear();
  EXPECT_FALSE(LoadFilterSettings(*path, "", true, f, sp, host).loaded);  // a batch is running
  EXPECT_TRUE(host.questions.empty());
}

TEST_F(SettingsTest, ExportFileRoundTrip) {
  ChangeEverything();
  const auto path = SaveExportSettings(dir.File("exp"), f, o, sp, host);
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, dir.File("exp.zve"));
  const std::string text = Text(*path);
  EXPECT_NE(
      text.find(
          "[Export]\r\ndata group=3\r\nperiod=3\r\nFile/Results=0\r\ntime format=2\r\nmin/Julian day=1\r\n"
          "SelectedTime=1\r\nOmitHeaders=0\r\nOmit blanks=1\r\nmultiple files=1\r\n"),
      std::string::npos);
  EXPECT_NE(text.find("[ExportFrom]\r\nFile1=0\r\nFile2=1\r\nFile3=1\r\nFile4=0\r\nFile5=0\r\nFile6=1\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("[HoursOfDay]\r\nstart mn=20\r\nstart max=15\r\nstop max=4\r\nstop mn=30\r\n"),
            std::string::npos);

  FilterSettings f2;
  ExportOptions o2;
  SpeciesListModel sp2;
  ASSERT_TRUE(LoadExportSettings(*path, f2, o2, sp2, host));
  ExpectSameFilters(f, f2);
  EXPECT_EQ(o2.kind, o.kind);
  EXPECT_EQ(o2.period, o.period);
  EXPECT_EQ(o2.destination, o.destination);
  EXPECT_EQ(o2.timeFormat, o.timeFormat);
  EXPECT_EQ(o2.dateUnit, o.dateUnit);
  EXPECT_EQ(std::tie(o2.ExportSelectedTime, o2.OmitSpreadsheetHeaders, o2.DropBlanksChkBox, o2.SeparateFiles),
            std::tie(o.ExportSelectedTime, o.OmitSpreadsheetHeaders, o.DropBlanksChkBox, o.SeparateFiles));
  EXPECT_EQ(o2.ExportFile, o.ExportFile);
  EXPECT_TRUE(sp2.NoPoorSpecies);
}

TEST_F(SettingsTest, AnExistingFileIsUpdatedInPlace) {
  const std::string path = dir.File("kept.zvf");
  const std::string before = "; my notes\r\n[Mine]\r\nx=1\r\n[CallType]\r\ntcFM=1\r\nColour=blue\r\n";
  testing::WriteAll(path, std::vector<uint8_t>(before.begin(), before.end()));
  f.FMchk = false;
  ASSERT_TRUE(SaveFilterSettings(path, DisplayPlace{}, f, sp, host));
  const std::string after = Text(path);
  EXPECT_EQ(after.find("; my notes\r\n[Mine]\r\nx=1\r\n[CallType]\r\ntcFM=0\r\nColour=blue\r\ntcCF=1\r\n"),
            0u);
  EXPECT_EQ(after.find("tcFM="), after.rfind("tcFM="));  // replaced, not added twice
  EXPECT_NE(after.find("[FileAndTime]"), std::string::npos);
}

// Files that are not settings text change nothing and are named with the reason; a file over
// the size limit is refused with a message, not silently ignored.
TEST_F(SettingsTest, FilesThatAreNotSettingsAreRefused) {
  const auto write = [this](const std::string& name, const std::string& bytes) {
    testing::WriteAll(dir.File(name), std::vector<uint8_t>(bytes.begin(), bytes.end()));
    return dir.File(name);
  };
  const std::string utf16 = write("utf16.zvf", std::string("\xFF\xFE[\0A\0l\0l\0]\0", 12));
  const std::string binary = write("binary.zve", std::string("[Export]\r\nperiod=1\0\x07\x80", 22));
  const std::string empty = write("empty.zvf", "");
  const std::string other = write("other.zve", "[Colours]\r\nback=1\r\n");
  const std::string big = dir.File("big.zvf");
  std::filesystem::resize_file(write("big.zvf", "[AllFilters]\r\n"), 16 * 1024 * 1024 + 1);
  const struct {
    std::string path;
    bool exportFile;
    std::string problem;
  } cases[] = {
      {utf16, false, ": UTF-16 text; a settings file is plain text of one byte per character"},
      {binary, true, ": not a text file (it holds NUL bytes)"},
      {empty, false, ": holds none of the sections of a filter settings (.zvf) file"},
      {other, true, ": holds none of the sections of an export settings (.zve) file"},
      {big, false, ": larger than 16 MB, too large for a settings file"},
      {dir.File("missing.zvf"), false, ": the settings file cannot be read"},
  };
  for (const auto& c : cases) {
    std::string problem;
    EXPECT_FALSE(LoadSettingsFile(c.path, c.exportFile, &problem)) << c.path;
    EXPECT_EQ(problem, c.path + c.problem);
  }
  ChangeEverything();
  const FilterSettings changed = f;
  host = {};
  EXPECT_FALSE(LoadFilterSettings(utf16, "", false, f, sp, host).loaded);
  EXPECT_TRUE(host.SaidTimed(utf16 + cases[0].problem));
  EXPECT_FALSE(LoadExportSettings(binary, f, o, sp, host));
  EXPECT_TRUE(host.SaidTimed(binary + cases[1].problem));
  EXPECT_EQ(f.FMchk, changed.FMchk);
  EXPECT_EQ(f.ranges.Text(RangeEdit::MinOctKHZedit), changed.ranges.Text(RangeEdit::MinOctKHZedit));
}

TEST_F(SettingsTest, FileWithOnlyItsSectionLinesGivesTheTablesDefaults) {
  ChangeEverything();
  const std::string path = dir.File("bare.zvf");
  testing::WriteAll(path, {'[', 'A', 'l', 'l', 'F', 'i', 'l', 't', 'e', 'r', 's', ']', '\r', '\n'});
  ASSERT_TRUE(LoadFilterSettings(path, "", false, f, sp, host).loaded);
  EXPECT_FALSE(f.IgnoreFilters);
  EXPECT_FALSE(f.IncludeFragments);
  EXPECT_TRUE(f.CFchk && f.QCFchk && f.FMchk && f.noSpChk);
  EXPECT_EQ(f.ranges.Text(RangeEdit::MinOctKHZedit), "16");
  EXPECT_EQ(f.ranges.Text(RangeEdit::MaxOctQedit), "25");
  EXPECT_EQ(f.ranges.Text(RangeEdit::MinAvSPLEdit), "1");
  EXPECT_EQ(f.ranges.Text(RangeEdit::MaxDuration100MusecEdit), "9999");
  EXPECT_EQ(f.sequence.Seq, "");
  EXPECT_EQ(f.minutes.Text(MinuteEdit::ExclusionHrEdit), "23");
  EXPECT_EQ(f.minutes.Text(MinuteEdit::MaxLightLevelEdit), "0");
  EXPECT_FALSE(sp.NoPoorSpecies);
  const DisplayPlace place = ReadDisplayPlace(IniFile::Load(path));
  EXPECT_EQ(place.FileNameAndPath, "");
  EXPECT_EQ(place.DisplayTimeUnit, 11);

  ASSERT_TRUE(LoadExportSettings(path, f, o, sp, host));
  EXPECT_TRUE(f.IncludeFragments);
  EXPECT_EQ(f.ranges.Text(RangeEdit::MaxOctQedit), "15");
  EXPECT_EQ(f.ranges.Text(RangeEdit::MaxCallMedianKHZEdit), "333");
  EXPECT_EQ(o.kind, ExportKind::CallCounts);
  EXPECT_EQ(o.period, ExportPeriod::Days);
  EXPECT_EQ(o.destination, ExportDestination::Results);
  EXPECT_TRUE(o.OmitSpreadsheetHeaders);
  EXPECT_EQ(o.ExportFile, (std::array<bool, 6>{false, true, false, false, true, false}));
}

// A value its control would refuse refuses the whole file: every such value is named with the
// file, section and key, and no control changes. Lines that are no key at all are passed over.
TEST_F(SettingsTest, ValuesTheControlsWouldRefuseRefuseTheFile) {
  std::string bad =
      "garbage line without equals\n\x01\x02\xff\xfe binary\r\n[CallType\nCF=1\n"
      "[AllFilters]\nIgnoreAll=yes\nIncludeFragments=99999999999\nHasThirdHarmonic= 7 \n"
      "[Export]\ndata group=4\nperiod=-1\ntime format=3\nFile/Results=4294967296\n"
      "[WaveGroup]\nmaxOctKHz=99999999999\nminOctQ=\x01\x02\n[Call]\nduration min=-5\n"
      "[Sequence of features]\nsequence=((((\n";
  const std::string path = dir.File("bad.zve");
  testing::WriteAll(path, std::vector<uint8_t>(bad.begin(), bad.end()));
  f.IgnoreFilters = true;
  f.ranges.SetText(RangeEdit::MaxOctKHZedit, "200");
  EXPECT_FALSE(LoadExportSettings(path, f, o, sp, host));
  EXPECT_TRUE(f.IgnoreFilters) << "nothing was applied";
  EXPECT_EQ(f.ranges.Text(RangeEdit::MaxOctKHZedit), "200");
  EXPECT_EQ(o.period, ExportPeriod::Days);
  std::vector<std::string> errors;
  for (const auto& [memo, line] : host.lines)
    if (memo == Memo::ErrorsMemo) errors.push_back(line.substr(path.size()));
  const std::vector<std::string> expected = {
      ": [AllFilters] IgnoreAll: 'yes' is not 0 or 1 (a box is ticked or not)",
      ": [AllFilters] IncludeFragments: '99999999999' is not 0 or 1 (a box is ticked or not)",
      ": [AllFilters] HasThirdHarmonic: '7' is not 0 or 1 (a box is ticked or not)",
      ": [WaveGroup] maxOctKHz: '99999999999' is not a valid integer value",
      ": [WaveGroup] minOctQ: '\x01\x02' is not a valid integer value",
      ": [Call] duration min: '-5' is below 0, which no call or wave-group value is",
      ": [Sequence of features] sequence: '((((' is not a sequence: at most 5 of the feature letters F, R, "
      "D, U, C, "
      "M and Q",
      ": [Export] data group: '4' is not one of the group's items (0 to 3)",
      ": [Export] period: '-1' is not one of the group's items (0 to 4)",
      ": [Export] File/Results: '4294967296' is not one of the group's items (0 to 1)",
  };
  EXPECT_EQ(errors, expected);
  ASSERT_EQ(host.timed.size(), 1u);
  EXPECT_EQ(host.timed[0].text, path + expected[0] + "; the settings file was not applied");
  // Binary bytes survive an update in place (though such a file is not loaded).
  bad.insert(bad.find(" binary"), 1, '\0');
  testing::WriteAll(path, std::vector<uint8_t>(bad.begin(), bad.end()));
  ASSERT_TRUE(SaveExportSettings(path, f, o, sp, host));
  EXPECT_NE(Text(path).find(std::string("\xff\xfe\0 binary", 9)), std::string::npos);
}

// Each value alone is right, but a lower value above its upper one passes nothing: both keys
// are named. A filter file's display place is checked as well.
TEST_F(SettingsTest, LowerAboveUpperAndABadDisplayPlaceAreNamed) {
  IniFile zvf = IniFile::FromText(
      "[Call features]\nmedian kHz min=60\nmedian kHz max=40\n[Hours of day]\nlight levels min=30\n"
      "light levels max=20\n[FileAndTime]\nDisplayTimeUnit=21\nScreen5Musec=12000000\n");
  EXPECT_EQ(FilterFileProblems(zvf),
            (std::vector<std::string>{
                "[FileAndTime] DisplayTimeUnit: '21' is not one of the group's items (0 to 20)",
                "[FileAndTime] Screen5Musec: '12000000' is not a whole number from 0 to 11999999"}));
  zvf.Set("FileAndTime", "DisplayTimeUnit", "20");
  zvf.Set("FileAndTime", "Screen5Musec", "11999999");
  EXPECT_EQ(FilterFileProblems(zvf),
            (std::vector<std::string>{
                "[Call features] median kHz min=60 is above [Call features] median kHz max=40",
                "[Hours of day] light levels min=30 is above [Hours of day] light levels max=20"}));
  // An hour the edit refuses, and a sequence line of a megabyte, shown only by its start.
  const IniFile hours = IniFile::FromText(
      "[HoursOfDay]\nstart mn=25\n[Sequence of features]\nor sequence=" + std::string(1 << 20, 'F') + "\n");
  const auto problems = ExportFileProblems(hours);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0],
            "[Sequence of features] or sequence: '" + std::string(24, 'F') +
                "...' is not a sequence: at most 5 of the feature letters F, R, D, U, C, M and Q");
  EXPECT_EQ(problems[1], "[HoursOfDay] start mn: Hours must in the range 0 to 23");
  // Files the program writes are always right.
  ChangeEverything();
  IniFile written;
  WriteExportFile(written, f, o, sp);
  EXPECT_EQ(ExportFileProblems(written), std::vector<std::string>{});
  IniFile writtenZvf;
  WriteFilterFile(writtenZvf, DisplayPlace{}, f, sp);
  EXPECT_EQ(FilterFileProblems(writtenZvf), std::vector<std::string>{});
}

TEST_F(SettingsTest, SpeciesMaskRefreshedBeforeSavingAndAppliedAfterLoading) {
  sp.SetChecked(3, true);
  sp.SetChecked(40, true);
  ASSERT_TRUE(SaveExportSettings(dir.File("sp.zve"), f, o, sp, host));
  EXPECT_EQ(sp.Mask()[0], 1 << 3);
  EXPECT_EQ(sp.Mask()[1], 1 << 8);
  sp.SetAll(true);
  ASSERT_TRUE(LoadExportSettings(dir.File("sp.zve"), f, o, sp, host));
  for (int i = 0; i < kSpeciesListSize; ++i) EXPECT_EQ(sp.Checked(i), i == 3 || i == 40) << i;
  sp.SetChecked(7, true);
  ASSERT_TRUE(SaveFilterSettings(dir.File("sp.zvf"), DisplayPlace{}, f, sp, host));
  sp.SetAll(false);
  ASSERT_TRUE(LoadFilterSettings(dir.File("sp.zvf"), "", false, f, sp, host).loaded);
  EXPECT_TRUE(sp.Checked(7));
}

TEST_F(SettingsTest, CancelledDialogs) {
  EXPECT_FALSE(SaveFilterSettings(std::nullopt, DisplayPlace{}, f, sp, host));
  EXPECT_FALSE(SaveExportSettings(std::nullopt, f, o, sp, host));
  EXPECT_FALSE(LoadFilterSettings(std::nullopt, "", false, f, sp, host).loaded);
  EXPECT_FALSE(LoadExportSettings(std::nullopt, f, o, sp, host));
  ASSERT_EQ(host.timed.size(), 4u);
  EXPECT_EQ(host.timed[0].text, "Failed to create file ");
  EXPECT_EQ(host.timed[0].ms, 3000);
  EXPECT_EQ(host.timed[1].ms, 10000);
  EXPECT_EQ(host.timed[2].text, "Settings file not found");
  EXPECT_EQ(host.timed[2].ms, 3000);
  EXPECT_EQ(host.timed[3].ms, 10000);
  // A file that is there but cannot be read is not replaced.
  const std::string locked = dir.File("locked.zvf");
  testing::WriteAll(locked, {'[', 'x', ']'});
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  if (std::FILE* probe = std::fopen(locked.c_str(), "rb")) {
    std::fclose(probe);  // running with rights to read anything: nothing to see here
  } else {
    EXPECT_FALSE(SaveFilterSettings(locked, DisplayPlace{}, f, sp, host));
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    EXPECT_EQ(Text(locked), "[x]");
  }
  // Nor is a file far too large to be a settings file (perhaps a data file given by mistake).
  const std::string big = dir.File("big.zvf");
  testing::WriteAll(big, {'[', 'x', ']'});
  std::filesystem::resize_file(big, 17 * 1024 * 1024);
  EXPECT_FALSE(SaveFilterSettings(big, DisplayPlace{}, f, sp, host));
  EXPECT_EQ(std::filesystem::file_size(big), 17u * 1024 * 1024);
  // A folder that does not exist: nothing written, no message.
  EXPECT_FALSE(SaveFilterSettings(dir.File("no/such/x.zvf"), DisplayPlace{}, f, sp, host));
  EXPECT_EQ(host.timed.size(), 4u);
}

}  // namespace
}  // namespace zorvel
