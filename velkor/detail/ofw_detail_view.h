// The ad detail screen as its presenter drives it. A screen that adopts it is an
// OfwBaseViewController too, whose operations of the same names it forwards to; the presenter holds
// it weakly.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "velkor/model/ad.h"
#include "velkor/model/dialog.h"

namespace ui {
class NavigationController;
}

namespace velkor {

class OfwDetailPresenter;

class OfwDetailView {
 public:
  virtual ~OfwDetailView() = default;

  // The navigation controller holding the screen, through which the presenter pushes and replaces
  // screens; null while it is in none.
  virtual ui::NavigationController* navigationController() const = 0;
  // The screen holds its presenter strongly; the factory sets it.
  virtual std::shared_ptr<OfwDetailPresenter> presenter() const = 0;
  virtual void setPresenter(std::shared_ptr<OfwDetailPresenter> presenter) = 0;
  // Where the screen was opened from ("ad_list", "ad_detail", "deeplink"), sent with its first ad
  // request.
  virtual const std::string& from() const = 0;
  virtual void setFrom(std::string from) = 0;
  // The ad as last loaded; none before the first load. The presenter only reads it.
  virtual const std::optional<Ad>& currentAd() const = 0;
  virtual void setCurrentAd(std::optional<Ad> ad) = 0;

  // Loads the ad again with that origin and renders it.
  virtual void reloadData(std::string from, bool refresh) = 0;
  virtual void showLoadingIndicator() = 0;
  virtual void hideLoadingIndicator() = 0;
  virtual void showNetworkError(bool retry) = 0;
  virtual void showAlert(const std::string& message) = 0;
  // The code goes with the message; the default screen shows the same alert.
  virtual void showAlert(const std::string& message, std::optional<std::int64_t> code) = 0;
  virtual void showIdfaAlert() = 0;
  // A server dialog that came with an error, and one that came instead of a landing.
  virtual void showDialog(const Dialog& dialog) = 0;
  virtual void showLandingDialog(const Dialog& dialog) = 0;
  virtual void presentToastMessage() = 0;
};

}  // namespace velkor
