#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/gesture_recognizer.h"
#include "platform/ui/pan_gesture_recognizer.h"
#include "platform/ui/tap_gesture_recognizer.h"
#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

using dispatch::Seconds;

class GestureTest : public testing::WindowTest {
 protected:
  std::shared_ptr<View> panel = std::make_shared<View>(Rect{0, 0, 320, 240});
  std::shared_ptr<View> inner = std::make_shared<View>(Rect{20, 20, 100, 100});

  void SetUp() override {
    window->addSubview(panel);
    panel->addSubview(inner);
  }

  // A recogniser that writes its states into a log.
  template <class R>
  std::shared_ptr<R> attach(View& view, std::vector<std::string>& log, const std::string& name) {
    auto recognizer = std::make_shared<R>();
    recognizer->addAction([&log, name, r = recognizer.get()] { log.push_back(name + ":" + stateName(r->state())); });
    addGestureRecognizer(view, recognizer);
    return recognizer;
  }

  static std::string stateName(GestureRecognizerState state) {
    switch (state) {
      case GestureRecognizerState::began: return "began";
      case GestureRecognizerState::changed: return "changed";
      case GestureRecognizerState::ended: return "ended";
      case GestureRecognizerState::cancelled: return "cancelled";
      default: return "other";
    }
  }
};

class Delegate : public GestureRecognizerDelegate {
 public:
  bool simultaneous = false;
  bool gestureRecognizerShouldRecognizeSimultaneously(GestureRecognizer&, GestureRecognizer&) override {
    return simultaneous;
  }
};

// A control that logs its events.
std::shared_ptr<Control> loggingControl(std::vector<std::string>& log, const Rect& frame) {
  auto control = std::make_shared<Control>(frame);
  const std::pair<ControlEvent, const char*> events[] = {{ControlEvent::touchDown, "down"},
                                                         {ControlEvent::touchUpInside, "upInside"},
                                                         {ControlEvent::touchUpOutside, "upOutside"},
                                                         {ControlEvent::touchCancel, "cancel"}};
  for (const auto& [event, name] : events) {
    control->addAction(event, [&log, name = std::string(name)] { log.push_back(name); });
  }
  return control;
}

TEST_F(GestureTest, TapCountsAndFingerCounts) {
  struct Case {
    int tapsRequired, touchesRequired, taps, touches;
    bool recognised;
  } cases[] = {
      {1, 1, 1, 1, true}, {2, 1, 1, 1, false}, {2, 1, 2, 1, true},
      {1, 2, 1, 1, false}, {1, 2, 1, 2, true}, {1, 1, 1, 2, false},
  };
  for (const auto& c : cases) {
    std::vector<std::string> log;
    auto tap = attach<TapGestureRecognizer>(*inner, log, "tap");
    tap->setNumberOfTapsRequired(c.tapsRequired);
    tap->setNumberOfTouchesRequired(c.touchesRequired);
    touch::tap(*window, {50, 50}, c.taps, c.touches);
    clock->advance(Seconds(1));  // a series left waiting fails
    EXPECT_EQ(log.size(), c.recognised ? 1u : 0u) << c.tapsRequired << " " << c.taps << " " << c.touches;
    EXPECT_EQ(tap->state(), GestureRecognizerState::possible);
    removeGestureRecognizer(*inner, *tap);
  }
}

TEST_F(GestureTest, DeepestRecogniserWinsUnlessSimultaneous) {
  for (bool simultaneous : {false, true}) {
    std::vector<std::string> log;
    auto delegate = std::make_shared<Delegate>();
    delegate->simultaneous = simultaneous;
    auto outer = attach<TapGestureRecognizer>(*panel, log, "outer");
    auto deep = attach<TapGestureRecognizer>(*inner, log, "inner");
    outer->setDelegate(delegate);
    touch::tap(*window, {50, 50});
    std::vector<std::string> want{"inner:ended"};
    if (simultaneous) want.push_back("outer:ended");
    EXPECT_EQ(log, want);
    removeGestureRecognizer(*panel, *outer);
    removeGestureRecognizer(*inner, *deep);
  }
}

TEST_F(GestureTest, ControlKeepsItsTapFromRecognisersAbove) {
  std::vector<std::string> log;
  auto button = loggingControl(log, {10, 10, 40, 40});
  inner->addSubview(button);
  attach<TapGestureRecognizer>(*panel, log, "panel");

  touch::tap(*window, {40, 40});  // on the button
  EXPECT_EQ(log, (std::vector<std::string>{"down", "upInside"}));
  log.clear();
  button->setEnabled(false);  // a disabled control lets the tap through
  touch::tap(*window, {40, 40});
  EXPECT_EQ(log, (std::vector<std::string>{"panel:ended"}));
}

TEST_F(GestureTest, RecognisedPanTakesTheTouchFromTheControl) {
  for (bool cancels : {true, false}) {
    std::vector<std::string> log;
    auto button = loggingControl(log, {10, 10, 40, 40});
    inner->addSubview(button);
    auto pan = attach<PanGestureRecognizer>(*panel, log, "pan");
    pan->setCancelsTouchesInView(cancels);

    auto finger = touch::Finger::down(*window, {40, 40});
    EXPECT_TRUE(button->isHighlighted());
    finger.moveTo({40, 45});
    finger.moveTo({40, 120});
    finger.up();
    // The control loses the touch as the pan begins, before the pan's action runs.
    std::vector<std::string> want = cancels
        ? std::vector<std::string>{"down", "cancel", "pan:began", "pan:ended"}
        : std::vector<std::string>{"down", "pan:began", "pan:ended", "upOutside"};
    EXPECT_EQ(log, want) << cancels;
    EXPECT_FALSE(button->isHighlighted());
    button->removeFromSuperview();
    removeGestureRecognizer(*panel, *pan);
  }
}

}  // namespace
}  // namespace ui
