// Serial and concurrent queues on a shared pool of worker threads (a queue is not a thread), and
// the main queue, which the main loop runs. A queue stays alive while it has blocks to run, even
// once its creator has let it go. An exception a block throws is reported on stderr and stops there.
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

  // Serial and main queues run their blocks one at a time in the order given; a concurrent queue
  // starts them in that order, several at once. An empty block is ignored.
  virtual void async(Block block) = 0;
  // Runs the block and returns when it has run. Called on the queue it targets (or on the main
  // thread for the main queue), and always for a concurrent queue, the block runs right there.
  // If main_loop::reset() discards it first, sync returns without running it.
  virtual void sync(Block block) = 0;
  // Runs the block after the delay, measured on the clock in force; no delay means async().
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
