// The SDK's own alert, coloured from the colour scheme in force when its nib connects it. Both
// buttons start in the submit colours; the screen that shows it recolours them.
#pragma once

#include "velkor/components/alert_controller_base.h"

namespace velkor {

class VelkorAlertController : public AlertControllerBase {
 protected:
  void styleContentView(ui::View& view) override;
  void styleMessageLabel(ui::Label& label) override;
  void styleSubmitButton(ui::Button& button) override;
  void styleCancelButton(ui::Button& button) override;
};

}  // namespace velkor
