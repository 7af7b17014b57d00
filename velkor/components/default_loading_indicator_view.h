// A ready-made indicator a publisher may name instead of the dots: the framework's four loading
// frames played in a loop, centred in the view.
#pragma once

#include <memory>

#include "platform/ui/image_view.h"
#include "velkor/components/indicator_view_representable.h"

namespace velkor {

class DefaultLoadingIndicatorView : public ui::View, public IndicatorViewRepresentable {
 public:
  // The frames are the framework images of this prefix followed by 1 to 4.
  static constexpr const char* kFrameNamePrefix = "ic_loading_";
  static constexpr double kAnimationDuration = 1.2;
  static constexpr int kAnimationRepeatCount = 0;  // without end

  struct Token {};
  static std::shared_ptr<DefaultLoadingIndicatorView> make();
  explicit DefaultLoadingIndicatorView(Token);

  // Plays the frames found, from the first; missing frames are skipped.
  void show() override;
  void hide() override;

  const std::shared_ptr<ui::ImageView>& indicatorImageView() const { return indicatorImageView_; }

 private:
  std::shared_ptr<ui::ImageView> indicatorImageView_;
};

}  // namespace velkor
