// A display link: a callback once a frame (60 times a second) on the main loop's clock, for
// animations drawn by hand (a counting label). It runs in the run-loop modes it was added to; added
// to the default and the tracking mode, it goes on while the user drags a scroll view. The main
// loop keeps a link that runs (and what its callback holds) until it is invalidated.
#pragma once

#include <functional>
#include <memory>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"

namespace dispatch {
class Timer;
}

namespace ui {

class DisplayLink : public std::enable_shared_from_this<DisplayLink> {
 public:
  static constexpr double kFrameRate = 60;
  using Callback = std::function<void(DisplayLink& link)>;

  // init(target:selector:); it does not run until added to a mode.
  static std::shared_ptr<DisplayLink> create(Callback callback);
  ~DisplayLink();
  DisplayLink(const DisplayLink&) = delete;
  DisplayLink& operator=(const DisplayLink&) = delete;

  // add(to: main, forMode:): runs in that mode too from now on.
  void add(dispatch::RunLoopMode mode);
  // Stops for good and lets go of the callback.
  void invalidate();
  bool isValid() const { return valid_; }
  // A paused link skips its frames.
  bool isPaused() const { return paused_; }
  void setPaused(bool paused) { paused_ = paused; }

  // Seconds on the clock: the frame that fired last, and the one after it.
  double timestamp() const { return timestamp_; }
  double targetTimestamp() const { return timestamp_ + duration(); }
  // The time between frames.
  double duration() const { return 1 / kFrameRate; }

 private:
  struct Private {};

 public:
  DisplayLink(Private, Callback callback);

 private:
  void schedule();

  Callback callback_;
  bool inDefault_ = false;
  bool inTracking_ = false;
  bool valid_ = true;
  bool paused_ = false;
  double timestamp_ = 0;
  std::shared_ptr<dispatch::Timer> timer_;
};

}  // namespace ui
