#include "platform/ui/display_link.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/ui/scroll_view.h"
#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

using dispatch::RunLoopMode;
using dispatch::Seconds;

using DisplayLinkTest = testing::WindowTest;

TEST_F(DisplayLinkTest, ModesDecideWhetherItRunsDuringADrag) {
  auto scroll = std::make_shared<ScrollView>(Rect{0, 0, 320, 480});
  scroll->setContentSize({320, 4000});
  window->addSubview(scroll);

  struct Case {
    std::vector<RunLoopMode> modes;
    bool runsWhileDragging;
  } cases[] = {
      {{RunLoopMode::Default}, false},
      {{RunLoopMode::Default, RunLoopMode::Tracking}, true},
      {{RunLoopMode::Common}, true},
  };
  for (const auto& c : cases) {
    int frames = 0;
    auto link = DisplayLink::create([&](DisplayLink&) { ++frames; });
    for (RunLoopMode mode : c.modes) link->add(mode);
    auto finger = touch::Finger::down(*window, {160, 400});
    finger.moveTo({160, 300});
    ASSERT_EQ(dispatch::main_loop::mode(), RunLoopMode::Tracking);
    clock->advance(Seconds(0.5));
    EXPECT_EQ(frames > 0, c.runsWhileDragging);
    finger.up(Seconds(0.2));
    frames = 0;
    clock->advance(Seconds(0.5));
    EXPECT_GE(frames, 29);  // and in the default mode after
    link->invalidate();
  }
}

TEST_F(DisplayLinkTest, ARunningLinkKeepsWhatItsCallbackHoldsUntilInvalidated) {
  auto held = std::make_shared<int>(7);
  std::weak_ptr<int> watch = held;
  std::weak_ptr<DisplayLink> weakLink;
  int frames = 0;
  {
    auto link = DisplayLink::create([held, &frames](DisplayLink& l) {
      if (++frames == 3) l.invalidate();  // a count that reached its end
    });
    link->add(RunLoopMode::Common);
    weakLink = link;
  }
  held.reset();
  EXPECT_FALSE(watch.expired());
  clock->advance(Seconds(1));
  EXPECT_EQ(frames, 3);
  EXPECT_TRUE(watch.expired());
  EXPECT_TRUE(weakLink.expired());
}

}  // namespace
}  // namespace ui
