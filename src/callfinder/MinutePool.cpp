#include "callfinder/MinutePool.h"

#include <algorithm>

namespace zorvel::cf {

MinutePool::MinutePool(int jobs, const FinderSettings& settings) {
  jobs = std::max(1, jobs);
  works_.resize(static_cast<size_t>(jobs));
  // Each worker makes its own working storage, so the several megabytes of each are set up at
  // the same time, on the thread that will use them.
  int made = 1;
  for (int i = 1; i < jobs; ++i)
    threads_.emplace_back([this, i, &settings, &made] {
      auto work = std::make_unique<MinuteWork>(settings);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        works_[static_cast<size_t>(i)] = std::move(work);
        ++made;
      }
      done_.notify_all();
      WorkerLoop(i);
    });
  works_[0] = std::make_unique<MinuteWork>(settings);
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [&] { return made == jobs; });
}

MinutePool::~MinutePool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void MinutePool::Drain(int index) {
  for (;;) {
    int i;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (next_ >= count_) return;
      i = next_++;
    }
    (*task_)(*works_[static_cast<size_t>(index)], i);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ++finished_;
    }
  }
}

void MinutePool::WorkerLoop(int index) {
  unsigned seen = 0;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return quit_ || generation_ != seen; });
      if (quit_) return;
      seen = generation_;
      ++busy_;
    }
    Drain(index);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      --busy_;
    }
    done_.notify_all();
  }
}

void MinutePool::Run(int count, const std::function<void(MinuteWork&, int)>& task) {
  if (count <= 0) return;
  if (threads_.empty()) {
    for (int i = 0; i < count; ++i) task(*works_[0], i);
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    task_ = &task;
    count_ = count;
    next_ = 0;
    finished_ = 0;
    ++generation_;
  }
  wake_.notify_all();
  Drain(0);
  std::unique_lock<std::mutex> lock(mutex_);
  // Wait until every minute is finished and no worker still holds the task.
  done_.wait(lock, [&] { return finished_ == count_ && busy_ == 0; });
  task_ = nullptr;
}

}  // namespace zorvel::cf
