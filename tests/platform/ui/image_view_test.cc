#include "platform/ui/image_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

using testing::solidImage;
using namespace std::chrono_literals;

class ImageViewAnimationTest : public testing::WindowTest {
 protected:
  std::vector<Image> frames_{solidImage(1, 1), solidImage(2, 2), solidImage(3, 3), solidImage(4, 4)};

  int shownFrame(const ImageView& view) {
    auto shown = view.displayedImage();
    for (std::size_t i = 0; i < frames_.size(); ++i) {
      if (shown && shown->isSameImage(frames_[i])) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(ImageViewAnimationTest, FramesFollowTheClockAndStopAfterTheRepeats) {
  auto view = std::make_shared<ImageView>(solidImage(9, 9));
  view->setAnimationImages(frames_);
  view->setAnimationDuration(0.4);  // 0.1 s a frame
  view->setAnimationRepeatCount(2);
  view->startAnimating();
  ASSERT_TRUE(view->isAnimating());
  std::vector<int> seen{shownFrame(*view)};
  for (int tick = 0; tick < 7; ++tick) {
    clock->advance(100ms);
    seen.push_back(shownFrame(*view));
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3}));
  EXPECT_TRUE(view->isAnimating());
  clock->advance(100ms);
  EXPECT_FALSE(view->isAnimating()) << "two passes played";
  EXPECT_EQ(view->displayedImage()->pixelWidth(), 9) << "back to the image";
}

TEST_F(ImageViewAnimationTest, AViewReleasedWhileAnimatingStopsItsTimer) {
  auto view = std::make_shared<ImageView>();
  view->setAnimationImages(frames_);
  view->startAnimating();
  view.reset();
  clock->advance(dispatch::Seconds(1));  // would touch the freed view if the timer lived on
  SUCCEED();
}

}  // namespace
}  // namespace ui
