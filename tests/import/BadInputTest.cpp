// Cards and folders that go wrong: the import says what happened, never leaves a half-made
// ZV1 file that looks complete, and never touches the card.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "core/TimeBase.h"
#include "import/ImportFixture.h"
#include "import/Zv1Header.h"
#include "import/Zv1Reading.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;
using testing::Group;
using testing::Minute;
using testing::WriteLoggerFile;

std::vector<uint8_t> Header(int h, int mi) {
  return testing::LoggerHeader(42, 2026, 7, 14, h, mi);
}

using BadInput = testing::ImportFixture;

TEST_F(BadInput, NoFirstFile) {
  WriteLoggerFile(Sd("0BAT001.NXQ"), Header(21, 5), {Minute()});
  WriteLoggerFile(Sd("ZORVEL1.nxq"), Header(21, 5), {Minute()});
  const ImportResult r = Run();
  EXPECT_FALSE(r.Completed);
  EXPECT_EQ(r.Error,
            "No file with a valid name for the first file in a series exists: the folder " + sd +
                " holds 2 logger file(s), but none is the first file of a series (such as 0BAT000.NXQ or "
                "ZORVEL0.NXQ)");
  EXPECT_TRUE(host.SaidTimed("No file with a valid name for the first file in a series exists"));
  EXPECT_TRUE(r.MadeFiles.empty());
  EXPECT_TRUE(OutFolder().empty());
}

// A card with no logger file on it is said to be empty, whatever else it holds; a folder that
// is not there is told apart from an empty one.
TEST_F(BadInput, EmptyCardIsSaidToHoldNoLoggerFiles) {
  std::ofstream(Sd("notes.txt")) << "deployed at the pond";
  fs::create_directories(Sd("OLD.NXQ"));  // a folder with a logger file's name is not one
  ImportResult r = Run();
  EXPECT_FALSE(r.Completed);
  EXPECT_EQ(r.Error, "No file with a valid name for the first file in a series exists: the folder " + sd +
                         " holds no logger files (no .NXQ file at all)");
  EXPECT_TRUE(r.MadeFiles.empty());
  EXPECT_TRUE(r.FailedFiles.empty());
  EXPECT_TRUE(OutFolder().empty());

  options.SdPath = dir / "no such card";
  r = Run();
  EXPECT_FALSE(r.Completed);
  EXPECT_EQ(r.Error, "No file with a valid name for the first file in a series exists: the folder " +
                         options.SdPath + " does not exist");
  EXPECT_TRUE(OutFolder().empty());
}

TEST_F(BadInput, BlankHeaderMakesNoFileAndEndsTheImport) {
  std::vector<uint8_t> blank(512, 0xFF);
  WriteLoggerFile(Sd("0BAT000.NXQ"), blank, {Minute(), Group(5)});
  host.admin = true;
  const ImportResult r = Run();
  EXPECT_FALSE(r.Completed);
  EXPECT_TRUE(host.SaidTimed("0BAT000.NXQ header blank, no file created"));
  EXPECT_TRUE(host.SaidTimed("Failed to open ZV1 file"));
  EXPECT_TRUE(host.HasLine(Memo::UploadMemo, "\tfailed to open"));
  EXPECT_EQ(r.Error,
            "Failed to open ZV1 file: 0BAT000.NXQ: the logger file's header is blank, no ZV1 file made");
  EXPECT_TRUE(OutFolder().empty());
}

