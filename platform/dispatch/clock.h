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
// Installs a clock for the whole process (nullptr restores the system clock).
void setClock(std::shared_ptr<Clock> clock);

class SystemClock final : public Clock {
 public:
  TimePoint now() const override;
  double wallSeconds() const override;
  int timeZoneOffsetSeconds() const override;
};

// A clock that only moves when told. advance() fires, in deadline order, exactly the timers and
// delayed blocks due by the new time (on whatever queue they belong to) and wakes semaphore waits
// whose deadline passed.
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
