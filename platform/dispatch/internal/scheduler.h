// Delayed blocks: kept in deadline order and handed to their queues when due. On the system clock
// a thread of its own waits for the next deadline; on a manual clock advance() hands them over.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/dispatch/queue.h"

namespace dispatch::internal {

class Scheduler {
 public:
  static Scheduler& shared();

  void add(TimePoint deadline, std::shared_ptr<Queue> queue, Block block);
  // Hands every block due at `now` to its queue, in deadline order (then in the order added).
  void fireDue(TimePoint now);
  std::optional<TimePoint> nextAfter(TimePoint now);
  // Destroys, without running them, the blocks scheduled while the given clock generation was in
  // force (all of them when none is given).
  void drop(std::optional<std::uint64_t> generation = std::nullopt);
  // The clock changed: look again at what is due and how to wait.
  void clockChanged();

 private:
  struct Entry {
    std::uint64_t generation;
    std::shared_ptr<Queue> queue;
    Block block;
  };
  Scheduler() = default;
  void startThreadLocked();
  void threadLoop();
  std::multimap<TimePoint, Entry> takeDueLocked(TimePoint now);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::multimap<TimePoint, Entry> entries_;
  bool threadStarted_ = false;
  std::uint64_t wakeups_ = 0;
};

}  // namespace dispatch::internal
