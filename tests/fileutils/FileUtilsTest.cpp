#include <gtest/gtest.h>

#include <filesystem>

#include "core/Bytes.h"
#include "core/Header.h"
#include "core/MinuteMap.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "fileutils/FileSet.h"
#include "fileutils/PeriodCopy.h"
#include "fileutils/ShiftJoin.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel::fileutils {
namespace {

namespace fs = std::filesystem;
using zorvel::testing::ReadAll;
using zorvel::testing::RecordingHost;
using zorvel::testing::TempDir;

constexpr int kGroupsPerMinute = 3;

class FileUtils : public ::testing::Test {
 protected:
  void SetUp() override { PopulatePrecalculatedArrays(); }

  // A data file of n minutes from first, each holding a minute record and three wave groups.
  std::string Make(const std::string& name, int32_t first, int n) {
    const std::string path = dir_.File(name);
    EXPECT_TRUE(testing::WriteDataFile(path, testing::MakeHeader(first, first + n - 1),
                                       testing::RegularMinutes(n, kGroupsPerMinute)));
    return path;
  }
  void Touch(const std::string& name) { testing::WriteAll(dir_.File(name), {1, 2, 3, 4}); }
  bool Exists(const std::string& name) const { return fs::exists(dir_.File(name)); }
  static int64_t Records(const std::string& path) {
    return (fs::file_size(path) - kHeaderBytes) / kRecordBytes;
  }
  static int32_t HeaderInt(const std::string& path, int offset) { return Be32(&ReadAll(path)[offset]); }
  bool Open(const std::string& path, int slot) {
    return OpenFileInSlot(slots_, path, slot, host_, {}).opened;
  }

  TempDir dir_{"fileutils"};
  RecordingHost host_;
  FileSlots slots_;
};

TEST_F(FileUtils, RenamingAZV1OnlySetMovesTheFileAndItsMap) {
  Make("a.ZV1", 1000, 2);
  Touch("a.z1m");
  Touch("a.z1s");
  ASSERT_TRUE(Open(dir_.File("a.ZV1"), 1));
  EXPECT_EQ(RenameFileSet(slots_, dir_.File("a.ZV1"), dir_.File("b"), host_), 1);
  EXPECT_FALSE(slots_[1].Open);
  EXPECT_TRUE(Exists("b.ZV1") && Exists("b.z1m") && Exists("b.z1s"));  // the summary goes along
  EXPECT_FALSE(Exists("a.ZV1") || Exists("a.z1m") || Exists("a.z1s"));
  ASSERT_EQ(host_.timed.size(), 1u);
  EXPECT_EQ(host_.timed[0].text, "Saved as " + dir_.File("b.ZV1"));
  EXPECT_EQ(host_.timed[0].ms, 2000);
}

TEST_F(FileUtils, RenameOntoAnExistingNameAsksAndKeepsBothOnNo) {
  Make("a.ZV1", 1000, 2);
  Make("a.ZV2", 1000, 2);
  Make("b.ZV2", 2000, 1);
  const auto before = ReadAll(dir_.File("b.ZV2"));
  EXPECT_EQ(RenameFileSet(slots_, dir_.File("a.ZV1"), dir_.File("b.ZV1"), host_), 0);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_TRUE(host_.SaidTimed("No files renamed"));
  EXPECT_TRUE(Exists("a.ZV1") && Exists("a.ZV2"));
  EXPECT_EQ(ReadAll(dir_.File("b.ZV2")), before);

  host_.answers.push_back(Answer::Yes);
  EXPECT_EQ(RenameOneFile(slots_, dir_.File("a.ZV2"), dir_.File("b.ZV2"), host_), true);
  EXPECT_FALSE(Exists("a.ZV2"));
  EXPECT_NE(ReadAll(dir_.File("b.ZV2")), before);
}

TEST_F(FileUtils, RenameOneFileTakesOnlyItsOwnMap) {
  Make("a.ZV2", 1000, 2);
  Touch("a.z2m");
  Touch("a.z1m");
  ASSERT_TRUE(RenameOneFile(slots_, dir_.File("a.ZV2"), dir_.File("c.ZV2"), host_));
  EXPECT_TRUE(Exists("c.ZV2") && Exists("c.z2m") && Exists("a.z1m"));
  EXPECT_FALSE(Exists("c.z1m"));
}

TEST_F(FileUtils, DeleteAsksFirstAndKeepsZV3Files) {
  for (const char* n : {"s.ZV1", "s.ZV2", "s.ZV3"}) Make(n, 1000, 1);
  for (const char* n : {"s.z1m", "s.z2m", "s.z3m", "s.z1s", "s.z2s"}) Touch(n);
  EXPECT_EQ(DeleteFileSet(slots_, dir_.File("s.ZV1"), host_), 0);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0], "Are you SURE you wish to permanently delete all files in the set '" +
                                    dir_.File("s.ZV1") + "'\r\nThey will NOT be in the Recycle Bin");
  EXPECT_TRUE(host_.SaidTimed("No files deleted"));
  EXPECT_TRUE(Exists("s.ZV1"));

  host_.answers.push_back(Answer::Yes);
  EXPECT_EQ(DeleteFileSet(slots_, dir_.File("s.ZV1"), host_), 4);  // summaries go uncounted
  EXPECT_FALSE(Exists("s.ZV1") || Exists("s.ZV2") || Exists("s.z1m") || Exists("s.z2m"));
  EXPECT_FALSE(Exists("s.z1s") || Exists("s.z2s"));
  EXPECT_TRUE(Exists("s.ZV3") && Exists("s.z3m"));
}

