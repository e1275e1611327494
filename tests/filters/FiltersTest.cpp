#include <gtest/gtest.h>

#include "core/MinuteMap.h"
#include "core/SlotFiles.h"
#include "filters/CallFilter.h"
#include "filters/FilterActions.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel {
namespace {

struct Fixture {
  FilterSettings settings;
  SpeciesListModel species;
  CallFilter filter{settings, species};
};

tCall PlainCall() {
  tCall c;
  c.CallType = tcFM;
  c.Duration100Musecs = 40;
  c.AmpAv = 100;
  c.Fmax = 80;
  c.Fmin = 40;
  c.SpConfidence = 5;
  c.HmicScore = 3;
  return c;
}

TEST(RangeEdits, InclusiveBoundsAndFallbacks) {
  Fixture f;
  tCall c = PlainCall();
  f.settings.ranges.SetText(RangeEdit::MinDuration100MusecEdit, "40");
  f.settings.ranges.SetText(RangeEdit::MaxDuration100MusecEdit, "40");
  EXPECT_TRUE(f.filter.CallPassesFilters(c));
  c.Duration100Musecs = 41;
  EXPECT_FALSE(f.filter.CallPassesFilters(c));
  f.settings.ranges.SetText(RangeEdit::MaxDuration100MusecEdit, "");
  EXPECT_EQ(f.settings.ranges.Value(RangeEdit::MaxDuration100MusecEdit), 9999);
  EXPECT_TRUE(f.filter.CallPassesFilters(c));
  f.settings.ranges.SetText(RangeEdit::MaxMinCallKHZEdit, "x1");
  EXPECT_EQ(f.settings.ranges.Value(RangeEdit::MaxMinCallKHZEdit), 255);
  f.settings.ranges.SetText(RangeEdit::MaxSlopeKHZedit, "");
  EXPECT_EQ(f.settings.ranges.Value(RangeEdit::MaxSlopeKHZedit), 255);
  // The amplitude edit starts at "1" but falls back to 0.
  EXPECT_EQ(f.settings.ranges.Value(RangeEdit::MinAvSPLEdit), 1);
  f.settings.ranges.SetText(RangeEdit::MinAvSPLEdit, "");
  EXPECT_EQ(f.settings.ranges.Value(RangeEdit::MinAvSPLEdit), 0);
  // The wave-group tonality edit starts at "24" and resets to "25".
  EXPECT_EQ(f.settings.ranges.Value(RangeEdit::MaxOctQedit), 24);
  f.settings.ranges.Reset(RangeEdit::MaxOctQedit);
  EXPECT_EQ(f.settings.ranges.Text(RangeEdit::MaxOctQedit), "25");
}

TEST(CallTest, ClassesSpeciesAndFlags) {
  Fixture f;
  tCall c = PlainCall();
  f.settings.FMchk = false;
  EXPECT_FALSE(f.filter.CallPassesFilters(c));

  // The species list replaces the class boxes.
  f.species.UseSpListClick(SpeciesListModel::Sender::UseSpList, true);
  f.species.FilterSpN1 = false;
  f.species.FilterSpN2 = true;
  f.species.SetChecked(4, true);
  c.SpN = 4;
  c.Sp2N = 0;
  EXPECT_FALSE(f.filter.CallPassesFilters(c));
  c.Sp2N = 4;
  EXPECT_TRUE(f.filter.CallPassesFilters(c));

  f.settings.Mark.Click();
  f.settings.Mark.Click();  // state 2: only marked calls
  EXPECT_FALSE(f.filter.CallPassesFilters(c));
  c.Marked = true;
  EXPECT_TRUE(f.filter.CallPassesFilters(c));
  f.settings.Mark.Click();
  EXPECT_EQ(f.settings.Mark.state, 0);

  c.Reverb = true;
  f.settings.IncludeFragments = false;
  EXPECT_FALSE(f.filter.CallPassesFilters(c));
  f.settings.IncludeFragments = true;
  f.species.NoPoorSpecies = true;
  c.SpConfidence = 0;
  EXPECT_FALSE(f.filter.CallPassesFilters(c));
  c.SpConfidence = 1;
  f.settings.CallHasThirdHarmonic = true;
  c.HmicScore = 0;
  EXPECT_FALSE(f.filter.CallPassesFilters(c));
}

TEST(Sequence, FeatureStringsAndPatterns) {
  // F=1 D=3 U=4 M=6, most significant group first: FDUM.
  const int32_t fdum = ((1 * 8 + 3) * 8 + 4) * 8 + 6;
  EXPECT_EQ(FeatureString(fdum), "FDUM");
  EXPECT_EQ(FeatureString(0), "");
  EXPECT_EQ(FeatureString(8 * 5), "C");  // a 0 group adds nothing
  for (const char* p : {"FU", "DM", "FDUM", "fu"}) EXPECT_TRUE(PatternMatches(p, "FDUM")) << p;
  for (const char* p : {"UF", "FF"}) EXPECT_FALSE(PatternMatches(p, "FDUM")) << p;

  SequenceEdits e;
  e.Seq = "FU";
  EXPECT_TRUE(e.Fits(((1 * 8 + 2) * 8 + 3) * 8 + 4));  // FRDU
  EXPECT_FALSE(e.Fits(4 * 8 + 1));                      // UF
  e.Seq2 = "uf";
  e.Seq2EditExit();
  EXPECT_EQ(e.Seq2, "UF");
  EXPECT_TRUE(e.Fits(4 * 8 + 1));
  e.Seq.clear();
  e.SeqEditExit();
  EXPECT_EQ(e.Seq, "UF");
  EXPECT_EQ(e.Seq2, "");
  e.SeqEditDblClick();
  EXPECT_FALSE(e.Given());
}

TEST(MinuteTest, WindowsLightAndTemperature) {
  MinuteFilterValues m;
  EXPECT_FALSE(m.MinuteFiltersActive());
  EXPECT_EQ(m.DayStopMinute(), 1440);
  TFileRec s;
  s.HalfDegCpreamp = 30;
  auto excludedAt = [&](int hh, int mm) {
    s.NrTime.Mn = 66'000'000 - 66'000'000 % 1440 + hh * 60 + mm;
    return m.MinuteIsExcluded(s);
  };
  m.SetText(MinuteEdit::HourOfDayStartHrEdit, "20");
  EXPECT_TRUE(m.MinuteFiltersActive());
  EXPECT_FALSE(excludedAt(20, 0));
  EXPECT_TRUE(excludedAt(19, 59));
  // The window does not wrap past midnight.
  m.SetText(MinuteEdit::HourOfDayStartHrEdit, "22");
  m.SetText(MinuteEdit::ExclusionHrEdit, "4");
  m.SetText(MinuteEdit::HourOfDayStopMnEdit, "0");
  EXPECT_TRUE(excludedAt(23, 0));
  EXPECT_TRUE(excludedAt(1, 0));

  EXPECT_EQ(m.SetText(MinuteEdit::ExclusionHrEdit, "24"), "Hours must in the range 0 to 23");
  EXPECT_EQ(m.Text(MinuteEdit::ExclusionHrEdit), "00");
  EXPECT_EQ(m.SetText(MinuteEdit::HourOfDayStopMnEdit, "60"), "Minutes must in the range 0 to 59");
  EXPECT_NE(m.SetText(MinuteEdit::MinMinuteTemperatureEdit, "cold"), "");
  EXPECT_EQ(m.MinTemperature(), -10);
  m.SetText(MinuteEdit::MaxLightLevelEdit, "300");
  EXPECT_EQ(m.Text(MinuteEdit::MaxLightLevelEdit), "255");

  m.ClearHourAndLightFilters();
  m.SetText(MinuteEdit::MaxLightLevelEdit, "100");
  s.HalfDegCpreamp = -22;  // -11 °C
  EXPECT_TRUE(excludedAt(12, 0));
  s.HalfDegCpreamp = -21;  // rounds toward zero: -10 °C
  EXPECT_FALSE(excludedAt(12, 0));
}

TEST(MinuteTest, ClearingLeavesNothingExcluded) {
  MinuteFilterValues m;
  m.SetText(MinuteEdit::MinLightLevelEdit, "10");
  m.ClearHourAndLightFilters();
  EXPECT_EQ(m.DayStopMinute(), 1439);
  EXPECT_FALSE(m.MinuteFiltersActive());
  TFileRec s;
  s.HalfDegCpreamp = -40;  // -20 °C, outside the temperature edits' range
  s.NrTime.Mn = 1439;
  EXPECT_FALSE(m.MinuteIsExcluded(s));
}

TEST(Summary, ShownOnlyWhenWaveGroupEditsDiffer) {
  FilterSettings f;
  EXPECT_EQ(FilterSummary(f), "");
  f.ranges.SetText(RangeEdit::MinOctKHZedit, "30");
  EXPECT_EQ(FilterSummary(f), "Click filter:   Freq: 30-333kHz, ");
  f.ranges.SetText(RangeEdit::MaxOctSPLEdit, "500");
  EXPECT_EQ(FilterSummary(f), "Click filter:   Freq: 30-333kHz,   Amplitude: 0-500,");
  f.IgnoreFilters = true;
  EXPECT_EQ(FilterSummary(f), "");
  ClearOctAndCallFilters(f);
  EXPECT_FALSE(f.IncludeFragments);
  EXPECT_EQ(f.ranges.Text(RangeEdit::MinOctKHZedit), "0");
  EXPECT_EQ(f.ranges.Text(RangeEdit::MaxOctQedit), "25");
}

class MarkTest : public ::testing::Test {
 protected:
  testing::TempDir dir{"mark"};
  testing::RecordingHost host;
  FileSlots slots;
  Fixture f;

