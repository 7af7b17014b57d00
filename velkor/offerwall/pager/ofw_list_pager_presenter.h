// The presenter of the top offerwall screen: the one combined load of ads, tabs, banners and popups,
// the current tab and tag, navigation from the pager, and the impressions of its rows. The screen,
// the popup carousel and the list pages reach it through this protocol.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "velkor/model/ad.h"
#include "velkor/model/popup.h"
#include "velkor/model/tab.h"

namespace velkor {

class AdRepository;
class OfwListPagerView;

class OfwListPagerPresenter {
 public:
  virtual ~OfwListPagerPresenter() = default;

  // The core's one ad repository.
  virtual std::shared_ptr<AdRepository> repository() const = 0;
  // The screen, held weakly: null once it has gone.
  virtual std::shared_ptr<OfwListPagerView> view() const = 0;

  // The ordered ads of the last successful load; none before it.
  virtual const std::optional<std::vector<Ad>>& ads() const = 0;
  virtual void setAds(std::optional<std::vector<Ad>> ads) = 0;
  // The reward still to earn among those ads.
  virtual std::int64_t rewards() const = 0;
  // The tabs of the first successful load.
  virtual const std::vector<Tab>& tabList() const = 0;
  virtual void setTabList(std::vector<Tab> tabs) = 0;
  // The popups of the last successful load, linked to their ads and ordered.
  virtual const std::vector<Popup>& popupList() const = 0;
  virtual const std::string& currentTabSlug() const = 0;
  virtual void setCurrentTabSlug(std::string slug) = 0;
  // A tag still to be selected on the current tab; none when none is pending.
  virtual const std::optional<std::string>& currentTagSlug() const = 0;
  virtual void setCurrentTagSlug(std::optional<std::string> slug) = 0;
  // The prepare view has been asked for (the name is the one publishers know).
  virtual bool parepareShown() const = 0;
  virtual void setParepareShown(bool shown) = 0;

  virtual void backButtonClicked() = 0;
  // Opens an ad's detail, by its id or by an SDK link; `from` tells where the tap came from.
  virtual void moveToDetail(std::int64_t adId, std::string from) = 0;
  virtual void moveToDetail(std::string uri, std::string from) = 0;
  virtual void moveTo(std::string tabSlug, std::string tagSlug) = 0;
  virtual void moveToContact() = 0;
  // Loads ads, tabs, banners and popups; `from` goes to the ad-list server.
  virtual void reloadData(std::string from) = 0;
  virtual void impression(const Ad& ad, std::string tabSlug, std::string tagSlug) = 0;
  virtual void sendImpression() = 0;
};

}  // namespace velkor
