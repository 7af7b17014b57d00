// The badge in the popup carousel's corner: the page in view, " / ", the number of pages.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/ui/label.h"
#include "platform/ui/view.h"

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

class OfwPopupPageIndicatorView : public ui::View {
 public:
  // Made through make(): its label is centred by constraints on the finished view.
  static std::shared_ptr<OfwPopupPageIndicatorView> make();
  OfwPopupPageIndicatorView();

  // Writes the label only; the carousel keeps currentIndex itself.
  void update(std::int64_t current);

  std::int64_t currentIndex = 1;
  std::int64_t totalIndex = 1;

  const std::shared_ptr<ui::Label>& indicatorLabel() const { return indicatorLabel_; }

 private:
  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<ui::Label> indicatorLabel_ = std::make_shared<ui::Label>();
};

}  // namespace velkor
