#include "platform/dispatch/main_loop.h"

#include "platform/dispatch/internal/main_loop_impl.h"

namespace dispatch::main_loop {

void bind() { internal::MainLoop::shared().bind(); }
bool isMainThread() { return internal::MainLoop::shared().isMainThread(); }
void run() { internal::MainLoop::shared().run(); }
void stop() { internal::MainLoop::shared().stop(); }
void drain() { internal::MainLoop::shared().drain(); }

bool runUntil(const std::function<bool()>& predicate, Seconds timeout) {
  return internal::MainLoop::shared().runUntil(predicate, timeout);
}

RunLoopMode mode() { return internal::MainLoop::shared().mode(); }
void setMode(RunLoopMode mode) { internal::MainLoop::shared().setMode(mode); }
void setEventSource(EventSource* source) { internal::MainLoop::shared().setEventSource(source); }
void reset() { internal::MainLoop::shared().reset(); }

TestScope::TestScope() {
  reset();
  bind();
}

TestScope::~TestScope() { reset(); }

}  // namespace dispatch::main_loop
