// The main loop: runs the main queue, main-thread timers and display links. The main thread is the
// thread that runs or binds it; a host app calls run(), a test binds its own thread and drives it
// with drain() and runUntil().
#pragma once

#include <functional>

#include "platform/dispatch/clock.h"

namespace dispatch {

// Run-loop modes: a Default timer does not fire while the loop tracks a touch (Tracking);
// a Common timer fires in both.
enum class RunLoopMode { Default, Tracking, Common };

namespace main_loop {

// Makes the calling thread the main thread.
void bind();
bool isMainThread();

// Runs the loop on the calling thread (binding it) until stop() is called.
void run();
void stop();

// Runs every main-queue block and timer due now, including those they schedule for now.
void drain();
// Drains, then keeps running due work until the predicate holds or the timeout passes in real
// time (even on a manual clock, so network completions can arrive). True when the predicate held.
bool runUntil(const std::function<bool()>& predicate, Seconds timeout = Seconds(10));

RunLoopMode mode();
// Tracking while a drag lasts, Default otherwise.
void setMode(RunLoopMode mode);

}  // namespace main_loop
}  // namespace dispatch
