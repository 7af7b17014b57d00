// The getting-ready overlay the offerwall's top screen shows on opening: it counts up to the reward
// the user can still earn, waits a moment, fades out, removes itself and says so. Its content comes
// from the framework's nib "DefaultPrepareView". Main thread only.
#pragma once

#include <memory>

#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "velkor/components/animated_label.h"
#include "velkor/components/reward_displayable.h"

namespace velkor {

class VelkorColorScheme;

class DefaultPrepareView : public ui::View, public RewardDisplayable {
 public:
  static constexpr const char* kNibName = "DefaultPrepareView";
  // After the count ends: a pause, then the fade.
  static constexpr double kHoldSeconds = 0.8;
  static constexpr double kFadeSeconds = 0.2;

  struct Token {};
  // The factory passes the main screen's bounds.
  static std::shared_ptr<DefaultPrepareView> make(const ui::Rect& frame);
  DefaultPrepareView(Token, const ui::Rect& frame);

  const std::function<void()>& prepareViewDidDisappear() const override { return prepareViewDidDisappear_; }
  void setPrepareViewDidDisappear(std::function<void()> closure) override {
    prepareViewDidDisappear_ = std::move(closure);
  }
  // "지금 받을 수 있는 " and the name ("혜택" without one), then a one-second count from 0 to the
  // points, written with the locale's grouping. The unit is not shown.
  void setAvailableReward(std::optional<std::string> name, std::optional<std::string> unit,
                          std::int64_t points) override;

  // Outlets the nib connects, held weakly.
  std::shared_ptr<ui::Label> titleLabel() const { return titleLabel_.lock(); }
  void setTitleLabel(const std::shared_ptr<ui::Label>& label) { titleLabel_ = label; }
  std::shared_ptr<ui::View> contentView() const { return contentView_.lock(); }
  void setContentView(const std::shared_ptr<ui::View>& view) { contentView_ = view; }
  std::shared_ptr<AnimatedLabel> availableRewardLabel() const { return availableRewardLabel_.lock(); }
  void setAvailableRewardLabel(const std::shared_ptr<AnimatedLabel>& label) { availableRewardLabel_ = label; }
  std::shared_ptr<ui::ImageView> rewardIconImageView() const { return rewardIconImageView_.lock(); }
  void setRewardIconImageView(const std::shared_ptr<ui::ImageView>& view) { rewardIconImageView_ = view; }

 private:
  // Runs once the count ends; nothing happens when the view has left its superview meanwhile.
  void close();

  // The core's scheme when the view was made; a later swap does not reach it.
  const std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::function<void()> prepareViewDidDisappear_;
  std::weak_ptr<ui::Label> titleLabel_;
  std::weak_ptr<ui::View> contentView_;
  std::weak_ptr<AnimatedLabel> availableRewardLabel_;
  std::weak_ptr<ui::ImageView> rewardIconImageView_;
};

}  // namespace velkor
