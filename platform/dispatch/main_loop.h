// The main loop: runs the main queue, main-thread timers and display links. The main thread is the
// thread that runs or binds it; a host app calls run(), a test binds its own thread and drives it
// with drain() and runUntil().
//
// Until a thread is bound, main-queue blocks and timers wait (as on a platform whose main loop has
// not started); the first drain(), runUntil() or run() binds the calling thread when none is bound.
// Tests: each test process may run many tests on one thread, so a test starts and ends with reset()
// (or holds a TestScope), which discards whatever an earlier test left behind.
#pragma once

#include <poll.h>

#include <functional>
#include <vector>

#include "platform/dispatch/clock.h"

namespace dispatch {

// Run-loop modes: a Default timer does not fire while the loop tracks a touch (Tracking);
// a Common timer fires in both.
enum class RunLoopMode { Default, Tracking, Common };

namespace main_loop {

// Makes the calling thread the main thread (from then on, it alone runs main-queue blocks).
void bind();
bool isMainThread();

// Runs the loop on the calling thread (binding it) until stop() is called.
void run();
void stop();

// Runs every main-queue block and timer due now, including those they schedule for now. Does
// nothing when called off the main thread.
void drain();
// Drains, then keeps running due work until the predicate holds or the timeout passes in real
// time (even on a manual clock, so network completions can arrive). True when the predicate held.
// Off the main thread it only watches the predicate.
bool runUntil(const std::function<bool()>& predicate, Seconds timeout = Seconds(10));

RunLoopMode mode();
// Tracking while a drag lasts, Default otherwise (Common describes timers; set, it means Default).
// Default timers that fell due during tracking fire once when it ends.
void setMode(RunLoopMode mode);

// Another source of events served on the main thread (a toolkit's event context). While one is
// installed the loop dispatches it each time round and sleeps on its descriptors as well as on its
// own wake-up, so the source's callbacks arrive on the main thread like every other event.
class EventSource {
 public:
  virtual ~EventSource() = default;
  // Before a wait: appends the descriptors to watch and returns the longest wait it allows, in
  // milliseconds (negative: no limit; 0: something is ready now).
  virtual int prepare(std::vector<pollfd>& fds) = 0;
  // After the wait: `fds` as prepare() left them, with the events the wait saw. Dispatches what is
  // ready. Every prepare() is followed by one dispatch().
  virtual void dispatch(const std::vector<pollfd>& fds) = 0;
};

// Installs the source (null removes it); one at a time. The caller keeps it alive while installed.
// Main thread.
void setEventSource(EventSource* source);

// For tests: destroys, without running them, the pending main-queue blocks, every timer
// (invalidated) and every delayed block not yet due on any queue; unbinds the main thread; mode
// back to Default. A sync() onto the main queue that was waiting returns. Work already handed to
// a worker queue is not recalled: a test waits for its own work before it ends.
void reset();

// reset() and bind() now, reset() again at the end of the scope.
class TestScope {
 public:
  TestScope();
  ~TestScope();
  TestScope(const TestScope&) = delete;
  TestScope& operator=(const TestScope&) = delete;
};

}  // namespace main_loop
}  // namespace dispatch