  std::string MakeFile() {
    tCall fm = PlainCall();
    tCall cf = PlainCall();
    cf.CallType = tcCF;
    const auto a = EncodeCall(fm), b = EncodeCall(cf);
    std::vector<testing::SyntheticMinute> ms(2);
    ms[0].records = {a[0], a[1], a[2], b[0], b[1], b[2]};
    ms[1].records = {b[0], b[1], b[2], a[0], a[1], a[2]};
    const std::string path = dir.File("calls.ZV2");
    EXPECT_TRUE(testing::WriteDataFile(path, testing::MakeHeader(100, 101), ms));
    EXPECT_TRUE(OpenFileInSlot(slots, path, 1, host, {}).opened);
    return path;
  }
};

TEST_F(MarkTest, ReadOnlyFileIsNeitherAskedAboutNorChanged) {
  const std::string path = MakeFile();
  slots[1].ReadOnly = true;
  const auto before = testing::ReadAll(path);
  host.answers = {Answer::Yes};
  EXPECT_FALSE(MarkSelectedCalls(slots, 1, true, f.filter, false, host));
  EXPECT_TRUE(host.questions.empty());
  EXPECT_TRUE(host.SaidTimed("Writeback failed"));
  CloseAllSlots(slots);
  EXPECT_EQ(testing::ReadAll(path), before);
}

TEST_F(MarkTest, MarksOnlyAcceptedCallsAfterYes) {
  const std::string path = MakeFile();
  const auto before = testing::ReadAll(path);
  EXPECT_FALSE(MarkSelectedCalls(slots, 0, true, f.filter, false, host));
  EXPECT_TRUE(host.SaidTimed("No file selected for action"));
  host.answers = {Answer::No};
  EXPECT_FALSE(MarkSelectedCalls(slots, 1, true, f.filter, false, host));
  EXPECT_EQ(host.questions.back(), "Changes will be made to file 1  Do you wish to proceed?");

  // Clearing marks on a file with none changes nothing.
  host.answers = {Answer::Yes};
  EXPECT_TRUE(MarkSelectedCalls(slots, 1, false, f.filter, false, host));
  EXPECT_EQ(testing::ReadAll(path), before);

  f.settings.CFchk = false;  // only the FM calls are accepted
  host.answers = {Answer::Yes};
  EXPECT_TRUE(MarkSelectedCalls(slots, 1, true, f.filter, false, host));
  EXPECT_TRUE(host.SaidTimed("Completed "));
  CloseAllSlots(slots);
  const auto after = testing::ReadAll(path);
  std::vector<size_t> changed;
  for (size_t i = 0; i < after.size(); ++i)
    if (after[i] != before[i]) changed.push_back(i);
  ASSERT_EQ(changed.size(), 2u);
  for (size_t i : changed) {
    EXPECT_EQ(after[i] ^ before[i], 1);
    EXPECT_EQ(after[i - 6], kIdCallC);
    EXPECT_EQ(after[i + 6], tcFM);  // byte 12 of record C: the call type
  }
}

TEST_F(MarkTest, FiltersAreSkippedWhenIgnored) {
  const std::string path = MakeFile();
  f.settings.CFchk = false;
  f.settings.FMchk = false;
  SeekToMinuteStart(slots, 1, 100, host, false);
  ReaderContext ctx{host, &f.filter};
  int calls = 0;
  while (slots[1].InPlay) calls += (ReadNextRecord(slots[1], ctx) && slots[1].NrType == tCallrec) ? 1 : 0;
  EXPECT_EQ(calls, 0);
  ctx.options.IgnoreFilters = true;
  SeekToMinuteStart(slots, 1, 100, host, false);
  while (slots[1].InPlay) calls += (ReadNextRecord(slots[1], ctx) && slots[1].NrType == tCallrec) ? 1 : 0;
  EXPECT_EQ(calls, 4);
}

}  // namespace
}  // namespace zorvel

