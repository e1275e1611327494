// Navigation through the window's real key and wheel events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "display/TimeMath.h"
#include "support/Synthetic.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/DisplayPage.h"
#include "ui/pages/NavigationPage.h"

namespace zorvel::ui::test {
namespace {

class DisplayKeysTest : public ::testing::Test {
 protected:
  DisplayKeysTest() : window(rec.Options()) {
    EXPECT_TRUE(ShowBusyFileAtLevel7(window, dir.path(), QStringLiteral("keys.ZV1")));
  }
  ViewState& View() { return window.Screen().View(); }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyRelease(&window, key, mods);
  }
  bool Wheel(int delta) {
    const QPointF at(window.Display->width() / 2.0, window.Display->height() / 2.0);
    QWheelEvent e(at, window.Display->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    const TRecTime before = View().DisplayPosition;
    QApplication::sendEvent(window.Display, &e);
    return View().DisplayPosition != before;
  }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_F(DisplayKeysTest, FunctionKeysHomeAndEndMoveTheView) {
  const TRecTime first = View().DisplayPosition;
  ASSERT_TRUE(window.Screen().HasScreen());
  Key(Qt::Key_F1);
  const TRecTime second = View().DisplayPosition;
  EXPECT_GT(second, first);
  Key(Qt::Key_F1, Qt::ShiftModifier);
  EXPECT_LT(View().DisplayPosition, second);
  Key(Qt::Key_End);
  // The screen up to the last minute (a tick field may hold a whole minute).
  const TRecTime end = View().DisplayPosition;
  EXPECT_EQ(int64_t{end.Mn} * kTicksPerMinute + end.FiveMuSec, int64_t{kFirstMinute + 2} * kTicksPerMinute);
  Key(Qt::Key_Home);
  EXPECT_EQ(View().DisplayPosition, first);
  const TRecTime home = View().DisplayPosition;
  Key(Qt::Key_F12);
  EXPECT_EQ(View().DisplayPosition, home);
}

TEST_F(DisplayKeysTest, CtrlZReturnsToTheScreenBefore) {
  Key(Qt::Key_F1);
  const TRecTime second = View().DisplayPosition;
  Key(Qt::Key_F1);
  ASSERT_NE(View().DisplayPosition, second);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(View().DisplayPosition, second);
  // Without Ctrl, Z is not a display key.
  const TRecTime now = View().DisplayPosition;
  Key(Qt::Key_Z);
  EXPECT_EQ(View().DisplayPosition, now);
}

TEST_F(DisplayKeysTest, KeysWaitWhileTheMenuIsShown) {
  window.SetMenuVisible(true);
  const TRecTime before = View().DisplayPosition;
  Key(Qt::Key_F1);
  EXPECT_EQ(View().DisplayPosition, before);
}

TEST_F(DisplayKeysTest, TheWheelStepsOnceIn400ms) {
  EXPECT_TRUE(Wheel(-120));
  EXPECT_FALSE(Wheel(-120));
  QTest::qWait(420);
  EXPECT_TRUE(Wheel(120));
}

}  // namespace
}  // namespace zorvel::ui::test

namespace zorvel::ui::test {
namespace {

TEST_F(DisplayKeysTest, PagesDriveTheDisplay) {
  EXPECT_EQ(window.Navigation->MinNToShowEdit->text(), QStringLiteral("1"));
  EXPECT_EQ(View().MinNToShow, 1);
  // A raw file has no call types: the choice falls back to frequency with the message.
  window.DisplayOptions->DisplayOptionsCombo[0]->setCurrentIndex(tyCallType);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("Call types are only available from ZV2 files")));
  EXPECT_EQ(window.Slots()[1].FileYaxisType, tyFreq);
  EXPECT_EQ(window.DisplayOptions->DisplayOptionsCombo[0]->currentIndex(), tyFreq);

  QTest::mouseClick(window.Navigation->LevelLbl[12], Qt::LeftButton);
  EXPECT_EQ(View().DisplayTimeUnit, 12);
  EXPECT_EQ(window.Navigation->TimeResLbl->text(), QStringLiteral("1min"));
  QTest::mouseClick(window.Navigation->StartBtn, Qt::LeftButton);
  EXPECT_EQ(View().ScreenStart().Mn, kFirstMinute);

  window.Navigation->DropTimeTextEdit->setText(QStringLiteral("not a time"));
  QTest::mouseClick(window.Navigation->GoToTimeBtn, Qt::LeftButton);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral(
      "Format error. \r\nTry dragging the slider on the bar above the display, and then zooming in")));
  window.Navigation->MinuteNumberTranslatorEdit->setText(QStringLiteral("52597440"));
  EXPECT_EQ(window.Navigation->DropTimeTextEdit->text(), QStringLiteral("1/1/2000 00:00"));
}

}  // namespace
}  // namespace zorvel::ui::test

namespace zorvel::ui::test {
namespace {

TEST_F(DisplayKeysTest, DraggingTheSliderPastTheRightEndShowsTheLastScreen) {
  ASSERT_TRUE(window.Screen().ShowLevelAt(12, ""));
  const QRect bar = window.Screen().ScreenChrome().frontBar;
  ASSERT_FALSE(bar.isEmpty());
  const QPoint grab = bar.center();
  QTest::mousePress(window.Display, Qt::LeftButton, {}, grab);
  QTest::mouseMove(window.Display, QPoint(window.Display->width() - 2, grab.y()));
  QTest::mouseRelease(window.Display, Qt::LeftButton, {}, QPoint(window.Display->width() - 2, grab.y()));
  EXPECT_EQ(View().ScreenStart().Mn, View().RangeLastMin - View().ScreenSpan.Mn);
  EXPECT_FALSE(window.MenuVisible());
}

}  // namespace
}  // namespace zorvel::ui::test
