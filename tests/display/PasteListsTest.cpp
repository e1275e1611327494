// The clipboard lists the painter fills: a header once, then one line per wave group (raw) or
// per call (calls) of the flagged file that the screen shows, and nothing of other files.
#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>

#include "display/DisplayFixture.h"
#include "display/TimeMath.h"

namespace zorvel {
namespace {

using testing::DisplayFixture;
using testing::MinuteOf;
using testing::WaveGroup;

constexpr char kRawHeader[] =
    "file\tMin\t5uS\tavF\tSPL\tScore\tAMP1\tAMP2\tAMP3\tAMP4\tAMP5\tAMP6\tAMP7\tAMP8\tIPI1\tIPI2\tIPI3\tIPI4"
    "\tIPI5\t"
    "IPI6\tIPI7\tIPI8";
constexpr char kCallHeaderFields[] =
    "Min\t5uS\tCallN\tCall type\tSp1\tSp2\tSp3\tBuzz\tReverb\tDuration\tSeq\tNwave "
    "groups\tavScore\tFmin\tFmax\t"
    "Fstart\tFend\tFrange\tModalKHZ\tMedianKHZ\tFav\tFbodyHi\tFbodyLo\tMinSlopeKHZ\tUpBend@"
    "\tUpSharp\tDownBend@\t"
    "DownSharp\tFlat1Khz\tFlat1Score\tFlat2Khz\tFlat2Score\tAmpAv";

QStringList Split(const std::string& line) {
  return QString::fromStdString(line).split(QLatin1Char('\t'));
}

// A call's records and its wave groups, 40 ticks apart.
std::vector<Record> Call(const tCall& c, int octets, uint8_t ipi = 80) {
  std::vector<Record> out;
  for (const Record& r : EncodeCall(c)) out.push_back(r);
  for (int k = 0; k < octets; ++k)
    out.push_back(EncodeZV2WaveGroup(c.StartTime + 40 * k, {90, 90, 90, 90}, {ipi, ipi, ipi, ipi}, false,
                                     false, c.Number, tfNotFeature, 20));
  return out;
}

tCall CallOf(int number, int32_t start) {
  tCall c;
  c.Number = number;
  c.StartTime = start;
  c.CallType = tcFM;
  c.Fmin = 40;
  c.Fmax = 80;
  c.Fstart = 78;
  c.Fend = 41;
  c.MinSlopeKHZ = 45;
  c.Duration100Musecs = 25;  // below 32: stored exactly
  c.nSelOctInCall = 3;
  c.SpN = 3;
  c.AmpAv = 20;
  return c;
}

class PasteListsTest : public DisplayFixture {};

TEST_F(PasteListsTest, RawListHasTheHeaderOnceAndALinePerDrawnWaveGroupOfTheFlaggedFile) {
  // Three wave groups on screen (level 7 shows 4.5 s) and one 50 s later, off it.
  std::vector<Record> rs{WaveGroup(1000, 100, 50, 20), WaveGroup(2000, 120, 50, 21),
                         WaveGroup(3000, 80, 50, 22), WaveGroup(10'000'000)};
  const int raw = Open("raw.ZV1", {MinuteOf(rs)});
  Open("other.ZV1", {MinuteOf(rs)});
  fileSlots[raw].PasteRaw = true;
  Layout(7);
  ASSERT_TRUE(nav.ShowFromStart());
  const std::vector<std::string>& lines = painter.Paste().Lines();
  ASSERT_EQ(lines.size(), 4u) << "the header and the three wave groups on screen, none of the other file";
  EXPECT_EQ(lines[0], kRawHeader);
  const int ipis[] = {100, 120, 80};
  const int avF[] = {39, 33, 49};  // 32000 over the IPI sum, which the reader starts at 4
  for (int i = 0; i < 3; ++i) {
    const QStringList f = Split(lines[static_cast<size_t>(i + 1)]);
    ASSERT_EQ(f.size(), Split(kRawHeader).size());
    EXPECT_EQ(f[0], QStringLiteral("raw.ZV1"));
    EXPECT_EQ(f[1].toInt(), testing::kFirstMin);
    EXPECT_EQ(f[2].toInt(), 1000 * (i + 1));
    EXPECT_EQ(f[3].toInt(), avF[i]);
    EXPECT_EQ(f[5].toInt(), 20 + i) << "score";
    for (int w = 0; w < 8; ++w) {
      EXPECT_EQ(f[6 + w].toInt(), 50) << "amplitude " << w;
      EXPECT_EQ(f[14 + w].toInt(), ipis[i]) << "IPI " << w;
    }
  }
  // A further draw adds to the list without a second header; only the caller clears it.
  nav.Refresh(false);
  EXPECT_EQ(lines.size(), 7u);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(kRawHeader)), 1);
  // The clipboard text: lines joined by CR LF, with no line end after the last.
  const std::string text = painter.Paste().Text();
  EXPECT_TRUE(text.starts_with(std::string(kRawHeader) + "\r\n"));
  EXPECT_FALSE(text.ends_with("\n"));
  EXPECT_EQ(QString::fromStdString(text).count(QStringLiteral("\r\n")), 6);
}

