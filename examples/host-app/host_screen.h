// The sample app's own screen: its title and the button from which a publisher opens the offerwall.
#pragma once

#include <functional>
#include <memory>

#include "platform/ui/button.h"
#include "platform/ui/view_controller.h"

namespace sample {

class HostScreen : public ui::ViewController {
 public:
  // Opens the offerwall through the SDK's facade when the button is tapped.
  HostScreen() = default;

  void viewDidLoad() override;
  const std::shared_ptr<ui::Button>& offerwallButton() const { return offerwallButton_; }

 private:
  std::shared_ptr<ui::Button> offerwallButton_;
};

}  // namespace sample
