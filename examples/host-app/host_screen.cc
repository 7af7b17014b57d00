#include "examples/host-app/host_screen.h"

#include "platform/ui/label.h"
#include "velkor/core/velkor.h"

namespace sample {

void HostScreen::viewDidLoad() {
  view()->setBackgroundColor(ui::Color(0.96, 0.96, 0.97, 1));
  auto title = std::make_shared<ui::Label>(ui::Rect{24, 80, 342, 40});
  title->setText("Sample host app");
  title->setFont(ui::Font::boldSystemFont(24));
  view()->addSubview(title);

  offerwallButton_ = std::make_shared<ui::Button>(ui::Rect{24, 160, 342, 52});
  offerwallButton_->setTitle("무료 포인트 받기", ui::ControlState::normal);
  offerwallButton_->setTitleColor(ui::Color(1, 1, 1, 1), ui::ControlState::normal);
  offerwallButton_->setBackgroundColor(ui::Color(0.2, 0.4, 0.95, 1));
  offerwallButton_->layer().setCornerRadius(10);
  offerwallButton_->addAction(ui::ControlEvent::touchUpInside, [this] {
    velkor::Velkor::shared().presentOfferwall(shared_from_this());
  });
  view()->addSubview(offerwallButton_);
}

}  // namespace sample
