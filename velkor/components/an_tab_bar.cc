#include "velkor/components/an_tab_bar.h"

#include <algorithm>

#include "platform/ui/screen.h"
#include "platform/ui/window.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {

// One refresh's numbers, in whole points as the strip has always counted them.
struct ANTabBar::Pass {
  TabLayoutKind kind = TabLayoutKind::scrolling;
  int width = 0;  // the window's, else the main screen's
  int count = 0;
  int share = 0;  // (width − 2 × outer gap) / count
  int total = 0;  // the tabs' widths, each cut to whole points
};

namespace {

constexpr double kTabHeight = 38.0;
constexpr int kCentredSpacing = 30;

}  // namespace

std::shared_ptr<ANTabBar> ANTabBar::make(const ui::Rect& frame) {
  auto bar = std::make_shared<ANTabBar>(frame);
  bar->setUp();
  return bar;
}

ANTabBar::ANTabBar(const ui::Rect& frame)
    : ui::View(frame),
      colorScheme_(VelkorInternal::shared().colorScheme()),
      dimension_(VelkorInternal::shared().dimension()),
      scrollView_(std::make_shared<ui::ScrollView>()),
      containerView_(std::make_shared<ui::View>()) {
  scrollView_->setBounces(false);
  scrollView_->setShowsHorizontalScrollIndicator(false);
}

void ANTabBar::setUp() {
  setBackgroundColor(colorScheme_->navigationBackgroundColor());

  bottomLine_ = std::make_shared<ui::View>(frame());
  addSubview(bottomLine_);
  bottomLine_->setTranslatesAutoresizingMaskIntoConstraints(false);
  bottomLine_->setBackgroundColor(colorScheme_->tabBarBottomLineColor());
  bottomLineHeightAnchor_ = bottomLine_->heightAnchor().constraintEqualToConstant(dimension_->tabBarBottomLineHeight());
  ui::Constraint::activate({
      bottomLine_->leadingAnchor().constraintEqualTo(leadingAnchor()),
      bottomLine_->bottomAnchor().constraintEqualTo(bottomAnchor()),
      bottomLineHeightAnchor_,
      bottomLine_->trailingAnchor().constraintEqualTo(trailingAnchor()),
  });

  addSubview(scrollView_);
  scrollView_->setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::Constraint::activate({
      scrollView_->leadingAnchor().constraintEqualTo(leadingAnchor()),
      scrollView_->trailingAnchor().constraintEqualTo(trailingAnchor()),
      scrollView_->topAnchor().constraintEqualTo(topAnchor()),
      scrollView_->bottomAnchor().constraintEqualTo(bottomAnchor()),
  });

  scrollView_->addSubview(containerView_);
  containerView_->setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::Constraint::activate({
      containerView_->leadingAnchor().constraintEqualTo(scrollView_->leadingAnchor()),
      containerView_->trailingAnchor().constraintEqualTo(scrollView_->trailingAnchor()),
  });
}

void ANTabBar::clear() {
  items_.clear();
  const auto tabs = containerView_->subviews();
  for (const auto& tab : tabs) tab->removeFromSuperview();
}

TabLayoutKind ANTabBar::layoutKind() const {
  if (forceType) return *forceType == "LEFT" ? TabLayoutKind::scrolling : TabLayoutKind::equalSplit;
  if (items_.size() == 2) return TabLayoutKind::twoHalves;
  if (items_.size() <= 4) return TabLayoutKind::centred;
  return TabLayoutKind::scrolling;
}

void ANTabBar::refresh() {
  if (items_.size() < 2) return;
  Pass pass;
  pass.kind = layoutKind();
  pass.width = static_cast<int>(window() ? window()->bounds().size.width : ui::Screen::main().bounds.size.width);
  pass.count = static_cast<int>(items_.size());
  pass.share = (pass.width - 2 * outterTabGap) / pass.count;
  std::vector<std::shared_ptr<ANTabBarView>> tabs;
  for (std::size_t index = 0; index < items_.size(); ++index) tabs.push_back(makeTab(index, pass));
  constrainTabs(tabs, pass);
  // Each refresh replaces the container's size constraints rather than piling up new ones.
  ui::Constraint::deactivate(containerSize_);
  auto atLeastContent = containerView_->widthAnchor().constraintGreaterThanOrEqualToConstant(
      scrollView_->contentSize().width);
  atLeastContent->setPriority(750);
  containerSize_ = {containerView_->heightAnchor().constraintEqualTo(scrollView_->heightAnchor()), atLeastContent};
  ui::Constraint::activate(containerSize_);
}

