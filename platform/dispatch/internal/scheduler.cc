#include "platform/dispatch/internal/scheduler.h"

#include <thread>
#include <vector>

#include "platform/dispatch/internal/clock_internal.h"

namespace dispatch::internal {

Scheduler& Scheduler::shared() {
  static auto* scheduler = new Scheduler;
  return *scheduler;
}

void Scheduler::add(TimePoint deadline, std::shared_ptr<Queue> queue, Block block) {
  std::lock_guard lock(mutex_);
  entries_.emplace(deadline, Entry{clockGeneration(), std::move(queue), std::move(block)});
  startThreadLocked();
  ++wakeups_;
  changed_.notify_all();
}

std::multimap<TimePoint, Scheduler::Entry> Scheduler::takeDueLocked(TimePoint now) {
  std::multimap<TimePoint, Entry> due;
  auto end = entries_.upper_bound(now);
  due.insert(std::make_move_iterator(entries_.begin()), std::make_move_iterator(end));
  entries_.erase(entries_.begin(), end);
  return due;
}

void Scheduler::fireDue(TimePoint now) {
  std::multimap<TimePoint, Entry> due;
  {
    std::lock_guard lock(mutex_);
    due = takeDueLocked(now);
  }
  for (auto& [deadline, entry] : due) entry.queue->async(std::move(entry.block));
}

std::optional<TimePoint> Scheduler::nextAfter(TimePoint now) {
  std::lock_guard lock(mutex_);
  auto next = entries_.upper_bound(now);
  if (next == entries_.end()) return std::nullopt;
  return next->first;
}

void Scheduler::drop(std::optional<std::uint64_t> generation) {
  std::vector<Entry> dropped;  // destroyed after the lock: their captures may call back into us
  {
    std::lock_guard lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end();) {
      if (generation && it->second.generation != *generation) {
        ++it;
        continue;
      }
      dropped.push_back(std::move(it->second));
      it = entries_.erase(it);
    }
  }
}

void Scheduler::clockChanged() {
  std::lock_guard lock(mutex_);
  ++wakeups_;
  changed_.notify_all();
}

void Scheduler::startThreadLocked() {
  if (threadStarted_) return;
  threadStarted_ = true;
  std::thread([this] { threadLoop(); }).detach();
}

// Only on the system clock: on a manual one, advance() hands the due blocks over itself.
void Scheduler::threadLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    const bool manual = clockIsManual();
    if (!manual) {
      auto due = takeDueLocked(now());
      if (!due.empty()) {
        lock.unlock();
        for (auto& [deadline, entry] : due) entry.queue->async(std::move(entry.block));
        due.clear();
        lock.lock();
        continue;
      }
    }
    const std::uint64_t seen = wakeups_;
    auto changed = [&] { return wakeups_ != seen; };
    if (manual || entries_.empty()) {
      changed_.wait(lock, changed);
    } else {
      const TimePoint next = entries_.begin()->first;  // a copy: the entry may go while we wait
      changed_.wait_until(lock, next, changed);
    }
  }
}

}  // namespace dispatch::internal
