// An image view: shows an image within its bounds as its content mode says, or plays a list of
// images as frames on the main loop's clock. Its natural size is its image's size in points.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/image.h"
#include "platform/ui/view.h"

namespace dispatch {
class Timer;
}

namespace ui {

// How content fills a view's bounds; raw values as the platform numbers them.
enum class ContentMode {
  scaleToFill = 0,      // stretched to the bounds
  scaleAspectFit = 1,   // as large as fits whole, centred
  scaleAspectFill = 2,  // as small as covers the bounds, centred (overflowing unless clipped)
  redraw = 3,           // drawn as scaleToFill
  center = 4,           // its own size, centred
};

// Where content of a size goes within the bounds for a content mode.
Rect contentRect(ContentMode mode, Size content, const Rect& bounds);

class ImageView : public View {
 public:
  ImageView();
  explicit ImageView(std::optional<Image> image);
  ~ImageView() override;

  const std::optional<Image>& image() const { return image_; }
  void setImage(std::optional<Image> image);
  // scaleToFill at first.
  ContentMode contentMode() const { return contentMode_; }
  void setContentMode(ContentMode mode);

  // --- frame animation ---
  const std::vector<Image>& animationImages() const { return animationImages_; }
  // Stops a running animation.
  void setAnimationImages(std::vector<Image> images);
  // One pass through the images, in seconds; 0 (the default) gives each image 1/30 s.
  double animationDuration() const { return animationDuration_; }
  void setAnimationDuration(double seconds) { animationDuration_ = std::max(0.0, seconds); }
  // Passes to play; 0 (the default) repeats until stopped.
  int animationRepeatCount() const { return animationRepeatCount_; }
  void setAnimationRepeatCount(int count) { animationRepeatCount_ = std::max(0, count); }
  // Plays the animation images from the first, on the main loop's timers (nothing without images).
  void startAnimating();
  // Back to showing the image.
  void stopAnimating();
  bool isAnimating() const { return timer_ != nullptr; }

  // What shows now: the current frame while animating, the image otherwise.
  std::optional<Image> displayedImage() const;
  // Where the displayed image goes within the bounds.
  Rect imageRect() const;

  // The image's size in points (the first frame's without an image); none without either.
  Size intrinsicContentSize() const override;
  Size sizeThatFits(Size size) const override;

 private:
  void advanceFrame();

  std::optional<Image> image_;
  ContentMode contentMode_ = ContentMode::scaleToFill;
  std::vector<Image> animationImages_;
  double animationDuration_ = 0;
  int animationRepeatCount_ = 0;
  std::shared_ptr<dispatch::Timer> timer_;
  std::size_t frame_ = 0;
  int passes_ = 0;
};

}  // namespace ui