std::shared_ptr<ANTabBarView> ANTabBar::makeTab(std::size_t index, Pass& pass) {
  auto tab = ANTabBarView::make(*colorScheme_);
  containerView_->addSubview(tab);
  tab->setTag(static_cast<int>(index));
  const std::weak_ptr<ANTabBar> bar = std::static_pointer_cast<ANTabBar>(shared());
  tab->addTarget(
      this,
      [bar](ui::Control& sender) {
        if (auto self = bar.lock()) self->tabBarViewClick(sender);
      },
      ui::ControlEvent::touchUpInside);
  auto& label = *tab->label();
  label.setText(items_[index]->title());
  label.setFont(VelkorOfwText::tabItemDisabledTextFont().instance(dimension_->tabItemTextSize()));
  const auto selected = selectedItem_.lock();
  styleTab(*tab, selected && selected == items_[index], pass);
  label.sizeToFit();
  const bool split = pass.kind == TabLayoutKind::twoHalves || pass.kind == TabLayoutKind::equalSplit;
  const double width = split ? pass.share : label.frame().size.width;
  tab->setFrame(ui::Rect(tab->frame().origin, {width, kTabHeight}));
  pass.total += static_cast<int>(width);
  return tab;
}

void ANTabBar::styleTab(ANTabBarView& tab, bool selected, const Pass& pass) {
  auto& label = *tab.label();
  const auto boldFont = VelkorOfwText::tabItemTextFont().instance(dimension_->tabItemTextSize());
  if (!selected) {
    if (boldType == 2) label.setFont(boldFont);
    return;
  }
  tab.setHighlighted(true);
  label.setHighlighted(true);
  if (boldType == 1 || boldType == 2) label.setFont(boldFont);
  const double indicatorWidth =
      pass.kind == TabLayoutKind::equalSplit ? pass.share : label.intrinsicContentSize().width;
  tab.indicator()->widthAnchor().constraintEqualToConstant(indicatorWidth)->setActive(true);
  tab.indicator()->setHidden(false);
}

void ANTabBar::constrainTabs(const std::vector<std::shared_ptr<ANTabBarView>>& tabs, const Pass& pass) {
  const int left = pass.width - pass.total;
  int margin = outterTabGap, spacing = 0;
  switch (pass.kind) {
    case TabLayoutKind::scrolling: spacing = innerTabGap; break;
    case TabLayoutKind::centred:
      // A group wider than the room between the outer gaps starts at the outer gap rather than off
      // screen, so its first tab stays reachable and the strip scrolls to the rest.
      margin = std::max((left - kCentredSpacing * (pass.count - 1)) / 2, outterTabGap);
      spacing = kCentredSpacing;
      break;
    case TabLayoutKind::twoHalves:
    case TabLayoutKind::equalSplit: break;
  }
  const bool split = pass.kind == TabLayoutKind::twoHalves || pass.kind == TabLayoutKind::equalSplit;
  for (std::size_t index = 0; index < tabs.size(); ++index) {
    auto& tab = *tabs[index];
    tab.setTranslatesAutoresizingMaskIntoConstraints(false);
    ui::Constraint::activate({
        tab.topAnchor().constraintEqualTo(containerView_->topAnchor(), topMargin),
        tab.bottomAnchor().constraintEqualTo(containerView_->bottomAnchor()),
        index == 0 ? tab.leadingAnchor().constraintEqualTo(containerView_->leadingAnchor(), margin)
                   : tab.leadingAnchor().constraintEqualTo(tabs[index - 1]->trailingAnchor(), spacing),
    });
    if (split) tab.widthAnchor().constraintEqualToConstant(pass.share)->setActive(true);
  }
  scrollView_->setContentSize(
      {static_cast<double>(pass.total + 2 * margin + spacing * (pass.count - 1)), scrollView_->contentSize().height});
}

void ANTabBar::tabBarViewClick(ui::Control& sender) {
  const int index = sender.tag();
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return;
  if (auto delegate = delegate_.lock()) delegate->tabBar(items_[static_cast<std::size_t>(index)]);
}

}  // namespace velkor
