#include "velkor/components/an_tab_bar.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/velkor/components/widget_test_support.h"

namespace velkor {
namespace {

struct Built {
  std::shared_ptr<ui::View> root;
  std::shared_ptr<ANTabBar> bar;
  std::vector<std::shared_ptr<ANTabBarItem>> items;

  ANTabBarView& tab(std::size_t index) const {
    return static_cast<ANTabBarView&>(*bar->containerView()->subviews().at(index));
  }
  std::vector<int> widths() const {  // each cut to whole points, as the bar counts them
    std::vector<int> result;
    for (std::size_t i = 0; i < items.size(); ++i) result.push_back(static_cast<int>(tab(i).frame().size.width));
    return result;
  }
};

struct Options {
  std::optional<std::string> forceType;
  int boldType = 2;
  bool rightToLeft = false;
};

// A 375-point bar on a 375-point screen with the first item selected, laid out.
Built build(const std::vector<std::string>& titles, const Options& options = {}) {
  Built built;
  built.root = std::make_shared<ui::View>(ui::Rect(0, 0, 375, 44));
  if (options.rightToLeft) built.root->setSemanticContentAttribute(ui::SemanticContentAttribute::forceRightToLeft);
  built.bar = ANTabBar::make();
  built.root->addSubview(built.bar);
  built.bar->setFrame(built.root->bounds());
  built.bar->forceType = options.forceType;
  built.bar->boldType = options.boldType;
  for (const auto& title : titles) {
    built.items.push_back(ANTabBarItem::create(title, title));
    built.bar->addTabBarItem(built.items.back());
  }
  built.bar->setSelectedItem(built.items.front());
  built.bar->refresh();
  built.root->layoutIfNeeded();
  return built;
}

int sum(const std::vector<int>& values) {
  int total = 0;
  for (int value : values) total += value;
  return total;
}

// Starts of tabs placed from `first` with `spacing` between them.
std::vector<double> lineUp(double first, const std::vector<int>& widths, double spacing) {
  std::vector<double> starts;
  double x = first;
  for (int width : widths) {
    starts.push_back(x);
    x += width + spacing;
  }
  return starts;
}

TEST(ANTabBarTest, TabsArePlacedByTheBarsWholePointArithmetic) {
  testing::ScopedPhone phone;
  const std::vector<std::string> three = {"전체", "참여", "쇼핑"};
  const std::vector<std::string> five = {"전체", "참여", "쇼핑", "쇼핑적립", "포인트"};
  const std::vector<std::string> wide = {"지금 참여하면 바로 적립되는 탭", "오늘만 열리는 특별한 탭", "쇼핑"};
  struct Case {
    const char* name;
    std::vector<std::string> titles;
    Options options;
    std::function<std::vector<double>(const std::vector<int>&)> starts;
    std::function<double(const std::vector<int>&)> contentWidth;
    double selectedIndicatorWidth;  // 0: the first title's own width
  };
  const std::vector<Case> cases = {
      {"two halves", {"전체", "참여"}, {}, [](auto&) { return std::vector<double>{20, 187}; },
       [](auto&) { return 374.0; }, 0},
      {"five scroll from the outer gap", five, {}, [](auto& w) { return lineUp(20, w, 32); },
       [](auto& w) { return sum(w) + 40.0 + 32 * 4; }, 0},
      {"LEFT forces scrolling", {"전체", "참여"}, {"LEFT", 2, false}, [](auto& w) { return lineUp(20, w, 32); },
       [](auto& w) { return sum(w) + 40.0 + 32; }, 0},
      {"any other word splits equally", three, {"", 2, false}, [](auto&) { return std::vector<double>{20, 131, 242}; },
       [](auto&) { return 333.0 + 40; }, 111},
      {"a centred group too wide starts at the outer gap", wide, {}, [](auto& w) { return lineUp(20, w, 30); },
       [](auto& w) { return sum(w) + 40.0 + 60; }, 0},
      {"two halves right to left", {"전체", "참여"}, {std::nullopt, 2, true},
       [](auto&) { return std::vector<double>{188, 21}; }, [](auto&) { return 374.0; }, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto built = build(c.titles, c.options);
    const auto widths = built.widths();
    const auto starts = c.starts(widths);
    for (std::size_t i = 0; i < starts.size(); ++i) EXPECT_DOUBLE_EQ(built.tab(i).frame().x(), starts[i]) << i;
    EXPECT_DOUBLE_EQ(built.bar->scrollView()->contentSize().width, c.contentWidth(widths));
    const auto& indicator = *built.tab(0).indicator();
    EXPECT_FALSE(indicator.isHidden());
    const double titleWidth = built.tab(0).label()->intrinsicContentSize().width;
    EXPECT_DOUBLE_EQ(indicator.frame().size.width, c.selectedIndicatorWidth ? c.selectedIndicatorWidth : titleWidth);
    EXPECT_TRUE(built.tab(1).indicator()->isHidden());
  }
}

struct RecordingDelegate : ANTabBarDelegate {
  void customMenuBar(int) override {}
  void tabBar(const std::shared_ptr<ANTabBarItem>& item) override { selected.push_back(item); }
  std::vector<std::shared_ptr<ANTabBarItem>> selected;
};

TEST(ANTabBarTest, ATapOnlyReportsAndClearKeepsSelectionAndDelegate) {
  testing::ScopedPhone phone;
  auto built = build({"전체", "참여", "쇼핑"});
  built.tab(2).sendActions(ui::ControlEvent::touchUpInside);  // no delegate yet: nothing happens
  auto delegate = std::make_shared<RecordingDelegate>();
  built.bar->setDelegate(delegate);
  built.tab(2).sendActions(ui::ControlEvent::touchUpInside);
  ASSERT_EQ(delegate->selected.size(), 1u);
  EXPECT_EQ(delegate->selected[0], built.items[2]);
  EXPECT_EQ(built.bar->selectedItem(), built.items[0]);
  EXPECT_TRUE(built.tab(2).indicator()->isHidden()) << "the tap drew nothing";

  built.bar->clear();
  EXPECT_TRUE(built.bar->items().empty());
  EXPECT_TRUE(built.bar->containerView()->subviews().empty());
  EXPECT_EQ(built.bar->selectedItem(), built.items[0]);
  EXPECT_EQ(built.bar->delegate(), delegate);
  built.bar->addTabBarItem(built.items[0]);
  built.bar->refresh();  // one item draws nothing
  EXPECT_TRUE(built.bar->containerView()->subviews().empty());
}

}  // namespace
}  // namespace velkor
