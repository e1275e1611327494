// The file graphs and the results summary through the window's real buttons.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/Synthetic.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/AnalysisPage.h"
#include "ui/pages/DisplayPage.h"
#include "ui/pages/GraphsPanel.h"
#include "ui/pages/SummaryChartView.h"

namespace zorvel::ui::test {
namespace {

class GraphsAnalysisTest : public ::testing::Test {
 protected:
  GraphsAnalysisTest() : window(rec.Options()) {
    // Three listening minutes of 120 wave groups at 40 kHz.
    std::vector<zorvel::testing::SyntheticMinute> ms(3);
    for (auto& m : ms) {
      m.values.MinON = true;
      for (int k = 0; k < 120; ++k)
        m.records.push_back(zorvel::testing::WaveGroup(50'000 + k * 100'000, 100));
    }
    const QString path = dir.path() + QStringLiteral("/graphs.ZV1");
    HeaderBytes h = zorvel::testing::MakeHeader(kFirstMinute, kFirstMinute + 2);
    h[hdr::kLightSwitchLevel] = 255;
    EXPECT_TRUE(zorvel::testing::WriteDataFile(path.toStdString(), h, ms));
    window.resize(1000, 700);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.OpenUnrelatedFiles({path});
    window.SetMenuVisible(false);
    EXPECT_TRUE(window.Screen().ShowLevelAt(12, ""));
  }
  GraphsPanel* Graphs() { return window.DisplayOptions->Graphs; }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_F(GraphsAnalysisTest, GraphButtonTogglesBetweenScreenAndGraphs) {
  Graphs()->GraphComboBox[0]->setCurrentIndex(tAmplitude);
  QTest::mouseClick(Graphs()->SetAllGraphsToF1Lbl, Qt::LeftButton);
  for (QComboBox* box : Graphs()->GraphComboBox) EXPECT_EQ(box->currentIndex(), tAmplitude);
  EXPECT_EQ(Graphs()->GraphComboBox[0]->itemText(tDiel), QStringLiteral("DielN Calls/waves"));
  EXPECT_EQ(Graphs()->SetAllGraphsToF1Lbl->text(), QStringLiteral("Set all graph types to File1 type"));

  const QImage screen = window.Screen().Image().copy();
  QTest::mouseClick(Graphs()->ShowFgraphBtn, Qt::LeftButton);
  EXPECT_TRUE(window.GraphsShown());
  EXPECT_EQ(window.Slots()[1].GraphType, tAmplitude);
  EXPECT_TRUE(window.MenuLbl->text().startsWith(QStringLiteral(" data from ")));
  EXPECT_NE(window.Screen().Image(), screen);
  QTest::mouseClick(Graphs()->ShowFgraphBtn, Qt::LeftButton);
  EXPECT_FALSE(window.GraphsShown());
}

TEST_F(GraphsAnalysisTest, AnalyzeFillsTheSummaryOfTheChosenFile) {
  AnalysisPage* a = window.Analysis;
  EXPECT_EQ(a->ReCalcBtn->text(), QStringLiteral("Analyze"));
  QTest::mouseClick(a->ReCalcBtn, Qt::LeftButton);
  EXPECT_EQ(a->WaveTotalLbl->text(), QStringLiteral("2880 Waves  57600/hr"));
  EXPECT_TRUE(a->FileTimeOnLbl->text().startsWith(QStringLiteral("File duration analysed: ")));
  EXPECT_TRUE(a->RunningTimeLbl->text().endsWith(QStringLiteral(" (100%)")));
  EXPECT_EQ(a->CallFiltersInForceLbl->text(),
            QStringLiteral("Call filters: File is a ZV1 file - no call defined"));
  EXPECT_EQ(a->OneGbLastsLbl->text(), QStringLiteral("32GB lasts 34.04yrs"));
  EXPECT_TRUE(a->CallCountLbl->text().isEmpty());
  EXPECT_TRUE(a->TypeLbl[0]->text().isEmpty());  // no call types in a raw file
  for (SummaryChartView* c : a->Charts) EXPECT_EQ(c->BarCount(), kSummaryChartPoints);
  EXPECT_TRUE(window.AnalysisMemo->toPlainText().contains(QStringLiteral("On Mins\t3")));
  EXPECT_TRUE(a->ReCalcBtn->isEnabled());
  EXPECT_EQ(window.MenuLbl->text(), QStringLiteral(" results in graphs"));
}

TEST_F(GraphsAnalysisTest, AnalyzeOfAnEmptySlotDoesNothing) {
  window.Analysis->FileNoRadioGroup->button(4)->setChecked(true);
  QTest::mouseClick(window.Analysis->ReCalcBtn, Qt::LeftButton);
  EXPECT_TRUE(window.Analysis->WaveTotalLbl->text().isEmpty());
}

}  // namespace
}  // namespace zorvel::ui::test
