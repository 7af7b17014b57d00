// The presenter of the ad detail screen: participation with its checks, the postback and the
// landing, the share link, the help page and the back button. The factory makes it with the screen
// and the ad id; the screen forwards its user actions here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "velkor/model/ad.h"
#include "velkor/network/error.h"

namespace velkor {

class AdRepository;
class OfwDetailView;

class OfwDetailPresenter {
 public:
  virtual ~OfwDetailPresenter() = default;

  // The core's one ad repository.
  virtual std::shared_ptr<AdRepository> repository() const = 0;
  // The screen, held weakly: null once it has gone.
  virtual std::shared_ptr<OfwDetailView> view() const = 0;
  // The screen's current ad; none without a screen or before the first load.
  virtual std::optional<Ad> currentAd() const = 0;
  virtual std::int64_t adId() const = 0;
  virtual void setAdId(std::int64_t adId) = 0;

  virtual void backButtonClicked() = 0;
  // The call-to-action: checks, then participation.
  virtual void sendParticipate() = 0;
  // Opens the help page, or the page at that address, asking the host to log in first when there
  // is no user id.
  virtual void moveToContact() = 0;
  virtual void moveToContact(std::string url) = 0;
  // The ad's short share link, or the error; on the main queue.
  virtual void generateShortLink(std::function<void(Result<std::string>)> completion) = 0;
};

}  // namespace velkor