TEST_F(PasteListsTest, CallListHasALinePerCallWithItsFieldsInHeaderOrder) {
  tCall first = CallOf(1, 200'000);
  first.BuzzCall = true;
  first.Seq = 0;
  tCall second = CallOf(2, 600'000);
  second.Reverb = true;
  second.Sp2N = 5;
  second.Sp3N = 40;  // beyond the classifier's names
  second.CallType = tcCF;
  second.Duration100Musecs = 30;
  tCall offScreen = CallOf(3, 6'000'000);
  std::vector<Record> rs = Call(first, 3);
  for (const tCall& c : {second, offScreen})
    for (const Record& r : Call(c, 3)) rs.push_back(r);
  const int slot = Open("calls.ZV2", {MinuteOf(rs)});
  TFileRec& s = fileSlots[slot];
  s.MaxSpClassN = 15;
  s.SpNames[3] = "CmnPip";
  s.SpNames[5] = "NatPip";
  s.PasteCalls = true;
  Layout(7);
  ASSERT_TRUE(nav.ShowFromStart());
  const std::vector<std::string>& lines = painter.Paste().Lines();
  ASSERT_EQ(lines.size(), 3u) << "the header and the two calls on screen";
  EXPECT_EQ(lines[0], std::string("file\tcalls.ZV2\t") + kCallHeaderFields);
  QStringList a = Split(lines[1]);
  const QStringList b = Split(lines[2]);
  ASSERT_EQ(a.size(), Split(lines[0]).size()) << "every field under its header";
  ASSERT_EQ(b.size(), a.size());
  // The location as the header holds it (this one is padded with blanks).
  EXPECT_EQ(a[1].trimmed(), QStringLiteral("Display meadow"));
  a.removeAt(1);
  EXPECT_EQ(a.mid(0, 11),
            (QStringList{"calls.ZV2", QString::fromStdString(MinuteAloneText(testing::kFirstMin)), "200000",
                         "1", "tcFM", "CmnPip", "", "", "True", "False", "2.5"}));
  EXPECT_EQ(b.mid(3, 9),
            (QStringList{"600000", "2", "tcCF", "CmnPip", "NatPip", "Sp40", "False", "True", "3.0"}));
  // Nwave groups, then the frequencies: Fmin, Fmax, Fstart, Fend, Frange.
  EXPECT_EQ(b[13], QStringLiteral("3"));
  EXPECT_EQ(b.mid(15, 5), (QStringList{"40", "80", "78", "41", "40"}));
  EXPECT_EQ(b[25], QStringLiteral("45")) << "MinSlopeKHZ";
  EXPECT_EQ(b.last(), QStringLiteral("20")) << "AmpAv";
}

TEST_F(PasteListsTest, ACallBegunBeforeTheScreenStartStillGetsItsLine) {
  tCall c = CallOf(9, 100'000);
  const int slot = Open("mid.ZV2", {MinuteOf(Call(c, 6))});
  fileSlots[slot].PasteCalls = true;
  Layout(2);
  // Positioned after the call's records, among its wave groups.
  nav.PositionAll({testing::kFirstMin, 100'090});
  view.RequestedStart = {testing::kFirstMin, 100'090};
  nav.DrawHigh();
  const std::vector<std::string>& lines = painter.Paste().Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Split(lines[1])[4], QStringLiteral("9"));
}

}  // namespace
}  // namespace zorvel
