// The fixed-style alert a publisher chooses with useCustomDialog: a sheet whose two top corners are
// rounded at every layout pass, with a dark message and an outlined cancel button.
#pragma once

#include "velkor/components/alert_controller_base.h"

namespace velkor {

class CustomAlertController : public AlertControllerBase {
 public:
  static constexpr double kTopCornerRadius = 16.0;

  void viewWillLayoutSubviews() override;
  void viewDidLayoutSubviews() override;

 protected:
  void styleMessageLabel(ui::Label& label) override;
  void styleSubmitButton(ui::Button& button) override;
  void styleCancelButton(ui::Button& button) override;

 private:
  void roundCardTop();
};

}  // namespace velkor
