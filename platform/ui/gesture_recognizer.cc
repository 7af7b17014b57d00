#include "platform/ui/gesture_recognizer.h"

#include <algorithm>
#include <unordered_map>

#include "platform/base/log.h"
#include "platform/ui/touch_dispatcher.h"
#include "platform/ui/view.h"

namespace ui {
namespace {

bool isFinal(GestureRecognizerState state) {
  return state == GestureRecognizerState::ended || state == GestureRecognizerState::cancelled ||
         state == GestureRecognizerState::failed;
}

// The recognisers of each view. Views know nothing of recognisers, so they are kept here, keyed by
// the view's address and checked against the view's weak pointer: an entry whose view has gone is
// dropped when next met, so a new view at the same address starts with none.
struct Attached {
  std::weak_ptr<View> view;
  std::vector<std::shared_ptr<GestureRecognizer>> recognizers;
};

std::unordered_map<const View*, Attached>& registry() {
  static auto* map = new std::unordered_map<const View*, Attached>();
  return *map;
}

void pruneRegistry() {
  std::erase_if(registry(), [](const auto& entry) { return entry.second.view.expired(); });
}

Attached* attachedTo(const View& view) {
  auto found = registry().find(&view);
  if (found == registry().end()) return nullptr;
  if (found->second.view.lock().get() != &view) {
    registry().erase(found);
    return nullptr;
  }
  return &found->second;
}

}  // namespace

GestureRecognizer::GestureRecognizer() = default;

GestureRecognizer::GestureRecognizer(const void* target, Action action) { addTarget(target, std::move(action)); }

GestureRecognizer::~GestureRecognizer() = default;

void GestureRecognizer::addTarget(const void* target, Action action) {
  if (!action) return;
  registrations_.push_back({target, std::move(action)});
}

void GestureRecognizer::removeTarget(const void* target) {
  std::erase_if(registrations_, [target](const Registration& r) { return !target || r.target == target; });
}

void GestureRecognizer::addAction(std::function<void()> closure) {
  if (!closure) return;
  closureTargets_.push_back(std::make_unique<char>());
  addTarget(closureTargets_.back().get(), [closure = std::move(closure)](GestureRecognizer&) { closure(); });
}

void GestureRecognizer::setEnabled(bool enabled) {
  enabled_ = enabled;
  if (enabled) return;
  if (state_ == State::began || state_ == State::changed) {
    setState(State::cancelled);
  } else if (state_ == State::possible && !touches_.empty()) {
    setState(State::failed);
  }
}

Point GestureRecognizer::location(const View* in) const {
  Point window = lastLocation_;
  if (!touches_.empty()) {
    window = {};
    for (const auto& touch : touches_) {
      Point p = touch->location(nullptr);
      window.x += p.x / static_cast<double>(touches_.size());
      window.y += p.y / static_cast<double>(touches_.size());
    }
  }
  return in ? in->convertFrom(window, nullptr) : window;
}

void GestureRecognizer::touchesCancelled(const Touches& touches) {
  (void)touches;
  if (state_ == State::began || state_ == State::changed) {
    setState(State::cancelled);
  } else if (state_ == State::possible) {
    setState(State::failed);
  }
}

bool GestureRecognizer::recognizesSimultaneously(GestureRecognizer& other) {
  if (auto mine = delegate(); mine && mine->gestureRecognizerShouldRecognizeSimultaneously(*this, other)) return true;
  auto theirs = other.delegate();
  return theirs && theirs->gestureRecognizerShouldRecognizeSimultaneously(other, *this);
}

bool GestureRecognizer::mayBegin() {
  if (!enabled_ || !canBegin()) return false;
  if (auto d = delegate(); d && !d->gestureRecognizerShouldBegin(*this)) return false;
  return TouchDispatcher::shared().allowsBegin(*this);
}

void GestureRecognizer::setState(State next) {
  if (isFinal(state_) || next == State::possible) return;  // only reset() leaves a final state
  if (state_ == State::possible && next == State::changed) return;
  if (next == state_ && next != State::changed) return;
  std::shared_ptr<GestureRecognizer> keepAlive = weak_from_this().lock();
  const bool leavingPossible = state_ == State::possible && (next == State::began || next == State::ended);
  if (leavingPossible && !mayBegin()) next = State::failed;
  state_ = next;
  if (leavingPossible && next != State::failed) TouchDispatcher::shared().didBegin(*this);
  if (next != State::failed) sendActions();
  if (isFinal(state_)) TouchDispatcher::shared().settled(*this);
}

void GestureRecognizer::sendActions() {
  std::vector<Action> actions;
  for (const auto& registration : registrations_) actions.push_back(registration.action);
  for (auto& action : actions) action(*this);
}

void GestureRecognizer::resetState() {
  state_ = State::possible;
  touches_.clear();
  reset();
}

void addGestureRecognizer(View& view, std::shared_ptr<GestureRecognizer> recognizer) {
  if (!recognizer) return;
  std::shared_ptr<View> shared = view.shared();
  if (!shared) {
    base::logError("addGestureRecognizer: the view must be made with std::make_shared");
    return;
  }
  if (auto previous = recognizer->view()) removeGestureRecognizer(*previous, *recognizer);
  pruneRegistry();
  Attached& entry = registry()[&view];
  entry.view = shared;
  recognizer->view_ = shared;
  entry.recognizers.push_back(std::move(recognizer));
}

void removeGestureRecognizer(View& view, const GestureRecognizer& recognizer) {
  Attached* entry = attachedTo(view);
  if (!entry) return;
  auto& list = entry->recognizers;
  auto found = std::find_if(list.begin(), list.end(), [&](const auto& r) { return r.get() == &recognizer; });
  if (found == list.end()) return;
  (*found)->view_.reset();
  list.erase(found);
}

std::vector<std::shared_ptr<GestureRecognizer>> gestureRecognizers(const View& view) {
  Attached* entry = attachedTo(view);
  return entry ? entry->recognizers : std::vector<std::shared_ptr<GestureRecognizer>>{};
}

}  // namespace ui
