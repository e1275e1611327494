#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "recordings/TestWav.h"
#include "sim/Simulator.h"
#include "ui/ClickLabel.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/GetDataPage.h"
#include "ui/pages/SettingsPage.h"

namespace zorvel::ui::test {
namespace {

class GetDataTest : public ::testing::Test {
 protected:
  GetDataTest() : window(rec.Options()) {
    window.show();
    window.SetMenuVisible(true);
    window.ShowPage(QStringLiteral("Get Data"));
  }
  Recorder rec;
  TB window;
};

TEST_F(GetDataTest, PositionEditsAreParsedAsTyped) {
  QTest::keyClicks(window.GetData->LatEdit, QStringLiteral("51 30 N"));
  EXPECT_EQ(window.GetData->LatDecDegLbl->text(), QStringLiteral("51.50000"));
  EXPECT_EQ(window.GetData->LatErrorLbl->text(), QString());
  window.GetData->LatEdit->setText(QStringLiteral("51.5E"));
  EXPECT_EQ(window.GetData->LatDecDegLbl->text(), QString());
  EXPECT_EQ(window.GetData->LatErrorLbl->text(), QStringLiteral("Lat cannot be E"));
  QTest::keyClicks(window.GetData->LongEdit, QStringLiteral("-0.25"));
  EXPECT_EQ(window.GetData->LongDecDegLbl->text(), QStringLiteral("-0.25000"));
  EXPECT_EQ(window.GetData->LatEdit->maxLength(), 12);
  EXPECT_TRUE(window.GetData->ProcessAfterDownload->isChecked());
  EXPECT_TRUE(window.GetData->OpenFileAfterDownload->isChecked());
}

TEST_F(GetDataTest, SizeLimitLabelCyclesBackToThreeGigabytes) {
  window.ShowPage(QStringLiteral("Settings"));
  ClickLabel* label = window.Settings->ZV1sizeLimitLbl;
  const QString start = label->text();
  EXPECT_EQ(start, QStringLiteral("ZV1 file size limit     3GB"));
  QStringList seen;
  for (int i = 0; i < 8; ++i) {
    QTest::mouseClick(label, Qt::LeftButton);
    seen << label->text();
  }
  EXPECT_EQ(seen.back(), start);
  EXPECT_EQ(seen.front(), QStringLiteral("ZV1 file size limit     2GB"));
  EXPECT_EQ(window.Zv1SizeLimitGB(), 3);
}

TEST_F(GetDataTest, CancelledDialogSaysNoFileSelected) {
  rec.toOpen = {};
  QTest::mouseClick(window.GetData->ReadSDBtn, Qt::LeftButton);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("no file selected")));
  EXPECT_FALSE(window.BatchRunning());
}

TEST_F(GetDataTest, ReadsASimulatedCardAndOpensTheFirstFile) {
  QTemporaryDir dir;
  sim::SimOptions o;
  o.outDir = QDir(dir.path()).filePath(QStringLiteral("card")).toStdString();
  o.seed = 7;
  o.activity = 0.3;
  const sim::SimResult card = sim::SimulateCard(o);
  ASSERT_TRUE(card.ok) << card.error;
  const QString out = QDir(dir.path()).filePath(QStringLiteral("out"));
  QDir().mkpath(out);
  rec.toOpen = {QDir(QString::fromStdString(o.outDir)).filePath(QStringLiteral("0BAT000.NXQ"))};
  rec.savePath = QDir(out).filePath(QStringLiteral("ignored.ZV1"));
  window.GetData->LocationEdit->setText(QStringLiteral("Oak wood"));
  QTest::mouseClick(window.GetData->ReadSDBtn, Qt::LeftButton);

  ASSERT_EQ(window.ImportedFiles.size(), 1);
  // The first ZV1 file's name is asked for once; the rest of the import uses its folder.
  EXPECT_EQ(rec.saveTitle, QStringLiteral("Save Zorvel data file to PC as *.ZV1 file "));
  EXPECT_EQ(window.ImportedFiles.front(), rec.savePath);
  EXPECT_FALSE(window.BatchRunning());
  EXPECT_TRUE(window.UploadMemo->toPlainText().contains(QStringLiteral("0BAT000.NXQ")));
  // "process ZV1 files after SD card read" found the calls; "open file after download" opened the set.
  EXPECT_TRUE(window.DataMemo->toPlainText().contains(QStringLiteral("File\tdays\twaves(excBz)\tCalls\tBuzzCalls")));
  ASSERT_EQ(window.Slots().OpenCount(), 2);
  EXPECT_EQ(window.Slots()[2].FileType, ftZV2);
  EXPECT_EQ(window.Slots()[1].FullFileName, window.ImportedFiles.front().toStdString());
  EXPECT_EQ(window.Slots()[1].FirstLoggedMin, card.series[0].startMn);
}

}  // namespace
}  // namespace zorvel::ui::test