// A second import of the same card into the same folder keeps the first one's files: the new
// files take the next free " partN" name, as a second file of one import would.
TEST_F(BadInput, AnEarlierImportsFilesAreNeverReplaced) {
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(21, 5), {Minute(), Group(1), Minute()});
  const std::string first = Out("Wood 2026 07 14 ZORVEL_0042 file0.ZV1");
  ASSERT_EQ(Run().MadeFiles, std::vector<std::string>{first});
  const auto before = testing::ReadAll(first);
  testing::WriteAll(Out("Wood 2026 07 14 ZORVEL_0042 file0 part2.ZV2"), std::vector<uint8_t>(16, 1));
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(21, 5), {Minute(), Group(2), Group(3), Minute(), Minute()});
  const ImportResult again = Run();
  ASSERT_TRUE(again.Completed);
  // part2 is taken by a ZV2 file of that name (its ZV1 file may have been moved away).
  EXPECT_EQ(again.MadeFiles, std::vector<std::string>{Out("Wood 2026 07 14 ZORVEL_0042 file0 part3.ZV1")});
  EXPECT_EQ(testing::ReadAll(first), before);
}

TEST(ImportTexts, TooLongTextsAreNamedWithTheirLengthAndWidth) {
  DeploymentTexts t{"51.5", "-0.12", std::string(32, 'L'), std::string(40, 'n'), "+1"};
  EXPECT_EQ(TextTooLongMessage(t), "");
  t.Location += "xx";
  EXPECT_EQ(TextTooLongMessage(t), "Location text is 34 characters; the header holds 32");
  t.Lat = "51.12345678901";
  EXPECT_EQ(TextTooLongMessage(t), "Latitude text is 14 characters; the header holds 12");
}

TEST_F(BadInput, UnreadableFileInTheMiddleOfASeries) {
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(21, 5), {Minute(), Group(1), Minute()});
  testing::WriteAll(Sd("0BAT001.NXQ"), std::vector<uint8_t>(300, 0x11));  // cut short: no header even
  WriteLoggerFile(Sd("0BAT002.NXQ"), Header(21, 9), {Minute(), Group(2), Minute()});
  const ImportResult r = Run();
  ASSERT_TRUE(r.Completed);
  // The minutes after the gap keep their true times: the third file starts a file of its own.
  ASSERT_EQ(r.MadeFiles.size(), 2u);
  const auto a = testing::ReadZv1(r.MadeFiles[0]), b = testing::ReadZv1(r.MadeFiles[1]);
  EXPECT_EQ(a.minutes, 2);
  EXPECT_EQ(b.firstLoggedMin, *MinuteNumber(2026, 7, 14, 21, 9));
  EXPECT_EQ(b.minutes, 2);
  EXPECT_EQ(b.waveGroups, 1);
  EXPECT_EQ(fs::path(r.MadeFiles[1]).filename(), "Wood 2026 07 14 ZORVEL_0042 file0 part2.ZV1");
}

TEST_F(BadInput, FileThatCannotBeOpenedIsListedAndSkipped) {
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not stop the superuser";
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(21, 5), {Minute()});
  WriteLoggerFile(Sd("0BAT001.NXQ"), Header(21, 6), {Minute()});
  WriteLoggerFile(Sd("0BAT002.NXQ"), Header(21, 7), {Minute()});
  fs::permissions(Sd("0BAT001.NXQ"), fs::perms::none);
  const ImportResult r = Run();
  fs::permissions(Sd("0BAT001.NXQ"), fs::perms::owner_all);
  EXPECT_TRUE(r.Completed);
  EXPECT_TRUE(host.HasLine(Memo::UploadMemo, "Failed to open 0BAT001.NXQ"));
  EXPECT_EQ(r.MadeFiles.size(), 2u);
}

TEST_F(BadInput, TruncatedFileKeepsItsWholeRecords) {
  std::vector<uint8_t> bytes = Header(21, 5);
  for (const auto& rec : {Minute(), Group(1), Group(2), Minute()})
    bytes.insert(bytes.end(), rec.begin(), rec.end());
  bytes.resize(bytes.size() - 7);  // the last minute record is cut, and there is no end record
  testing::WriteAll(Sd("0BAT000.NXQ"), bytes);
  const ImportResult r = Run();
  ASSERT_TRUE(r.Completed);
  const auto z = testing::ReadZv1(r.MadeFiles.at(0));
  EXPECT_EQ(z.minutes, 1);
  EXPECT_EQ(z.waveGroups, 2);
  EXPECT_EQ(testing::ReadAll(r.MadeFiles[0]).size(), 1024u + 4 * 16);
}

