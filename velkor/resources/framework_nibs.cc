#include "velkor/resources/framework_nibs.h"

#include <memory>
#include <mutex>

#include "platform/ui/constraint.h"
#include "platform/ui/controller_view.h"
#include "platform/ui/stack_view.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/components/custom_alert_controller.h"
#include "velkor/components/default_prepare_view.h"
#include "velkor/components/velkor_alert_controller.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/detail/detail_nib.h"
#include "velkor/resources/resource_bundle.h"
#include "velkor/web/velkor_web_alert_controller.h"

namespace velkor {
namespace {

using ui::Constraint;

std::shared_ptr<ui::Button> alertButton(const char* title) {
  auto button = std::make_shared<ui::Button>();
  button->setTitle(title, ui::ControlState::normal);
  button->titleLabel()->setFont(VelkorOfwText::mediumFont(15));
  return button;
}

// An alert: a dimmed screen with a card holding the message over a row of [cancel, submit]. The
// card stands in the middle, or, as a sheet, along the bottom edge. The cancel button is hidden:
// only a "confirm" dialog and the tracking alert show it.
template <class Alert>
std::vector<ui::NibObject> buildAlert(bool sheet) {
  auto alert = std::make_shared<Alert>();
  auto root = std::make_shared<ui::ControllerView<ui::View>>();
  root->setBackgroundColor(ui::Color(0, 0, 0, 0.4));
  auto card = std::make_shared<ui::View>();
  auto message = std::make_shared<ui::Label>();
  message->setNumberOfLines(0);
  message->setTextAlignment(ui::TextAlignment::center);
  message->setFont(VelkorOfwText::regularFont(15));
  auto cancel = alertButton("취소");
  auto submit = alertButton("확인");
  cancel->setHidden(true);
  auto buttons = std::make_shared<ui::StackView>(std::vector<std::shared_ptr<ui::View>>{cancel, submit});
  buttons->setAxis(ui::LayoutAxis::horizontal);
  buttons->setDistribution(ui::StackView::Distribution::fillEqually);
  buttons->setSpacing(8);
  root->addSubview(card);
  card->addSubview(message);
  card->addSubview(buttons);
  for (const auto& view : std::vector<std::shared_ptr<ui::View>>{card, message, buttons}) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
  }
  const double side = sheet ? 0 : 32;
  Constraint::activate({
      card->leadingAnchor().constraintEqualTo(root->leadingAnchor(), side),
      card->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -side),
      sheet ? card->bottomAnchor().constraintEqualTo(root->bottomAnchor())
            : card->centerYAnchor().constraintEqualTo(root->centerYAnchor()),
      message->topAnchor().constraintEqualTo(card->topAnchor(), sheet ? 32 : 28),
      message->leadingAnchor().constraintEqualTo(card->leadingAnchor(), 20),
      message->trailingAnchor().constraintEqualTo(card->trailingAnchor(), -20),
      buttons->topAnchor().constraintEqualTo(message->bottomAnchor(), 24),
      buttons->leadingAnchor().constraintEqualTo(card->leadingAnchor(), 16),
      buttons->trailingAnchor().constraintEqualTo(card->trailingAnchor(), -16),
      buttons->bottomAnchor().constraintEqualTo(card->bottomAnchor(), sheet ? -34 : -16),
      buttons->heightAnchor().constraintEqualToConstant(44),
  });
  alert->setView(root);
  alert->setContentView(card);
  alert->setMessaageLabel(message);
  alert->setSubmitButton(submit);
  alert->setCancelButton(cancel);
  std::weak_ptr<Alert> weak = alert;
  submit->addTarget(alert.get(), [weak](ui::Control&) {
    if (auto self = weak.lock()) self->submitClicked();
  }, ui::ControlEvent::touchUpInside);
  cancel->addTarget(alert.get(), [weak](ui::Control&) {
    if (auto self = weak.lock()) self->cancelButtonClicked();
  }, ui::ControlEvent::touchUpInside);
  return {alert};
}

std::shared_ptr<ui::Button> barButton(const char* image) {
  auto button = std::make_shared<ui::Button>();
  button->setImage(resourceBundle().image(image), ui::ControlState::normal);
  button->setTitleColor(ui::Color::black(), ui::ControlState::normal);
  button->setTranslatesAutoresizingMaskIntoConstraints(false);
  return button;
}

