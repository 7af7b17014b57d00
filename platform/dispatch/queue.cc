#include "platform/dispatch/queue.h"

#include <deque>
#include <mutex>
#include <vector>

#include "platform/dispatch/internal/main_loop_impl.h"
#include "platform/dispatch/internal/pool.h"
#include "platform/dispatch/internal/run_block.h"
#include "platform/dispatch/internal/scheduler.h"
#include "platform/dispatch/internal/wait.h"

namespace dispatch {
namespace {

// The queues whose blocks the calling thread is running, innermost last (sync nests them).
thread_local std::vector<const Queue*> tCurrent;

class CurrentScope {
 public:
  explicit CurrentScope(const Queue* queue) { tCurrent.push_back(queue); }
  ~CurrentScope() { tCurrent.pop_back(); }
  CurrentScope(const CurrentScope&) = delete;
  CurrentScope& operator=(const CurrentScope&) = delete;
};

bool isCurrentQueue(const Queue* queue) {
  for (const Queue* q : tCurrent) {
    if (q == queue) return true;
  }
  return false;
}

// Posts the block to the queue and waits until it has run. The wait ends when the posted copy is
// destroyed: after it ran, or if it was discarded (main_loop::reset()), so no caller hangs.
void postAndWait(Queue& queue, const Block& block) {
  struct State {
    std::mutex mutex;
    bool done = false;
    internal::Waiter waiter{mutex};
  };
  struct Done {
    std::shared_ptr<State> state;
    ~Done() {
      std::lock_guard lock(state->mutex);
      state->done = true;
      internal::wake(state->waiter);
    }
  };
  auto state = std::make_shared<State>();
  auto done = std::make_shared<Done>();
  done->state = state;
  queue.async([done, &block] { block(); });
  done.reset();
  std::unique_lock lock(state->mutex);
  internal::block(lock, state->waiter, [&] { return state->done; });
}

void delayOnto(std::shared_ptr<Queue> queue, Seconds delay, Block block) {
  if (!block) return;
  TimePoint deadline = internal::deadlineAfter(delay);
  if (deadline <= now()) return queue->async(std::move(block));
  internal::Scheduler::shared().add(deadline, std::move(queue), std::move(block));
}

// A serial or concurrent queue: blocks wait here and the pool runs them. The pool holds the queue
// while it has work, so a queue nobody else holds still runs what it was given.
class PoolQueue final : public Queue, public internal::Job, public std::enable_shared_from_this<PoolQueue> {
 public:
  PoolQueue(std::string label, Kind kind) : label_(std::move(label)), kind_(kind) {}

  void async(Block block) override {
    if (!block) return;
    bool submit = true;
    {
      std::lock_guard lock(mutex_);
      blocks_.push_back(std::move(block));
      if (kind_ == Kind::Serial) {
        submit = !scheduled_;
        scheduled_ = true;
      }
    }
    if (submit) internal::Pool::shared().submit(shared_from_this());
  }

  void sync(Block block) override {
    if (!block) return;
    // On the queue already, waiting would never end; a concurrent queue needs no turn.
    if (kind_ == Kind::Concurrent || isCurrent()) {
      CurrentScope scope(this);
      internal::runGuarded(block, label_);
      return;
    }
    postAndWait(*this, block);
  }

  void asyncAfter(Seconds delay, Block block) override { delayOnto(shared_from_this(), delay, std::move(block)); }

  const std::string& label() const override { return label_; }
  Kind kind() const override { return kind_; }
  bool isCurrent() const override { return isCurrentQueue(this); }

  // One block a turn, then back of the line, so a busy serial queue cannot starve the others.
  void runJob() override {
    Block block;
    {
      std::lock_guard lock(mutex_);
      block = std::move(blocks_.front());
      blocks_.pop_front();
    }
    {
      CurrentScope scope(this);
      internal::runGuarded(block, label_);
    }
    block = nullptr;  // its captures go before the next block starts
    if (kind_ != Kind::Serial) return;
    {
      std::lock_guard lock(mutex_);
      scheduled_ = !blocks_.empty();
      if (!scheduled_) return;
    }
    internal::Pool::shared().submit(shared_from_this());
  }

 private:
  const std::string label_;
  const Kind kind_;
  std::mutex mutex_;
  std::deque<Block> blocks_;
  bool scheduled_ = false;  // serial: in the pool's line or running
};

class MainQueue final : public Queue, public std::enable_shared_from_this<MainQueue> {
 public:
  void async(Block block) override {
    if (block) internal::MainLoop::shared().post(std::move(block));
  }

  void sync(Block block) override {
    if (!block) return;
    if (isCurrent()) {
      internal::runGuarded(block, label_);
      return;
    }
    postAndWait(*this, block);
  }

  void asyncAfter(Seconds delay, Block block) override { delayOnto(shared_from_this(), delay, std::move(block)); }

  const std::string& label() const override { return label_; }
  Kind kind() const override { return Kind::Main; }
  bool isCurrent() const override { return internal::MainLoop::shared().isMainThread(); }

 private:
  const std::string label_ = "main";
};

}  // namespace

std::shared_ptr<Queue> Queue::serial(std::string label) {
  return std::make_shared<PoolQueue>(std::move(label), Kind::Serial);
}

std::shared_ptr<Queue> Queue::concurrent(std::string label) {
  return std::make_shared<PoolQueue>(std::move(label), Kind::Concurrent);
}

std::shared_ptr<Queue> main() {
  static auto* queue = new std::shared_ptr<Queue>(std::make_shared<MainQueue>());
  return *queue;
}

std::shared_ptr<Queue> global() {
  static auto* queue = new std::shared_ptr<Queue>(Queue::concurrent("global"));
  return *queue;
}

}  // namespace dispatch
