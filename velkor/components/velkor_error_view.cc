#include "velkor/components/velkor_error_view.h"

#include "platform/ui/constraint.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/resources/resource_bundle.h"

namespace velkor {

std::shared_ptr<VelkorErrorView> VelkorErrorView::make() {
  auto view = std::make_shared<VelkorErrorView>(Token{});
  view->setIconImageViewAttributes();
  view->setMessageLabelAttributes();
  view->setLayoutConstraints();
  return view;
}

VelkorErrorView::VelkorErrorView(Token)
    : dimension_(VelkorInternal::shared().dimension()),
      colorScheme_(VelkorInternal::shared().colorScheme()),
      contentStackView_(std::make_shared<ui::StackView>()),
      iconImageView_(std::make_shared<ui::ImageView>()),
      messageLabel_(std::make_shared<ui::Label>()) {
  setBackgroundColor(colorScheme_->backgroundColor());
  contentStackView_->setTranslatesAutoresizingMaskIntoConstraints(false);
  contentStackView_->setBackgroundColor(ui::Color::clear());
  contentStackView_->setAxis(ui::LayoutAxis::vertical);
  contentStackView_->setAlignment(ui::StackView::Alignment::center);
}

void VelkorErrorView::setIconImageViewAttributes() {
  iconImageView_->setTranslatesAutoresizingMaskIntoConstraints(false);
  iconImageView_->setImage(resourceBundle().image("nothing"));
}

void VelkorErrorView::setMessageLabelAttributes() {
  messageLabel_->setTextAlignment(ui::TextAlignment::center);
  messageLabel_->setFont(VelkorOfwText::errorMessageFont().instance(dimension_->errorMessageTextSize()));
  messageLabel_->setTextColor(colorScheme_->errorMessageColor());
  messageLabel_->setText("현재 표시할 이벤트가 없습니다.");
}

void VelkorErrorView::setLayoutConstraints() {
  addSubview(contentStackView_);
  contentStackView_->addArrangedSubview(iconImageView_);
  contentStackView_->addArrangedSubview(messageLabel_);
  ui::Constraint::activate({
      contentStackView_->centerXAnchor().constraintEqualTo(centerXAnchor()),
      contentStackView_->centerYAnchor().constraintEqualTo(centerYAnchor()),
      iconImageView_->widthAnchor().constraintEqualToConstant(dimension_->emptyViewIconWidth()),
      iconImageView_->heightAnchor().constraintEqualToConstant(dimension_->emptyViewIconHeight()),
  });
  contentStackView_->setCustomSpacing(dimension_->emptyViewIconBottomSpacing(), *iconImageView_);
}

}  // namespace velkor
