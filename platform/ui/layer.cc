#include "platform/ui/layer.h"

#include <algorithm>
#include <cmath>

#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"
#include "platform/dispatch/timer.h"

namespace ui {
namespace {

dispatch::TimePoint after(dispatch::TimePoint start, double seconds) {
  return start + std::chrono::duration_cast<dispatch::TimePoint::duration>(dispatch::Seconds(seconds));
}

}  // namespace

Layer::Layer() = default;

Layer::~Layer() {
  for (auto& sublayer : sublayers_) sublayer->superlayer_ = nullptr;
  std::vector<Entry> watched;
  for (Entry& entry : entries_) {
    if (entry.didStop) watched.push_back(std::move(entry));
  }
  entries_.clear();
  // Whoever waits for these hears of the stop later, on the main loop, not from inside a destructor.
  for (Entry& entry : watched) {
    if (entry.timer) entry.timer->invalidate();
    dispatch::main()->async([didStop = std::move(entry.didStop)] { didStop(false); });
  }
}

Rect Layer::frame() const {
  Rect local(-anchorPoint_.x * bounds_.width(), -anchorPoint_.y * bounds_.height(), bounds_.width(),
             bounds_.height());
  return transform_.apply(local).offsetBy(position_.x, position_.y);
}

void Layer::setFrame(const Rect& frame) {
  bounds_.size = frame.size;
  position_ = {frame.x() + anchorPoint_.x * frame.width(), frame.y() + anchorPoint_.y * frame.height()};
}

void Layer::addSublayer(std::shared_ptr<Layer> layer) { insertSublayer(std::move(layer), sublayers_.size()); }

void Layer::insertSublayer(std::shared_ptr<Layer> layer, std::size_t index) {
  if (!layer || layer.get() == this) return;
  if (layer->superlayer_ == this) {
    // Moving within this layer: the index counts the others.
    auto it = std::find(sublayers_.begin(), sublayers_.end(), layer);
    sublayers_.erase(it);
  } else {
    layer->removeFromSuperlayer();
  }
  index = std::min(index, sublayers_.size());
  layer->superlayer_ = this;
  sublayers_.insert(sublayers_.begin() + static_cast<std::ptrdiff_t>(index), std::move(layer));
}

void Layer::insertSublayer(std::shared_ptr<Layer> layer, const Layer& below) {
  auto it = std::find_if(sublayers_.begin(), sublayers_.end(), [&](const auto& l) { return l.get() == &below; });
  std::size_t index = static_cast<std::size_t>(it - sublayers_.begin());
  if (layer && layer->superlayer_ == this) {
    auto own = std::find(sublayers_.begin(), sublayers_.end(), layer);
    if (own < it) --index;
  }
  insertSublayer(std::move(layer), index);
}

void Layer::removeFromSuperlayer() {
  Layer* parent = superlayer_;
  if (!parent) return;
  superlayer_ = nullptr;
  auto it = std::find_if(parent->sublayers_.begin(), parent->sublayers_.end(),
                         [&](const auto& l) { return l.get() == this; });
  if (it != parent->sublayers_.end()) parent->sublayers_.erase(it);  // may release this layer last
}

// --- animations ------------------------------------------------------------------------------

dispatch::TimePoint Layer::RunningAnimation::startTime() const { return after(addedAt, animation->beginTime); }

dispatch::TimePoint Layer::RunningAnimation::endTime() const {
  double active = animation->activeDuration();
  if (std::isinf(active)) return dispatch::TimePoint::max();
  return after(startTime(), active);
}

void Layer::add(const Animation& animation, const std::string& key, DidStop didStop) {
  if (!key.empty()) removeAnimation(key);
  Entry entry{nextEntryId_++, {key, animation.copy(), dispatch::now()}, std::move(didStop), nullptr};
  dispatch::TimePoint end = entry.running.endTime();
  if (entry.didStop && end != dispatch::TimePoint::max()) {
    std::weak_ptr<Layer> weak = weak_from_this();
    uint64_t id = entry.id;
    auto delay = std::max(dispatch::Seconds(0), std::chrono::duration_cast<dispatch::Seconds>(end - dispatch::now()));
    entry.timer = dispatch::Timer::scheduled(
        delay, false,
        [weak, id](dispatch::Timer&) {
          if (auto layer = weak.lock()) layer->finish(id);
        },
        dispatch::RunLoopMode::Common);
  }
  entries_.push_back(std::move(entry));
}

void Layer::finish(uint64_t id) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.id == id; });
  if (it == entries_.end()) return;
  DidStop didStop = std::move(it->didStop);
  it->timer.reset();
  if (it->running.animation->isRemovedOnCompletion) entries_.erase(it);
  if (didStop) didStop(true);
}

void Layer::removeAnimation(const std::string& key) {
  std::vector<Entry> removed;
  auto it = std::stable_partition(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.running.key != key; });
  std::move(it, entries_.end(), std::back_inserter(removed));
  entries_.erase(it, entries_.end());
  stopEntries(std::move(removed));
}

void Layer::removeAllAnimations() {
  std::vector<Entry> removed = std::move(entries_);
  entries_.clear();
  stopEntries(std::move(removed));
}

void Layer::stopEntries(std::vector<Entry> removed) {
  for (Entry& entry : removed) {
    if (entry.timer) entry.timer->invalidate();
  }
  for (Entry& entry : removed) {
    if (entry.didStop) entry.didStop(false);
  }
}

void Layer::prune() const {
  dispatch::TimePoint now = dispatch::now();
  std::erase_if(entries_, [&](const Entry& e) {
    return !e.didStop && e.running.animation->isRemovedOnCompletion && now >= e.running.endTime();
  });
}

const Animation* Layer::animation(const std::string& key) const {
  prune();
  for (const Entry& entry : entries_) {
    if (!key.empty() && entry.running.key == key) return entry.running.animation.get();
  }
  return nullptr;
}

std::vector<std::string> Layer::animationKeys() const {
  prune();
  std::vector<std::string> keys;
  for (const Entry& entry : entries_) {
    if (!entry.running.key.empty()) keys.push_back(entry.running.key);
  }
  return keys;
}

std::vector<Layer::RunningAnimation> Layer::animations() const {
  prune();
  std::vector<RunningAnimation> running;
  for (const Entry& entry : entries_) running.push_back(entry.running);
  return running;
}

}  // namespace ui
