#include "platform/dispatch/group.h"

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/dispatch/internal/wait.h"

namespace dispatch {

struct Group::State {
  using Notification = std::pair<std::shared_ptr<Queue>, Block>;

  std::mutex mutex;
  long count = 0;
  // Counts the times the group became empty, so a waiter sees an emptying even if the group
  // is entered again before the waiter gets to run.
  std::uint64_t emptied = 0;
  std::vector<Notification> notifications;
  std::vector<internal::Waiter*> waiters;

  WaitResult wait(std::optional<TimePoint> deadline) {
    std::unique_lock lock(mutex);
    if (count == 0) return WaitResult::Success;
    const std::uint64_t seen = emptied;
    internal::Waiter waiter(mutex, deadline);
    waiters.push_back(&waiter);
    bool done = internal::block(lock, waiter, [&] { return emptied != seen; });
    std::erase(waiters, &waiter);
    return done ? WaitResult::Success : WaitResult::TimedOut;
  }
};

Group::Group() : state_(std::make_shared<State>()) {}

void Group::enter() {
  std::lock_guard lock(state_->mutex);
  ++state_->count;
}

void Group::leave() {
  std::vector<State::Notification> due;
  {
    std::lock_guard lock(state_->mutex);
    if (state_->count == 0 || --state_->count > 0) return;
    ++state_->emptied;
    for (internal::Waiter* waiter : state_->waiters) internal::wake(*waiter);
    due.swap(state_->notifications);
  }
  for (auto& [queue, block] : due) queue->async(std::move(block));
}

void Group::notify(std::shared_ptr<Queue> queue, Block block) {
  if (!block) return;
  if (!queue) queue = global();
  {
    std::lock_guard lock(state_->mutex);
    if (state_->count > 0) {
      state_->notifications.emplace_back(std::move(queue), std::move(block));
      return;
    }
  }
  queue->async(std::move(block));
}

WaitResult Group::wait(Seconds timeout) { return state_->wait(internal::deadlineAfter(timeout)); }

void Group::wait() { state_->wait(std::nullopt); }

}  // namespace dispatch
