// The one clock everything that tells time reads: deadlines, timers, delayed blocks, semaphore
// time-outs, animations, Date::now() and the time zone. Tests install a ManualClock and advance it.
#pragma once

#include <chrono>
#include <memory>

namespace dispatch {

using Seconds = std::chrono::duration<double>;
// Monotonic time since an arbitrary epoch.
using TimePoint = std::chrono::time_point<std::chrono::steady_clock, std::chrono::nanoseconds>;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimePoint now() const = 0;
  // Wall time in seconds since 1970.
  virtual double wallSeconds() const = 0;
  // Offset of the current time zone from UTC, in seconds (east positive).
  virtual int timeZoneOffsetSeconds() const = 0;
  virtual bool isManual() const { return false; }
};

// The clock in force; the steady and system clocks unless a test installed another.
Clock& clock();
TimePoint now();
// Installs a clock for the whole process (nullptr restores the system clock). Blocks delayed while
// a manual clock was in force are destroyed, not run, when it is replaced: their time ended with it.
void setClock(std::shared_ptr<Clock> clock);

class SystemClock final : public Clock {
 public:
  TimePoint now() const override;
  double wallSeconds() const override;
  int timeZoneOffsetSeconds() const override;
};

// A clock that only moves when told. It starts at the real monotonic time (so blocks already
// delayed on the system clock stay as far in the future) and at the given wall time.
//
// advance(by), when this clock is in force, steps through every deadline up to now + by in order:
// at each it hands the delayed blocks due to their queues, wakes the semaphore and group waits
// whose time-out passed, and fires the main loop's due timers (a repeating timer once per tick).
// Before stepping on it lets the work it set off settle: until worker blocks have finished or
// block in a dispatch wait, and, when advance() is called on the main thread, the main queue is
// empty (it runs it). So a block fired at 1 s that delays another by 1 s fires within advance(3s),
// and a 10-second time-out takes no real time. Settling gives up after 2 real seconds for work
// that blocks outside dispatch (a mutex, a socket). Called off the main thread, advance() only
// wakes the main loop, which then fires its overdue timers once each, as after any stall.
// Monotonic and wall time move together; a negative step counts as none.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(double wallSeconds = 1'780'000'000.0, int timeZoneOffsetSeconds = 0);
  TimePoint now() const override;
  double wallSeconds() const override;
  int timeZoneOffsetSeconds() const override;
  bool isManual() const override { return true; }

  void advance(Seconds by);
  void setWallSeconds(double seconds);
  void setTimeZoneOffsetSeconds(int seconds);

 private:
  void moveTo(TimePoint t);

  struct State;
  std::shared_ptr<State> state_;
};

// Installs a ManualClock for the life of a test and restores the system clock after.
class ScopedManualClock {
 public:
  explicit ScopedManualClock(double wallSeconds = 1'780'000'000.0, int timeZoneOffsetSeconds = 0);
  ~ScopedManualClock();
  ManualClock& operator*() { return *clock_; }
  ManualClock* operator->() { return clock_.get(); }

 private:
  std::shared_ptr<ManualClock> clock_;
};

}  // namespace dispatch
