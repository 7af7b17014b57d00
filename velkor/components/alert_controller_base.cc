#include "velkor/components/alert_controller_base.h"

#include "platform/base/url.h"
#include "platform/dispatch/queue.h"
#include "platform/ui/application.h"
#include "velkor/web/web_address.h"

namespace velkor {

void AlertControllerBase::setContentView(const std::shared_ptr<ui::View>& view) {
  contentView_ = view;
  if (view) styleContentView(*view);
}

void AlertControllerBase::setMessaageLabel(const std::shared_ptr<ui::Label>& label) {
  messaageLabel_ = label;
  if (label) styleMessageLabel(*label);
}

void AlertControllerBase::setSubmitButton(const std::shared_ptr<ui::Button>& button) {
  submitButton_ = button;
  if (button) styleSubmitButton(*button);
}

void AlertControllerBase::setCancelButton(const std::shared_ptr<ui::Button>& button) {
  cancelButton_ = button;
  if (button) styleCancelButton(*button);
}

void AlertControllerBase::submitClicked() {
  dismiss(false);
  if (type_ != trackingPermission) return;
  // Once the dismissal has started, on a later turn of the main queue.
  dispatch::main()->async([] {
    if (auto settings = base::Url::parse(ui::Application::kOpenSettingsURLString)) {
      openInSystem(*settings);
    }
  });
}

void AlertControllerBase::cancelButtonClicked() { dismiss(false); }

}  // namespace velkor
