#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "core/TimeBase.h"
#include "sound/WaveCollector.h"
#include "support/Synthetic.h"
#include "ui/ClickLabel.h"
#include "ui/SoundPlayer.h"
#include "ui/DisplayControl.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/FilesPage.h"
#include "ui/pages/SoundBar.h"

namespace zorvel::ui::test {
namespace {

constexpr int32_t kMinute = 46'000 * 1440 + 600;

// One minute with two calls of three wave groups each, 0.4 s apart.
std::vector<zorvel::testing::SyntheticMinute> TwoCalls() {
  std::vector<zorvel::testing::SyntheticMinute> ms(1);
  ms[0].values.MinON = true;
  int number = 1;
  for (int32_t start : {100'000, 180'000}) {
    tCall c;
    c.StartTime = start;
    c.Number = number;
    c.nSelOctInCall = 3;
    c.AmpAv = 100;  // loud and sure enough for the window's filters
    c.SpConfidence = 5;
    const auto call = EncodeCall(c);
    ms[0].records.insert(ms[0].records.end(), call.begin(), call.end());
    for (int32_t k = 0; k < 3; ++k)
      ms[0].records.push_back(EncodeZV2WaveGroup(start + 60 * k, {60, 60, 60, 60}, {40, 40, 40, 40}, false,
                                                 false, number, tfNotFeature, 12));
    ++number;
  }
  return ms;
}

class SoundTest : public ::testing::Test {
 protected:
  SoundTest() : window(Options()) {}
  StartupOptions Options() {
    StartupOptions o = rec.Options();
    o.checkScreenHeight = false;
    o.hooks.playSound = [this](const std::vector<int16_t>& samples, int rate) {
      chunks.push_back(samples);
      rates.push_back(rate);
      if (stopAfterFirst) QTest::mouseClick(window.StopShowBtn, Qt::LeftButton);
    };
    o.hooks.saveFile = [this](const QString& title, const QString& proposed, const QString&) {
      rec.saveTitle = title;
      proposedSave = proposed;
      return rec.savePath;
    };
    return o;
  }
  QString Make(const QString& name, const std::vector<zorvel::testing::SyntheticMinute>& minutes) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(zorvel::testing::WriteDataFile(path.toStdString(),
                                               zorvel::testing::MakeHeader(kMinute, kMinute), minutes));
    return path;
  }
  void Period(const QString& from, const QString& to) {
    const CivilDateTime t = DateTimeOfMinute(kMinute);
    const QString day =
        QString::asprintf("%04d-%02d-%02d %02d:%02d:", t.year, t.month, t.day, t.hour, t.minute);
    window.Files->PeriodFromEdit->setText(day + from);
    window.Files->PeriodToEdit->setText(day + to);
  }