TEST_F(FileUtils, DeleteThatFailsHalfWayNamesTheFileAndDeletesTheRest) {
  Make("s.ZV1", 1000, 1);
  Make("s.ZV2", 1000, 1);
  // A map name taken by a folder that is not empty cannot be deleted.
  fs::create_directories(dir_.Path() / "s.z1m" / "inside");
  host_.answers.push_back(Answer::Yes);
  EXPECT_EQ(DeleteFileSet(slots_, dir_.File("s.ZV1"), host_), 2);
  ASSERT_FALSE(host_.timed.empty());
  EXPECT_EQ(host_.timed[0].text.rfind("FAILED to delete " + dir_.File("s.z1m"), 0), 0u);
  EXPECT_FALSE(Exists("s.ZV1") || Exists("s.ZV2"));
}

TEST_F(FileUtils, FailedRenameLeavesTheSetWhereItWas) {
  Make("a.ZV1", 1000, 1);
  Make("a.ZV2", 1000, 1);
  EXPECT_EQ(RenameFileSet(slots_, dir_.File("a.ZV1"), "/nonexistent_zorvel_dir/b", host_), 0);
  EXPECT_TRUE(host_.SaidTimed("FAILED to rename .ZV1. \r\nNo change made"));
  EXPECT_TRUE(host_.SaidTimed("FAILED to rename .ZV2. \r\nNo change made"));
  EXPECT_TRUE(Exists("a.ZV1") && Exists("a.ZV2"));
  EXPECT_FALSE(RenameOneFile(slots_, dir_.File("a.ZV1"), "/nonexistent_zorvel_dir/b.ZV1", host_));
  EXPECT_TRUE(host_.SaidTimed("FAILED to rename file. \r\nNo change made"));
}

TEST_F(FileUtils, ActionSlotFallsBackToTheOnlyOpenFile) {
  Make("a.ZV1", 1000, 1);
  EXPECT_EQ(ActionSlot(slots_, 0), 0);
  EXPECT_FALSE(ActionSlotPath(slots_, 0, host_));
  EXPECT_TRUE(host_.SaidTimed("No file selected for action"));
  EXPECT_FALSE(RenameSetSource(slots_, host_));
  EXPECT_TRUE(host_.SaidTimed("No files renamed"));
  ASSERT_TRUE(Open(dir_.File("a.ZV1"), 3));
  EXPECT_EQ(ActionSlot(slots_, 0), 3);
  EXPECT_EQ(ActionSlot(slots_, 2), 3);
  ASSERT_TRUE(Open(dir_.File("a.ZV1"), 1));
  EXPECT_EQ(ActionSlot(slots_, 0), 0);
}

