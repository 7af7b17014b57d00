// The rows' tests: a manual clock on the main loop, the user's own defaults, a fresh theme and one
// reward type, all put back when the test ends; ads built in one line; cells hosted in a table of
// their own in a window 375 points wide.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"
#include "platform/ui/table_view.h"
#include "platform/ui/view_controller.h"
#include "platform/ui/window.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/model/ad.h"
#include "velkor/model/reward_type.h"

namespace velkor::testing {

inline constexpr double kNow = 1'780'000'000.0;

// The theme objects of one test, set in the core and replaced by fresh ones afterwards.
class ScopedTheme {
 public:
  ScopedTheme() { reset(); }
  ~ScopedTheme() { reset(); }
  VelkorColorScheme& colors() { return *colors_; }
  VelkorDimension& dimension() { return *dimension_; }
  VelkorConfig& config() { return *config_; }

 private:
  void reset() {
    colors_ = std::make_shared<VelkorColorScheme>();
    dimension_ = std::make_shared<VelkorDimension>();
    config_ = std::make_shared<VelkorConfig>();
    auto& core = VelkorInternal::shared();
    core.setColorScheme(colors_);
    core.setDimension(dimension_);
    core.setConfig(config_);
  }
  std::shared_ptr<VelkorColorScheme> colors_;
  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<VelkorConfig> config_;
};

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

class RowsTest : public ::testing::Test {
 protected:
  RowsTest() { RewardType::setItems({{1, "포인트", 0, "P"}}); }
  ~RowsTest() override { RewardType::setItems({}); }

  dispatch::main_loop::TestScope scope_;
  dispatch::ScopedManualClock clock_{kNow};
  ScopedCoreState core_;
  ScopedTheme theme_;
};

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
