#include "velkor/components/ofw_network_error_view.h"

#include "platform/ui/constraint.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/resources/resource_bundle.h"

namespace velkor {

std::shared_ptr<OfwNetworkErrorView> OfwNetworkErrorView::make() {
  auto view = std::make_shared<OfwNetworkErrorView>(Token{});
  view->commonInit();
  return view;
}

OfwNetworkErrorView::OfwNetworkErrorView(Token)
    : dimension_(VelkorInternal::shared().dimension()),
      colorScheme_(VelkorInternal::shared().colorScheme()),
      contentView_(std::make_shared<ui::View>()),
      iconImageView_(std::make_shared<ui::ImageView>()),
      messageLabel_(std::make_shared<ui::Label>()),
      detailMessageLabel_(std::make_shared<ui::Label>()),
      retryButton_(std::make_shared<ui::Button>()) {
  setBackgroundColor(colorScheme_->backgroundColor());
}

void OfwNetworkErrorView::commonInit() {
  setUIAttributes();
  setUILayout();
}

void OfwNetworkErrorView::setUIAttributes() {
  messageLabel_->setTextAlignment(ui::TextAlignment::center);
  messageLabel_->setFont(VelkorOfwText::errorMessageFont().instance(20));
  messageLabel_->setTextColor(colorScheme_->errorMessageColor());
  messageLabel_->setText("네트워크에 접속할 수 없습니다.");
  detailMessageLabel_->setTextAlignment(ui::TextAlignment::center);
  detailMessageLabel_->setFont(VelkorOfwText::errorDetailMessageFont().instance(16));
  detailMessageLabel_->setTextColor(colorScheme_->errorDetailMessageColor());
  detailMessageLabel_->setText("연결상태를 확인해 주세요.");
  retryButton_->setImage(resourceBundle().image("ic_retry"), ui::ControlState::normal);
}

// The group is as wide as the wider label and stands in the middle of the view.
void OfwNetworkErrorView::setUILayout() {
  addSubview(contentView_);
  for (const std::shared_ptr<ui::View>& part :
       std::vector<std::shared_ptr<ui::View>>{iconImageView_, messageLabel_, detailMessageLabel_, retryButton_}) {
    contentView_->addSubview(part);
  }
  for (const std::shared_ptr<ui::View>& part : std::vector<std::shared_ptr<ui::View>>{
           contentView_, iconImageView_, messageLabel_, detailMessageLabel_, retryButton_}) {
    part->setTranslatesAutoresizingMaskIntoConstraints(false);
  }
  const auto& content = contentView_;
  ui::Constraint::activate({
      content->centerXAnchor().constraintEqualTo(centerXAnchor()),
      content->centerYAnchor().constraintEqualTo(centerYAnchor()),
      content->topAnchor().constraintEqualTo(iconImageView_->topAnchor()),
      content->leadingAnchor().constraintEqualTo(messageLabel_->leadingAnchor()),
      content->leadingAnchor().constraintEqualTo(detailMessageLabel_->leadingAnchor()),
      content->trailingAnchor().constraintEqualTo(messageLabel_->trailingAnchor()),
      content->trailingAnchor().constraintEqualTo(detailMessageLabel_->trailingAnchor()),
      content->bottomAnchor().constraintEqualTo(retryButton_->bottomAnchor()),
      iconImageView_->centerXAnchor().constraintEqualTo(content->centerXAnchor()),
      messageLabel_->centerXAnchor().constraintEqualTo(content->centerXAnchor()),
      messageLabel_->topAnchor().constraintEqualTo(iconImageView_->bottomAnchor(), dimension_->errorMessageTopSpacing()),
      detailMessageLabel_->centerXAnchor().constraintEqualTo(content->centerXAnchor()),
      detailMessageLabel_->topAnchor().constraintEqualTo(messageLabel_->bottomAnchor(),
                                                         dimension_->errorDetailMessageTopSpacing()),
      retryButton_->centerXAnchor().constraintEqualTo(content->centerXAnchor()),
      retryButton_->topAnchor().constraintEqualTo(detailMessageLabel_->bottomAnchor(), dimension_->retryButtonTopSpacing()),
      // An icon without an image takes no room (rather than a negative height the group would
      // gladly shrink by).
      iconImageView_->heightAnchor().constraintGreaterThanOrEqualToConstant(0),
  });
}

}  // namespace velkor