TEST_F(FileUtils, ShiftByADayMovesTheHeaderAndRemovesMaps) {
  const std::string a = Make("a.ZV1", 50'000, 3);
  for (const char* n : {"a.z1m", "a.z2m", "a.z3m"}) Touch(n);
  ASSERT_TRUE(Open(a, 2));
  EXPECT_EQ(AddMinutesToStart(slots_, 1440, host_), 1);
  for (int off : {hdr::kFirstLoggedMin, hdr::kStoredFirstProcessMin}) EXPECT_EQ(HeaderInt(a, off), 51'440);
  for (int off : {hdr::kLastLoggedMin, hdr::kStoredLastProcessMin}) EXPECT_EQ(HeaderInt(a, off), 51'442);
  EXPECT_FALSE(Exists("a.z1m") || Exists("a.z2m") || Exists("a.z3m"));
  ASSERT_TRUE(slots_[2].Open);
  EXPECT_EQ(slots_[2].FirstLoggedMin, 51'440);
  // Shifting before the start of the calendar is refused and leaves the file alone.
  EXPECT_EQ(AddMinutesToStart(slots_, -60'000, host_), 0);
  EXPECT_EQ(HeaderInt(a, hdr::kFirstLoggedMin), 51'440);
}

TEST_F(FileUtils, JoinWithTrueTimesWritesGapMinutes) {
  const std::string a = Make("a.ZV1", 66491000, 5);  // 66491000 … 66491004
  const std::string b = Make("b.ZV1", 66491014, 2);  // starts 10 minutes after a ends
  const int64_t aRecs = Records(a), bRecs = Records(b);
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(JoinZV1Files(slots_, {b}, {.KeepGapsChk = true, .CopyJoinFirstFileChk = false}, host_), 1);
  EXPECT_EQ(Records(a), (aRecs - 1) + 9 + (bRecs - 1) + 1);
  const auto bytes = ReadAll(a);
  const size_t gapAt = kHeaderBytes + (aRecs - 1) * kRecordBytes;
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(bytes[gapAt + k * kRecordBytes], 0xFE);
    EXPECT_EQ(bytes[gapAt + k * kRecordBytes + 10], 0) << "not listening";
  }
  EXPECT_EQ(HeaderInt(a, hdr::kLastLoggedMin), 66491015);
  EXPECT_EQ(HeaderInt(a, hdr::kStoredLastProcessMin), 66491015);
  EXPECT_EQ(bytes.back(), 0xFF);
  const auto memo = host_.Lines(Memo::DataMemo);
  ASSERT_EQ(memo.size(), 4u);
  EXPECT_EQ(memo[0], "Action\tfile\tGapMins\tFirstLoggedMin\tLastLoggedMin");
  EXPECT_EQ(memo[1], "FirstFile\ta.ZV1\t\t66491000\t66491004");
  EXPECT_EQ(memo[2], "listed\tb.ZV1\t\t66491014\t66491015");
  EXPECT_EQ(memo[3], "Appended\tb.ZV1\t9\t66491014\t66491015");
  EXPECT_TRUE(
      host_.SaidTimed("1 files appended.  Go to the Process page of the menu to create a new ZV2 file"));
  // The joined file reads back as one span with a minute record for every minute.
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(slots_[1].LastLoggedMin, 66491015);
  MapSlot(slots_, 1, true, host_);
  EXPECT_EQ(slots_[1].MinStartsWritten, 16);
}

TEST_F(FileUtils, JoinTrustsTheMinuteScanOverAnUnfinishedHeader) {
  // A header whose last minute was left at the first (as a freshly imported file may have it).
  const std::string a = dir_.File("a.ZV1");
  ASSERT_TRUE(
      testing::WriteDataFile(a, testing::MakeHeader(66491000, 66491000), testing::RegularMinutes(5, 2)));
  const std::string b = Make("b.ZV1", 66491014, 2);
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(JoinZV1Files(slots_, {b}, {.CopyJoinFirstFileChk = false}, host_), 1);
  EXPECT_EQ(HeaderInt(a, hdr::kLastLoggedMin), 66491015);
  const auto memo = host_.Lines(Memo::DataMemo);
  EXPECT_NE(std::find(memo.begin(), memo.end(), "Appended\tb.ZV1\t9\t66491014\t66491015"), memo.end());
}

TEST_F(FileUtils, JoinWithoutTrueTimesAddsOnlyTheFileLength) {
  const std::string a = Make("a.ZV1", 66491000, 5);
  const std::string b = Make("b.ZV1", 66491014, 2);
  const int64_t aRecs = Records(a), bRecs = Records(b);
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(JoinZV1Files(slots_, {b}, {.KeepGapsChk = false, .CopyJoinFirstFileChk = false}, host_), 1);
  EXPECT_EQ(Records(a), aRecs + bRecs - 1);
  EXPECT_EQ(HeaderInt(a, hdr::kLastLoggedMin), 66491006);
}

TEST_F(FileUtils, JoinChainsCandidatesAndLeavesOutOverlaps) {
  const std::string a = Make("a.ZV1", 66491000, 5);
  const std::string d = Make("d.ZV1", 66491030, 2);
  const std::string b = Make("b.ZV1", 66491010, 11);     // 66491010 … 66491020
  const std::string c = Make("c.ZV1", 66491015, 11);     // overlaps b
  const std::string early = Make("e.ZV1", 66490990, 3);  // before a ends
  Make("f.zv1", 66491040, 1);                            // not a ".ZV1" name: ignored
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(
      JoinZV1Files(slots_, {d, c, b, early, dir_.File("f.zv1")}, {.CopyJoinFirstFileChk = false}, host_), 2);
  const auto memo = host_.Lines(Memo::DataMemo);
  EXPECT_NE(std::find(memo.begin(), memo.end(), "Appended\tb.ZV1\t5\t66491010\t66491020"), memo.end());
  EXPECT_NE(std::find(memo.begin(), memo.end(), "Appended\td.ZV1\t9\t66491030\t66491031"), memo.end());
  EXPECT_NE(std::find(memo.begin(), memo.end(), "left out (overlaps)\tc.ZV1"), memo.end());
  EXPECT_EQ(HeaderInt(a, hdr::kLastLoggedMin), 66491031);
}

TEST_F(FileUtils, JoinStopsForTheCopyNoticeAndWhenNothingStartsLater) {
  const std::string a = Make("a.ZV1", 66491000, 5);
  const std::string e = Make("e.ZV1", 66490990, 3);
  const auto before = ReadAll(a);
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(JoinZV1Files(slots_, {e}, {}, host_), 0);
  EXPECT_TRUE(
      host_.SaidTimed("To create a copy of the first file:\r\nRight click the name in Explorer and select "
                      "'Copy'\r\nthen CTRL V to paste "
                      "the copy into the same directory\r\nthen resume this process"));
  EXPECT_EQ(JoinZV1Files(slots_, {e}, {.CopyJoinFirstFileChk = false}, host_), 0);
  EXPECT_TRUE(host_.SaidTimed(
      "None of the files selected start after the open, first, file, so none have been appended."));
  EXPECT_EQ(ReadAll(a), before);
  EXPECT_EQ(JoinZV1Files(slots_, {e}, {.CopyJoinFirstFileChk = false}, host_), 0);
  EXPECT_TRUE(host_.SaidTimed("File 1 must be an open ZV1 file"));
}

// Header minutes that cannot be trusted would ask for up to 2^31 gap minutes (a 1 GB file per
// blank header, endless writing after random bytes, a hang at the end of the 32-bit range).
TEST_F(FileUtils, JoinRefusesUntrustworthyHeadersAndYearLongGaps) {
  const std::string a = Make("a.ZV1", 66491000, 5);
  const std::string blank = dir_.File("blank.ZV1");
  ASSERT_TRUE(testing::WriteDataFile(blank, testing::MakeHeader(0, 0),
                                     testing::RegularMinutes(2, 1)));  // minutes never filled in
  const std::string top = dir_.File("top.ZV1");
  ASSERT_TRUE(testing::WriteDataFile(top, testing::MakeHeader(0x7FFFFFFF, 0x7FFFFFFF),
                                     testing::RegularMinutes(1, 1)));
  std::vector<uint8_t> junk(4096);
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<uint8_t>(i * 7919 % 251);
  testing::WriteAll(dir_.File("junk.ZV1"), junk);
  const std::string far = Make("far.ZV1", 66491011 + 366 * 1440 + 2, 1);  // 366 days and a minute after b
  const std::string b = Make("b.ZV1", 66491010, 2);
  const auto before = ReadAll(a);
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(JoinZV1Files(slots_, {blank, top, dir_.File("junk.ZV1"), far, b}, {.CopyJoinFirstFileChk = false},
                         host_),
            1);
  EXPECT_EQ(Records(a), static_cast<int64_t>(before.size() - kHeaderBytes) / kRecordBytes - 1 + 5 +
                            2 * (1 + kGroupsPerMinute) + 1);
  EXPECT_TRUE(
      host_.SaidTimed("blank.ZV1: first logged minute cannot be trusted: 0 (1899/12/30 0:0) (a file "
                      "must lie within the years 1990 to 2200)"));
  EXPECT_TRUE(
      host_.SaidTimed("top.ZV1: first logged minute cannot be trusted: 2147483647 (5983/1/22 2:7) "
                      "(a file must lie within the years 1990 to 2200)"));
  const auto memo = host_.Lines(Memo::DataMemo);
  const auto said = [&memo](const std::string& start) {
    return std::any_of(memo.begin(), memo.end(),
                       [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  };
  EXPECT_TRUE(said("ERROR\tjunk.ZV1: "));
  EXPECT_TRUE(said(
      "ERROR\tfar.ZV1: starts 527041 minutes after the joined file ends (2026/6/1 7:31; this file starts "));
  EXPECT_TRUE(said("Appended\tb.ZV1\t5\t"));

  // A blank first file does not open, so there is no file 1 to join onto and nothing is written.
  host_ = {};
  const auto blankBefore = ReadAll(blank);
  EXPECT_FALSE(Open(blank, 1));
  EXPECT_EQ(JoinZV1Files(slots_, {b}, {.CopyJoinFirstFileChk = false}, host_), 0);
  EXPECT_EQ(ReadAll(blank), blankBefore);
}

// A join in which every chosen file is refused leaves file 1 byte for byte as it was, even one
// that does not end in an end record (it is not rewritten with nothing appended).
TEST_F(FileUtils, JoinThatAppendsNothingLeavesTheFirstFileAlone) {
  const std::string a = dir_.File("a.ZV1");
  ASSERT_TRUE(testing::WriteDataFile(a, testing::MakeHeader(66491000, 66491004),
                                     testing::RegularMinutes(5, 2), false));
  const std::string far = Make("far.ZV1", 66491004 + 400 * 1440, 1);
  const auto before = ReadAll(a);
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(JoinZV1Files(slots_, {far}, {.CopyJoinFirstFileChk = false}, host_), 0);
  EXPECT_EQ(ReadAll(a), before);
  EXPECT_TRUE(host_.SaidTimed("Join not written, first file unchanged: no file could be appended"));
}

TEST_F(FileUtils, JoinWritesNothingWhenTheDiskLacksRoom) {
  const std::string a = Make("a.ZV1", 66491000, 5);
  const std::string b = Make("b.ZV1", 66491000 + 300 * 1440, 2);  // 300 days on: 6.9 MB of gap minutes
  const auto before = ReadAll(a);
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(JoinZV1Files(slots_, {b}, {.CopyJoinFirstFileChk = false, .FreeBytesOverride = 5'000'000}, host_),
            0);
  EXPECT_TRUE(host_.SaidTimed("Join not written, first file unchanged: Not enough free space for " + a +
                              ": 7 MB needed, 5 MB free"));
  EXPECT_EQ(ReadAll(a), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator{}), 2)
      << "no temporary file";
}

TEST_F(FileUtils, CropRefusesAFileWithUntrustworthyHeaderMinutes) {
  const std::string top = dir_.File("top.ZV1");
  ASSERT_TRUE(testing::WriteDataFile(top, testing::MakeHeader(0x7FFFFFF0, 0x7FFFFFFF),
                                     testing::RegularMinutes(3, 1)));
  const std::string wide = Make("wide.ZV1", 66491000, 10);
  ASSERT_TRUE(Open(wide, 1));
  const CropOutcome r = MakeCroppedCopies(slots_, {top}, host_);
  EXPECT_EQ(r.copied, 0);
  EXPECT_EQ(r.failed, 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator{}), 2)
      << "no copy made";
}

TEST_F(FileUtils, PeriodCopyCutsTheSelectedMinutes) {
  const std::string a = Make("a.ZV1", 66491000, 10);
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(PeriodCopyName(a, 3), dir_.File("a PART 3.ZV1"));
  const std::string out = dir_.File("cut.ZV1");
  EXPECT_EQ(CopySelectedPeriod(slots_, 66491003, 66491005, out, host_), 1);
  EXPECT_EQ(Records(out), 3 * (1 + kGroupsPerMinute) + 1);
  EXPECT_EQ(HeaderInt(out, hdr::kFirstLoggedMin), 66491003);
  EXPECT_EQ(HeaderInt(out, hdr::kStoredLastProcessMin), 66491005);
  EXPECT_EQ(HeaderInt(out, hdr::kMarker1), 0);
  // The copy's first minute holds the source's fourth minute (light levels count the minutes).
  EXPECT_EQ(ReadAll(out)[kHeaderBytes + 6],
            ReadAll(a)[kHeaderBytes + 3 * (1 + kGroupsPerMinute) * kRecordBytes + 6]);
  // Up to the last minute the end record closes the copy once.
  EXPECT_EQ(CopySelectedPeriod(slots_, 66491008, 66491009, dir_.File("tail.ZV1"), host_), 1);
  EXPECT_EQ(Records(dir_.File("tail.ZV1")), 2 * (1 + kGroupsPerMinute) + 1);
}

TEST_F(FileUtils, PeriodCopyOutsideTheFileOrOntoItselfWritesNothing) {
  const std::string a = Make("a.ZV1", 66491000, 10);
  ASSERT_TRUE(Open(a, 1));
  EXPECT_EQ(CopySelectedPeriod(slots_, 66490995, 66491002, dir_.File("x.ZV1"), host_), 0);
  EXPECT_TRUE(host_.SaidTimed("a.ZV1 does not hold the whole selected period; no copy made"));
  EXPECT_EQ(CopySelectedPeriod(slots_, 66491001, 66491002, a, host_), 0);
  EXPECT_FALSE(Exists("x.ZV1"));
  EXPECT_EQ(Records(a), 10 * (1 + kGroupsPerMinute) + 1);
  // A target that cannot be written: a clear message and no file.
  EXPECT_EQ(CopySelectedPeriod(slots_, 66491001, 66491002, "/nonexistent_zorvel_dir/x.ZV1", host_), 0);
  EXPECT_TRUE(host_.SaidTimed("Failed to write to copy file "));
}

TEST_F(FileUtils, CroppedCopiesFollowFileOnesSpan) {
  const std::string target = Make("target.ZV3", 66491002, 3);  // 66491002 … 66491004
  const std::string wide = Make("wide.ZV1", 66491000, 10);
  const std::string late = Make("late.ZV1", 66491003, 5);
  ASSERT_TRUE(Open(target, 1));
  const CropOutcome r = MakeCroppedCopies(slots_, {wide, late, dir_.File("missing.ZV1")}, host_);
  EXPECT_EQ(r.copied, 1);
  EXPECT_EQ(r.failed, 2);
  EXPECT_EQ(HeaderInt(dir_.File("wide PART 3.ZV1"), hdr::kFirstLoggedMin), 66491002);
  const auto memo = host_.Lines(Memo::DataMemo);
  EXPECT_NE(std::find(memo.begin(), memo.end(), "late.ZV1starts later or ends earlier than target time span"),
            memo.end());
  EXPECT_NE(std::find(memo.begin(), memo.end(), "ERROR\t\t" + dir_.File("missing.ZV1")), memo.end());
  EXPECT_TRUE(host_.SaidTimed("Batch copy completed"));
  EXPECT_TRUE(host_.SaidTimed("BUT .....  some Files could not be processed"));
}

TEST_F(FileUtils, DeploymentTextsGoIntoEveryOpenHeader) {
  const std::string a = Make("a.ZV1", 1000, 1);
  const std::string b = Make("b.ZV2", 1000, 1);
  DeploymentTexts t{"51.5N", "0.12W", "hedge by the pond", "+1",
                    "A location name longer than thirty-two chars"};
  EXPECT_EQ(CopyTextToOpenFiles(slots_, t, host_), 0);
  EXPECT_TRUE(host_.SaidTimed("Text changes must be made on File1"));
  ASSERT_TRUE(Open(a, 1));
  ASSERT_TRUE(Open(b, 4));
  EXPECT_EQ(CopyTextToOpenFiles(slots_, t, host_), 2);
  for (const auto& path : {a, b}) {
    const auto h = ReadAll(path);
    EXPECT_EQ(std::string(h.begin() + 192, h.begin() + 197), "51.5N");
    EXPECT_EQ(h[197], 0);
    EXPECT_EQ(std::string(h.begin() + 216, h.begin() + 233), "hedge by the pond");
    EXPECT_EQ(std::string(h.begin() + 280, h.begin() + 282), "+1");
    EXPECT_EQ(std::string(h.begin() + 283, h.begin() + 315), "A location name longer than thir");
    EXPECT_EQ(Be32(&h[hdr::kFirstLoggedMin]), 1000) << "bytes outside the text fields are kept";
  }
}

}  // namespace
}  // namespace zorvel::fileutils
