#include "platform/ui/image_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

using testing::solidImage;
using namespace std::chrono_literals;

TEST(ImageViewTest, NaturalSizeIsTheImageInPoints) {
  auto view = std::make_shared<ImageView>();
  view->setImage(solidImage(104, 52, 2));
  EXPECT_EQ(view->intrinsicContentSize(), (Size{52, 26}));

  // In a layout, an unconstrained image view takes its image's size, and follows a new image.
  auto root = std::make_shared<View>(Rect{0, 0, 320, 200});
  view->setTranslatesAutoresizingMaskIntoConstraints(false);
  root->addSubview(view);
  Constraint::activate({view->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 16),
                        view->centerYAnchor().constraintEqualTo(root->centerYAnchor())});
  root->layoutIfNeeded();
  EXPECT_EQ(view->frame(), (Rect{16, 87, 52, 26}));
  view->setImage(solidImage(30, 40));
  root->layoutIfNeeded();
  EXPECT_EQ(view->frame(), (Rect{16, 80, 30, 40}));

  // Made with an image: sized to it.
  ImageView sized(solidImage(12, 8));
  EXPECT_EQ(sized.frame(), (Rect{0, 0, 12, 8}));
}

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
