#include "velkor/components/velkor_alert_controller.h"

#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/core/velkor.h"

namespace velkor {
namespace {

void styleButton(ui::Button& button) {
  const auto scheme = Velkor::shared().colorScheme();
  button.setBackgroundColor(scheme->alertSubmitButtonBackgroundColor());
  button.titleLabel()->setTextColor(scheme->alertSubmitButtonTextColor());
}

}  // namespace

void VelkorAlertController::styleContentView(ui::View& view) {
  view.layer().setCornerRadius(10);
  view.setBackgroundColor(Velkor::shared().colorScheme()->alertBackgroundColor());
}

void VelkorAlertController::styleMessageLabel(ui::Label& label) {
  label.setTextColor(Velkor::shared().colorScheme()->alertMessageColor());
}

void VelkorAlertController::styleSubmitButton(ui::Button& button) { styleButton(button); }

void VelkorAlertController::styleCancelButton(ui::Button& button) { styleButton(button); }

}  // namespace velkor
