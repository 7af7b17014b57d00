// The server's connection threads: one thread per connection in progress, up to a limit, made only when
// no idle thread is waiting and kept until shutdown. An idle server holds few threads, and a burst of
// connections is not held up behind a fixed pool whose threads sit on idle keep-alive connections.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <httplib.h>

namespace mock {

class GrowingTaskQueue : public httplib::TaskQueue {
 public:
  explicit GrowingTaskQueue(size_t maxThreads);
  ~GrowingTaskQueue() override;

  void enqueue(std::function<void()> job) override;
  void shutdown() override;
  // Returns once no job is queued or running.
  void waitUntilIdle();

 private:
  void work();

  const size_t maxThreads_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::condition_variable idleChanged_;
  std::deque<std::function<void()>> jobs_;
  std::vector<std::thread> threads_;
  size_t idle_ = 0;
  bool shutdown_ = false;
};

}  // namespace mock
