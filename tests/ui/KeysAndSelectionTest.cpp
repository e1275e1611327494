// The keys that need the window (the menu rule, Ctrl+F, S, Ctrl+Shift+C), the range labels of
// the time selection, the pointer over the file graphs, and the view held still during a batch.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/CallRecords.h"
#include "core/TimeBase.h"
#include "display/TimeMath.h"
#include "support/Synthetic.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/InputGate.h"
#include "ui/KeyRules.h"
#include "ui/MovingInfoWindow.h"
#include "ui/UiTestSupport.h"
#include "ui/ZoomMenu.h"
#include "ui/pages/DisplayPage.h"
#include "ui/pages/ExportPage.h"
#include "ui/pages/FilesPage.h"
#include "ui/pages/GraphsPanel.h"

namespace zorvel::ui::test {
namespace {

using zorvel::testing::SyntheticMinute;

class WindowKeysTest : public ::testing::Test {
 protected:
  WindowKeysTest() : window(rec.Options()) {}
  // Opens the files at level 7 with the menu hidden and the pointer over the display.
  void Show(const QStringList& paths) {
    window.resize(1000, 700);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.OpenUnrelatedFiles(paths);
    window.SetMenuVisible(false);
    ASSERT_TRUE(window.Screen().ShowLevelAt(7, ""));
    MoveTo(window.Display->rect().center());
  }
  QString Write(const QString& name, const std::vector<SyntheticMinute>& ms) {
    const QString path = dir.path() + QLatin1Char('/') + name;
    const int32_t last = kFirstMinute + static_cast<int32_t>(ms.size()) - 1;
    EXPECT_TRUE(zorvel::testing::WriteDataFile(path.toStdString(),
                                               zorvel::testing::MakeHeader(kFirstMinute, last), ms));
    return path;
  }
  // n listening minutes, each with `groups` wave groups of IPI 100 (40 kHz).
  static std::vector<SyntheticMinute> Busy(int n, int groups) {
    std::vector<SyntheticMinute> ms(static_cast<size_t>(n));
    for (auto& m : ms) {
      m.values.MinON = true;
      for (int k = 0; k < groups; ++k)
        m.records.push_back(zorvel::testing::WaveGroup(10'000 + k * (11'000'000 / groups), 100, 60));
    }
    return ms;
  }
  void MoveTo(QPoint p) {
    QCursor::setPos(window.Display->mapToGlobal(p));
    QTest::mouseMove(window.Display, p);
  }
  void Release(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyRelease(&window, key, mods);
  }
  ViewState& View() { return window.Screen().View(); }
  QPoint InBand(int slot = 1) {
    return {View().layout.PlotLeft + 200, window.Screen().BandRect(slot).center().y()};
  }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST(KeyRules, WhichKeysPutTheMenuAway) {
  EXPECT_TRUE(KeyHidesMenuFirst(Qt::Key_F1, {}));
  EXPECT_TRUE(KeyHidesMenuFirst(Qt::Key_F12, Qt::ShiftModifier));
  EXPECT_FALSE(KeyHidesMenuFirst(Qt::Key_F2, {}));
  EXPECT_TRUE(KeyHidesMenuFirst(Qt::Key_T, Qt::ControlModifier));
  EXPECT_FALSE(KeyHidesMenuFirst(Qt::Key_F, Qt::ControlModifier));
  EXPECT_FALSE(KeyHidesMenuFirst(Qt::Key_Control, Qt::ControlModifier)) << "Ctrl alone";
  EXPECT_FALSE(KeyHidesMenuFirst(Qt::Key_A, {}));
  EXPECT_FALSE(KeyHidesMenuFirst(Qt::Key_Left, {}));
}

TEST_F(WindowKeysTest, FunctionKeysHideTheMenuButCtrlFLeavesIt) {
  Show({Write(QStringLiteral("menu.ZV1"), Busy(2, 60))});
  window.SetMenuVisible(true);
  QTest::keyPress(&window, Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(window.MenuVisible());
  QTest::keyPress(&window, Qt::Key_Left);
  EXPECT_TRUE(window.MenuVisible()) << "arrows wait for the menu to go";
  QTest::keyPress(&window, Qt::Key_F7);  // F7 does nothing else
  EXPECT_FALSE(window.MenuVisible());
  window.SetMenuVisible(true);
  QTest::keyPress(&window, Qt::Key_T, Qt::ControlModifier);
  EXPECT_FALSE(window.MenuVisible());
}

TEST_F(WindowKeysTest, CtrlFPutsTheMicrophoneResponseOnTheClipboard) {
  Show({Write(QStringLiteral("few.ZV1"), Busy(2, 60))});
  QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
  Release(Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("Too few waves found")));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
}

TEST_F(WindowKeysTest, CtrlFWithEnoughWaves) {
  Show({Write(QStringLiteral("many.ZV1"), Busy(3, 200))});
  const TRecTime shown = View().DisplayPosition;
  Release(Qt::Key_F, Qt::ControlModifier);
  const QString text = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
  const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 41);
  EXPECT_TRUE(lines[0].endsWith(QStringLiteral("; \t20kHz")));
  EXPECT_TRUE(lines[40].endsWith(QStringLiteral("; \t220kHz")));
  // Every group is at 40 kHz, so only the 40 kHz line has a mean amplitude.
  EXPECT_FALSE(lines[4].startsWith(QStringLiteral("0;"))) << lines[4].toStdString();
  EXPECT_TRUE(lines[8].startsWith(QStringLiteral("0;"))) << lines[8].toStdString();
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("4800 waves: calibration data now on clipboard")));
  EXPECT_EQ(View().DisplayPosition, shown) << "the screen is shown again where it was";
}

TEST_F(WindowKeysTest, SSavesTheFilterSettingsAtHighResolutionOnly) {
  Show({Write(QStringLiteral("s.ZV1"), Busy(2, 60))});
  rec.savePath = dir.path() + QStringLiteral("/filters.zvf");
  ASSERT_TRUE(window.Screen().ShowLevelAt(12, ""));
  Release(Qt::Key_S);
  EXPECT_FALSE(QFile::exists(rec.savePath)) << "not at low resolution";
  ASSERT_TRUE(window.Screen().ShowLevelAt(7, ""));
  Release(Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(QFile::exists(rec.savePath)) << "Ctrl+S is not bound";
  Release(Qt::Key_S);
  EXPECT_TRUE(QFile::exists(rec.savePath));
}

// Two call files with pairs of calls at 1 s and at 30 s of their first minute.
std::vector<SyntheticMinute> CallPairs() {
  std::vector<SyntheticMinute> ms(2);
  for (auto& m : ms) m.values.MinON = true;
  int32_t number = 0;
  for (int32_t start : {200'000, 240'000, 6'000'000, 6'040'000}) {
    tCall c = zorvel::testing::AcceptedCall(start, ++number);
    c.nSelOctInCall = 2;
    for (const Record& r : EncodeCall(c)) ms[0].records.push_back(r);
    // Paging looks for wave groups on the screen it stops at, so each call has its two.
    for (int32_t k = 0; k < 2; ++k)
      ms[0].records.push_back(EncodeZV2WaveGroup(start + 100 * k, {60, 60, 60, 60}, {100, 100, 100, 100}, false,
                                                false, c.Number, tfNotFeature, 20));
  }
  return ms;
}

TEST_F(WindowKeysTest, ComparisonNeedsTwoZv3Files) {
  Show({Write(QStringLiteral("one.ZV1"), Busy(2, 60)), Write(QStringLiteral("a.ZV3"), CallPairs())});
  const TRecTime before = View().DisplayPosition;
  Release(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("A comparison needs two ZV3 files among files 1 to 3")));
  EXPECT_EQ(View().DisplayPosition, before);
}

TEST_F(WindowKeysTest, ComparisonPagesToTheNextScreenWithCalls) {
  Show({Write(QStringLiteral("a.ZV3"), CallPairs()), Write(QStringLiteral("b.ZV3"), CallPairs())});
  for (QCheckBox* box : window.SkipOn) box->setChecked(false);
  window.SkipOn[0]->click();
  window.SkipOn[0]->click();  // no seek file now
  ASSERT_EQ(window.SeekFile(), 0);
  ASSERT_LT(View().DisplayPosition, (TRecTime{kFirstMinute, 6'000'000}));
  Release(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window.MenuLbl->text(), QStringLiteral("Comparing ZV3 files"));
  EXPECT_EQ(window.SeekFile(), 1);
  EXPECT_TRUE(window.SkipOn[0]->isChecked());
  const TRecTime start = View().ScreenStart();
  EXPECT_LE(start, (TRecTime{kFirstMinute, 6'000'000}));
  EXPECT_GT(View().DisplayPosition, (TRecTime{kFirstMinute, 6'040'000}));
}

TEST_F(WindowKeysTest, RangeLabelsFollowTheSelection) {
  Show({Write(QStringLiteral("range.ZV1"), Busy(4, 20))});
  FilesPage* f = window.Files;
  EXPECT_EQ(f->RangeLbl->text(), QStringLiteral("Range ") + QString::fromStdString(MinuteDurationText(4)) +
                                     QStringLiteral(" (full range)"));
  EXPECT_EQ(f->StartSharedTimeLbl->text(),
            QStringLiteral("From: ") + QString::fromStdString(MinuteAloneText(kFirstMinute)));
  EXPECT_EQ(f->EndSharedTimeLbl->text(),
            QStringLiteral("To:    ") + QString::fromStdString(MinuteAloneText(kFirstMinute + 3)));
  EXPECT_FALSE(f->ClearSelectionLbl->isEnabled());
  EXPECT_EQ(f->ClearSelectionLbl->text(), QStringLiteral("clear selection"));

  ASSERT_TRUE(window.Screen().ShowLevelAt(12, ""));
  auto* menu = window.findChild<ZoomMenu*>();
  const int y = InBand().y(), left = View().layout.PlotLeft;
  auto choose = [&](int x, QAction* a) {
    QTest::mousePress(window.Display, Qt::RightButton, {}, {x, y});
    a->trigger();
    menu->close();
  };
  choose(left + 4, menu->SelectionStart);  // the second minute
  choose(left + 7, menu->SelectionEnd);    // the third
  EXPECT_EQ(f->RangeLbl->text(), QStringLiteral("Range ") + QString::fromStdString(MinuteDurationText(2)) +
                                     QStringLiteral(" (selection)"));
  EXPECT_EQ(f->StartSharedTimeLbl->text(), QStringLiteral("From: ") +
                                               QString::fromStdString(MinuteAloneText(kFirstMinute + 1)) +
                                               QStringLiteral(" (selection)"));
  EXPECT_EQ(f->EndSharedTimeLbl->text(), QStringLiteral("To:    ") +
                                             QString::fromStdString(MinuteAloneText(kFirstMinute + 2)) +
                                             QStringLiteral(" (selection)"));
  EXPECT_TRUE(f->ClearSelectionLbl->isEnabled());

  // Opening another file keeps the selection, and the new file keeps to it.
  window.OpenUnrelatedFiles({Write(QStringLiteral("second.ZV1"), Busy(4, 20))});
  EXPECT_TRUE(window.TimeSelectionActive());
  EXPECT_EQ(View().RangeFirstMin, kFirstMinute + 1);
  EXPECT_EQ(View().RangeLastMin, kFirstMinute + 2);
  EXPECT_EQ(window.Slots()[2].FirstProcessMin, kFirstMinute + 1);
  EXPECT_EQ(window.Slots()[2].LastProcessMin, kFirstMinute + 2);

  QTest::mouseClick(f->ClearSelectionLbl, Qt::LeftButton);
  EXPECT_FALSE(window.TimeSelectionActive());
  EXPECT_FALSE(f->ClearSelectionLbl->isEnabled());
  EXPECT_TRUE(f->RangeLbl->text().endsWith(QStringLiteral(" (full range)")));
  EXPECT_EQ(window.Slots()[2].FirstProcessMin, kFirstMinute);

  QTest::mouseClick(window.Files->CloseAllFilesBtn, Qt::LeftButton);
  EXPECT_EQ(f->RangeLbl->text(), QStringLiteral("Range"));
  EXPECT_EQ(f->StartSharedTimeLbl->text(), QStringLiteral("From:"));
  EXPECT_EQ(f->EndSharedTimeLbl->text(), QStringLiteral("To:"));
}

TEST_F(WindowKeysTest, PointerReadsTheGraphAxisAndTheLegendEmpties) {
  Show({Write(QStringLiteral("graph.ZV1"), Busy(2, 60))});
  ASSERT_FALSE(window.LegendLbl[0]->text().isEmpty()) << "high resolution shows the legend";
  GraphsPanel* g = window.DisplayOptions->Graphs;
  g->GraphComboBox[0]->setCurrentIndex(tAmplitude);
  QTest::mouseClick(g->ShowFgraphBtn, Qt::LeftButton);
  ASSERT_TRUE(window.GraphsShown());
  for (QLabel* l : window.LegendLbl) EXPECT_TRUE(l->text().isEmpty());
  EXPECT_FALSE(window.Display->FileLbl[0]->isVisible()) << "the graph names its file itself";
  auto* tmif = window.findChild<MovingInfoWindow*>();
  const int left = View().layout.PlotLeft;
  MoveTo({left + 6 + 4 * 50 + 2, InBand().y()});
  ASSERT_TRUE(tmif->isVisible());
  EXPECT_EQ(tmif->ValueLbl->text(), QStringLiteral("50 SPL"));
  EXPECT_TRUE(tmif->TimeLbl->text().isEmpty());
  // Back to the screen: the legend returns and the pointer reads times again.
  QTest::mouseClick(g->ShowFgraphBtn, Qt::LeftButton);
  EXPECT_FALSE(window.LegendLbl[0]->text().isEmpty());
  EXPECT_TRUE(window.Display->FileLbl[0]->isVisible());
  MoveTo({left + 202, InBand().y()});
  EXPECT_FALSE(tmif->TimeLbl->text().isEmpty());
}

TEST_F(WindowKeysTest, KeysAndClicksWithNoFileOpen) {
  window.resize(1000, 700);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.SetMenuVisible(false);
  MoveTo(window.Display->rect().center());
  // The first move over the display introduces the mouse, once.
  EXPECT_TRUE(window.MenuLbl->text().startsWith(QStringLiteral("Drag across a file to zoom in")));
  window.MenuLbl->clear();
  MoveTo(window.Display->rect().center() + QPoint(5, 5));
  EXPECT_TRUE(window.MenuLbl->text().isEmpty());
  for (Qt::Key key : {Qt::Key_F1, Qt::Key_F3, Qt::Key_F5, Qt::Key_F6, Qt::Key_F8, Qt::Key_F9, Qt::Key_Home,
                      Qt::Key_End, Qt::Key_Left, Qt::Key_Up, Qt::Key_S})
    Release(key);
  for (Qt::Key key : {Qt::Key_G, Qt::Key_T, Qt::Key_X, Qt::Key_Z}) Release(key, Qt::ControlModifier);
  Release(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  Release(Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("File 1 must be a ZV1 file")));
  EXPECT_FALSE(window.Screen().HasScreen());
  // A click on the empty display offers to open a file set; nothing chosen, nothing opened.
  QTest::mousePress(window.Display, Qt::RightButton, {}, window.Display->rect().center());
  EXPECT_FALSE(rec.openTitle.isEmpty());
  EXPECT_EQ(window.Slots().OpenCount(), 0);
}

TEST_F(WindowKeysTest, ThePopupsSoundCommands) {
  Show({Write(QStringLiteral("wave.ZV1"), Busy(2, 60))});
  auto* menu = window.findChild<ZoomMenu*>();
  EXPECT_EQ(menu->CreateWav->text(), QStringLiteral("    create .wav file"));
  EXPECT_EQ(menu->WavNameToClipboard->text(), QStringLiteral("    Put .wav name into clipboard"));
  auto choose = [&](QAction* a) {
    QTest::mousePress(window.Display, Qt::RightButton, {}, InBand());
    a->trigger();
    menu->close();
  };
  choose(menu->WavNameToClipboard);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("Failed to find wav index file in the directory of wave.ZV1")));
  choose(menu->SelectFile);
  rec.savePath = dir.path() + QStringLiteral("/screen.wav");
  choose(menu->CreateWav);
  EXPECT_EQ(rec.saveTitle, QStringLiteral("Save Zorvel data file to PC as *.ZV1 file "));
  EXPECT_TRUE(QFile::exists(rec.savePath));
}

