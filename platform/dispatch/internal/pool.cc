#include "platform/dispatch/internal/pool.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <thread>

#include "platform/dispatch/internal/wait.h"

namespace dispatch::internal {
namespace {

thread_local bool tOnWorker = false;

// Far more than any sane number of simultaneous waits; a bound so a runaway cannot exhaust threads.
constexpr int kMaxThreads = 512;
// A worker beyond the base count leaves after this long without work.
constexpr auto kIdleExit = std::chrono::seconds(10);
// Waking a sleeping worker costs a system call on each side and a scheduler round trip, often more
// than the block it runs. A worker left without work first polls this long, yielding, since a
// completion often brings the next job within it (a reply on loopback, a block chained onto a queue).
constexpr auto kSpinWindow = std::chrono::microseconds(50);

}  // namespace

Pool& Pool::shared() {
  static auto* pool = new Pool;
  return *pool;
}

Pool::Pool() : base_(std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 2, 8)) {}

bool Pool::onWorker() { return tOnWorker; }

void Pool::submit(std::shared_ptr<Job> job) {
  std::lock_guard lock(mutex_);
  ready_.push_back(std::move(job));
  readyCount_.store(ready_.size(), std::memory_order_relaxed);
  // A spinner leaves its spin and looks at ready_ under this mutex, so each spinner counted here
  // will take a job: only the jobs beyond them need a sleeper woken.
  const int jobs = static_cast<int>(ready_.size());
  if (jobs > spinners_ && idle_ > spinners_) work_.notify_one();
  spawnIfNeeded();
}

void Pool::spawnIfNeeded() {
  const int runnable = threads_ - blocked_;
  if (static_cast<int>(ready_.size()) <= idle_ || runnable >= base_ || threads_ >= kMaxThreads) return;
  try {
    std::thread([this] { workerLoop(); }).detach();
    ++threads_;
  } catch (const std::system_error& e) {
    // Out of threads: the blocks wait for a worker already there instead of failing.
    std::fprintf(stderr, "dispatch: cannot start a worker thread: %s\n", e.what());
  }
}

void Pool::markBlocked(Waiter& waiter) {
  if (!waiter.onWorker) return;
  std::lock_guard lock(mutex_);
  if (waiter.countedBlocked) return;
  waiter.countedBlocked = true;
  ++blocked_;
  activity_.notify_all();
  spawnIfNeeded();
}

void Pool::markUnblocked(Waiter& waiter) {
  if (!waiter.onWorker) return;
  std::lock_guard lock(mutex_);
  if (!waiter.countedBlocked) return;
  waiter.countedBlocked = false;
  --blocked_;
}

bool Pool::settled() {
  std::lock_guard lock(mutex_);
  // A worker asking (advance() called from a block) is busy asking, not running.
  return ready_.empty() && running_ - (tOnWorker ? 1 : 0) == blocked_;
}

void Pool::waitActivity(std::chrono::milliseconds most) {
  std::unique_lock lock(mutex_);
  activity_.wait_for(lock, most);
}

bool Pool::awaitWork(std::unique_lock<std::mutex>& lock) {
  ++idle_;
  // One spinner is enough to catch the next job; the others sleep as they would anyway.
  if (spinners_ == 0 && ready_.empty()) spin(lock);
  const bool gotWork = work_.wait_for(lock, kIdleExit, [this] { return !ready_.empty(); });
  --idle_;
  return gotWork;
}

void Pool::spin(std::unique_lock<std::mutex>& lock) {
  ++spinners_;
  lock.unlock();
  const auto deadline = std::chrono::steady_clock::now() + kSpinWindow;
  while (readyCount_.load(std::memory_order_relaxed) == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::yield();
  }
  // Leaving the count and then looking at ready_ (awaitWork's wait) happen in one hold of the
  // mutex: a job submit() left to this spinner is seen there, and a later one finds no spinner
  // and wakes a sleeper.
  lock.lock();
  --spinners_;
}

void Pool::workerLoop() {
  tOnWorker = true;
  std::unique_lock lock(mutex_);
  for (;;) {
    if (!awaitWork(lock)) {
      if (threads_ - blocked_ > base_) {
        --threads_;
        return;
      }
      continue;
    }
    std::shared_ptr<Job> job = std::move(ready_.front());
    ready_.pop_front();
    readyCount_.store(ready_.size(), std::memory_order_relaxed);
    ++running_;
    lock.unlock();
    job->runJob();
    job.reset();
    lock.lock();
    --running_;
    activity_.notify_all();
  }
}

}  // namespace dispatch::internal
