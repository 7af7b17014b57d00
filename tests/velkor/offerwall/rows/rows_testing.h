// The rows' tests: ads built in one line, and cells hosted in a table of their own in a window
// 375 points wide.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/table_view.h"
#include "platform/ui/view_controller.h"
#include "platform/ui/window.h"
#include "tests/velkor/offerwall/rows/screen_testing.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/model/ad.h"

namespace velkor::testing {

// Where the manual clock starts by default (ScreenTest's clock): the rows' dates are set around it.
inline constexpr double kNow = 1'780'000'000.0;

// An enabled ad with a reward of type 1 ("포인트", unit "P"), changed as the test needs.
inline Ad makeAd(const std::function<void(Ad&)>& change = {}) {
  Ad ad;
  ad.id = 7;
  ad.title = "앱 설치하기";
  ad.subtitle = "설치만 하면 적립";
  ad.reward = 100;
  ad.rewardTypeId = 1;
  ad.rewardText = "포인트 100P";
  ad.thumbImage = "";
  ad.callToAction = "참여하기";
  ad.callToActionEnabled = true;
  if (change) change(ad);
  return ad;
}

// A table of rows of one cell class, bound the way the list page binds them, in a window.
template <class Cell>
class RowTable : public ui::TableViewDataSource {
 public:
  explicit RowTable(double width = 375, double rowHeight = ui::TableView::kAutomaticDimension) {
    window_->setSize({width, 812});
    table_->setFrame({0, 0, width, 812});
    table_->setRowHeight(rowHeight);
    table_->registerCell<Cell>(Cell::reuseIdentifier());
    controller_->view()->addSubview(table_);
    window_->setRootViewController(controller_);
    window_->makeKeyAndVisible();
  }

  void show(std::shared_ptr<RowTable> self, std::vector<Ad> ads) {
    ads_ = std::move(ads);
    table_->setDataSource(self);
    table_->reloadData();
    window_->layoutIfNeeded();
  }

  int numberOfRows(ui::TableView&, int) override { return static_cast<int>(ads_.size()); }
  std::shared_ptr<ui::TableViewCell> cellForRow(ui::TableView& tableView, const ui::IndexPath& indexPath) override {
    auto cell = tableView.dequeueReusableCell(Cell::reuseIdentifier(), indexPath);
    std::static_pointer_cast<Cell>(cell)->updateCell(ads_[indexPath.row()]);
    return cell;
  }

  std::shared_ptr<Cell> cell(int row) {
    return std::dynamic_pointer_cast<Cell>(table_->cellForRow(ui::IndexPath::forRow(row, 0)));
  }
  const std::shared_ptr<ui::Window>& window() const { return window_; }

 private:
  std::vector<Ad> ads_;
  std::shared_ptr<ui::Window> window_ = std::make_shared<ui::Window>();
  std::shared_ptr<ui::ViewController> controller_ = std::make_shared<ui::ViewController>();
  std::shared_ptr<ui::TableView> table_ = std::make_shared<ui::TableView>();
};

template <class Cell>
std::shared_ptr<RowTable<Cell>> showRows(std::vector<Ad> ads, double width = 375,
                                        double rowHeight = ui::TableView::kAutomaticDimension) {
  auto table = std::make_shared<RowTable<Cell>>(width, rowHeight);
  table->show(table, std::move(ads));
  return table;
}

}  // namespace velkor::testing