TEST_F(BadInput, RandomBytesNeverCrashAndLeaveOnlyWholeFiles) {
  for (uint64_t seed = 1; seed <= 20; ++seed) {
    std::vector<uint8_t> junk(4096 + seed * 37);
    uint64_t x = seed * 0x9E3779B97F4A7C15ULL;
    for (auto& b : junk) {
      x ^= x << 13, x ^= x >> 7, x ^= x << 17;
      b = static_cast<uint8_t>(x);
    }
    testing::WriteAll(Sd("0BAT000.NXQ"), junk);
    const ImportResult r = Run();
    for (const auto& name : OutFolder()) {
      EXPECT_EQ(name.substr(name.size() - 4), ".ZV1") << "seed " << seed << ": " << name;
      const auto f = testing::ReadAll(Out(name));
      EXPECT_EQ(f.size() % 16, 0u);
      EXPECT_EQ(std::vector<uint8_t>(f.end() - 16, f.end()), std::vector<uint8_t>(16, 0xFF)) << name;
      fs::remove(Out(name));
    }
  }
}

// --- card files that cannot be read (helper "fix") ---
// A card file too short for a logger header, or whose header date is no date a logger can hold,
// is named with the reason; the import reads the rest of the card and does not report success.
TEST_F(BadInput, ShortOrBlankFirstFilesAreNamedAndFailTheImport) {
  for (const size_t size : {0, 1, 100, 500, 511}) {
    SCOPED_TRACE(size);
    testing::WriteAll(Sd("0BAT000.NXQ"), std::vector<uint8_t>(size, 0));
    const ImportResult r = Run();
    EXPECT_TRUE(r.MadeFiles.empty());
    ASSERT_EQ(r.FailedFiles.size(), 1u);
    EXPECT_EQ(r.FailedFiles[0], Sd("0BAT000.NXQ") + ": too short to hold a logger header (" + std::to_string(size) +
                                    " bytes; the header alone is 512)");
  }
  EXPECT_FALSE(host.SaidTimed("SD card reading completed"));
}

TEST_F(BadInput, ImpossibleHeaderDateRefusesTheCardFileAndTheRestIsRead) {
  std::vector<uint8_t> bad = Header(21, 5);
  bad[97] ^= 0x40;  // month 0x07 becomes 0x47: no such month
  WriteLoggerFile(Sd("0BAT000.NXQ"), bad, {Minute(), Group(1), Minute()});
  WriteLoggerFile(Sd("0BAT001.NXQ"), Header(21, 7), {Minute(), Group(2), Minute()});
  const ImportResult r = Run();
  ASSERT_EQ(r.FailedFiles.size(), 1u);
  EXPECT_EQ(r.FailedFiles[0], Sd("0BAT000.NXQ") +
                                  ": its header's start date is not a date from 2000 to 2099; the card file is not read");
  ASSERT_EQ(r.MadeFiles.size(), 1u) << "the next card file starts a file of its own";
  const auto z = testing::ReadZv1(r.MadeFiles[0]);
  EXPECT_EQ(z.firstLoggedMin, *MinuteNumber(2026, 7, 14, 21, 7));
  for (const auto& name : OutFolder()) EXPECT_EQ(name.find("1899"), std::string::npos) << name;
}
// --- end of card files that cannot be read ---

TEST_F(BadInput, OutputFolderThatCannotHoldFiles) {
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(21, 5), {Minute()});
  std::ofstream(dir / "plainfile") << "x";
  options.Zv1Folder = dir / "plainfile";  // a file where a folder should be
  const ImportResult r = Run();
  EXPECT_FALSE(r.Completed);
  const std::string path = (fs::path(options.Zv1Folder) / "Wood 2026 07 14 ZORVEL_0042 file0.ZV1").string();
  EXPECT_TRUE(host.HasLine(Memo::UploadMemo, "Failed to create \t" + path));
  EXPECT_TRUE(host.SaidTimed("Failed to open ZV1 file"));
  EXPECT_EQ(r.Error, "Failed to open ZV1 file: cannot create " + path + ": Not a directory");
  EXPECT_TRUE(r.MadeFiles.empty());
}

