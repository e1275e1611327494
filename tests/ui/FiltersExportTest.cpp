#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QButtonGroup>
#include <QTemporaryDir>
#include <QTest>

#include "ui/ClickLabel.h"
#include "ui/FilterEdit.h"
#include "ui/Messages.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/ExportPage.h"
#include "ui/pages/FiltersPage.h"

namespace zorvel::ui::test {
namespace {

class FiltersExportTest : public ::testing::Test {
 protected:
  FiltersExportTest() : window(rec.Options()) {
    window.show();
    window.SetMenuVisible(true);
    window.ShowPage(QStringLiteral("Files/Filters"));
  }
  FiltersPage* P() { return window.FiltersP; }
  FilterEdit* Range(RangeEdit e) { return P()->RangeEdits[static_cast<size_t>(e)]; }
  Recorder rec;
  TB window;
};

TEST_F(FiltersExportTest, RangeEditsParseAndResetOnDoubleClick) {
  FilterEdit* maxDur = Range(RangeEdit::MaxDuration100MusecEdit);
  EXPECT_EQ(maxDur->text(), QStringLiteral("9999"));
  maxDur->setText(QStringLiteral("80"));
  EXPECT_EQ(window.Filters().ranges.Value(RangeEdit::MaxDuration100MusecEdit), 80);
  maxDur->setText(QString());
  EXPECT_EQ(window.Filters().ranges.Value(RangeEdit::MaxDuration100MusecEdit), 9999);
  FilterEdit* maxQ = Range(RangeEdit::MaxOctQedit);
  EXPECT_EQ(maxQ->text(), QStringLiteral("24"));
  QTest::mouseDClick(maxQ, Qt::LeftButton);
  EXPECT_EQ(maxQ->text(), QStringLiteral("25"));
  EXPECT_EQ(window.Filters().ranges.Value(RangeEdit::MaxOctQedit), 25);
  Range(RangeEdit::MinOctKHZedit)->setText(QStringLiteral("30"));
  EXPECT_EQ(window.ExportP->ExportClkFilterLbl->text(), QStringLiteral("Click filter:   Freq: 30-333kHz, "));
}

TEST_F(FiltersExportTest, ThreeWayLabelsCycleWithTheirColours) {
  ClickLabel* bz = P()->BzFilterLbl;
  EXPECT_EQ(bz->text(), QStringLiteral("* buzz calls included *"));
  QTest::mouseClick(bz, Qt::LeftButton);
  EXPECT_EQ(bz->text(), QStringLiteral("* buzz calls excluded *"));
  EXPECT_TRUE(bz->styleSheet().contains(QStringLiteral("red")));
  QTest::mouseClick(bz, Qt::LeftButton);
  EXPECT_EQ(bz->text(), QStringLiteral("* buzz calls only *"));
  QTest::mouseClick(bz, Qt::LeftButton);
  EXPECT_EQ(window.Filters().Buzz.state, 0);
  EXPECT_TRUE(bz->styleSheet().contains(QStringLiteral("rgb(40, 90, 0)")));
}

TEST_F(FiltersExportTest, SpeciesListReplacesTheClassBoxesAndIgnoreGreysThem) {
  EXPECT_FALSE(P()->SpList->isEnabled());
  EXPECT_EQ(P()->SpList->count(), 256);
  EXPECT_EQ(P()->SpList->item(6)->text(), QStringLiteral("QCFsp"));
  P()->UseSpList->setChecked(true);
  EXPECT_TRUE(P()->SpList->isEnabled());
  EXPECT_FALSE(P()->CFchk->isEnabled());
  QTest::mouseClick(P()->SetAllSpeciesTrueLbl, Qt::LeftButton);
  EXPECT_TRUE(window.SpeciesList().Checked(200));
  EXPECT_EQ(P()->SpList->item(200)->checkState(), Qt::Checked);
  P()->UseSpList->setChecked(false);
  EXPECT_TRUE(P()->CFchk->isEnabled());
  QTest::mouseClick(P()->IgnoreFiltersLbl, Qt::LeftButton);
  EXPECT_TRUE(window.Filters().IgnoreFilters);
  EXPECT_FALSE(P()->CFchk->isEnabled());
  EXPECT_TRUE(P()->IgnoreFiltersLbl->styleSheet().contains(QStringLiteral("cyan")));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  QTest::keyClick(&window, Qt::Key_F4);
  EXPECT_FALSE(window.Filters().IgnoreFilters);
  EXPECT_FALSE(window.MenuVisible());
}

TEST_F(FiltersExportTest, OutOfRangeHourSaysSoAndResets) {
  FilterEdit* startHr = P()->MinuteEdits[static_cast<size_t>(MinuteEdit::HourOfDayStartHrEdit)];
  startHr->setText(QStringLiteral("25"));
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("Hours must in the range 0 to 23")));
  EXPECT_EQ(startHr->text(), QStringLiteral("00"));
  startHr->setText(QStringLiteral("20"));
  EXPECT_EQ(window.Filters().minutes.DayStartMinute(), 1200);
  EXPECT_TRUE(window.Filters().minutes.MinuteFiltersActive());
  QTest::mouseClick(P()->ClearHourAndLightFilters, Qt::LeftButton);
  EXPECT_EQ(startHr->text(), QStringLiteral("00"));
}