TEST_F(WindowKeysTest, TheViewStaysPutWhileABatchRuns) {
  Show({Write(QStringLiteral("batch.ZV1"), Busy(3, 60))});
  const TRecTime before = View().DisplayPosition;
  const int level = View().DisplayTimeUnit;
  window.SetBatchRunning(true);
  Release(Qt::Key_F1);
  Release(Qt::Key_End);
  const int y = InBand().y();
  QTest::mousePress(window.Display, Qt::LeftButton, {}, {300, y});
  QTest::mouseMove(window.Display, {500, y});
  QTest::mouseRelease(window.Display, Qt::LeftButton, {}, {500, y});
  QTest::mouseClick(window.Files->CloseAllFilesBtn, Qt::LeftButton);
  EXPECT_EQ(View().DisplayPosition, before);
  EXPECT_EQ(View().DisplayTimeUnit, level);
  EXPECT_EQ(window.Slots().OpenCount(), 1);
  window.SetBatchRunning(false);
  Release(Qt::Key_F1);
  EXPECT_NE(View().DisplayPosition, before);
}

}  // namespace
}  // namespace zorvel::ui::test

namespace zorvel::ui::test {
namespace {

TEST_F(WindowKeysTest, AnEarlierEscDoesNotCutTheNextScreenShort) {
  Show({Write(QStringLiteral("esc.ZV1"), Busy(3, 60))});
  QTest::keyClick(&window, Qt::Key_Escape);
  ASSERT_TRUE(window.StopRequested());
  // Zoom out to one minute a column with the Up key: the low-resolution screen is drawn whole.
  MoveTo(InBand());
  for (int k = 0; k < 5; ++k) Release(Qt::Key_Up);
  ASSERT_FALSE(View().HighRes());
  EXPECT_EQ(window.Slots()[1].OctInThisScreen, 180);
}

}  // namespace
}  // namespace zorvel::ui::test

