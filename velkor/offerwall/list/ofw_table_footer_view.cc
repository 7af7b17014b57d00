#include "velkor/offerwall/list/ofw_table_footer_view.h"

#include "platform/ui/constraint.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/resources/resource_bundle.h"

namespace velkor {

OfwTableFooterView::OfwTableFooterView()
    : colorScheme_(VelkorInternal::shared().colorScheme()), dimension_(VelkorInternal::shared().dimension()) {}

const ui::ImageBundle& OfwTableFooterView::imageBundle() const { return resourceBundle(); }

void OfwTableFooterView::commonInit() {
  setUIAttributes();
  setLayoutConstraints();
}

void OfwTableFooterView::setLayoutConstraints() {
  addSubview(bottomView_);
  addSubview(moveToTopButton_);
  bottomView_->setTranslatesAutoresizingMaskIntoConstraints(false);
  moveToTopButton_->setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::Button& button = *moveToTopButton_;
  ui::Constraint::activate({
      bottomView_->widthAnchor().constraintEqualTo(button.widthAnchor(), 0.5, 0),
      bottomView_->widthAnchor().constraintLessThanOrEqualTo(button.widthAnchor()),
      bottomView_->heightAnchor().constraintEqualTo(button.heightAnchor(), 0.5, 0),
      bottomView_->centerXAnchor().constraintEqualTo(button.centerXAnchor()),
      bottomView_->centerYAnchor().constraintEqualTo(button.centerYAnchor()),
      button.widthAnchor().constraintEqualToConstant(dimension_->moveToTopButtonWidth()),
      button.heightAnchor().constraintEqualToConstant(dimension_->moveToTopButtonHeight()),
      button.centerXAnchor().constraintEqualTo(centerXAnchor()),
      button.topAnchor().constraintEqualTo(topAnchor(), dimension_->moveToTopButtonTopSpacing()),
      button.bottomAnchor().constraintLessThanOrEqualTo(bottomAnchor()),
  });
}

void OfwTableFooterView::setUIAttributes() {
  bottomView_->setBackgroundColor(colorScheme_->primaryColor());
  moveToTopButton_->setImage(ui::Image::named("btnTop", imageBundle()), ui::ControlState::normal);
}

}  // namespace velkor
