#include <gtest/gtest.h>

#include <filesystem>

#include "Deployment.h"
#include "Golden.h"
#include "core/Header.h"
#include "core/SlotFiles.h"
#include "export/DetailListings.h"
#include "species/BuiltInSpecies.h"
#include "support/RecordingHost.h"

namespace zorvel {
namespace {

using testing::Joined;

class ListingsTest : public ::testing::Test {
 protected:
  testing::TempDir dir{"listings"};
  testing::RecordingHost host;
  FileSlots slots;
  FilterSettings settings;
  SpeciesListModel species;
  ExportFilters filters{settings, species};
  ExportOptions o;

  void SetUp() override { InitSlotSpeciesNames(slots); }

  // A deployment whose header carries logger settings, firmware texts and calibration bytes.
  std::string WriteConfigured(const std::string& name) {
    HeaderBytes h = testing::DeploymentHeader();
    for (int i = 0; i < 50; ++i) h[77 + i] = static_cast<uint8_t>(100 + i);
    h[hdr::kGain] = 3;
    h[hdr::kHiPassFilter] = 0;
    h[hdr::kScoreThreshold] = 9;
    h[hdr::kTriadThreshold] = 11;
    h[hdr::kPenaltyThreshold] = 4;
    h[hdr::kLightSwitchLevel] = 120;
    h[hdr::kBatterySwitchLevel] = 33;
    h[hdr::kMaxFileSizeClass] = 3;
    h[hdr::kMonthsOFF] = 0x08;      // months off, high byte
    h[hdr::kMonthsOFF + 1] = 0x01;  // low byte
    PutHeaderText(h, hdr::kLatText, hdr::kLatLen, "51.5N");
    PutHeaderText(h, hdr::kLongText, hdr::kLongLen, "0.1W");
    PutHeaderText(h, hdr::kGMTText, hdr::kGMTLen, "+01");
    PutHeaderText(h, hdr::kNotesText, hdr::kNotesLen, "by the pond");
    PutHeaderText(h, hdr::kLocationText, hdr::kLocationLen, "Wood");
    const std::string path = dir.File(name);
    EXPECT_TRUE(testing::WriteDataFile(path, h, testing::DeploymentMinutes()));
    return path;
  }
};

TEST_F(ListingsTest, GoldenCallDetailsAndFilters) {
  const std::string a = testing::WriteDeployment(dir, "nightlong.ZV2");
  const std::string junk = dir.File("junk.ZV2");
  testing::WriteAll(junk, {0xFF});
  CallDetailsOutcome out = ExportCallDetails({a, junk}, o, filters, std::nullopt, host);
  ASSERT_TRUE(out.created);
  EXPECT_EQ(out.outputFile, dir.File("nightlong call details.txt"));
  EXPECT_EQ(out.filesRead, 1);
  EXPECT_EQ(out.rows, 6);
  testing::ExpectGolden("call_details.txt", testing::FileText(out.outputFile));
  const auto lines = host.Lines(Memo::DataMemo);
  EXPECT_EQ(lines, (std::vector<std::string>{"Click data exported to:", out.outputFile,
                                             "1 files successfully read of 2 files selected.", "",
                                             "file\tcalls exported", "nightlong.ZV2\t6", "ERROR\t" + junk}));

  // Rejected calls never reach the file; brief names keep six letters.
  std::filesystem::remove(out.outputFile);
  settings.FMchk = false;
  o.WithBriefFileName = true;
  out = ExportCallDetails({a}, o, filters, std::nullopt, host);
  EXPECT_EQ(out.rows, 3);
  const std::string text = testing::FileText(out.outputFile);
  EXPECT_EQ(text.find("\tFM\t"), std::string::npos);
  EXPECT_NE(text.find("\r\nnightl\t5/3/2021 21:42\t"), std::string::npos);
  settings.IgnoreFilters = true;
  EXPECT_EQ(ExportCallDetails({a}, o, filters, std::nullopt, host).rows, 6);

  // The span saved in the file: calls only from minutes 10 … 11.
  o.ExportSavedTime = true;
  ASSERT_TRUE(OpenFileInSlot(slots, a, 1, host, {}).opened);
  SaveEndpoints(slots, std::make_pair(testing::DeploymentStart() + 10, testing::DeploymentStart() + 11),
                host);
  CloseAllSlots(slots);
  EXPECT_EQ(ExportCallDetails({a}, o, filters, std::nullopt, host).rows, 1);
  EXPECT_FALSE(ExportCallDetails({}, o, filters, std::nullopt, host).created);
  EXPECT_TRUE(host.SaidTimed("No files selected"));
}

TEST_F(ListingsTest, CallDetailsOfNoReadableFileWritesNothing) {
  const CallDetailsOutcome out = ExportCallDetails({dir.File("missing.ZV2")}, o, filters, std::nullopt, host);
  EXPECT_FALSE(out.created);
  EXPECT_EQ(out.filesRead, 0);
  EXPECT_FALSE(FileExists(dir.File("missing call details.txt")));
  EXPECT_FALSE(host.SaidTimed("Export Complete"));
  EXPECT_TRUE(host.SaidTimed("No file could be read, so nothing was written to " +
                             dir.File("missing call details.txt")));
  EXPECT_TRUE(host.Lines(Memo::DataMemo).empty());
}

TEST_F(ListingsTest, DirectorySearchFindsZV2FilesInSubFolders) {
  std::filesystem::create_directories(dir.File("d/sub"));
  testing::WriteAll(dir.File("d/sub/x.zv2"), {1});
  testing::WriteAll(dir.File("d/a.ZV2"), {1});
  testing::WriteAll(dir.File("d/a.ZV1"), {1});
  EXPECT_EQ(ZV2FilesUnder(dir.File("d")),
            (std::vector<std::string>{dir.File("d/a.ZV2"), dir.File("d/sub/x.zv2")}));
  EXPECT_TRUE(ZV2FilesUnder(dir.File("none")).empty());
}

TEST_F(ListingsTest, GoldenFileListings) {
  const std::string a = WriteConfigured("night.ZV2");
  const std::string missing = dir.File("gone.ZV2");
  ListCalibration({a}, host);
  ListFileTimes({a}, false, host);
  ListFileTimes({a}, true, host);
  testing::ExpectGolden("file_listings.txt", Joined(host.Lines(Memo::DataMemo)));
  const auto lines = host.Lines(Memo::DataMemo);
  EXPECT_EQ(lines[0], "Values are dB re ref wwww");
  EXPECT_EQ(lines[2].substr(0, 29), "night.ZV2\t10203\t10.0\t3.3\t0.3\t");
  host.lines.clear();
  ListFileTimes({missing, a}, false, host);
  EXPECT_EQ(host.Lines(Memo::DataMemo)[1], "ERROR " + missing);
  EXPECT_EQ(host.Lines(Memo::DataMemo).size(), 3u);

  const auto user = ListBatchSettings({a}, true, host);
  const auto firmware = ListBatchSettings({a}, false, host);
  testing::ExpectGolden("batch_settings.txt", Joined(user) + Joined(firmware));
  EXPECT_EQ(ListBatchSettings({missing}, true, host).back(), "Failed to read " + missing);
  host.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(AskListUserSettings(host));
  EXPECT_TRUE(AskIncludeDeployment(host));
  EXPECT_EQ(host.questions,
            (std::vector<std::string>{"List user settings?\r\n(NO gives firmware information etc)",
                                      "Include deployment information?"}));
}

TEST_F(ListingsTest, OpenFileSettingsSkipARepeatedFile) {
  const std::string a = WriteConfigured("night.ZV2");
  const std::string b = testing::WriteDeployment(dir, "other.ZV2");
  ASSERT_TRUE(OpenFileInSlot(slots, a, 1, host, {}).opened);
  ASSERT_TRUE(OpenFileInSlot(slots, b, 2, host, {}).opened);
  ASSERT_TRUE(OpenFileInSlot(slots, b, 3, host, {}).opened);
  const auto lines = OpenFileSettingsLines(slots);
  ASSERT_EQ(lines.size(), 3u);
  testing::ExpectGolden("open_settings.txt", Joined(lines));
  EXPECT_NE(lines[1].find("\t0,0,0,0,0,0,0,0,0,\t"), std::string::npos);
  EXPECT_NE(lines[1].find("\t3.3\t"), std::string::npos);
  EXPECT_NE(lines[1].find("\t1,12\t1GB"), std::string::npos);
  EXPECT_NE(lines[2].find("\tnone\tUnlimited"), std::string::npos);
}

TEST_F(ListingsTest, MinuteValuesOfTheFileSelectedForAction) {
  const std::string a = testing::WriteDeployment(dir, "night.ZV2");
  EXPECT_FALSE(ListMinuteValues(slots, 0, 0, 0, host).has_value());
  EXPECT_TRUE(host.SaidTimed("No file selected for action"));
  ASSERT_TRUE(OpenFileInSlot(slots, a, 1, host, {}).opened);
  const int32_t s = testing::DeploymentStart();
  std::string caption;
  const auto lines = ListMinuteValues(slots, 0, s + 1, s + 3, host, &caption);
  ASSERT_TRUE(lines.has_value());
  EXPECT_TRUE(host.SaidTimed("No file selected for action. Using File1"));
  EXPECT_EQ(caption, "File1: Light, Temperature, Battery values");
  EXPECT_EQ(*lines,
            (std::vector<std::string>{"File\tMin\tLight\tTemp\tBatused\tBat1v\tBat2v\tBat3v\tBat4v",
                                      "night.ZV2\t5/3/2021 21:41\t195\t31.00000\t2\t5.2\t5.1\t0.0\t4.9",
                                      "night.ZV2\t5/3/2021 21:42\t190\t32.00000\t2\t5.2\t5.1\t0.0\t4.9",
                                      "night.ZV2\t5/3/2021 21:43\t185\t30.00000\t2\t5.2\t5.1\t0.0\t4.9"}));
}

TEST_F(ListingsTest, MicrophoneResponse) {
  EXPECT_FALSE(MicrophoneResponse(slots, {0, 0}, filters, host).has_value());
  EXPECT_TRUE(host.SaidTimed("File 1 must be a ZV1 file"));
  const std::string few = dir.File("few.ZV1");
  ASSERT_TRUE(testing::WriteDataFile(few, testing::MakeHeader(1000, 1001), testing::RegularMinutes(2, 10)));
  ASSERT_TRUE(OpenFileInSlot(slots, few, 1, host, {}).opened);
  EXPECT_FALSE(MicrophoneResponse(slots, {1000, 0}, filters, host).has_value());
  EXPECT_TRUE(host.SaidTimed("Too few waves found"));

  // 600 wave groups at 50 kHz (IPI 80) with amplitude 40 and 600 with score 3 that are left out.
  std::vector<testing::SyntheticMinute> ms(2);
  for (int i = 0; i < 600; ++i) {
    ms[0].records.push_back(testing::WaveGroup(1000 + 100 * i, 80, 40, 20));
    ms[1].records.push_back(testing::WaveGroup(1000 + 100 * i, 80, 90, 3));
  }
  const std::string many = dir.File("many.ZV1");
  ASSERT_TRUE(testing::WriteDataFile(many, testing::MakeHeader(2000, 2001), ms));
  ASSERT_TRUE(OpenFileInSlot(slots, many, 1, host, {}).opened);
  const auto lines = MicrophoneResponse(slots, {2000, 0}, filters, host);
  ASSERT_TRUE(lines.has_value());
  ASSERT_EQ(lines->size(), 41u);
  EXPECT_EQ(lines->front(), "0; \t20kHz");
  EXPECT_EQ((*lines)[6], "40; \t50kHz");
  EXPECT_EQ(lines->back(), "0; \t220kHz");
  EXPECT_TRUE(host.SaidTimed("9600 waves: calibration data now on clipboard"));
  EXPECT_EQ(ClipboardText({"a", "b"}), "a\r\nb\r\n");
}

}  // namespace
}  // namespace zorvel
