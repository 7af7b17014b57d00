#include "tools/mock-server/task_queue.h"

#include <algorithm>

namespace mock {

GrowingTaskQueue::GrowingTaskQueue(size_t maxThreads) : maxThreads_(std::max<size_t>(maxThreads, 1)) {}

GrowingTaskQueue::~GrowingTaskQueue() { shutdown(); }

void GrowingTaskQueue::enqueue(std::function<void()> job) {
  {
    std::lock_guard lock(mutex_);
    if (shutdown_) return;
    jobs_.push_back(std::move(job));
    if (idle_ < jobs_.size() && threads_.size() < maxThreads_) threads_.emplace_back([this] { work(); });
  }
  ready_.notify_one();
}

void GrowingTaskQueue::shutdown() {
  std::vector<std::thread> threads;
  {
    std::lock_guard lock(mutex_);
    shutdown_ = true;
    threads.swap(threads_);
  }
  ready_.notify_all();
  for (auto& thread : threads) thread.join();
}

void GrowingTaskQueue::waitUntilIdle() {
  std::unique_lock lock(mutex_);
  idleChanged_.wait(lock, [this] { return shutdown_ || (jobs_.empty() && idle_ == threads_.size()); });
}

void GrowingTaskQueue::work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    ++idle_;
    idleChanged_.notify_all();
    ready_.wait(lock, [this] { return !jobs_.empty() || shutdown_; });
    --idle_;
    // Jobs queued before the shutdown still run: each owns an accepted socket that it must close.
    if (jobs_.empty()) return;
    auto job = std::move(jobs_.front());
    jobs_.pop_front();
    lock.unlock();
    job();
    lock.lock();
  }
}

}  // namespace mock