namespace zorvel::ui::test {
namespace {

TEST_F(GetDataTest, ReadsRecordingsProcessesThemAndOpensTheFile) {
  QTemporaryDir dir;
  const QString folder = QDir(dir.path()).filePath(QStringLiteral("recs"));
  QDir().mkpath(folder);
  for (const auto& [name, stamp] : {std::pair{"a.wav", "2023-07-14 22:00:10"}, {"b.wav", "2023-07-14 22:03:00"}}) {
    const std::string guano = std::string("GUANO|Version:1.0\nMake:Test\nTimestamp:") + stamp;
    const auto bytes = rec::test::MonoWav(250'000, rec::test::Tone(45, 250'000, 0.1, 0.108, 0.5, 8000), guano);
    QFile f(QDir(folder).filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  }
  rec.toOpen = {folder};
  QTest::mouseClick(window.GetData->ReadRecordingsBtn, Qt::LeftButton);
  ASSERT_EQ(window.ImportedFiles.size(), 1);
  EXPECT_FALSE(window.BatchRunning());
  EXPECT_TRUE(window.UploadMemo->toPlainText().contains(QStringLiteral("recordings read: 2")));
  EXPECT_TRUE(window.DataMemo->toPlainText().contains(QStringLiteral("File\tdays\twaves(excBz)\tCalls\tBuzzCalls")));
  ASSERT_GE(window.Slots().OpenCount(), 1);
  const TFileRec& s = window.Slots()[1];
  EXPECT_EQ(s.WavConversion, 1);
  EXPECT_TRUE(s.WavIndexFileOpen);

  // "create .wav file" on it cuts the recorded sound: 0.1 s from a.wav's start.
  rec.savePath = QDir(dir.path()).filePath(QStringLiteral("cut.wav"));
  const int32_t m = s.FirstLoggedMin;
  window.CutRecordedSound(1, TRecTime{m, 10 * 200'000}, TRecTime{m, 10 * 200'000 + 20'000});
  QFile cut(rec.savePath);
  ASSERT_TRUE(cut.exists());
  EXPECT_GT(cut.size(), 44 + 2 * 25'000 - 1);  // 25,000 samples of 16 bits, and the GUANO chunk
}

// "Hear as a logger" reads with the zero-crossing front end: a tone fainter than the noise of
// the whole band, which the spectral front end follows, gives a logger nothing.
TEST_F(GetDataTest, HearAsALoggerReadsAsALoggerHears) {
  const double rate = 384'000;
  std::vector<int16_t> s(static_cast<size_t>(rate * 0.1));
  uint32_t x = 777;
  for (size_t i = 0; i < s.size(); ++i) {
    x = x * 1664525u + 1013904223u;
    double v = (static_cast<int64_t>(x >> 16) - 32768) / 8.0;  // noise of rms 2,365
    if (i >= 19'200 && i < 21'504) v += 2000 * std::sin(2 * std::numbers::pi * 40'000 * static_cast<double>(i) / rate);
    s[i] = static_cast<int16_t>(v);
  }
  const auto bytes = rec::test::MonoWav(384'000, s, "GUANO|Version:1.0\nTimestamp:2023-07-14 22:00:10");
  QTemporaryDir dir;
  const auto groupsRead = [&](const char* sub, bool asALogger) {
    const QString folder = QDir(dir.path()).filePath(QString::fromLatin1(sub));
    QDir().mkpath(folder);
    QFile f(QDir(folder).filePath(QStringLiteral("a.wav")));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    f.close();
    window.GetData->ZeroCrossingFrontEnd->setChecked(asALogger);
    rec.toOpen = {folder};
    QTest::mouseClick(window.GetData->ReadRecordingsBtn, Qt::LeftButton);
    const QString memo = window.UploadMemo->toPlainText();
    const QString key = QStringLiteral("wave groups: ");
    const qsizetype at = memo.lastIndexOf(key);
    EXPECT_GE(at, 0) << memo.toStdString();
    return at < 0 ? -1 : memo.mid(at + key.size()).section(QLatin1Char('\t'), 0, 0).trimmed().toInt();
  };
  EXPECT_GE(groupsRead("spectral", false), 20);
  EXPECT_LT(groupsRead("logger", true), 3);
}

// Options that are not numbers stop the command before anything is read.
TEST_F(GetDataTest, RecordingOptionsMustBeNumbers) {
  window.GetData->HighPassKhzEdit->setText(QStringLiteral("high"));
  rec.toOpen = {QDir::tempPath()};
  QTest::mouseClick(window.GetData->ReadRecordingsBtn, Qt::LeftButton);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("Time expansion, lowest kHz and channel must be numbers")));
  EXPECT_TRUE(window.ImportedFiles.isEmpty());
}

}  // namespace
}  // namespace zorvel::ui::test
