// The main loop's state: the main queue's blocks, the timers and the thread bound as main.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"

namespace dispatch {
class Timer;
}

namespace dispatch::internal {

class MainLoop {
 public:
  static MainLoop& shared();

  void post(Block block);
  void bind();
  bool isMainThread() const;
  void run();
  void stop();
  void drain();
  bool runUntil(const std::function<bool()>& predicate, Seconds timeout);
  RunLoopMode mode() const;
  void setMode(RunLoopMode mode);
  void reset();
  void setEventSource(main_loop::EventSource* source);

  void addTimer(std::shared_ptr<Timer> timer);
  // Takes the timer off the loop; its callback is destroyed outside the lock.
  void invalidate(Timer& timer);
  // Fires, on the main thread, each timer due by `upTo` whose mode the loop is in. True if one
  // fired. A repeating timer moves past `upTo` when it fires, so each fires once a call.
  bool fireDueTimers(TimePoint upTo);
  std::optional<TimePoint> nextTimerAfter(TimePoint now);

  // Makes a waiting loop look again (new timer, new clock, time moved).
  void wake();
  bool hasBlocks();
  // Guards the loop's state, the timers' fields included.
  std::unique_lock<std::mutex> lock() const { return std::unique_lock(mutex_); }

 private:
  MainLoop() = default;
  bool ensureMainThread();
  bool runPendingBlocks();
  std::shared_ptr<Timer> takeDueTimerLocked(TimePoint now);
  void waitForWork(std::optional<std::chrono::steady_clock::time_point> until);
  // One round of the event source: prepare, poll (with the loop's wake-up) for at most `timeoutMs`
  // (negative: no limit), dispatch. Main thread, without the mutex.
  void serveSource(main_loop::EventSource& source, int timeoutMs);
  // Counts a wake-up and wakes a waiting loop, on its condition or its descriptor.
  void notifyLocked();

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> blocks_;
  std::vector<std::shared_ptr<Timer>> timers_;
  std::atomic<std::thread::id> thread_{};
  std::atomic<RunLoopMode> mode_{RunLoopMode::Default};
  bool stopRequested_ = false;
  std::uint64_t wakeups_ = 0;
  // Set and read on the main thread only.
  main_loop::EventSource* source_ = nullptr;
  // An eventfd written on every wake-up while a source is installed: the loop's own wake-up among
  // the source's descriptors. Made with the first source, kept for the life of the process.
  int wakeFd_ = -1;
  bool wakeFdArmed_ = false;  // guarded by mutex_
};

}  // namespace dispatch::internal