  QTemporaryDir dir;
  Recorder rec;
  std::vector<std::vector<int16_t>> chunks;
  std::vector<int> rates;
  bool stopAfterFirst = false;
  QString proposedSave;
  TB window;
};

TEST_F(SoundTest, PitchAndStretchLabelsCycle) {
  SoundBar& s = *window.Sound;
  EXPECT_EQ(s.PitchLbl->text(), QStringLiteral("pitch  1"));
  EXPECT_EQ(s.lengthLbl->text(), QStringLiteral("stretch 4"));
  for (int i = 0; i < 7; ++i) QTest::mouseClick(s.PitchLbl, Qt::LeftButton);
  EXPECT_EQ(s.PitchLbl->text(), QStringLiteral("pitch  8"));
  QTest::mouseClick(s.PitchLbl, Qt::LeftButton);
  EXPECT_EQ(s.PitchLbl->text(), QStringLiteral("pitch  1"));
  QTest::mouseClick(s.lengthLbl, Qt::LeftButton);
  EXPECT_EQ(s.lengthLbl->text(), QStringLiteral("stretch 1"));
  EXPECT_EQ(s.Stretch(), 1);
}

TEST_F(SoundTest, LivePlayNeedsAZv2FileAndPlaysEachCallAsAChunk) {
  QTest::mouseClick(window.Sound->PlaySoundsBtn, Qt::LeftButton);
  EXPECT_TRUE(
      rec.TimedContains(QStringLiteral("No ZV2 file selected for action. Use right-click menu in display "
                                       "area to select file for sound replay")));

  window.OpenUnrelatedFiles(
      {Make(QStringLiteral("a.ZV1"), TwoCalls()), Make(QStringLiteral("a.ZV2"), TwoCalls())});
  ASSERT_EQ(window.Slots().OpenCount(), 2);
  Period(QStringLiteral("00"), QStringLiteral("01"));
  QTest::mouseClick(window.Sound->PlaySoundsBtn, Qt::LeftButton);
  // The calls are 80,000 ticks apart: far more than the 800 that end a chunk.
  ASSERT_EQ(chunks.size(), 2u);
  EXPECT_EQ(rates, std::vector<int>({44'100, 44'100}));
  for (const auto& c : chunks) {
    ASSERT_FALSE(c.empty());
    EXPECT_TRUE(std::any_of(c.begin(), c.end(), [](int16_t v) { return v != 0; }));
  }
  EXPECT_EQ(window.Sound->PlaySoundsBtn->text(), QStringLiteral("play"));
  EXPECT_FALSE(window.LivePlayOn());

  // Stop during the first chunk: the second is never played.
  chunks.clear();
  stopAfterFirst = true;
  QTest::mouseClick(window.Sound->PlaySoundsBtn, Qt::LeftButton);
  EXPECT_EQ(chunks.size(), 1u);
  EXPECT_EQ(window.Sound->PlaySoundsBtn->text(), QStringLiteral("play"));
}

TEST_F(SoundTest, ScreenSavedAsA500kHzWavWithTheDefaultName) {
  QTest::mouseClick(window.Sound->CreateWavFileBtn, Qt::LeftButton);
  EXPECT_TRUE(rec.TimedContains(
      QStringLiteral("No file selected for action.  Right click in file area and select for action")));

  window.OpenUnrelatedFiles({Make(QStringLiteral("w.ZV2"), TwoCalls())});
  Period(QStringLiteral("00.4"), QStringLiteral("01"));
  rec.savePath = dir.filePath(QStringLiteral("screen.wav"));
  QTest::mouseClick(window.Sound->CreateWavFileBtn, Qt::LeftButton);
  EXPECT_EQ(rec.saveTitle, QStringLiteral("Save Zorvel data file to PC as *.ZV1 file "));
  EXPECT_EQ(
      proposedSave,
      QDir(dir.path()).filePath(QString::fromStdString(sound::DefaultReconstructionName(kMinute, 80'000))));
  QFile wav(rec.savePath);
  ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
  const QByteArray bytes = wav.readAll();
  ASSERT_GT(bytes.size(), 44);
  auto u32 = [&bytes](int at) {
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.constData()) + at;
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
  };
  EXPECT_EQ(bytes.left(4), QByteArray("RIFF"));
  EXPECT_EQ(u32(4), static_cast<uint32_t>(bytes.size() - 8));
  EXPECT_EQ(u32(24), 500'000u);
  EXPECT_EQ(u32(40), static_cast<uint32_t>(bytes.size() - 44));

  // Cancelled: nothing written.
  rec.savePath.clear();
  QFile::remove(dir.filePath(QStringLiteral("screen.wav")));
  QTest::mouseClick(window.Sound->CreateWavFileBtn, Qt::LeftButton);
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("screen.wav"))));
}

TEST_F(SoundTest, WithNoPeriodTypedTheHighResolutionScreenIsUsed) {
  window.OpenUnrelatedFiles({Make(QStringLiteral("s.ZV2"), TwoCalls())});
  window.resize(1000, 700);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // A screen ending just after second 2 of the minute, so it does not start at the file's start.
  const CivilDateTime t = DateTimeOfMinute(kMinute);
  const std::string at = QString::asprintf("%02d/%02d/%04d %02d:%02d:02", t.day, t.month, t.year, t.hour, t.minute)
                             .toStdString();
  ASSERT_TRUE(window.Screen().ShowLevelAt(5, at));
  ASSERT_TRUE(window.Screen().View().HighRes());
  const TRecTime start = window.Screen().View().ScreenStart();
  ASSERT_NE(start, (TRecTime{kMinute, 0}));
  rec.savePath = dir.filePath(QStringLiteral("onscreen.wav"));
  QTest::mouseClick(window.Sound->CreateWavFileBtn, Qt::LeftButton);
  EXPECT_EQ(proposedSave, QDir(dir.path()).filePath(QString::fromStdString(
                              sound::DefaultReconstructionName(start.Mn, start.FiveMuSec))));
  EXPECT_TRUE(QFile::exists(rec.savePath));
}

TEST_F(SoundTest, UnreadableOrOverlongPeriodsAreRefused) {
  window.OpenUnrelatedFiles({Make(QStringLiteral("x.ZV2"), TwoCalls())});
  window.Files->PeriodFromEdit->setText(QStringLiteral("noon"));
  QTest::mouseClick(window.Sound->CreateWavFileBtn, Qt::LeftButton);
  EXPECT_TRUE(rec.TimedContains(
      QStringLiteral("The selected period is not readable: type yyyy-mm-dd hh:mm[:ss] in both boxes")));
  window.Files->PeriodFromEdit->setText(QStringLiteral("2026-01-01 00:00"));
  window.Files->PeriodToEdit->setText(QStringLiteral("2026-01-01 00:03"));
  QTest::mouseClick(window.Sound->CreateWavFileBtn, Qt::LeftButton);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("At most 2 minutes can be played or saved at a time")));
  EXPECT_TRUE(rec.saveTitle.isEmpty());
}

// With or without an audio output, a chunk that is told to stop never holds the window.
TEST(SoundPlayer, AStoppedChunkReturnsPromptly) {
  const std::vector<int16_t> tenSeconds(441'000, 1000);
  QElapsedTimer t;
  t.start();
  PlayChunk(tenSeconds, 44'100, [] { return true; });
  EXPECT_LT(t.elapsed(), 3000);
  EXPECT_FALSE(PlayChunk({}, 44'100, nullptr));
}

}  // namespace
}  // namespace zorvel::ui::test
