#include "platform/base/notification_center.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/base/log.h"

namespace base {

struct NotificationCenter::Observer {
  Observer(std::string name, NotificationBlock block, std::weak_ptr<const void> owner, bool hasOwner)
      : name(std::move(name)), block(std::move(block)), owner(std::move(owner)), hasOwner(hasOwner) {}

  const std::string name;
  NotificationBlock block;  // guarded by mutex while no call is running
  const std::weak_ptr<const void> owner;
  const bool hasOwner;

  std::mutex mutex;
  std::condition_variable idle;
  int running = 0;
  bool active = true;
};

struct NotificationCenter::State {
  std::mutex mutex;
  std::vector<std::shared_ptr<Observer>> observers;
};

namespace {

using Observers = std::vector<std::shared_ptr<NotificationCenter::Observer>>;

// The observers whose blocks run on this thread now, innermost last (a block may post again).
thread_local std::vector<const void*> runningHere;

bool sameOwner(const std::weak_ptr<const void>& a, const std::weak_ptr<const void>& b) {
  return !a.owner_before(b) && !b.owner_before(a);
}

}  // namespace

// Ends an observation: no call starts after this, and calls running on other threads are waited
// for. Calls running on this thread (the block ending its own observation) cannot be waited for.
static void stop(NotificationCenter::Observer& observer) {
  NotificationBlock released;
  {
    std::unique_lock lock(observer.mutex);
    observer.active = false;
    auto here = std::count(runningHere.begin(), runningHere.end(), &observer);
    observer.idle.wait(lock, [&] { return observer.running <= here; });
    // Captures go now rather than with the last snapshot that still holds the observer.
    if (observer.running == 0) released = std::move(observer.block);
  }
}

static void deliver(NotificationCenter::Observer& observer, const Notification& notification) {
  std::shared_ptr<const void> owner;
  if (observer.hasOwner && !(owner = observer.owner.lock())) return;
  {
    std::lock_guard lock(observer.mutex);
    if (!observer.active) return;
    ++observer.running;
  }
  runningHere.push_back(&observer);
  try {
    observer.block(notification);
  } catch (const std::exception& e) {
    logError("NotificationCenter: an observer of \"" + notification.name + "\" threw: " + e.what());
  } catch (...) {
    logError("NotificationCenter: an observer of \"" + notification.name + "\" threw");
  }
  runningHere.pop_back();
  {
    std::lock_guard lock(observer.mutex);
    --observer.running;
  }
  observer.idle.notify_all();
}

// Takes the observers that match out of the list; the rest stay in order.
template <typename Match>
static Observers extract(NotificationCenter::State& state, Match match) {
  Observers taken;
  std::lock_guard lock(state.mutex);
  auto kept = std::stable_partition(state.observers.begin(), state.observers.end(),
                                    [&](const auto& observer) { return !match(*observer); });
  taken.assign(std::make_move_iterator(kept), std::make_move_iterator(state.observers.end()));
  state.observers.erase(kept, state.observers.end());
  return taken;
}

NotificationCenter::Token::Token(std::weak_ptr<State> state, std::shared_ptr<Observer> observer)
    : state_(std::move(state)), observer_(std::move(observer)) {}

NotificationCenter::Token& NotificationCenter::Token::operator=(Token&& other) noexcept {
  if (this != &other) {
    reset();
    state_ = std::move(other.state_);
    observer_ = std::move(other.observer_);
  }
  return *this;
}

NotificationCenter::Token::~Token() { reset(); }

void NotificationCenter::Token::reset() {
  if (!observer_) return;
  if (std::shared_ptr<State> state = state_.lock()) {
    extract(*state, [&](const Observer& candidate) { return &candidate == observer_.get(); });
  }
  stop(*observer_);
  observer_.reset();
  state_.reset();
}

NotificationCenter::NotificationCenter() : state_(std::make_shared<State>()) {}

NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter() {
  static auto* center = new NotificationCenter;
  return *center;
}

NotificationCenter::Token NotificationCenter::addObserver(std::string name, NotificationBlock block) {
  auto observer = std::make_shared<Observer>(std::move(name), std::move(block), std::weak_ptr<const void>(), false);
  {
    std::lock_guard lock(state_->mutex);
    state_->observers.push_back(observer);
  }
  return Token(state_, std::move(observer));
}

void NotificationCenter::addObserver(std::weak_ptr<const void> owner, std::string name, NotificationBlock block) {
  if (owner.expired()) return;
  auto observer = std::make_shared<Observer>(std::move(name), std::move(block), std::move(owner), true);
  std::lock_guard lock(state_->mutex);
  state_->observers.push_back(std::move(observer));
}

void NotificationCenter::removeObserver(const std::weak_ptr<const void>& owner) {
  Observers taken = extract(*state_, [&](const Observer& o) { return o.hasOwner && sameOwner(o.owner, owner); });
  for (const auto& observer : taken) stop(*observer);
}

void NotificationCenter::removeObserver(const std::weak_ptr<const void>& owner, std::string_view name) {
  Observers taken = extract(*state_, [&](const Observer& o) {
    return o.hasOwner && o.name == name && sameOwner(o.owner, owner);
  });
  for (const auto& observer : taken) stop(*observer);
}

void NotificationCenter::post(std::string_view name, std::optional<nlohmann::json> userInfo) {
  // Observers whose owner is gone leave the list here; nothing else would notice them.
  Observers gone = extract(*state_, [](const Observer& o) { return o.hasOwner && o.owner.expired(); });
  for (const auto& observer : gone) stop(*observer);
  Observers matching;
  {
    std::lock_guard lock(state_->mutex);
    for (const auto& observer : state_->observers) {
      if (observer->name == name) matching.push_back(observer);
    }
  }
  const Notification notification{std::string(name), std::move(userInfo)};
  for (const auto& observer : matching) deliver(*observer, notification);
}

}  // namespace base
