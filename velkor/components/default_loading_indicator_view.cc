#include "velkor/components/default_loading_indicator_view.h"

#include <string>
#include <vector>

#include "platform/ui/constraint.h"
#include "velkor/resources/resource_bundle.h"

namespace velkor {

std::shared_ptr<DefaultLoadingIndicatorView> DefaultLoadingIndicatorView::make() {
  auto view = std::make_shared<DefaultLoadingIndicatorView>(Token{});
  const auto& image = view->indicatorImageView_;
  view->addSubview(image);
  image->setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::Constraint::activate({
      image->centerXAnchor().constraintEqualTo(view->centerXAnchor()),
      image->centerYAnchor().constraintEqualTo(view->centerYAnchor()),
  });
  return view;
}

DefaultLoadingIndicatorView::DefaultLoadingIndicatorView(Token)
    : indicatorImageView_(std::make_shared<ui::ImageView>()) {}

void DefaultLoadingIndicatorView::show() {
  if (indicatorImageView_->isAnimating()) indicatorImageView_->stopAnimating();
  std::vector<ui::Image> frames;
  for (int n = 1; n <= 4; ++n) {
    if (auto frame = resourceBundle().image(kFrameNamePrefix + std::to_string(n))) frames.push_back(*frame);
  }
  indicatorImageView_->setAnimationImages(std::move(frames));
  indicatorImageView_->setAnimationDuration(kAnimationDuration);
  indicatorImageView_->setAnimationRepeatCount(kAnimationRepeatCount);
  indicatorImageView_->startAnimating();
}

void DefaultLoadingIndicatorView::hide() {
  if (indicatorImageView_->isAnimating()) indicatorImageView_->stopAnimating();
}

}  // namespace velkor
