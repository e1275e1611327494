#include <gtest/gtest.h>

#include "core/Bytes.h"
#include "core/Header.h"
#include "core/SlotFiles.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel {
namespace {

using testing::MakeHeader;

TEST(HeaderDecoding, MinuteFieldsAreClamped) {
  HeaderBytes h = MakeHeader(0, 0);
  PutBe32(&h[hdr::kGoToMin], 999);
  PutBe32(&h[hdr::kStoredFirstProcessMin], -7);
  PutBe32(&h[hdr::kStoredLastProcessMin], 5000);
  TFileRec s;
  const HeaderRaw raw = DecodeHeader(h.data(), h.size(), s);
  EXPECT_EQ(raw.FirstLoggedMin, 0);
  EXPECT_EQ(s.FirstLoggedMin, 1);
  EXPECT_EQ(s.LastLoggedMin, 1);
  EXPECT_EQ(s.GoToMin, 1);
  EXPECT_EQ(s.StoredFirstProcessMin, 1);
  EXPECT_EQ(s.StoredLastProcessMin, 1);

  h = MakeHeader(1000, 900);  // last before first
  DecodeHeader(h.data(), h.size(), s);
  EXPECT_EQ(s.LastLoggedMin, 1000);
}

TEST(HeaderDecoding, FieldsAndDerivedFlags) {
  HeaderBytes h = MakeHeader(100, 200);
  h[hdr::kIdentity] = 12;
  h[hdr::kIdentity + 1] = 34;
  h[hdr::kIdentity + 2] = 56;
  PutBe16(&h[hdr::kDateOfManufacture], 45000);  // 15 March 2023
  h[hdr::kIPIbelowVal] = 0;
  h[hdr::kPICVersion] = 3;
  h[hdr::kPICVersion + 1] = 14;
  h[hdr::kFPGAVersion] = 3;
  h[hdr::kMainBoardVersion] = 9;
  h[hdr::kDataFormatVersion] = 101;
  h[hdr::kHiPassFilter] = 1;
  h[hdr::kUplifts] = 0b11100100;
  h[hdr::kMonthsOFF] = ':';
  h[hdr::kMonthsOFF + 1] = ';';
  const std::string notes = "Hedge\x01 by\x7F pond";
  std::copy(notes.begin(), notes.end(), h.begin() + hdr::kNotesText);
  TFileRec s;
  s.FileType = ftZV1;
  DecodeHeader(h.data(), h.size(), s);
  EXPECT_EQ(s.ZorvelID, 123456);
  EXPECT_EQ(s.ZorvelIDstr, "123456");
  EXPECT_EQ(s.DateOfManufacture, "15 3 2023");
  EXPECT_EQ(s.IPIbelowVal, 1);
  EXPECT_EQ(s.PICcodeVersionStr, "3.14");
  EXPECT_TRUE(s.HasExtendedAmps);
  EXPECT_TRUE(s.HasExtendedIPIs);
  EXPECT_EQ(s.HiPassFilterStr, "40kHz");
  EXPECT_EQ(s.Over160kUplift, 3);
  EXPECT_EQ(s.Under160kUplift, 2);
  EXPECT_EQ(s.Under80kUplift, 1);
  EXPECT_EQ(s.Under40kUplift, 0);
  EXPECT_EQ(s.MonthsOFF, 0);
  EXPECT_EQ(s.NotesText, "Hedge by pond");

  h[hdr::kMonthsOFF] = 1;
  h[hdr::kMonthsOFF + 1] = 2;
  h[hdr::kMainBoardVersion] = 10;
  DecodeHeader(h.data(), h.size(), s);
  EXPECT_EQ(s.MonthsOFF, 258);
  EXPECT_FALSE(s.HasExtendedAmps);
}

TEST(HeaderDecoding, ClassifierNameOnlyFromZV2) {
  HeaderBytes h = MakeHeader(100, 200);
  PutHeaderText(h, hdr::kSpClassifierName, hdr::kClassifierLen, "British0");
  TFileRec s;
  s.FileType = ftZV3;
  DecodeHeader(h.data(), h.size(), s);
  EXPECT_EQ(s.SpClassifierName, "");
  s.FileType = ftZV2;
  DecodeHeader(h.data(), h.size(), s);
  EXPECT_EQ(s.SpClassifierName.substr(0, 8), "British0");
}

TEST(HeaderDecoding, ShortBlockReadsMissingBytesAsZero) {
  HeaderBytes h = MakeHeader(100, 200);
  TFileRec s;
  DecodeHeader(h.data(), 258, s);  // cut inside FirstLoggedMin
  EXPECT_EQ(s.FirstLoggedMin, 1);
}

TEST(HeaderWrites, SaveEndpointsAndTimePointTouchOnlyTheirBytes) {
  testing::TempDir dir("hdrwrite");
  const std::string path = dir.File("a.ZV1");
  ASSERT_TRUE(testing::WriteDataFile(path, MakeHeader(1000, 1009), testing::RegularMinutes(10, 3)));
  const auto before = testing::ReadAll(path);
  FileSlots slots;
  testing::RecordingHost host;
  ASSERT_TRUE(OpenFileInSlot(slots, path, 1, host, {}).opened);

  SaveEndpoints(slots, std::nullopt, host);
  EXPECT_TRUE(host.SaidTimed("No time selection exists at present"));
  SaveEndpoints(slots, std::make_pair(999, 1005), host);
  EXPECT_TRUE(host.SaidTimed("Time range goes beyond time limits of this file. \r\nNo change made."));
  SaveEndpoints(slots, std::make_pair(1002, 1005), host);
  EXPECT_FALSE(SaveTimePoint(slots, 0, TRecTime{1003, 77}, host));
  EXPECT_TRUE(host.SaidTimed("No file selected for action.  Right click in file area and select for action"));
  EXPECT_TRUE(SaveTimePoint(slots, 1, TRecTime{1003, 77}, host));
  CloseAllSlots(slots);

  const auto after = testing::ReadAll(path);
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < after.size(); ++i) {
    const bool inField = (i >= 264 && i < 280);
    if (!inField) {
      ASSERT_EQ(before[i], after[i]) << "byte " << i;
    }
  }
  EXPECT_EQ(Be32(&after[hdr::kStoredFirstProcessMin]), 1002);
  EXPECT_EQ(Be32(&after[hdr::kStoredLastProcessMin]), 1005);
  EXPECT_EQ(Be32(&after[hdr::kGoToMin]), 1003);
  EXPECT_EQ(Be32(&after[hdr::kGoToFiveMusec]), 77);
}

}  // namespace
}  // namespace zorvel