namespace zorvel::ui::test {
namespace {

TEST(InputGate, OnlyStopAndEscGetThrough) {
  QWidget form;
  auto* stop = new QPushButton(QStringLiteral("stop"), &form);
  auto* other = new QPushButton(QStringLiteral("other"), &form);
  other->move(0, 40);
  form.show();
  int stops = 0, others = 0;
  QObject::connect(stop, &QPushButton::clicked, [&] { ++stops; });
  QObject::connect(other, &QPushButton::clicked, [&] { ++others; });
  InputGate gate(stop);
  qApp->installEventFilter(&gate);
  QTest::mouseClick(other, Qt::LeftButton);
  QTest::mouseClick(stop, Qt::LeftButton);
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  EXPECT_TRUE(gate.eventFilter(&form, &f1));
  EXPECT_FALSE(gate.eventFilter(&form, &esc));
  QCloseEvent close;
  QApplication::sendEvent(&form, &close);
  EXPECT_FALSE(close.isAccepted());
  qApp->removeEventFilter(&gate);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(others, 0);
  QTest::mouseClick(other, Qt::LeftButton);
  EXPECT_EQ(others, 1) << "the gate gone, everything works again";
}

// Ten hours of listening minutes with wave groups only near the end: a search from the start
// for a screen with them reads for a while, and Stop ends it.
TEST_F(WindowKeysTest, StopEndsASearchForTheNextScreen) {
  std::vector<SyntheticMinute> ms(600);
  for (auto& m : ms) m.values.MinON = true;
  for (int k = 0; k < 3; ++k) ms[590].records.push_back(zorvel::testing::WaveGroup(100'000 + k * 1000, 100, 60));
  Show({Write(QStringLiteral("sparse.ZV1"), ms)});
  ASSERT_EQ(window.SeekFile(), 1);
  QTimer::singleShot(0, window.StopShowBtn, &QPushButton::click);
  Release(Qt::Key_F1);
  EXPECT_LT(View().DisplayPosition.Mn, kFirstMinute + 590) << "the search stopped short of the groups";
  // Without a stop the same search finds them.
  Release(Qt::Key_Home);
  Release(Qt::Key_F1);
  EXPECT_GE(View().DisplayPosition.Mn, kFirstMinute + 590);
  EXPECT_GT(window.Slots()[1].OctInThisScreen, 0);
}

}  // namespace
}  // namespace zorvel::ui::test
