// One tab's list page as its presenter sees it. A page that adopts it is an OfwBaseViewController
// too; the presenter holds it weakly.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "velkor/model/ad.h"
#include "velkor/model/tag.h"

namespace ui {
class ViewController;
}

namespace velkor {

class OfwListPresenter;
class OfwListPagerView;

class OfwListView {
 public:
  virtual ~OfwListView() = default;

  // The page as a screen: where it sits among the screens, and what it presents from.
  virtual ui::ViewController& viewController() = 0;

  // The page holds its presenter strongly.
  virtual std::shared_ptr<OfwListPresenter> presenter() const = 0;
  virtual void setPresenter(std::shared_ptr<OfwListPresenter> presenter) = 0;
  // The arranged rows and the tab's tags, at the end of every load that reaches them.
  virtual void loadData(const std::optional<std::vector<Ad>>& adList, const std::optional<std::vector<Tag>>& tagList) = 0;
  // The pager screen that holds the page, kept weakly: null once it has gone.
  virtual std::shared_ptr<OfwListPagerView> parentView() const = 0;
  virtual void setParentView(const std::shared_ptr<OfwListPagerView>& parent) = 0;
  // The page's index among the pager's pages.
  virtual std::optional<std::int64_t> pageIndex() const = 0;
  virtual void setPageIndex(std::optional<std::int64_t> index) = 0;
  virtual bool tagListActive() const = 0;
  virtual void setTagListActive(bool active) = 0;
};

}  // namespace velkor
