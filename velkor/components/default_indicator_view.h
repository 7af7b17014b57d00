// The offerwall's loading indicator: three dots centred in whatever frame its owner gives it,
// dimming and brightening one after another in a one-second cycle.
#pragma once

#include <memory>

#include "platform/ui/view.h"
#include "velkor/components/indicator_view_representable.h"

namespace velkor {

class DefaultIndicatorView : public ui::View, public IndicatorViewRepresentable {
 public:
  struct Token {};
  static std::shared_ptr<DefaultIndicatorView> make();
  explicit DefaultIndicatorView(Token);

  // Restarts the dots' animation; a second call replaces the first, never stacks on it.
  void show() override;
  // Stops it; the dots stay at full opacity.
  void hide() override;

  // The 120 × 120 view that draws the dots: one shape layer per dot, left to right.
  const std::shared_ptr<ui::View>& dotIndicatorView() const { return dotIndicatorView_; }

 private:
  std::shared_ptr<ui::View> dotIndicatorView_;
};

}  // namespace velkor
