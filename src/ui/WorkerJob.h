// Runs a long job on a worker thread while the window's events keep flowing, so the window
// repaints and the Stop button works; returns when the job has ended. The job talks to the
// window only through its Host, which carries every call over to the window's thread.
#pragma once

#include <QEventLoop>
#include <functional>
#include <thread>

namespace zorvel::ui {

inline void RunOnWorker(const std::function<void()>& job) {
  QEventLoop loop;
  std::thread worker([&] {
    job();
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
}

}  // namespace zorvel::ui
