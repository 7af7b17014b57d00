#include "velkor/components/default_prepare_view.h"

#include <algorithm>
#include <cmath>

#include "platform/base/number_formatter.h"
#include "platform/dispatch/queue.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/resources/framework_nibs.h"

namespace velkor {

std::shared_ptr<DefaultPrepareView> DefaultPrepareView::make(const ui::Rect& frame) {
  auto view = std::make_shared<DefaultPrepareView>(Token{}, frame);
  if (auto label = view->availableRewardLabel()) {
    std::weak_ptr<DefaultPrepareView> weak = view;
    label->setCompletion([weak] {
      if (auto self = weak.lock()) self->close();
    });
  }
  return view;
}

DefaultPrepareView::DefaultPrepareView(Token, const ui::Rect& frame)
    : ui::View(frame), colorScheme_(VelkorInternal::shared().colorScheme()) {
  // Keeps the nib's objects alive until the content is in the view.
  const auto objects = frameworkNibs().load(kNibName, ui::NibOwner(*this));
  if (auto content = contentView()) {
    addSubview(content);
    content->setFrame(bounds());
    content->setAutoresizingMask(ui::AutoresizingMask::flexibleWidth | ui::AutoresizingMask::flexibleHeight);
  }
  if (auto label = availableRewardLabel()) {
    label->setAnimationDuration(AnimatedLabel::AnimationDuration::counter);
    label->setCustomFormatBlock([](float value) {
      // Clamped: a float count near the 64-bit limit would not convert.
      const double whole = std::clamp(std::trunc(double(value)), -9.0e18, 9.0e18);
      return base::NumberFormatter::decimalString(static_cast<std::int64_t>(std::isnan(whole) ? 0 : whole));
    });
  }
}

void DefaultPrepareView::setAvailableReward(std::optional<std::string> name, std::optional<std::string>,
                                            std::int64_t points) {
  if (auto title = titleLabel()) title->setText("지금 받을 수 있는 " + name.value_or("혜택"));
  if (auto label = availableRewardLabel()) {
    label->setTextColor(colorScheme_->primaryColorVariant());
    label->count(0, static_cast<float>(points));
  }
}

void DefaultPrepareView::close() {
  std::weak_ptr<DefaultPrepareView> weak = std::static_pointer_cast<DefaultPrepareView>(shared());
  dispatch::main()->asyncAfter(dispatch::Seconds(kHoldSeconds), [weak] {
    auto self = weak.lock();
    if (!self || !self->superview()) return;
    ui::View::animate(kFadeSeconds, [self] { self->setAlpha(0); }, [weak](bool) {
      auto gone = weak.lock();
      if (!gone) return;
      gone->removeFromSuperview();
      if (auto closure = gone->prepareViewDidDisappear_) closure();
    });
  });
}

}  // namespace velkor
