// The main window fits the screen it is on, whatever its labels, hints and pages hold.
#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/UiTestSupport.h"

namespace zorvel::ui::test {
namespace {

class ScreenFitTest : public ::testing::Test {
 protected:
  ScreenFitTest() : window(rec.Options()) {}

  QRect Screen() const {
    const QScreen* s = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return s->availableGeometry();
  }
  // Lets the layouts settle, then says where the window lies if it does not fit.
  ::testing::AssertionResult Fits(const char* step) {
    QCoreApplication::processEvents();
    window.layout()->activate();
    QCoreApplication::processEvents();
    const QRect frame = window.frameGeometry();
    if (!Screen().contains(frame))
      return ::testing::AssertionFailure()
             << step << ": the window lies at " << frame.x() << "," << frame.y() << " " << frame.width()
             << "x" << frame.height() << " on a screen of " << Screen().width() << "x" << Screen().height();
    if (window.minimumSizeHint().width() > Screen().width() ||
        window.minimumSizeHint().height() > Screen().height())
      return ::testing::AssertionFailure()
             << step << ": the window cannot be narrower than " << window.minimumSizeHint().width()
             << " or lower than " << window.minimumSizeHint().height();
    return ::testing::AssertionSuccess();
  }
  // Every hint any control has, as the pointer over it would write it into the hint label.
  void ShowEveryHint(const char* step) {
    for (QWidget* w : window.findChildren<QWidget*>()) {
      if (w->statusTip().isEmpty()) continue;
      QStatusTipEvent tip(w->statusTip());
      QCoreApplication::sendEvent(&window, &tip);
      ASSERT_TRUE(Fits(step)) << "with the hint of " << w->objectName().toStdString();
    }
  }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_F(ScreenFitTest, TheTypicalRoadStaysOnTheScreen) {
  ASSERT_GE(Screen().width(), TB::kDesignWidth) << "the tests need a screen of 1920 x 1080";
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_TRUE(Fits("at start"));
  window.MaximizeLblClick();  // the end of start-up: from the design size to the whole screen
  ASSERT_TRUE(Fits("maximised"));

  // Long names, as imports make them, in two slots.
  const QString a =
      WriteBusyFile(dir.path(), QStringLiteral("2026 06 01 ZORVEL_1234 Meadow by the old oak file0.ZV1"), 30);
  const QString b = WriteBusyFile(
      dir.path(), QStringLiteral("2026 06 01 ZORVEL_5678 Hedge along the north lane file0.ZV1"), 30);
  ASSERT_FALSE(a.isEmpty());
  ASSERT_FALSE(b.isEmpty());
  window.OpenUnrelatedFiles({a, b});
  ASSERT_EQ(window.Slots().OpenCount(), 2);
  ASSERT_TRUE(Fits("two files open"));

  window.SetMenuVisible(false);
  ASSERT_TRUE(window.Screen().ShowLevelAt(7, ""));
  ASSERT_TRUE(Fits("a high-resolution screen with its legend"));
  // The pointer comes over the display: the hint of what the mouse can do appears.
  const QPoint centre = window.Display->rect().center();
  QCursor::setPos(window.Display->mapToGlobal(centre));
  QTest::mouseMove(window.Display, centre);
  ASSERT_TRUE(Fits("the pointer over the display"));
  // Zoom out with the up arrow to low resolution and beyond.
  for (int level = 8; level <= 16; ++level) {
    QTest::keyRelease(&window, Qt::Key_Up);
    ASSERT_EQ(window.Screen().View().DisplayTimeUnit, level);
    ASSERT_TRUE(Fits("zooming out"));
  }
  ShowEveryHint("at low resolution");

  window.SetMenuVisible(true);
  for (int i = 0; i < window.pp->count(); ++i) {
    window.ShowPage(i);
    ASSERT_TRUE(Fits(window.pp->tabText(i).toUtf8().constData()));
  }
  // Back to the design size: the window keeps it, at low resolution and with the legend of a
  // high-resolution screen in the bar.
  window.MaximizeLblClick();
  ShowEveryHint("at the design size");
  EXPECT_LE(window.width(), TB::kDesignWidth);
  window.SetMenuVisible(false);
  ASSERT_TRUE(window.Screen().ShowLevelAt(7, ""));
  ShowEveryHint("at the design size and high resolution");
  EXPECT_LE(window.width(), TB::kDesignWidth);
}

}  // namespace
}  // namespace zorvel::ui::test
