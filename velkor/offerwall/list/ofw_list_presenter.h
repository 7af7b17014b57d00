// The presenter of one tab's list page: reads the ads the pager's load has cached, fetches the page's
// banners, filters and orders by the selected tag and sort order, and opens details and the help
// page. A list page that a publisher names receives its presenter through this protocol.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "velkor/model/ad.h"
#include "velkor/model/banner.h"
#include "velkor/model/tag.h"

namespace velkor {

class AdRepository;
class OfwListView;

class OfwListPresenter {
 public:
  virtual ~OfwListPresenter() = default;

  // The core's one ad repository, read anew at every use.
  virtual std::shared_ptr<AdRepository> repository() const = 0;
  // The page, held weakly: null once it has gone.
  virtual std::shared_ptr<OfwListView> view() const = 0;

  // Setting one of these loads nothing; the caller calls loadData() afterwards.
  virtual const std::string& tabSlug() const = 0;
  virtual void setTabSlug(std::string slug) = 0;
  // The ads of the page's tab, in base order.
  virtual const std::optional<std::vector<Ad>>& cachedAdList() const = 0;
  virtual void setCachedAdList(std::optional<std::vector<Ad>> ads) = 0;
  // The rows of the page, filtered and arranged.
  virtual const std::optional<std::vector<Ad>>& filterSortedAdList() const = 0;
  virtual void setFilterSortedAdList(std::optional<std::vector<Ad>> ads) = 0;
  virtual const std::vector<Banner>& bannerList() const = 0;
  virtual const std::optional<std::vector<Tag>>& tagList() const = 0;
  virtual void setTagList(std::optional<std::vector<Tag>> tags) = 0;
  virtual const std::string& selectedTagSlug() const = 0;
  virtual void setSelectedTagSlug(std::string slug) = 0;
  virtual Ad::SortType selectedSortOrder() const = 0;
  virtual void setSelectedSortOrder(Ad::SortType order) = 0;

  virtual std::int64_t rewards() const = 0;
  virtual std::int64_t getFixedTotalReward() = 0;
  virtual std::string getTotalRewardStr(bool unitOnly) = 0;

  // Reads the cache and the banners; the page gets the arranged rows later, on the main thread.
  virtual void loadData() = 0;
  virtual void moveToDetail(std::string uri, std::optional<std::string> title, std::string from) = 0;
  virtual void moveToContact() = 0;
};

}  // namespace velkor
