// View::animate and friends: the changes an animations block makes are recorded as layer
// animations, and one transaction per block waits for them to end.
#include <algorithm>
#include <utility>

#include "platform/dispatch/queue.h"
#include "platform/dispatch/timer.h"
#include "platform/ui/view.h"

namespace ui {
namespace {

struct Transaction {
  View::Completion completion;
  int pending = 0;          // animations recorded and not yet ended
  bool finished = true;     // false once one was cut short
  bool sealed = false;      // the block has returned: no more animations will join
  bool done = false;
  bool replacing = false;   // the block animates a property it already animated
  std::vector<std::pair<const Layer*, std::string>> animated;
};

struct Block {
  double duration;
  double delay;
  AnimationOptions options;
  std::optional<Spring> spring;
  std::shared_ptr<Transaction> transaction;
};

// UI work is on the main thread; per thread anyway so that nothing is shared.
thread_local std::vector<Block> tBlocks;
thread_local int tDisabled = 0;

void complete(const std::shared_ptr<Transaction>& transaction) {
  if (transaction->done) return;
  transaction->done = true;
  if (transaction->completion) transaction->completion(transaction->finished);
}

void animationEnded(const std::shared_ptr<Transaction>& transaction, bool finished) {
  transaction->pending--;
  if (transaction->replacing) return;  // the block's own later value took over
  if (!finished) transaction->finished = false;
  if (transaction->pending > 0 || !transaction->sealed) return;
  if (finished) {
    complete(transaction);
  } else {
    // Cut short by something under way (a new animation, a removal): report on a later turn.
    dispatch::main()->async([transaction] { complete(transaction); });
  }
}

TimingFunction curve(AnimationOptions options) {
  switch ((static_cast<unsigned>(options) >> 16) & 0xF) {
    case 1: return TimingFunction::named(TimingFunction::Name::easeIn);
    case 2: return TimingFunction::named(TimingFunction::Name::easeOut);
    case 3: return TimingFunction::named(TimingFunction::Name::linear);
    default: return TimingFunction::named(TimingFunction::Name::easeInEaseOut);
  }
}

void run(double duration, double delay, AnimationOptions options, std::optional<Spring> spring,
         const std::function<void()>& animations, View::Completion completion) {
  auto transaction = std::make_shared<Transaction>();
  transaction->completion = std::move(completion);
  tBlocks.push_back({duration, std::max(delay, 0.0), options, spring, transaction});
  if (animations) animations();
  tBlocks.pop_back();
  transaction->sealed = true;
  if (transaction->pending > 0) return;
  // Nothing to animate: the completion still comes after the delay and the duration.
  double wait = std::max(delay, 0.0) + std::max(duration, 0.0);
  dispatch::Timer::scheduled(
      dispatch::Seconds(wait), false, [transaction](dispatch::Timer&) { complete(transaction); },
      dispatch::RunLoopMode::Common);
}

}  // namespace

void View::animate(double duration, double delay, AnimationOptions options, const std::function<void()>& animations,
                   Completion completion) {
  run(duration, delay, options, std::nullopt, animations, std::move(completion));
}

void View::animate(double duration, const std::function<void()>& animations, Completion completion) {
  run(duration, 0, AnimationOptions::none, std::nullopt, animations, std::move(completion));
}

void View::animate(double duration, double delay, double dampingRatio, double initialSpringVelocity,
                   AnimationOptions options, const std::function<void()>& animations, Completion completion) {
  run(duration, delay, options, Spring{dampingRatio, initialSpringVelocity}, animations, std::move(completion));
}

void View::performWithoutAnimation(const std::function<void()>& actions) {
  ++tDisabled;
  if (actions) actions();
  --tDisabled;
}

void View::recordChange(View& view, const char* keyPath, AnimationValue from, AnimationValue to) {
  if (tBlocks.empty() || tDisabled > 0 || from == to) return;
  Block& block = tBlocks.back();
  if (block.duration <= 0) return;
  const std::shared_ptr<Transaction>& transaction = block.transaction;
  Layer& layer = *view.layer_;
  std::string key = keyPath;

  BasicAnimation animation(key);
  animation.fromValue = std::move(from);
  animation.toValue = std::move(to);
  animation.beginTime = block.delay;
  animation.duration = block.duration;
  animation.timingFunction = curve(block.options);
  animation.spring = block.spring;

  auto entry = std::make_pair(static_cast<const Layer*>(&layer), key);
  bool again = std::find(transaction->animated.begin(), transaction->animated.end(), entry) !=
               transaction->animated.end();
  if (again) {
    // Changed twice in one block: one animation from the value before the block.
    if (auto* earlier = dynamic_cast<const BasicAnimation*>(layer.animation(key))) {
      animation.fromValue = earlier->fromValue;
    }
  } else {
    transaction->animated.push_back(entry);
  }
  transaction->pending++;
  transaction->replacing = again;
  layer.add(animation, key, [transaction](bool finished) { animationEnded(transaction, finished); });
  transaction->replacing = false;
}

}  // namespace ui
