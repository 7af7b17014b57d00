// The list page under test: a presenter that serves fixed rows, tags and banners and records what
// the page asks of it, in a window on the manual clock, with the theme and configuration put back
// afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/velkor/offerwall/list/list_test_support.h"
#include "tests/velkor/offerwall/rows/screen_testing.h"
#include "velkor/offerwall/list/default_ofw_list_view_controller.h"
#include "velkor/offerwall/list/reward_totals.h"

namespace velkor::testing {

class RecordingListPresenter : public OfwListPresenter {
 public:
  std::shared_ptr<AdRepository> repository() const override { return VelkorInternal::shared().repository(); }
  std::shared_ptr<OfwListView> view() const override { return nullptr; }
  const std::string& tabSlug() const override { return tabSlug_; }
  void setTabSlug(std::string slug) override { tabSlug_ = std::move(slug); }
  const std::optional<std::vector<Ad>>& cachedAdList() const override { return ads_; }
  void setCachedAdList(std::optional<std::vector<Ad>> ads) override { ads_ = std::move(ads); }
  const std::optional<std::vector<Ad>>& filterSortedAdList() const override { return ads_; }
  void setFilterSortedAdList(std::optional<std::vector<Ad>> ads) override { ads_ = std::move(ads); }
  const std::vector<Banner>& bannerList() const override { return banners; }
  const std::optional<std::vector<Tag>>& tagList() const override { return tags_; }
  void setTagList(std::optional<std::vector<Tag>> tags) override { tags_ = std::move(tags); }
  const std::string& selectedTagSlug() const override { return tagSlug_; }
  void setSelectedTagSlug(std::string slug) override { tagSlug_ = std::move(slug); }
  Ad::SortType selectedSortOrder() const override { return order_; }
  void setSelectedSortOrder(Ad::SortType order) override { order_ = order; }
  std::int64_t rewards() const override { return accumulableRewards(ads_); }
  std::int64_t getFixedTotalReward() override { return rewards(); }
  std::string getTotalRewardStr(bool unitOnly) override { return totalRewardString(rewards(), unitOnly); }
  void loadData() override { ++loads; }
  void moveToDetail(std::string uri, std::optional<std::string> title, std::string from) override {
    routes.push_back(uri + "|" + title.value_or("-") + "|" + from);
  }
  void moveToContact() override {}

  std::vector<Banner> banners;
  int loads = 0;
  std::vector<std::string> routes;

 private:
  std::string tabSlug_ = "all";
  std::string tagSlug_ = "all";
  Ad::SortType order_ = Ad::SortType::recommend;
  std::optional<std::vector<Ad>> ads_;
  std::optional<std::vector<Tag>> tags_;
};

inline Ad listAd(std::int64_t id, std::int64_t reward = 100) {
  Ad ad;
  ad.id = id;
  ad.title = "광고 " + std::to_string(id);
  ad.subtitle = "설치하면 적립";
  ad.reward = reward;
  ad.rewardTypeId = 1;
  ad.rewardText = "{REWARD_STR}";
  ad.callToAction = "참여하기";
  ad.callToActionEnabled = true;
  ad.viewUrl = "velkor://offerwall/ads/" + std::to_string(id);
  ad.titleBar = "제목 " + std::to_string(id);
  return ad;
}

inline std::vector<Ad> listAds(int count) {
  std::vector<Ad> ads;
  for (int i = 0; i < count; ++i) ads.push_back(listAd(100 + i, 100 * (i + 1)));
  return ads;
}

inline Tag listTag(std::int64_t id, const std::string& slug, const std::string& name) {
  Tag tag;
  tag.id = id;
  tag.slug = slug;
  tag.name = name;
  return tag;
}

inline Banner listBanner(std::int64_t id, float priority, BannerDisplayType type = BannerDisplayType::IMAGE_ONLY) {
  Banner banner;
  banner.id = id;
  banner.priority = priority;
  banner.bannerDisplayTypeId = type;
  banner.backgroundColor = "#E8F0FF";
  banner.landingUrl = "velkor://offerwall/ads/{ad_id}";
  return banner;
}

// A page inside a pager of one or more tabs, in a window 375 wide, on the manual clock.
class ListScreenTest : public ScreenTest {
 protected:
  // Builds the page the way the pager does, and shows it.
  void makePage(ListType listType = ListType::compactList) {
    VelkorInternal::shared().config()->setListType(listType);
    page_ = std::make_shared<DefaultOfwListViewController>();
    page_->setPresenter(presenter_);
    page_->setParentView(pager_);
    page_->setPageIndex(0);
    window_->setSize({375, 812});
    window_->setRootViewController(page_);
    window_->makeKeyAndVisible();
    window_->layoutIfNeeded();
  }
  void deliver(std::vector<Ad> ads, std::optional<std::vector<Tag>> tags = std::nullopt) {
    presenter_->setFilterSortedAdList(ads);
    presenter_->setTagList(tags);
    page_->loadData(ads, tags);
    window_->layoutIfNeeded();
  }

  std::shared_ptr<RecordingPagerView> pager_ = std::make_shared<RecordingPagerView>();
  std::shared_ptr<RecordingListPresenter> presenter_ = std::make_shared<RecordingListPresenter>();
  std::shared_ptr<DefaultOfwListViewController> page_;
};

}  // namespace velkor::testing
