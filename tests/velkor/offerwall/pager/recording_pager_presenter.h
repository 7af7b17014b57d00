// The pager presenter as the screens around it see it: tabs, ads, popups and the current tab and tag
// held as plain state, and what the screens ask of it written down for the tests to read.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "velkor/core/velkor_internal.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"

namespace velkor::testing {

class RecordingPagerPresenter : public OfwListPagerPresenter {
 public:
  RecordingPagerPresenter() = default;
  explicit RecordingPagerPresenter(const std::shared_ptr<OfwListPagerView>& view) : view_(view) {}

  std::shared_ptr<AdRepository> repository() const override { return VelkorInternal::shared().repository(); }
  std::shared_ptr<OfwListPagerView> view() const override { return view_.lock(); }
  const std::optional<std::vector<Ad>>& ads() const override { return ads_; }
  void setAds(std::optional<std::vector<Ad>> ads) override { ads_ = std::move(ads); }
  std::int64_t rewards() const override { return 0; }
  const std::vector<Tab>& tabList() const override { return tabs_; }
  void setTabList(std::vector<Tab> tabs) override { tabs_ = std::move(tabs); }
  const std::vector<Popup>& popupList() const override { return popups; }
  const std::string& currentTabSlug() const override { return tab_; }
  void setCurrentTabSlug(std::string slug) override { tab_ = std::move(slug); }
  const std::optional<std::string>& currentTagSlug() const override { return tag_; }
  void setCurrentTagSlug(std::optional<std::string> slug) override { tag_ = std::move(slug); }
  bool parepareShown() const override { return false; }
  void setParepareShown(bool) override {}

  void backButtonClicked() override { calls.push_back("back"); }
  void moveToDetail(std::int64_t, std::string) override {}
  void moveToDetail(std::string uri, std::string from) override { calls.push_back(uri + " from " + from); }
  void moveTo(std::string tabSlug, std::string tagSlug) override { moves.push_back(tabSlug + "/" + tagSlug); }
  void moveToContact() override { calls.push_back("contact"); }
  void reloadData(std::string from) override { calls.push_back("reload " + from); }
  void impression(const Ad& ad, std::string tabSlug, std::string tagSlug) override {
    impressions.push_back(std::to_string(ad.id) + "@" + tabSlug + "/" + tagSlug);
  }
  void sendImpression() override { calls.push_back("send"); }

  // What popupList serves.
  std::vector<Popup> popups;
  // Back, detail links, contact, reloads and sends, in order.
  std::vector<std::string> calls;
  // Tab moves as "tab/tag".
  std::vector<std::string> moves;
  // Row impressions as "adId@tab/tag".
  std::vector<std::string> impressions;

 private:
  std::weak_ptr<OfwListPagerView> view_;
  std::optional<std::vector<Ad>> ads_;
  std::vector<Tab> tabs_;
  std::string tab_ = "all";
  std::optional<std::string> tag_;
};

}  // namespace velkor::testing