TEST_F(FiltersExportTest, FilterSettingsRoundTripThroughTheButtons) {
  QTemporaryDir dir;
  Range(RangeEdit::MinCallMedianKHZEdit)->setText(QStringLiteral("40"));
  P()->FMchk->setChecked(false);
  rec.savePath = dir.filePath(QStringLiteral("night.txt"));
  QTest::mouseClick(P()->SaveFilterSettingsBtn, Qt::LeftButton);
  const QString saved = dir.filePath(QStringLiteral("night.zvf"));
  ASSERT_TRUE(QFile::exists(saved));

  QTest::mouseClick(P()->ClearOctAndCallFiltersBtn, Qt::LeftButton);
  P()->FMchk->setChecked(true);
  EXPECT_EQ(Range(RangeEdit::MinCallMedianKHZEdit)->text(), QStringLiteral("0"));
  rec.toOpen = {saved};
  QTest::mouseClick(P()->LoadFilterSettingsBtn, Qt::LeftButton);
  EXPECT_EQ(Range(RangeEdit::MinCallMedianKHZEdit)->text(), QStringLiteral("40"));
  EXPECT_FALSE(P()->FMchk->isChecked());
  EXPECT_FALSE(window.Filters().FMchk);
}

TEST_F(FiltersExportTest, ExportToResultsFromAnOpenFile) {
  QTemporaryDir dir;
  rec.toOpen = {WriteDataFile(dir.path(), QStringLiteral("a.ZV1"), 3)};
  window.OpenUnrelatedFilesBtnClick();
  ASSERT_EQ(window.Slots().OpenCount(), 1);
  window.ShowPage(QStringLiteral("Export"));
  ExportPage* e = window.ExportP;
  // Species summary forces the period to "all".
  e->ExpWhatRadioGp.buttons->button(2)->click();
  EXPECT_EQ(e->ExpPeriodRadioGp.Index(), 4);
  e->ExpWhatRadioGp.buttons->button(0)->click();
  e->ExpPeriodRadioGp.buttons->button(0)->click();
  EXPECT_FALSE(e->SeparateFiles->isEnabled());
  QTest::mouseClick(e->ExportFromOpenFilesBtn, Qt::LeftButton);
  const QStringList lines = window.DataMemo->toPlainText().split(QLatin1Char('\n'));
  ASSERT_GE(lines.size(), 4);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("File\tChunkEnd\t")));
  EXPECT_EQ(lines.filter(QStringLiteral("a.ZV1\t")).size(), 3);  // one row per minute
  EXPECT_EQ(window.pp->currentIndex(), msg::kResultsPage);
}

}  // namespace
}  // namespace zorvel::ui::test
