// Minutes are independent, so a file's minutes can be processed on several threads. The pool
// runs one batch of minutes at a time: every worker (the calling thread among them) takes the
// next unprocessed minute of the batch until none is left. Each worker owns its working
// storage, so a minute's result does not depend on which thread processed it.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "callfinder/MinuteWork.h"

namespace zorvel::cf {

class MinutePool {
 public:
  // jobs workers, each with its own MinuteWork; jobs − 1 threads are started.
  MinutePool(int jobs, const FinderSettings& settings);
  ~MinutePool();
  MinutePool(const MinutePool&) = delete;
  MinutePool& operator=(const MinutePool&) = delete;

  int Jobs() const { return static_cast<int>(works_.size()); }

  // Calls task(work, i) for i = 0 … count − 1, spread over the workers; returns when all are done.
  void Run(int count, const std::function<void(MinuteWork&, int)>& task);

 private:
  void WorkerLoop(int index);
  void Drain(int index);

  std::vector<std::unique_ptr<MinuteWork>> works_;
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  const std::function<void(MinuteWork&, int)>* task_ = nullptr;
  int count_ = 0, next_ = 0, finished_ = 0;
  unsigned generation_ = 0;
  int busy_ = 0;
  bool quit_ = false;
};

}  // namespace zorvel::cf