// The bar's content: back at the leading edge, close at the trailing one, help beside close, the
// title in the middle. Every button is 44 points wide; help's width may change.
std::vector<ui::NibObject> buildNavigationBar(const ui::NibOwner& owner) {
  auto content = std::make_shared<ui::View>();
  auto title = std::make_shared<ui::Label>();
  title->setTextAlignment(ui::TextAlignment::center);
  title->setTranslatesAutoresizingMaskIntoConstraints(false);
  auto back = barButton("ic_back");
  auto close = barButton("ic_close");
  auto help = barButton("ic_help");
  for (const auto& view : std::vector<std::shared_ptr<ui::View>>{title, back, close, help}) content->addSubview(view);
  auto helpWidth = help->widthAnchor().constraintEqualToConstant(44);
  Constraint::activate({
      back->leadingAnchor().constraintEqualTo(content->leadingAnchor()),
      back->topAnchor().constraintEqualTo(content->topAnchor()),
      back->bottomAnchor().constraintEqualTo(content->bottomAnchor()),
      back->widthAnchor().constraintEqualToConstant(44),
      close->trailingAnchor().constraintEqualTo(content->trailingAnchor()),
      close->topAnchor().constraintEqualTo(content->topAnchor()),
      close->bottomAnchor().constraintEqualTo(content->bottomAnchor()),
      close->widthAnchor().constraintEqualToConstant(44),
      help->trailingAnchor().constraintEqualTo(close->leadingAnchor()),
      help->topAnchor().constraintEqualTo(content->topAnchor()),
      help->bottomAnchor().constraintEqualTo(content->bottomAnchor()),
      helpWidth,
      title->centerXAnchor().constraintEqualTo(content->centerXAnchor()),
      title->centerYAnchor().constraintEqualTo(content->centerYAnchor()),
      title->leadingAnchor().constraintGreaterThanOrEqualTo(back->trailingAnchor()),
      title->trailingAnchor().constraintLessThanOrEqualTo(help->leadingAnchor()),
  });
  if (auto* bar = owner.as<VelkorNavigationBar>()) {
    bar->setContentView(content);
    bar->setTitleLabel(title);
    bar->setBackBarButton(back);
    bar->setCloseButton(close);
    bar->setHelpButton(help);
    bar->setHelpButtonWidthConstraint(helpWidth);
  }
  return {content};
}

// The prepare view's content: a dimmed screen with a card in the middle holding the reward icon,
// the title and the counting reward.
std::vector<ui::NibObject> buildPrepareView(const ui::NibOwner& owner) {
  auto content = std::make_shared<ui::View>();
  content->setBackgroundColor(ui::Color(0, 0, 0, 0.6));
  auto card = std::make_shared<ui::View>();
  card->setBackgroundColor(ui::Color::white());
  card->layer().setCornerRadius(16);
  auto icon = std::make_shared<ui::ImageView>(resourceBundle().image("ic_reward"));
  auto title = std::make_shared<ui::Label>();
  title->setTextAlignment(ui::TextAlignment::center);
  title->setFont(VelkorOfwText::regularFont(15));
  title->setTextColor(ui::Color::black());
  auto reward = std::make_shared<AnimatedLabel>();
  reward->setTextAlignment(ui::TextAlignment::center);
  reward->setFont(VelkorOfwText::boldFont(32));
  content->addSubview(card);
  for (const std::shared_ptr<ui::View>& view : std::vector<std::shared_ptr<ui::View>>{icon, title, reward}) {
    card->addSubview(view);
  }
  for (const std::shared_ptr<ui::View>& view : std::vector<std::shared_ptr<ui::View>>{card, icon, title, reward}) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
  }
  Constraint::activate({
      card->centerXAnchor().constraintEqualTo(content->centerXAnchor()),
      card->centerYAnchor().constraintEqualTo(content->centerYAnchor()),
      card->widthAnchor().constraintEqualToConstant(280),
      icon->topAnchor().constraintEqualTo(card->topAnchor(), 28),
      icon->centerXAnchor().constraintEqualTo(card->centerXAnchor()),
      title->topAnchor().constraintEqualTo(icon->bottomAnchor(), 16),
      title->leadingAnchor().constraintEqualTo(card->leadingAnchor(), 16),
      title->trailingAnchor().constraintEqualTo(card->trailingAnchor(), -16),
      reward->topAnchor().constraintEqualTo(title->bottomAnchor(), 8),
      reward->leadingAnchor().constraintEqualTo(card->leadingAnchor(), 16),
      reward->trailingAnchor().constraintEqualTo(card->trailingAnchor(), -16),
      reward->bottomAnchor().constraintEqualTo(card->bottomAnchor(), -28),
  });
  if (auto* view = owner.as<DefaultPrepareView>()) {
    view->setContentView(content);
    view->setTitleLabel(title);
    view->setAvailableRewardLabel(reward);
    view->setRewardIconImageView(icon);
  }
  return {content};
}

void registerNibs(ui::NibRegistry& registry) {
  registry.registerNib("VelkorAlertController", [](const ui::NibOwner&) { return buildAlert<VelkorAlertController>(false); });
  registry.registerNib("CustomAlertController", [](const ui::NibOwner&) { return buildAlert<CustomAlertController>(true); });
  // The same card; its web view outlet is left unconnected, as no screen of the SDK fills one.
  registry.registerNib(VelkorWebAlertController::kNibName,
                       [](const ui::NibOwner&) { return buildAlert<VelkorWebAlertController>(false); });
  registry.registerNib(VelkorNavigationBar::kNibName, buildNavigationBar);
  registry.registerNib(DefaultPrepareView::kNibName, buildPrepareView);
  registerDetailNib(registry);
}

}  // namespace

const ui::NibRegistry& frameworkNibs() {
  static std::once_flag once;
  std::call_once(once, [] { registerNibs(ui::NibRegistry::framework()); });
  return ui::NibRegistry::framework();
}

}  // namespace velkor
