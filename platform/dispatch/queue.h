// Serial and concurrent queues on a shared pool of worker threads (a queue is not a thread), and
// the main queue, which the main loop runs.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/dispatch/clock.h"

namespace dispatch {

using Block = std::function<void()>;

class Queue {
 public:
  enum class Kind { Serial, Concurrent, Main };
  virtual ~Queue() = default;

  static std::shared_ptr<Queue> serial(std::string label);
  static std::shared_ptr<Queue> concurrent(std::string label);

  virtual void async(Block block) = 0;
  // Runs the block and returns when it has run. Never call on the queue you are on (serial).
  virtual void sync(Block block) = 0;
  // Runs the block after the delay, measured on the clock in force.
  virtual void asyncAfter(Seconds delay, Block block) = 0;

  virtual const std::string& label() const = 0;
  virtual Kind kind() const = 0;
  // True while the calling thread runs a block of this queue.
  virtual bool isCurrent() const = 0;
};

// The main queue: its blocks run on the main thread, inside the main loop.
std::shared_ptr<Queue> main();
// A process-wide concurrent queue (the platform's global queue).
std::shared_ptr<Queue> global();

}  // namespace dispatch
