#include "platform/ui/image_view.h"

#include <algorithm>

#include "platform/dispatch/timer.h"

namespace ui {

Rect contentRect(ContentMode mode, Size content, const Rect& bounds) {
  if (content.width <= 0 || content.height <= 0) return bounds;
  double scale = 1;
  switch (mode) {
    case ContentMode::scaleToFill:
    case ContentMode::redraw:
      return bounds;
    case ContentMode::scaleAspectFit:
      scale = std::min(bounds.width() / content.width, bounds.height() / content.height);
      break;
    case ContentMode::scaleAspectFill:
      scale = std::max(bounds.width() / content.width, bounds.height() / content.height);
      break;
    case ContentMode::center:
      break;
  }
  const Size size{content.width * scale, content.height * scale};
  return {bounds.midX() - size.width / 2, bounds.midY() - size.height / 2, size.width, size.height};
}

ImageView::ImageView() { setUserInteractionEnabled(false); }

ImageView::ImageView(std::optional<Image> image) : ImageView() {
  image_ = std::move(image);
  if (image_) setFrame({{0, 0}, image_->size()});
}

ImageView::~ImageView() {
  if (timer_) timer_->invalidate();
}

void ImageView::setImage(std::optional<Image> image) {
  const Size before = intrinsicContentSize();
  image_ = std::move(image);
  if (intrinsicContentSize() != before) invalidateIntrinsicContentSize();
  setNeedsDisplay();
}

void ImageView::setContentMode(ContentMode mode) {
  contentMode_ = mode;
  setNeedsDisplay();
}

void ImageView::setAnimationImages(std::vector<Image> images) {
  stopAnimating();
  const Size before = intrinsicContentSize();
  animationImages_ = std::move(images);
  if (intrinsicContentSize() != before) invalidateIntrinsicContentSize();
}

void ImageView::startAnimating() {
  if (animationImages_.empty() || isAnimating()) return;
  const double duration = animationDuration_ > 0 ? animationDuration_ : animationImages_.size() / 30.0;
  frame_ = 0;
  passes_ = 0;
  // The timer dies with the view (see the destructor), so it may call back into it.
  timer_ = dispatch::Timer::scheduled(dispatch::Seconds(duration / animationImages_.size()), true,
                                      [this](dispatch::Timer&) { advanceFrame(); }, dispatch::RunLoopMode::Common);
  setNeedsDisplay();
}

void ImageView::advanceFrame() {
  if (++frame_ < animationImages_.size()) {
    setNeedsDisplay();
    return;
  }
  frame_ = 0;
  if (animationRepeatCount_ > 0 && ++passes_ >= animationRepeatCount_) {
    stopAnimating();
    return;
  }
  setNeedsDisplay();
}

void ImageView::stopAnimating() {
  if (!timer_) return;
  timer_->invalidate();
  timer_.reset();
  frame_ = 0;
  setNeedsDisplay();
}

std::optional<Image> ImageView::displayedImage() const {
  if (isAnimating()) return animationImages_[frame_];
  return image_;
}

Rect ImageView::imageRect() const {
  auto shown = displayedImage();
  return contentRect(contentMode_, shown ? shown->size() : Size{}, bounds());
}

Size ImageView::intrinsicContentSize() const {
  if (image_) return image_->size();
  if (!animationImages_.empty()) return animationImages_.front().size();
  return {kNoIntrinsicMetric, kNoIntrinsicMetric};
}

Size ImageView::sizeThatFits(Size size) const {
  const Size natural = intrinsicContentSize();
  return natural.width < 0 ? View::sizeThatFits(size) : natural;
}

}  // namespace ui
