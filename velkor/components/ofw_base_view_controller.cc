#include "velkor/components/ofw_base_view_controller.h"

#include "platform/base/bundle.h"
#include "platform/base/log.h"
#include "platform/base/url.h"
#include "platform/ui/application.h"
#include "platform/ui/constraint.h"
#include "velkor/appearance/hex_color.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/components/custom_alert_controller.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/ofw_toast_message_label.h"
#include "velkor/components/ui_kit_extensions.h"
#include "velkor/components/velkor_alert_controller.h"
#include "velkor/core/text_replace.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/model/dialog.h"
#include "velkor/model/velkor_error.h"
#include "velkor/resources/framework_nibs.h"
#include "velkor/web/web_address.h"

namespace velkor {
namespace {

constexpr const char* kIdfaMessage =
    "본 광고에 참여하려면 '추적 허용'을 선택해주세요.\n설정>개인정보 보호>추적>{APP_NAME}의 추적 허용을 선택해주세요.";

void colorSubmit(AlertControllerBase& alert, const VelkorColorScheme& scheme) {
  if (auto submit = alert.submitButton()) {
    submit->setBackgroundColor(scheme.alertSubmitButtonBackgroundColor());
    submit->setTitleColor(scheme.alertSubmitButtonTextColor(), ui::ControlState::normal);
  }
}

void colorButtons(AlertControllerBase& alert, const VelkorColorScheme& scheme) {
  colorSubmit(alert, scheme);
  if (auto cancel = alert.cancelButton()) {
    cancel->setBackgroundColor(scheme.alertCancelButtonBackgroundColor());
    cancel->setTitleColor(scheme.alertCancelButtonTextColor(), ui::ControlState::normal);
  }
}

// The action of a dialog's callback address. Both alerts drop the "{media}" placeholder, which only
// the ad server's templates fill; an address that does not parse opens nothing.
std::function<void()> linkAction(const std::string& callbackUrl) {
  return [callbackUrl] {
    base::console("== click");
    const auto url = base::Url::parse(replacingOccurrences(callbackUrl, "{media}", ""));
    if (!url) return;
    base::console(url->absoluteString());
    openInSystem(*url);
  };
}

}  // namespace

OfwBaseViewController::OfwBaseViewController() : OfwBaseViewController(std::nullopt) {}

OfwBaseViewController::OfwBaseViewController(std::optional<std::string> nibName, const ui::NibRegistry& bundle)
    : ui::ViewController(std::move(nibName), &bundle),
      colorScheme_(VelkorInternal::shared().colorScheme()),
      dimension_(VelkorInternal::shared().dimension()),
      bundle_(&bundle) {}

OfwNavigationController* OfwBaseViewController::customNavigationController() const {
  return dynamic_cast<OfwNavigationController*>(navigationController());
}

void OfwBaseViewController::showAlert(const std::string& message) { showAlert(message, std::nullopt); }

void OfwBaseViewController::showAlert(const std::string& message, std::optional<long>) {
  auto alert = loadAlert(Velkor::shared().config()->useCustomDialog());
  if (!alert) return;
  colorButtons(*alert, *colorScheme_);
  if (auto label = alert->messaageLabel()) label->setText(message);
  presentAlert(alert);
}

void OfwBaseViewController::showDialog(const Dialog& dialog) {
  const bool custom = Velkor::shared().config()->useCustomDialog();
  auto alert = loadAlert(custom);
  if (!alert) return;
  // The custom alert keeps its own cancel look.
  custom ? colorSubmit(*alert, *colorScheme_) : colorButtons(*alert, *colorScheme_);
  alert->setType(AlertControllerBase::serverDialog);
  auto submit = alert->submitButton();
  auto cancel = alert->cancelButton();
  if (cancel && dialog.type == "confirm") cancel->setHidden(false);
  if (submit && dialog.positiveButton) submit->setTitle(*dialog.positiveButton, ui::ControlState::normal);
  if (cancel && dialog.negativeButton) cancel->setTitle(*dialog.negativeButton, ui::ControlState::normal);
  if (dialog.positiveCallbackUrl) {
    setButtonActionHandler(linkAction(*dialog.positiveCallbackUrl));
    if (submit) addTriggerActionHandler(*submit);
  }
  if (auto label = alert->messaageLabel()) label->setText(dialog.mMessage());
  presentAlert(alert);
}

void OfwBaseViewController::showIdfaAlert() {
  auto alert = loadAlert(false);
  if (!alert) return;
  alert->setType(AlertControllerBase::trackingPermission);
  if (auto cancel = alert->cancelButton()) cancel->setHidden(false);
  colorSubmit(*alert, *colorScheme_);
  // Filled with the host's display name when it has one, so the user knows which app to look for.
  std::string message = kIdfaMessage;
  if (auto name = hostDisplayName()) message = replacingOccurrences(message, "{APP_NAME}", *name);
  if (auto label = alert->messaageLabel()) label->setText(message);
  presentAlert(alert);
}

std::shared_ptr<AlertControllerBase> OfwBaseViewController::loadAlert(bool custom) const {
  if (custom) return frameworkNibs().instantiate<CustomAlertController>("CustomAlertController");
  return frameworkNibs().instantiate<VelkorAlertController>("VelkorAlertController");
}

void OfwBaseViewController::presentAlert(const std::shared_ptr<AlertControllerBase>& alert) {
  alert->setModalPresentationStyle(ui::ModalPresentationStyle::overCurrentContext);
  present(alert, false);
}

void OfwBaseViewController::showLoadingIndicator() {
  if (auto* navigation = customNavigationController()) navigation->showIndicator();
}

void OfwBaseViewController::hideLoadingIndicator() {
  if (auto* navigation = customNavigationController()) navigation->hideIndicator();
}

void OfwBaseViewController::presentToastMessage() {
  auto toast = std::make_shared<OfwToastMessageLabel>();
  toast->setIsEnabledInset(true);
  toast->setLayoutMargins({14, 24, 14, 24});
  toast->setBackgroundColor(colorFromHex("#40424C", 1.0).withAlphaComponent(0.9));
  toast->setLineBreakMode(ui::LineBreakMode::byWordWrapping);
  toast->setTextColor(ui::Color::white());
  toast->setTextAlignment(ui::TextAlignment::center);
  toast->setFont(VelkorOfwText::regularFont(14));
  toast->setText(kToastMessage);
  toast->layer().setCornerRadius(20);
  toast->setClipsToBounds(true);
  toast->setLifecycleAnimation(1.0, 0.0, 1.0, 2.0);
  const auto& screen = view();
  screen->addSubview(toast);
  toast->setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::Constraint::activate({
      toast->centerXAnchor().constraintEqualTo(screen->centerXAnchor()),
      toast->centerYAnchor().constraintEqualTo(screen->bottomAnchor(), -120),
      toast->leadingAnchor().constraintGreaterThanOrEqualTo(screen->leadingAnchor(), 20),
      toast->trailingAnchor().constraintLessThanOrEqualTo(screen->trailingAnchor(), -20),
  });
}

void OfwBaseViewController::viewWillDisappear(bool animated) {
  ui::ViewController::viewWillDisappear(animated);
  hideLoadingIndicator();
}

}  // namespace velkor
