// The shared pool of worker threads that runs every serial and concurrent queue. It keeps `base`
// threads runnable: a worker blocked in a dispatch wait does not count, so a second thread takes
// over the queues while one waits seconds on a semaphore.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace dispatch::internal {

struct Waiter;

// A queue with work ready: the worker that picks it runs one block.
class Job {
 public:
  virtual ~Job() = default;
  virtual void runJob() = 0;
};

class Pool {
 public:
  static Pool& shared();

  void submit(std::shared_ptr<Job> job);

  // Called with the waiter's mutex held.
  void markBlocked(Waiter& waiter);
  void markUnblocked(Waiter& waiter);

  // Nothing is ready to run and every busy worker (but the calling one) is blocked in a dispatch
  // wait.
  bool settled();
  // Waits, in real time, for a worker to finish a block or block in a wait (or for `most`).
  void waitActivity(std::chrono::milliseconds most);

  static bool onWorker();

 private:
  Pool();
  void spawnIfNeeded();  // pool mutex held
  void workerLoop();
  // With the pool mutex held by `lock`: waits for a job to be ready. False after a long time
  // without one.
  bool awaitWork(std::unique_lock<std::mutex>& lock);
  // With the pool mutex held by `lock`: polls for a job, without the lock, for a short while.
  void spin(std::unique_lock<std::mutex>& lock);

  std::mutex mutex_;
  std::condition_variable work_;
  std::condition_variable activity_;
  std::deque<std::shared_ptr<Job>> ready_;
  // ready_.size(), stored with the mutex held, for a spinning worker to read without it.
  std::atomic<std::size_t> readyCount_ = 0;
  const int base_;
  int threads_ = 0;
  int idle_ = 0;     // spinners included
  int spinners_ = 0;  // idle workers polling readyCount_ rather than asleep on work_
  int running_ = 0;
  int blocked_ = 0;
};

}  // namespace dispatch::internal
