// Timers on the main loop: one-shot or repeating, in a run-loop mode. A Default timer does not
// fire while the loop tracks a drag; a Common one fires in both modes (a display link is a Common
// timer of one frame's interval whose callback reads tickDate()).
#pragma once

#include <functional>
#include <memory>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"

namespace dispatch {

namespace internal {
class MainLoop;
}

class Timer {
 public:
  using Callback = std::function<void(Timer&)>;

  // Schedules a timer that first fires `interval` from now, on the main thread. The loop keeps
  // the timer alive until it is invalidated (a one-shot timer invalidates itself once fired).
  // A repeating interval shorter than a millisecond counts as a millisecond, so a zero interval
  // cannot keep the loop busy forever.
  static std::shared_ptr<Timer> scheduled(Seconds interval, bool repeats, Callback callback,
                                          RunLoopMode mode = RunLoopMode::Default);

  // Stops the timer and releases its callback (and what it captured). From any thread; on the
  // main thread, the callback never starts again once this returns.
  void invalidate();
  bool isValid() const;

  Seconds interval() const { return interval_; }
  bool repeats() const { return repeats_; }
  RunLoopMode mode() const { return mode_; }
  // When the timer fires next.
  TimePoint fireDate() const;
  // Inside the callback, the time the firing was due (the frame's time for a display link).
  TimePoint tickDate() const;

 private:
  friend class internal::MainLoop;
  struct Private {};

 public:
  Timer(Private, Seconds interval, bool repeats, Callback callback, RunLoopMode mode);

 private:
  const Seconds interval_;
  const bool repeats_;
  const RunLoopMode mode_;
  // Guarded by the main loop's mutex.
  std::shared_ptr<const Callback> callback_;
  TimePoint fireDate_{};
  TimePoint tickDate_{};
  bool valid_ = true;
};

}  // namespace dispatch
