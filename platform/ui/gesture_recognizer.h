// Gesture recognisers: objects attached to a view that watch the touches in it (and in its
// subviews) and turn them into a gesture, calling their actions as the gesture begins, changes and
// ends. Subclasses (tap, pan) read touches and move the state; the base decides whether a gesture
// may begin: the recogniser's own veto, the delegate's gestureRecognizerShouldBegin, an enabled
// control under a single tap (the control keeps its tap), and the other recognisers of the same
// touches: a gesture begins only while no other recogniser holds one, and once it begins the
// others fail, unless a delegate lets the two recognise simultaneously.
//
// Recognisers are shared objects (std::make_shared). A view keeps the recognisers added to it
// (addGestureRecognizer below) as long as it lives. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/geometry.h"
#include "platform/ui/touch.h"

namespace ui {

class GestureRecognizer;

// Discrete gestures (a tap) go from possible to ended ("recognized"); continuous ones (a pan) go
// through began and changed to ended or cancelled. failed: it will not recognise these touches.
enum class GestureRecognizerState { possible, began, changed, ended, cancelled, failed };

class GestureRecognizerDelegate {
 public:
  virtual ~GestureRecognizerDelegate() = default;
  // Asked when the recogniser is about to leave possible; false makes it fail.
  virtual bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) {
    (void)recognizer;
    return true;
  }
  // Asked for every new touch before the recogniser sees it; false keeps the touch from it.
  virtual bool gestureRecognizerShouldReceive(GestureRecognizer& recognizer, const Touch& touch) {
    (void)recognizer;
    (void)touch;
    return true;
  }
  // True lets both recognise the same touches; asked of both recognisers' delegates.
  virtual bool gestureRecognizerShouldRecognizeSimultaneously(GestureRecognizer& recognizer,
                                                              GestureRecognizer& other) {
    (void)recognizer;
    (void)other;
    return false;
  }
};

class GestureRecognizer : public std::enable_shared_from_this<GestureRecognizer> {
 public:
  using State = GestureRecognizerState;
  // An action gets the recogniser that sent it.
  using Action = std::function<void(GestureRecognizer& sender)>;

  GestureRecognizer();
  // init(target:action:): the target only identifies the pair for removal.
  GestureRecognizer(const void* target, Action action);
  virtual ~GestureRecognizer();
  GestureRecognizer(const GestureRecognizer&) = delete;
  GestureRecognizer& operator=(const GestureRecognizer&) = delete;

  // --- target-action: run, in the order added, on began, changed, ended and cancelled ---
  void addTarget(const void* target, Action action);
  // A null target removes every action.
  void removeTarget(const void* target);
  void addAction(std::function<void()> closure);

  State state() const { return state_; }
  bool isEnabled() const { return enabled_; }
  // Disabling cancels a gesture under way (or fails a possible one).
  void setEnabled(bool enabled);
  std::shared_ptr<GestureRecognizerDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<GestureRecognizerDelegate> delegate) { delegate_ = std::move(delegate); }
  // When the gesture is recognised, the hit view's touches are cancelled (true by default).
  bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
  void setCancelsTouchesInView(bool cancels) { cancelsTouchesInView_ = cancels; }

  // The view it is attached to; null when none (or it has gone).
  std::shared_ptr<View> view() const { return view_.lock(); }
  // The touches it is watching now.
  int numberOfTouches() const { return static_cast<int>(touches_.size()); }
  // The centroid of its touches (of the last ones, once they ended) in a view's coordinates;
  // null means the window's.
  Point location(const View* in) const;

 protected:
  // Touches it receives (those that hit its view or a subview of it); it stops receiving them once
  // it has ended, been cancelled or failed.
  virtual void touchesBegan(const Touches& touches) { (void)touches; }
  virtual void touchesMoved(const Touches& touches) { (void)touches; }
  virtual void touchesEnded(const Touches& touches) { (void)touches; }
  // Default: a gesture under way is cancelled, a possible one fails.
  virtual void touchesCancelled(const Touches& touches);
  // Back to possible, once the touches are over.
  virtual void reset() {}
  // True while it waits for more touches after all fingers lifted (a double tap after its first).
  virtual bool isAwaitingMoreTouches() const { return false; }
  // The recogniser's own veto before it begins (a scroll view's pan asks its scroll view).
  virtual bool canBegin() { return true; }

  // Subclasses move the state. Leaving possible (to began, or to ended for a discrete gesture) goes
  // through the checks in the header comment; if they refuse, the state becomes failed.
  void setState(State state);
  // Whether the other may recognise along with this one (either delegate says so).
  bool recognizesSimultaneously(GestureRecognizer& other);

 private:
  friend class TouchDispatcher;
  friend void addGestureRecognizer(View& view, std::shared_ptr<GestureRecognizer> recognizer);
  friend void removeGestureRecognizer(View& view, const GestureRecognizer& recognizer);

  struct Registration {
    const void* target;
    Action action;
  };
  void sendActions();
  void resetState();
  bool mayBegin();

  State state_ = State::possible;
  bool enabled_ = true;
  bool cancelsTouchesInView_ = true;
  std::weak_ptr<GestureRecognizerDelegate> delegate_;
  std::weak_ptr<View> view_;
  Touches touches_;
  Point lastLocation_;  // in window coordinates
  std::vector<Registration> registrations_;
  std::vector<std::unique_ptr<char>> closureTargets_;
};

// Attaches a recogniser to a view (moving it from any view it was on). The view must be shared
// (made with std::make_shared); a view that is not is left alone, with an error logged.
void addGestureRecognizer(View& view, std::shared_ptr<GestureRecognizer> recognizer);
void removeGestureRecognizer(View& view, const GestureRecognizer& recognizer);
// The recognisers on a view, in the order added.
std::vector<std::shared_ptr<GestureRecognizer>> gestureRecognizers(const View& view);

}  // namespace ui