// A full disk, played by a limit on the size of files this process may write.
TEST_F(BadInput, FullDiskLeavesNoHalfWrittenFile) {
  std::vector<Record> records;
  for (int m = 0; m < 200; ++m) {
    records.push_back(Minute());
    for (int g = 1; g <= 20; ++g) records.push_back(Group(g * 1000));
  }
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(21, 5), records);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 16 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const ImportResult r = Run();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(r.Completed);
  EXPECT_EQ(r.Error.rfind("Failed to write \t", 0), 0u) << r.Error;
  EXPECT_TRUE(r.MadeFiles.empty());
  EXPECT_TRUE(OutFolder().empty()) << "neither the file nor its temporary copy is left";
}

TEST_F(BadInput, FolderVanishingMidImportLeavesTheFinishedPart) {
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(21, 5), {Minute(), Group(1), Minute()});
  WriteLoggerFile(Sd("0BAT001.NXQ"), Header(21, 7), {Minute(), Group(2)});
  host.onProgress = [this](std::string_view caption) {
    if (caption == "Reading 0BAT000.NXQ") fs::remove_all(sd);  // the card is pulled out
  };
  const ImportResult r = Run();
  ASSERT_EQ(r.MadeFiles.size(), 1u);
  const auto z = testing::ReadZv1(r.MadeFiles[0]);
  EXPECT_EQ(z.minutes, 2);
  EXPECT_EQ(z.waveGroups, 1);
  EXPECT_EQ(OutFolder().size(), 1u);
}

TEST_F(BadInput, StopEndsTheImportBetweenFilesWithAWholeFile) {
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(21, 5), {Minute(), Group(1), Minute()});
  WriteLoggerFile(Sd("0BAT001.NXQ"), Header(21, 7), {Minute(), Group(2)});
  WriteLoggerFile(Sd("1BAT000.NXQ"), Header(22, 0), {Minute()});
  host.stop = true;
  const ImportResult r = Run();
  EXPECT_TRUE(r.Stopped);
  ASSERT_EQ(r.MadeFiles.size(), 1u);
  EXPECT_EQ(testing::ReadZv1(r.MadeFiles[0]).minutes, 2) << "only the first logger file was read";
}

TEST_F(BadInput, SaveDialogAskedOnceAndCancelEndsTheImport) {
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(21, 5), {Minute()});
  WriteLoggerFile(Sd("1BAT000.NXQ"), Header(22, 5), {Minute()});
  options.Zv1FolderChosen = false;
  host.saveAnswer = Out("chosen.ZV1");
  ImportResult r = Run();
  ASSERT_TRUE(r.Completed);
  ASSERT_EQ(host.saveRequests.size(), 1u);
  EXPECT_EQ(host.saveRequests[0].title, "Save Zorvel data file to PC as *.ZV1 file ");
  EXPECT_EQ(host.saveRequests[0].proposedPath, Out("Wood 2026 07 14 ZORVEL_0042 file0.ZV1"));
  EXPECT_EQ(r.MadeFiles,
            (std::vector<std::string>{Out("chosen.ZV1"), Out("Wood 2026 07 14 ZORVEL_0042 file1.ZV1")}));
  EXPECT_EQ(importer.LastZv1Folder(), out);

  host = {};
  host.saveAnswer.reset();
  r = Run();
  EXPECT_FALSE(r.Completed);
  EXPECT_TRUE(host.HasLine(Memo::UploadMemo, "Error\tFailed to select ZV1 file name"));
  EXPECT_TRUE(host.SaidTimed("Failed to open ZV1 file"));
}

}  // namespace
}  // namespace zorvel
