#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QButtonGroup>
#include <QRadioButton>

#include "ui/ClickLabel.h"
#include "ui/DeveloperWindow.h"
#include "ui/Messages.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/ExportPage.h"
#include "ui/pages/FiltersPage.h"
#include "ui/pages/GetDataPage.h"
#include "ui/pages/NavigationPage.h"
#include "ui/pages/ProcessPage.h"

namespace zorvel::ui::test {
namespace {

class ProcessTest : public ::testing::Test {
 protected:
  ProcessTest() : window(rec.Options()) {
    window.show();
    window.SetMenuVisible(true);
    window.ShowPage(QStringLiteral("Process"));
  }
  Recorder rec;
  TB window;
};

TEST_F(ProcessTest, CaptionsDefaultsAndTheNoticesOfUnfinishedCommands) {
  ProcessPage* p = window.ProcessP;
  EXPECT_EQ(p->FindCallsInBatchBtn->text(), QStringLiteral("Find calls in  ZV1 files"));
  EXPECT_TRUE(p->FindBuzzes->isChecked());
  EXPECT_FALSE(p->UseNoiseReductionProcess->isChecked());
  EXPECT_TRUE(p->ShowDetectionSummary->isChecked());
  EXPECT_EQ(p->SpForClassifierEdit->text(), QStringLiteral("SoPip"));
  EXPECT_EQ(p->SpClassifierGroup.Index(), 0);
  QTest::mouseClick(p->RetainSpN1, Qt::LeftButton);
  EXPECT_FALSE(p->RetainSpN1->isChecked());
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("not yet avaialble")));
  QTest::mouseClick(p->ImportFromClassifierBtn, Qt::LeftButton);
  ASSERT_FALSE(rec.shown.isEmpty());
  EXPECT_TRUE(rec.shown.back().startsWith(QStringLiteral("Not yet implemented.")));

  window.ShowPage(QStringLiteral("Get Data"));
  QTest::mouseClick(window.GetData->ProcessZV1fileListBtn, Qt::LeftButton);
  EXPECT_EQ(window.pp->currentIndex(), msg::kProcessPage);
}

TEST_F(ProcessTest, CancelledDialogSaysNoFilesSelected) {
  QTest::mouseClick(window.ProcessP->FindCallsInBatchBtn, Qt::LeftButton);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("No files selected")));
}

TEST_F(ProcessTest, FindsCallsIntoAZV2FileBesideEachZV1File) {
  QTemporaryDir dir;
  const QString zv1 = WriteDataFile(dir.path(), QStringLiteral("quiet.ZV1"), 3);
  rec.toOpen = {zv1};
  QTest::mouseClick(window.ProcessP->FindCallsInBatchBtn, Qt::LeftButton);
  EXPECT_EQ(rec.openTitle, QStringLiteral("Select one or more *ZV1 files to process"));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("quiet.ZV2"))));
  EXPECT_FALSE(window.BatchRunning());
  EXPECT_TRUE(window.ProcessP->FindCallsInBatchBtn->isEnabled());
  EXPECT_EQ(window.ProcessP->SourceLine1Lbl->text(), QStringLiteral("Files processed\t1/1"));
  EXPECT_TRUE(window.DataMemo->toPlainText().contains(QStringLiteral("\nquiet.ZV1\t")));
}

TEST_F(ProcessTest, TheClassifierChosenNamesTheZV2File) {
  QTemporaryDir dir;
  const QString zv1 = WriteDataFile(dir.path(), QStringLiteral("quiet.ZV1"), 3);
  ProcessPage* p = window.ProcessP;
  ASSERT_EQ(p->SpClassifierGroup.buttons->buttons().size(), 6);
  QTest::mouseClick(p->SpClassifierGroup.buttons->button(5), Qt::LeftButton);
  EXPECT_EQ(p->SpClassifierGroup.buttons->button(5)->text(), QStringLiteral("ZorvelEU1"));
  rec.toOpen = {zv1};
  QTest::mouseClick(p->FindCallsInBatchBtn, Qt::LeftButton);
  QFile zv2(dir.filePath(QStringLiteral("quiet.ZV2")));
  ASSERT_TRUE(zv2.open(QIODevice::ReadOnly));
  EXPECT_EQ(zv2.read(1024).mid(315, 10), QByteArray("ZorvelEU1\0", 10));
  // The summary heading names the classifier's species.
  EXPECT_TRUE(window.DataMemo->toPlainText().contains(QStringLiteral("\tKuhl\tMyotis\tNyctaloid\tPipistrellus")));
  zv2.close();

  // Opened, the file gives the species list its classifier's names.
  ASSERT_TRUE(window.OpenFileIntoSlot(zv2.fileName(), 1, tyFreq));
  EXPECT_EQ(window.FiltersP->SpList->item(23)->text(), QStringLiteral("Pipistrellus"));
  EXPECT_EQ(window.Slots()[1].SpNames[23], "Pipistrellus");

  // The Export page's "Passes" lists the file's passes beside it.
  window.ShowPage(QStringLiteral("Export"));
  EXPECT_EQ(window.ExportP->ExportPassesBtn->text(), QStringLiteral("Passes"));
  rec.toOpen = {zv2.fileName()};
  QTest::mouseClick(window.ExportP->ExportPassesBtn, Qt::LeftButton);
  QFile passes(dir.filePath(QStringLiteral("quiet passes.txt")));
  ASSERT_TRUE(passes.open(QIODevice::ReadOnly));
  EXPECT_TRUE(passes.readLine().startsWith("File\tStart\tEnd\t"));
}

TEST_F(ProcessTest, NavigationImageAndJunkYardSwitchAdministratorMode) {
  window.ShowPage(QStringLiteral("Navigation"));
  QTest::mouseDClick(window.Navigation->NavigationImage, Qt::LeftButton);
  EXPECT_TRUE(window.AdministratorMode());
  EXPECT_TRUE(window.DevF->isVisible());
  EXPECT_EQ(window.DevF->MaxKHZscaledMismatchEdit->text(), QStringLiteral("12"));
  QTest::mouseClick(window.DevF->JunkYardLbl, Qt::LeftButton);
  EXPECT_FALSE(window.AdministratorMode());
  EXPECT_FALSE(window.DevF->isVisible());
}

}  // namespace
}  // namespace zorvel::ui::test
