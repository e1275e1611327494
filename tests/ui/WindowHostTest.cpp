#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

#include "ui/ClickLabel.h"
#include "ui/UiTestSupport.h"

namespace zorvel::ui::test {
namespace {

// Runs job on a worker thread while the window's thread keeps handling events.
template <typename Job>
void RunOnWorker(Job job) {
  std::atomic<bool> done{false};
  std::thread worker([&] {
    job();
    done = true;
  });
  while (!done) QTest::qWait(5);
  worker.join();
}

TEST(WindowHost, CallsFromAWorkerAreCarriedToTheWindowThread) {
  Recorder rec;
  rec.answer = Answer::Yes;
  rec.savePath = QStringLiteral("/tmp/chosen.txt");
  StartupOptions options = rec.Options();
  QThread* timedThread = nullptr;
  QThread* askThread = nullptr;
  auto recordTimed = options.hooks.timedMessage;
  options.hooks.timedMessage = [&](const QString& text, int ms) {
    timedThread = QThread::currentThread();
    recordTimed(text, ms);
  };
  auto recordAsk = options.hooks.ask;
  options.hooks.ask = [&](const QString& question, Buttons buttons) {
    askThread = QThread::currentThread();
    return recordAsk(question, buttons);
  };
  TB window(options);

  Answer answer = Answer::Cancel;
  std::optional<std::string> path;
  bool stop = true;
  RunOnWorker([&] {
    Host& host = window.host();
    for (int i = 0; i < 100; ++i) host.AddLine(Memo::DataMemo, "line " + std::to_string(i));
    host.Progress("File 3 of 7", 3, 7);
    answer = host.Ask("Go on?", Buttons::YesNo);
    path = host.ChooseSavePath(SaveRequest{"Save", "", ""});
    host.TimedMessage("from a worker", 2000);
    stop = host.StopRequested();
  });

  EXPECT_EQ(answer, Answer::Yes);
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, "/tmp/chosen.txt");
  EXPECT_FALSE(stop);
  EXPECT_EQ(timedThread, window.thread());
  EXPECT_EQ(askThread, window.thread());
  ASSERT_EQ(rec.timed.size(), 1u);
  EXPECT_EQ(rec.timed[0].first, QStringLiteral("from a worker"));
  // Lines arrive whole and in the order sent, before the answers that followed them.
  const QStringList lines = window.DataMemo->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 100);
  EXPECT_EQ(lines.front(), QStringLiteral("line 0"));
  EXPECT_EQ(lines.back(), QStringLiteral("line 99"));
  EXPECT_EQ(window.BigLbl->text(), QStringLiteral("File 3 of 7"));
  EXPECT_EQ(window.BatchProgressBar->value(), 3);
  EXPECT_EQ(window.BatchProgressBar->maximum(), 7);
}

TEST(WindowHost, StopRequestSeenByAWorker) {
  Recorder rec;
  TB window(rec.Options());
  window.SetBatchRunning(true);
  std::atomic<int> minutesDone{0};
  std::atomic<bool> started{false};
  std::thread worker([&] {
    started = true;
    while (!window.host().StopRequested() && minutesDone < 1'000'000) {
      ++minutesDone;
      QThread::usleep(100);
    }
  });
  while (!started) QTest::qWait(1);
  QTest::qWait(20);
  window.StopShowBtnClick();
  worker.join();
  EXPECT_LT(minutesDone, 1'000'000);
}

}  // namespace
}  // namespace zorvel::ui::test
