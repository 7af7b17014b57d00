#include "velkor/components/an_tab_bar_view.h"

#include "platform/ui/constraint.h"
#include "platform/ui/font.h"

namespace velkor {

std::shared_ptr<ANTabBarView> ANTabBarView::make(const VelkorColorScheme& colorScheme, const ui::Rect& frame) {
  auto view = std::make_shared<ANTabBarView>(frame);
  view->build(colorScheme);
  return view;
}

void ANTabBarView::build(const VelkorColorScheme& colorScheme) {
  label_ = std::make_shared<ui::Label>(frame());
  label_->setFont(ui::Font::named("AppleSDGothicNeo-Bold", 16).value_or(ui::Font::boldSystemFont(16)));
  label_->setTextAlignment(ui::TextAlignment::center);
  label_->setTextColor(colorScheme.tabItemTextNormalColor());
  label_->setHighlightedTextColor(colorScheme.tabItemTextSelectedColor());
  addSubview(label_);
  label_->setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::Constraint::activate({
      label_->leadingAnchor().constraintEqualTo(leadingAnchor()),
      label_->trailingAnchor().constraintEqualTo(trailingAnchor()),
      label_->bottomAnchor().constraintEqualTo(bottomAnchor()),
      label_->topAnchor().constraintEqualTo(topAnchor(), 4.0),
  });

  indicator_ = std::make_shared<ui::View>(frame());
  indicator_->setBackgroundColor(colorScheme.tabItemIndicatorSelectedColor());
  addSubview(indicator_);
  indicator_->setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::Constraint::activate({
      indicator_->centerXAnchor().constraintEqualTo(centerXAnchor()),
      indicator_->bottomAnchor().constraintEqualTo(bottomAnchor()),
      indicator_->heightAnchor().constraintEqualToConstant(2.5),
  });
  indicator_->setHidden(true);
}

}  // namespace velkor
