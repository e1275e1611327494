#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/Messages.h"
#include "ui/TimedMessageWindow.h"
#include "ui/UiTestSupport.h"

namespace zorvel::ui::test {
namespace {

// A window whose timed messages go to the real timed message window.
class TimedMessageTest : public ::testing::Test {
 protected:
  TimedMessageTest() : window(WithRealTimedMessages()) { window.show(); }
  StartupOptions WithRealTimedMessages() {
    StartupOptions o = rec.Options();
    o.hooks.timedMessage = nullptr;
    return o;
  }
  // Runs probe once the message window is up (the call that shows it does not return until
  // the window closes).
  void WhenShown(std::function<void()> probe) {
    auto* poll = new QTimer(&window);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [this, poll, probe] {
      if (!window.TimedMessageWindow->isVisible()) return;
      poll->stop();
      poll->deleteLater();
      probe();
    });
    poll->start();
  }
  TTM& ttm() { return *window.TimedMessageWindow; }
  Recorder rec;
  TB window;
};

TEST_F(TimedMessageTest, OkButtonBarAndSkipLineOnlyAboveOneSecond) {
  struct Seen {
    bool ok, bar, skip;
  };
  for (const auto& [ms, expected] : {std::pair{1000, false}, std::pair{1001, true}}) {
    Seen seen{!expected, !expected, !expected};
    WhenShown([&] {
      seen = {ttm().OKBtn->isVisible(), ttm().TimeBar->isVisible(), ttm().SkipLbl->isVisible()};
      QTest::keyClick(&ttm(), Qt::Key_Space);
    });
    window.TimedMessage(QStringLiteral("notice"), ms);
    EXPECT_EQ(seen.ok, expected) << ms;
    EXPECT_EQ(seen.bar, expected) << ms;
    EXPECT_EQ(seen.skip, expected) << ms;
    if (expected) {
      EXPECT_EQ(ttm().SkipLbl->text(), QString::fromLatin1(msg::kTimedSkip));
    }
  }
}

TEST_F(TimedMessageTest, AnyKeyClosesAtOnceAndResetsTheBar) {
  for (Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Return, Qt::Key_F5}) {
    QElapsedTimer clock;
    WhenShown([&] { QTest::keyClick(&ttm(), key); });
    clock.start();
    window.TimedMessage(QStringLiteral("a long notice"), 60'000);
    EXPECT_LT(clock.elapsed(), 5000) << key;
    EXPECT_FALSE(ttm().isVisible());
    EXPECT_EQ(ttm().TimeBar->value(), 0);
  }
}

TEST_F(TimedMessageTest, OkButtonCloses) {
  QElapsedTimer clock;
  WhenShown([&] { QTest::mouseClick(ttm().OKBtn, Qt::LeftButton); });
  clock.start();
  window.TimedMessage(QStringLiteral("notice"), 60'000);
  EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(TimedMessageTest, ClosesByItselfAfterItsTimeWithTheBarCountingTenths) {
  int barAtSeventyPercent = -1;
  WhenShown(
      [&] { QTimer::singleShot(1050, &window, [&] { barAtSeventyPercent = ttm().TimeBar->value(); }); });
  QElapsedTimer clock;
  clock.start();
  window.TimedMessage(QStringLiteral("notice"), 1500);
  EXPECT_GE(clock.elapsed(), 1500);
  EXPECT_GE(barAtSeventyPercent, 3);
  EXPECT_LE(barAtSeventyPercent, TTM::kBarSteps);
  EXPECT_EQ(ttm().TimeBar->value(), 0);
}

TEST_F(TimedMessageTest, FontHeightAndPlace) {
  int goHeight = 0, plainHeight = 0;
  QPoint offset;
  WhenShown([&] {
    goHeight = ttm().MessageLbl->font().pixelSize();
    offset = ttm().pos() - window.pos();
    QTest::keyClick(&ttm(), Qt::Key_Space);
  });
  window.TimedMessage(QStringLiteral("GO to the results page"), 400);
  WhenShown([&] {
    plainHeight = ttm().MessageLbl->font().pixelSize();
    QTest::keyClick(&ttm(), Qt::Key_Space);
  });
  window.TimedMessage(QStringLiteral("Going"), 400);  // "Go" is not "GO"
  EXPECT_EQ(goHeight, 21);
  EXPECT_EQ(plainHeight, 15);
  EXPECT_EQ(offset, QPoint(3, 30));
}

TEST_F(TimedMessageTest, NothingShownWhileMinimised) {
  window.showMinimized();
  QElapsedTimer clock;
  clock.start();
  window.TimedMessage(QStringLiteral("notice"), 3000);
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_FALSE(ttm().isVisible());
}

}  // namespace
}  // namespace zorvel::ui::test
