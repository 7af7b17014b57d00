// The base of the offerwall's full screens: the theme objects current at the screen's creation,
// the SDK's alerts (a plain message, a server dialog and the tracking-permission alert), the loading
// indicator of the offerwall's navigation controller, and a short toast. Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/nib_registry.h"
#include "platform/ui/view_controller.h"

namespace velkor {

class AlertControllerBase;
class OfwNavigationController;
class VelkorColorScheme;
class VelkorDimension;
struct Dialog;

class OfwBaseViewController : public ui::ViewController {
 public:
  static constexpr const char* kToastMessage = "URL이 복사되었습니다.";

  OfwBaseViewController();
  // A screen whose view comes from the nib of that name in `bundle`: the framework's for the SDK's
  // own screens, the host app's (ui::NibRegistry::main()) for a host subclass.
  explicit OfwBaseViewController(std::optional<std::string> nibName,
                                 const ui::NibRegistry& bundle = ui::NibRegistry::framework());

  // Fixed at creation: a later swap through the facade reaches only screens made after it.
  const std::shared_ptr<VelkorColorScheme>& colorScheme() const { return colorScheme_; }
  const std::shared_ptr<VelkorDimension>& dimension() const { return dimension_; }

  // The screen's navigation controller when it is the offerwall's; null otherwise.
  virtual OfwNavigationController* customNavigationController() const;
  // Where the screen's nib comes from.
  virtual const ui::NibRegistry& getBundle() const { return *bundle_; }

  // The SDK alert with the message; the code changes nothing shown.
  virtual void showAlert(const std::string& message);
  virtual void showAlert(const std::string& message, std::optional<long> code);
  // A dialog the server sent: its texts, a cancel button for "confirm", and its callback address,
  // which the submit button opens (through the process-wide button action) as it closes the alert.
  virtual void showDialog(const Dialog& dialog);
  // Asks the user to allow tracking in the settings; always the SDK's own alert.
  virtual void showIdfaAlert();
  // Through the offerwall's navigation controller; nothing outside one.
  virtual void showLoadingIndicator();
  virtual void hideLoadingIndicator();
  // "URL이 복사되었습니다." near the bottom of the screen for four seconds.
  virtual void presentToastMessage();

  // Leaving a screen always takes the indicator away.
  void viewWillDisappear(bool animated) override;

 private:
  std::shared_ptr<AlertControllerBase> loadAlert(bool custom) const;
  void presentAlert(const std::shared_ptr<AlertControllerBase>& alert);

  const std::shared_ptr<VelkorColorScheme> colorScheme_;
  const std::shared_ptr<VelkorDimension> dimension_;
  const ui::NibRegistry* bundle_;
};

}  // namespace velkor