namespace zorvel {
namespace {

TEST(SequencePatternProblem, OnlyFeatureLettersUpToFiveCanMatch) {
  for (const char* fine : {"", "F", "fdq", "FRDUC", "mq"})
    EXPECT_EQ(SequencePatternProblem(fine), "") << fine;
  EXPECT_EQ(SequencePatternProblem("(((("),
            "'((((' is not a sequence: at most 5 of the feature letters F, R, D, U, C, M and Q");
  EXPECT_NE(SequencePatternProblem("FRDUCM"), "");  // six letters
  EXPECT_NE(SequencePatternProblem("FX"), "");
  EXPECT_NE(SequencePatternProblem(std::string("F\0", 2)), "");
}

}  // namespace
}  // namespace zorvel

// ---- The checks every filter value goes through, typed with --edit or read from a file.
#include "filters/EditChecks.h"

namespace zorvel {
namespace {

TEST(EditChecks, ANumberBoxTakesBlankOrAWholeNumberNotBelowZero) {
  for (const char* good : {"", "  ", "0", " 12 ", "+7", "2147483647"})
    EXPECT_EQ(RangeEditProblem(RangeEdit::MaxCallMedianKHZEdit, good), "") << good;
  EXPECT_EQ(RangeEditProblem(RangeEdit::MinDuration100MusecEdit, "-1"),
            "'-1' is below 0, which no call or wave-group value is");
  for (const char* bad : {"abc", "1e999", "12345678901234567890", "2147483648", "12 kHz", "0x10"})
    EXPECT_EQ(RangeEditProblem(RangeEdit::MinOctKHZedit, bad),
              "'" + std::string(bad) + "' is not a valid integer value");
  // Minute edits: what the edit itself says, and letters where the window would take 0.
  EXPECT_EQ(MinuteEditProblem(MinuteEdit::ExclusionHrEdit, "24"), "Hours must in the range 0 to 23");
  EXPECT_EQ(MinuteEditProblem(MinuteEdit::HourOfDayStopMnEdit, "60"), "Minutes must in the range 0 to 59");
  EXPECT_EQ(MinuteEditProblem(MinuteEdit::MinLightLevelEdit, "dark"), "'dark' is not a valid integer value");
  EXPECT_EQ(MinuteEditProblem(MinuteEdit::MaxLightLevelEdit, "300"), "") << "the edit puts it right as 255";
  EXPECT_EQ(MinuteEditProblem(MinuteEdit::MinMinuteTemperatureEdit, "-40"), "");
}

TEST(EditChecks, EveryLowerAboveItsUpperIsNamed) {
  FilterSettings f;
  EXPECT_EQ(FilterPairProblems(f), std::vector<std::string>{}) << "the start-up values";
  f.ranges.SetText(RangeEdit::MinCallQEdit, "20");
  f.ranges.SetText(RangeEdit::MaxCallQEdit, "10");
  f.ranges.SetText(RangeEdit::MinOctSPLEdit, "5");
  f.ranges.SetText(RangeEdit::MaxOctSPLEdit, "5");  // equal bounds pass their one value
  f.minutes.SetText(MinuteEdit::MinMinuteTemperatureEdit, "30");
  f.minutes.SetText(MinuteEdit::MaxMinuteTemperatureEdit, "20");
  EXPECT_EQ(FilterPairProblems(f),
            (std::vector<std::string>{"MinCallQEdit 20 is above MaxCallQEdit 10",
                                      "MinMinuteTemperatureEdit 30 is above MaxMinuteTemperatureEdit 20"}));
}

}  // namespace
}  // namespace zorvel
