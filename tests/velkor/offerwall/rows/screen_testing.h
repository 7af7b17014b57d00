// What the tests of rows and screens share: the theme objects of one test, and a fixture on the
// main loop and the manual clock with the user's own defaults, one reward type and a window.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"
#include "platform/ui/presentation.h"
#include "platform/ui/screen.h"
#include "platform/ui/window.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/model/reward_type.h"

namespace velkor::testing {

// Just past the animation of a modal presentation.
inline constexpr double kPastModal = ui::Presentation::kDuration + 0.01;

// The theme objects of one test, set in the core and replaced by fresh ones afterwards.
class ScopedTheme {
 public:
  ScopedTheme() { reset(); }
  ~ScopedTheme() { reset(); }
  VelkorColorScheme& colors() { return *colors_; }
  VelkorDimension& dimension() { return *dimension_; }
  VelkorConfig& config() { return *config_; }

 private:
  void reset() {
    colors_ = std::make_shared<VelkorColorScheme>();
    dimension_ = std::make_shared<VelkorDimension>();
    config_ = std::make_shared<VelkorConfig>();
    auto& core = VelkorInternal::shared();
    core.setColorScheme(colors_);
    core.setDimension(dimension_);
    core.setConfig(config_);
  }
  std::shared_ptr<VelkorColorScheme> colors_;
  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<VelkorConfig> config_;
};

// A test on the main loop and the manual clock, with one reward type and a window; screens of
// the offerwall see a main screen 375 by 812 points.
class ScreenTest : public ::testing::Test {
 protected:
  ScreenTest() {
    ui::Screen screen = savedScreen_;
    screen.bounds = {0, 0, 375, 812};
    ui::Screen::setMain(screen);
    RewardType::setItems({{1, "포인트", 0, "P"}});
  }
  ~ScreenTest() override {
    ui::Screen::setMain(savedScreen_);
    RewardType::setItems({});
  }
  void advance(double seconds) {
    clock_->advance(dispatch::Seconds(seconds));
    dispatch::main_loop::drain();
  }

  ui::Screen savedScreen_ = ui::Screen::main();
  dispatch::main_loop::TestScope scope_;
  dispatch::ScopedManualClock clock_;
  ScopedCoreState core_;
  ScopedTheme theme_;
  std::shared_ptr<ui::Window> window_ = std::make_shared<ui::Window>();
};

}  // namespace velkor::testing
