#include "velkor/components/velkor_navigation_bar.h"

#include "platform/ui/nib_registry.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/resources/framework_nibs.h"

namespace velkor {

VelkorNavigationBar::VelkorNavigationBar() { commonInit(); }

VelkorNavigationBar::VelkorNavigationBar(const ui::Rect& frame) : ui::NavigationBar(frame) { commonInit(); }

void VelkorNavigationBar::commonInit() {
  // Keeps the nib's objects alive until the content is in the bar.
  const auto objects = frameworkNibs().load(kNibName, ui::NibOwner(*this));
  if (auto content = contentView()) {
    addSubview(content);
    content->setFrame(bounds());
    content->setAutoresizingMask(ui::AutoresizingMask::flexibleWidth | ui::AutoresizingMask::flexibleHeight);
  }
  if (auto label = titleLabel()) label->setFont(VelkorOfwText::boldFont(17));
  if (VelkorInternal::shared().config()->navigationHelpButtonType() != ButtonType::text) return;
  if (auto help = helpButton()) {
    help->setTitle("이용문의", ui::ControlState::normal);
    help->setImage(std::nullopt, ui::ControlState::normal);
  }
  if (helpButtonWidthConstraint_) helpButtonWidthConstraint_->setConstant(72);
}

std::optional<std::string> VelkorNavigationBar::title() const {
  auto label = titleLabel();
  if (!label) return std::nullopt;
  return label->text();
}

void VelkorNavigationBar::setTitle(const std::string& title) {
  if (auto label = titleLabel()) label->setText(title);
}

void VelkorNavigationBar::setTitleColor(const ui::Color& color) {
  if (auto label = titleLabel()) label->setTextColor(color);
}

void VelkorNavigationBar::setBackButtonImage(std::optional<ui::Image> image) {
  if (auto back = backBarButton()) back->setImage(std::move(image), ui::ControlState::normal);
}

void VelkorNavigationBar::layoutSubviews() {
  if (auto back = backItem(); back && back->title() != std::optional<std::string>("")) back->setTitle("");
  ui::NavigationBar::layoutSubviews();
}

void showBarButton(ui::Button& button, std::function<void()> action) {
  button.removeTarget(nullptr, ui::ControlEvent::allEvents);
  button.addAction(ui::ControlEvent::touchUpInside, std::move(action));
  button.setHidden(false);
}

}  // namespace velkor
