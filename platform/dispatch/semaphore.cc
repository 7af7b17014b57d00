#include "platform/dispatch/semaphore.h"

#include <algorithm>
#include <deque>
#include <mutex>

#include "platform/dispatch/internal/wait.h"

namespace dispatch {

// Waiters are served first come, first served; a signal hands its unit straight to the waiter.
struct Semaphore::State {
  struct Ticket {
    Ticket(std::mutex& mutex, std::optional<TimePoint> deadline) : waiter(mutex, deadline) {}
    internal::Waiter waiter;
    bool granted = false;
  };

  WaitResult wait(std::optional<TimePoint> deadline) {
    std::unique_lock lock(mutex);
    if (value > 0) {
      --value;
      return WaitResult::Success;
    }
    Ticket ticket(mutex, deadline);
    tickets.push_back(&ticket);
    if (internal::block(lock, ticket.waiter, [&] { return ticket.granted; })) return WaitResult::Success;
    tickets.erase(std::find(tickets.begin(), tickets.end(), &ticket));
    return WaitResult::TimedOut;
  }

  void signal() {
    std::lock_guard lock(mutex);
    if (tickets.empty()) {
      ++value;
      return;
    }
    Ticket* ticket = tickets.front();
    tickets.pop_front();
    ticket->granted = true;
    internal::wake(ticket->waiter);
  }

  std::mutex mutex;
  long value = 0;
  std::deque<Ticket*> tickets;
};

Semaphore::Semaphore(long value) : state_(std::make_shared<State>()) { state_->value = std::max(value, 0L); }

WaitResult Semaphore::wait(Seconds timeout) { return state_->wait(internal::deadlineAfter(timeout)); }

void Semaphore::wait() { state_->wait(std::nullopt); }

void Semaphore::signal() { state_->signal(); }

}  // namespace dispatch
