#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "ui/ClickLabel.h"
#include "ui/Messages.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/FilesPage.h"

namespace zorvel::ui::test {
namespace {

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() : window(rec.Options()) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    rec.shown.clear();  // the warning about a small screen, when the test screen is small
  }
  Recorder rec;
  TB window;
};

TEST_F(ShellTest, ElevenPagesInOrderStartingOnFiles) {
  const QStringList expected = {"Get Data",   "Files",  "Files/Filters", "Display",  "Settings", "About",
                                "Navigation", "Export", "Results",       "Analysis", "Process",
                                "Survey"};  // the survey's page follows the eleven of the menu
  QStringList titles;
  for (int i = 0; i < window.pp->count(); ++i) titles << window.pp->tabText(i);
  EXPECT_EQ(titles, expected);
  EXPECT_EQ(window.pp->tabText(window.pp->currentIndex()), QStringLiteral("Files"));
  EXPECT_TRUE(window.MenuVisible());
  // Every page has its controls now: none shows the placeholder title.
  for (int i = 0; i < window.pp->count(); ++i)
    EXPECT_EQ(window.pp->widget(i)->findChild<QLabel*>(QStringLiteral("PageTitleLbl")), nullptr) << i;
  EXPECT_TRUE(window.ShowPage(QStringLiteral("results")));
  EXPECT_EQ(window.pp->currentIndex(), msg::kResultsPage);
  EXPECT_FALSE(window.ShowPage(QStringLiteral("Nowhere")));
}

TEST_F(ShellTest, MenuButtonF2AndBigLabelToggleTheMenu) {
  EXPECT_EQ(window.MenuBtn->text(), QStringLiteral("menu"));
  QTest::mouseClick(window.MenuBtn, Qt::LeftButton);
  EXPECT_FALSE(window.MenuVisible());
  QTest::keyClick(&window, Qt::Key_F2);
  EXPECT_TRUE(window.MenuVisible());
  QTest::mouseClick(window.BigLbl, Qt::LeftButton);
  EXPECT_FALSE(window.MenuVisible());
  EXPECT_TRUE(rec.shown.isEmpty());
}

TEST_F(ShellTest, WhileABatchRunsTheBigLabelOnlyExplains) {
  window.SetBatchRunning(true);
  QTest::mouseClick(window.BigLbl, Qt::LeftButton);
  EXPECT_TRUE(window.MenuVisible());
  ASSERT_EQ(rec.shown.size(), 1);
  EXPECT_EQ(rec.shown[0], QString::fromLatin1(msg::kBatchOnlyStop));
  EXPECT_TRUE(rec.shown[0].contains(QStringLiteral("running,\r\nbut")));
}

TEST_F(ShellTest, StopButtonAndEscRequestAStopThatTheNextBatchClears) {
  EXPECT_EQ(window.StopShowBtn->text(), QStringLiteral("stop"));
  EXPECT_FALSE(window.StopRequested());
  QTest::mouseClick(window.StopShowBtn, Qt::LeftButton);
  EXPECT_TRUE(window.StopRequested());
  EXPECT_TRUE(window.host().StopRequested());
  window.SetBatchRunning(true);
  EXPECT_FALSE(window.StopRequested());
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_TRUE(window.StopRequested());
}

TEST_F(ShellTest, HintsGoIntoTheMenuLabelAfterTwoSpaces) {
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(window.StopShowBtn, &enter);
  EXPECT_EQ(window.MenuLbl->text(), QStringLiteral("  ") + window.StopShowBtn->toolTip());
  EXPECT_GT(window.StopShowBtn->toolTip().size(), 0);
}

TEST_F(ShellTest, MaximiseLabelSwitchesBetweenDesignSizeAndMaximised) {
  window.showNormal();
  window.resize(1000, 700);
  QTest::mouseClick(window.MaximizeLbl, Qt::LeftButton);
  EXPECT_EQ(window.size(), QSize(TB::kDesignWidth, TB::kDesignHeight));
  QTest::mouseClick(window.MaximizeLbl, Qt::LeftButton);
  EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
  QTest::mouseClick(window.MaximizeLbl, Qt::LeftButton);
  EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
}

TEST_F(ShellTest, ResponsiveWaitKeepsEventsFlowingAndZeroEndsIt) {
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(10);
  QElapsedTimer clock;
  clock.start();
  window.WaitFor(200);
  EXPECT_GE(clock.elapsed(), 200);
  EXPECT_GT(ticks, 3);
  // A wait cut short: a zero-length wait from inside ends the one in progress.
  QTimer::singleShot(50, &window, [&] {
    EXPECT_TRUE(window.Waiting());
    window.WaitFor(0);
  });
  clock.restart();
  window.WaitFor(10'000);
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_FALSE(window.Waiting());
}

TEST_F(ShellTest, AdministratorModeShowsTheAnalysisMemo) {
  window.ShowPage(msg::kAnalysisPage);
  EXPECT_FALSE(window.AnalysisMemo->isVisible());
  window.SetAdministratorMode(true);
  EXPECT_TRUE(window.host().AdministratorMode());
  EXPECT_TRUE(window.AnalysisMemo->isVisible());
}

TEST(Startup, WarnsOnScreensUnder1000PixelsHigh) {
  Recorder rec;
  TB window(rec.Options());
  const bool small = QGuiApplication::primaryScreen()->geometry().height() < 1000;
  EXPECT_EQ(rec.shown.contains(
                QStringLiteral("This app needs a screen with 1080 pixels vertically to display correctly")),
            small);
  EXPECT_GT(window.ScaleFactor(), 0.0);
}

TEST(CommandLine, HalvesOfAFileNameAreJoinedWithOneSpace) {
  Recorder rec;
  TB window(rec.Options({QStringLiteral("my"), QStringLiteral("file.ZV1")}));
  QTest::mouseClick(window.Files->OpenUnrelatedFilesBtn, Qt::LeftButton);
  EXPECT_EQ(rec.proposedName, QStringLiteral("my file.ZV1"));
  EXPECT_EQ(rec.openTitle, QStringLiteral("Open Zorvel data file"));
  EXPECT_TRUE(rec.openMultiple);
  QTest::mouseClick(window.Files->OpenFileSetBtn, Qt::LeftButton);
  EXPECT_EQ(rec.openTitle, QStringLiteral("Open Zorvel data file set"));
  EXPECT_FALSE(rec.openMultiple);
}

TEST(Closing, UnsavedResultsAskAndEachAnswerDoesItsPart) {
  Recorder rec;
  TB window(rec.Options());
  window.show();
  EXPECT_TRUE(window.close());  // nothing unsaved: no question
  EXPECT_TRUE(rec.asked.isEmpty());

  window.show();
  window.AddLine(Memo::DataMemo, QStringLiteral("a result"));
  ASSERT_TRUE(window.UnsavedResults());

  rec.answer = Answer::Cancel;
  window.ShowPage(msg::kFilesPage);
  window.SetMenuVisible(false);
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.MenuVisible());
  ASSERT_EQ(rec.asked.size(), 1);
  EXPECT_EQ(rec.asked[0], QStringLiteral("Do you wish to save the 'Results'?"));

  rec.answer = Answer::Yes;
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.MenuVisible());
  EXPECT_EQ(window.pp->tabText(window.pp->currentIndex()), QStringLiteral("Results"));

  rec.answer = Answer::No;
  EXPECT_TRUE(window.close());
  EXPECT_EQ(rec.asked.size(), 3);
}

}  // namespace
}  // namespace zorvel::ui::test
