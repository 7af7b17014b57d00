// The strip of tab titles at the top of the offerwall: one ANTabBarView per item in a sideways
// scrolling container, the selected tab highlighted and underlined, taps reported to the delegate.
// It never selects by itself: its owner sets selectedItem and rebuilds it with clear(),
// addTabBarItem() for each tab and refresh(). Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/constraint.h"
#include "platform/ui/scroll_view.h"
#include "platform/ui/view_controller.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/components/an_tab_bar_item.h"
#include "velkor/components/an_tab_bar_view.h"

namespace velkor {

class ANTabBarDelegate {
 public:
  virtual ~ANTabBarDelegate() = default;
  // Never called by the tab bar; what an owner does with it is its own business.
  virtual void customMenuBar(int scrollTo) = 0;
  virtual void tabBar(const std::shared_ptr<ANTabBarItem>& didSelect) = 0;
};

// How refresh() lays the tabs out.
enum class TabLayoutKind {
  twoHalves,   // two tabs splitting the width between the outer gaps
  centred,     // three or four tabs of natural width, 30 points apart, as one centred group
  scrolling,   // tabs of natural width from the outer gap, innerTabGap apart
  equalSplit,  // any forced word but "LEFT": the width between the outer gaps split equally
};

class ANTabBar : public ui::View {
 public:
  // The bar with its bottom hairline, scroll view and container, in the current theme.
  static std::shared_ptr<ANTabBar> make(const ui::Rect& frame = {});

  std::shared_ptr<ANTabBarDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<ANTabBarDelegate> delegate) { delegate_ = std::move(delegate); }
  const std::vector<std::shared_ptr<ANTabBarItem>>& items() const { return items_; }
  std::shared_ptr<ANTabBarItem> selectedItem() const { return selectedItem_.lock(); }
  // Drawn only by the next refresh().
  void setSelectedItem(std::weak_ptr<ANTabBarItem> item) { selectedItem_ = std::move(item); }
  int outterTabGap = 20;
  int innerTabGap = 32;
  int topMargin = 0;
  std::optional<std::string> forceType;
  // Which titles use the bold tab font: 0 none, 1 the selected one, 2 all.
  int boldType = 2;
  const std::shared_ptr<ui::View>& bottomLine() const { return bottomLine_; }
  const std::shared_ptr<ui::Constraint>& bottomLineHeightAnchor() const { return bottomLineHeightAnchor_; }
  const std::shared_ptr<ui::ScrollView>& scrollView() const { return scrollView_; }
  const std::shared_ptr<ui::View>& containerView() const { return containerView_; }

  bool tabEnabled() const { return items_.size() > 1; }
  // Appends; draws nothing.
  void addTabBarItem(std::shared_ptr<ANTabBarItem> item) { items_.push_back(std::move(item)); }
  // Has no effect.
  void setTabBarItem(int position) { (void)position; }
  // Forgets the items and removes the tab views; the selection and the delegate stay.
  void clear();
  // Builds the tab views for the items (nothing for fewer than two).
  void refresh();
  TabLayoutKind layoutKind() const;

  explicit ANTabBar(const ui::Rect& frame);

 private:
  struct Pass;
  void setUp();
  std::shared_ptr<ANTabBarView> makeTab(std::size_t index, Pass& pass);
  void styleTab(ANTabBarView& tab, bool selected, const Pass& pass);
  void constrainTabs(const std::vector<std::shared_ptr<ANTabBarView>>& tabs, const Pass& pass);
  void tabBarViewClick(ui::Control& sender);

  // The theme current when the bar was made; a later swap reaches only new bars.
  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<VelkorDimension> dimension_;
  std::weak_ptr<ANTabBarDelegate> delegate_;
  std::vector<std::shared_ptr<ANTabBarItem>> items_;
  std::weak_ptr<ANTabBarItem> selectedItem_;
  std::shared_ptr<ui::View> bottomLine_;
  std::shared_ptr<ui::Constraint> bottomLineHeightAnchor_;
  std::shared_ptr<ui::ScrollView> scrollView_;
  std::shared_ptr<ui::View> containerView_;
  std::vector<std::shared_ptr<ui::Constraint>> containerSize_;
};

// The screen class that holds a tab bar; it adds nothing of its own.
class ANTabBarController : public ui::ViewController {};

}  // namespace velkor
