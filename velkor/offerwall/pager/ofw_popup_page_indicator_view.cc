#include "velkor/offerwall/pager/ofw_popup_page_indicator_view.h"

#include <string>

#include "platform/ui/constraint.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {

OfwPopupPageIndicatorView::OfwPopupPageIndicatorView()
    : dimension_(VelkorInternal::shared().dimension()), colorScheme_(VelkorInternal::shared().colorScheme()) {
  setBackgroundColor(ui::Color::black().withAlphaComponent(0.3));
  setLayoutMargins({3.0, 11.5, 3.0, 11.5});
  indicatorLabel_->setTranslatesAutoresizingMaskIntoConstraints(false);
  indicatorLabel_->setTextColor(colorScheme_->popupViewIndicatorTextColor());
  indicatorLabel_->setFont(VelkorOfwText::boldFont(dimension_->popupViewIndicatorTextSize()));
  addSubview(indicatorLabel_);
}

std::shared_ptr<OfwPopupPageIndicatorView> OfwPopupPageIndicatorView::make() {
  auto indicator = std::make_shared<OfwPopupPageIndicatorView>();
  ui::Constraint::activate({
      indicator->indicatorLabel_->centerXAnchor().constraintEqualTo(indicator->centerXAnchor()),
      indicator->indicatorLabel_->centerYAnchor().constraintEqualTo(indicator->centerYAnchor()),
  });
  return indicator;
}

void OfwPopupPageIndicatorView::update(std::int64_t current) {
  indicatorLabel_->setText(std::to_string(current) + " / " + std::to_string(totalIndex));
}

}  // namespace velkor
