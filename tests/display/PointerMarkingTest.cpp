#include <gtest/gtest.h>

#include "core/CallRecords.h"
#include "core/SlotFiles.h"
#include "display/PointerMarking.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel {
namespace {

tCall CallAt(int32_t start, bool marked = false, bool buzz = false) {
  tCall c = testing::AcceptedCall(start);
  c.Marked = marked;
  c.BuzzCall = buzz;
  return c;
}

class MarkBeforePointer : public ::testing::Test {
 protected:
  // One minute with calls at 1 s, 3 s (already marked, with its buzz bit) and 6 s; the next
  // minute has a call at 2 s.
  std::string MakeFile() {
    std::vector<testing::SyntheticMinute> ms(2);
    for (const tCall& c : {CallAt(200'000), CallAt(600'000, true, true), CallAt(1'200'000)})
      for (const Record& r : EncodeCall(c)) ms[0].records.push_back(r);
    for (const Record& r : EncodeCall(CallAt(400'000))) ms[1].records.push_back(r);
    const std::string path = dir.File("marks.ZV2");
    EXPECT_TRUE(testing::WriteDataFile(path, testing::MakeHeader(100, 101), ms));
    EXPECT_TRUE(OpenFileInSlot(slots, path, 1, host, {}).opened);
    return path;
  }
  // Byte offsets that differ, each checked to be bit 0 of byte 6 of a C record.
  std::vector<size_t> Changed(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after) {
    std::vector<size_t> out;
    EXPECT_EQ(before.size(), after.size());
    for (size_t i = 0; i < std::min(before.size(), after.size()); ++i)
      if (before[i] != after[i]) {
        out.push_back(i);
        EXPECT_EQ(before[i] ^ after[i], kFlagMarked) << i;
        EXPECT_EQ(after[i - kFlagsByte], kIdCallC) << i;
      }
    return out;
  }
  bool Run(TRecTime from, TRecTime to, bool mark) {
    const bool ok = MarkCallsBeforePointer(slots, 1, from, to, ReaderContext{host}, mark);
    return ok;
  }
  testing::TempDir dir{"pointer-marks"};
  testing::RecordingHost host;
  FileSlots slots;
};

TEST_F(MarkBeforePointer, MarksOnlyCallsBetweenScreenStartAndPointer) {
  const std::string path = MakeFile();
  const auto before = testing::ReadAll(path);
  // From the screen start at 0.5 s to the pointer at 4 s: the calls at 1 s and 3 s; the second
  // is marked already.
  ASSERT_TRUE(Run({100, 100'000}, {100, 800'000}, true));
  CloseAllSlots(slots);
  const auto marked = testing::ReadAll(path);
  EXPECT_EQ(Changed(before, marked).size(), 1u);

  // Unmarking the whole first minute clears both marks and keeps the buzz bit.
  ASSERT_TRUE(OpenFileInSlot(slots, path, 1, host, {}).opened);
  ASSERT_TRUE(Run({100, 0}, {101, 0}, false));
  CloseAllSlots(slots);
  const auto cleared = testing::ReadAll(path);
  const auto changed = Changed(before, cleared);
  ASSERT_EQ(changed.size(), 1u) << "only the call that was marked at the start";
  EXPECT_TRUE(cleared[changed[0]] & kFlagBuzzCall);
}

TEST_F(MarkBeforePointer, TheFirstCallOnScreenCountsAndNothingPastThePointer) {
  const std::string path = MakeFile();
  const auto before = testing::ReadAll(path);
  // The screen starts exactly on the first call; the pointer is exactly on the third.
  ASSERT_TRUE(Run({100, 200'000}, {100, 1'200'000}, true));
  CloseAllSlots(slots);
  EXPECT_EQ(Changed(before, testing::ReadAll(path)).size(), 1u);
}

TEST_F(MarkBeforePointer, NoFileNoChange) {
  EXPECT_FALSE(Run({100, 0}, {101, 0}, true));
}

// A file that could only be opened for reading keeps every byte, and the user is told the marks
// were not stored.
TEST_F(MarkBeforePointer, ReadOnlyFileIsLeftAlone) {
  const std::string path = MakeFile();
  slots[1].ReadOnly = true;
  const auto before = testing::ReadAll(path);
  EXPECT_FALSE(Run({100, 0}, {101, 800'000}, true));
  EXPECT_FALSE(Run({100, 0}, {101, 800'000}, false));
  EXPECT_EQ(testing::ReadAll(path), before);
  ASSERT_EQ(host.timed.size(), 2u);
  EXPECT_EQ(host.timed[0].text, "Writeback failed");
}

}  // namespace
}  // namespace zorvel
