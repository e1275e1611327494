// The Survey page: a new survey, files added on the worker thread, the species-nights and the
// figures shown, the report saved; a file that is no survey refused with its name.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "core/SunTimes.h"
#include "report/Figures.h"
#include "survey/SurveyFiles.h"
#include "ui/ClickLabel.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/SurveyPage.h"

namespace zorvel::ui::test {
namespace {

// One night from 20:00 with pipistrelle passes at 21:40 and 23:20 (51.5 N, 0.12 W, UTC+1).
std::string WriteNight(const QString& dir, const std::string& name, int day) {
  const int32_t first = *MinuteNumber(2026, 6, day, 20, 0);
  auto ms = testing::QuietMinutes(600);
  testing::AddPass(ms, 100, 1000, 5, 46, 3);
  testing::AddPass(ms, 200, 1000, 6, 46, 3);
  const std::string path = (dir + "/" + QString::fromStdString(name)).toStdString();
  EXPECT_TRUE(testing::WriteDataFile(path, testing::SurveyHeader(first, first + 599, testing::Place{}), ms));
  return path;
}

int NonWhitePixels(const QImage& img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
  return n;
}

TEST(SurveyPage, FromANewSurveyToItsReport) {
  Recorder rec;
  TB window(rec.Options());
  window.show();
  window.SetMenuVisible(true);
  ASSERT_TRUE(window.ShowPage(QStringLiteral("Survey")));
  SurveyPage* p = window.SurveyP;
  ASSERT_NE(p, nullptr);
  EXPECT_FALSE(p->AddOpenFilesBtn->isEnabled()) << "nothing to add to before a survey is open";
  EXPECT_FALSE(p->SaveReportBtn->isEnabled());

  QTemporaryDir dir;
  const QString surveyPath = dir.path() + "/season.zvs";
  ASSERT_TRUE(p->OpenSurveyFile(surveyPath)) << p->StatusLbl->text().toStdString();
  EXPECT_TRUE(QFile::exists(surveyPath));
  EXPECT_TRUE(p->AddFolderBtn->isEnabled());
  EXPECT_FALSE(p->StopBtn->isEnabled()) << "Stop only while adding";

  const std::vector<std::string> files = {WriteNight(dir.path(), "a.ZV2", 1),
                                          WriteNight(dir.path(), "b.ZV2", 2)};
  EXPECT_EQ(p->AddFiles(files), 2);
  EXPECT_TRUE(p->StatusLbl->text().startsWith(QStringLiteral("2 of 2 file(s) added")))
      << p->StatusLbl->text().toStdString();
  EXPECT_FALSE(window.BatchRunning());
  // The progress of the adding gives way to its outcome.
  EXPECT_EQ(window.BigLbl->text().toStdString(), p->StatusLbl->text().toStdString());
  EXPECT_TRUE(window.BatchProgressBar->isHidden());
  ASSERT_EQ(p->Data().deployments.size(), 1u);
  EXPECT_EQ(p->DeploymentBox->count(), 1);
  // Two nights, one species each: two rows of two passes.
  ASSERT_EQ(p->SpeciesNights->rowCount(), 2);
  EXPECT_EQ(p->SpeciesNights->item(0, 0)->text(), QStringLiteral("2026-06-01"));
  EXPECT_EQ(p->SpeciesNights->item(0, 1)->text(), QStringLiteral("CmnPip"));
  EXPECT_EQ(p->SpeciesNights->item(1, 2)->text(), QStringLiteral("2"));
  const SunEvents sun = NightSunEvents(*MinuteNumber(2026, 6, 1, 12, 0), 51.5, -0.11667, 60);
  const double first = *MinuteNumber(2026, 6, 1, 21, 40) + 1.0 / 60 - *sun.sunset;
  EXPECT_NEAR(p->SpeciesNights->item(0, 4)->text().toDouble(), first, 0.06);

  // Adding the same files again replaces them: still two passes a night.
  EXPECT_EQ(p->AddFiles(files), 2);
  EXPECT_EQ(p->SpeciesNights->item(1, 2)->text(), QStringLiteral("2"));

  // Each figure is drawn on the page.
  for (int f = 0; f < 4; ++f) {
    p->FigureBox->setCurrentIndex(f);
    const QImage shot = reinterpret_cast<QWidget*>(p->Figure)->grab().toImage();
    EXPECT_GT(NonWhitePixels(shot), 500) << "figure " << f;
  }

  // For looking at the page: ZORVEL_SURVEY_SCREENSHOT=page.png saves the window as it is now.
  if (const char* shot = std::getenv("ZORVEL_SURVEY_SCREENSHOT")) {
    p->FigureBox->setCurrentIndex(1);
    window.resize(1600, 1000);
    QTest::qWait(50);
    window.grab().save(QString::fromLocal8Bit(shot));
  }
  ASSERT_TRUE(p->SaveReport(dir.path() + "/report.pdf")) << p->StatusLbl->text().toStdString();
  QFile pdf(dir.path() + "/report.pdf");
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  EXPECT_FALSE(p->SaveReport(dir.path() + "/report.doc"));
  EXPECT_TRUE(p->StatusLbl->text().contains(QStringLiteral("report.doc")));
}

TEST(SurveyPage, AFileThatIsNoSurveyIsRefusedByName) {
  Recorder rec;
  TB window(rec.Options());
  QTemporaryDir dir;
  const QString path = dir.path() + "/notes.zvs";
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("these are my notes, not a database, and they are long enough to be looked at");
  f.close();
  SurveyPage* p = window.SurveyP;
  EXPECT_FALSE(p->OpenSurveyFile(path));
  EXPECT_TRUE(p->StatusLbl->text().contains(QStringLiteral("notes.zvs")))
      << p->StatusLbl->text().toStdString();
  EXPECT_FALSE(p->AddOpenFilesBtn->isEnabled());
  QFile again(path);
  ASSERT_TRUE(again.open(QIODevice::ReadOnly));
  EXPECT_TRUE(again.readAll().startsWith("these are my notes"));
}

}  // namespace
}  // namespace zorvel::ui::test
