#include "velkor/components/custom_alert_controller.h"

#include "velkor/appearance/hex_color.h"
#include "velkor/components/ui_kit_extensions.h"

namespace velkor {

void CustomAlertController::viewWillLayoutSubviews() {
  AlertControllerBase::viewWillLayoutSubviews();
  roundCardTop();
}

void CustomAlertController::viewDidLayoutSubviews() {
  AlertControllerBase::viewDidLayoutSubviews();
  roundCardTop();
}

// The mask follows the card's bounds of the moment, so a size change keeps the corners round.
void CustomAlertController::roundCardTop() {
  if (auto card = contentView()) roundCorners(*card, ui::RectCorner::topLeft | ui::RectCorner::topRight, kTopCornerRadius);
}

void CustomAlertController::styleMessageLabel(ui::Label& label) { label.setTextColor(colorFromHex("#262D39", 1.0)); }

void CustomAlertController::styleSubmitButton(ui::Button& button) {
  button.layer().setCornerRadius(4.0);
  button.layer().setBorderWidth(0.0);
  button.layer().setBorderColor(ui::Color::white());
}

void CustomAlertController::styleCancelButton(ui::Button& button) {
  button.layer().setCornerRadius(4.0);
  button.layer().setBorderWidth(1.0);
  button.setBackgroundColor(ui::Color::white());
  button.layer().setBorderColor(ui::Color(0.149, 0.176, 0.224, 0.16));
}

}  // namespace velkor
