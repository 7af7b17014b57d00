// The bar at the top of a navigation stack: the top screen's title and bar buttons, and a back
// button (the back indicator image and the title the screen below gives it) that pops the stack.
// It stands at the top of the safe area, 44 points tall, and its background reaches up under the
// status bar. A publisher's bar class derives from it and adds views of its own over the content.
//
// Appearance: the standard appearance, when set, decides the background and the shadow line;
// otherwise the bar tint colour (when set) or the system's bar colour, translucent or opaque as
// isTranslucent says, and a hairline shadow unless the shadow image is set (an empty image hides
// it). titleTextAttributes give the title's font and colour.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/base/attributed_string.h"
#include "platform/ui/button.h"
#include "platform/ui/font.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/navigation_item.h"
#include "platform/ui/view.h"

namespace ui {

// Raw values as the platform numbers them.
enum class BarStyle { defaultStyle = 0, black = 1 };

// How a bar looks, as a plain value.
struct NavigationBarAppearance {
  enum class Background { standard, opaque, transparent };

  Background background = Background::standard;
  // Over the background's own colour; none keeps it.
  std::optional<Color> backgroundColor;
  std::optional<Image> backgroundImage;
  // The hairline under the bar; clear hides it.
  std::optional<Color> shadowColor;
  std::optional<Image> shadowImage;
  base::Attributes titleTextAttributes;

  // The three starting points the platform offers, each resetting the others' fields.
  void configureWithDefaultBackground();
  void configureWithOpaqueBackground();
  void configureWithTransparentBackground();

  friend bool operator==(const NavigationBarAppearance&, const NavigationBarAppearance&);
};

class NavigationBar : public View {
 public:
  static constexpr double kHeight = 44;

  NavigationBar();
  explicit NavigationBar(const Rect& frame);
  ~NavigationBar() override;

  // --- items: the stack's navigation items, bottom first ---
  const std::vector<std::shared_ptr<NavigationItem>>& items() const { return items_; }
  void setItems(std::vector<std::shared_ptr<NavigationItem>> items, bool animated = false);
  std::shared_ptr<NavigationItem> topItem() const;
  // The item under the top one: the one the back button returns to.
  std::shared_ptr<NavigationItem> backItem() const;
  // Runs when the back button is tapped; the navigation controller pops.
  void setBackAction(std::function<void()> action) { backAction_ = std::move(action); }

  // --- appearance ---
  const std::optional<Color>& barTintColor() const { return barTintColor_; }
  void setBarTintColor(std::optional<Color> color);
  bool isTranslucent() const { return translucent_; }
  void setTranslucent(bool translucent);
  BarStyle barStyle() const { return barStyle_; }
  void setBarStyle(BarStyle style);
  const base::Attributes& titleTextAttributes() const { return titleTextAttributes_; }
  void setTitleTextAttributes(base::Attributes attributes);
  // The image over the background colour, stretched across the bar (the default bar metrics; the
  // platform's other metrics are not built); an empty image draws nothing. The standard
  // appearance's background image, when set, is drawn instead.
  const std::optional<Image>& backgroundImage() const { return backgroundImage_; }
  void setBackgroundImage(std::optional<Image> image);
  const std::optional<Image>& shadowImage() const { return shadowImage_; }
  void setShadowImage(std::optional<Image> image);
  const std::optional<NavigationBarAppearance>& standardAppearance() const { return standardAppearance_; }
  void setStandardAppearance(std::optional<NavigationBarAppearance> appearance);
  // Recorded for hosts and tests; a bar without scrolling content always shows the standard one.
  const std::optional<NavigationBarAppearance>& scrollEdgeAppearance() const { return scrollEdgeAppearance_; }
  void setScrollEdgeAppearance(std::optional<NavigationBarAppearance> appearance);
  // The back button's chevron; an empty image shows none.
  const std::optional<Image>& backIndicatorImage() const { return backIndicatorImage_; }
  void setBackIndicatorImage(std::optional<Image> image);
  const std::optional<Image>& backIndicatorTransitionMaskImage() const { return backIndicatorMask_; }
  void setBackIndicatorTransitionMaskImage(std::optional<Image> image) { backIndicatorMask_ = std::move(image); }

  // The colour the background shows, after the appearance rules above.
  Color effectiveBackgroundColor() const;
  bool showsShadow() const;

  // --- what the bar shows, for tests and the touch simulation ---
  const std::shared_ptr<Label>& titleView() const { return titleLabel_; }
  // Null while no back button shows.
  std::shared_ptr<Button> backButton() const;
  // The buttons of the top item's bar button items (custom views are shown themselves).
  const std::vector<std::shared_ptr<View>>& leftItemViews() const { return leftViews_; }
  const std::vector<std::shared_ptr<View>>& rightItemViews() const { return rightViews_; }

  Size intrinsicContentSize() const override;
  Size sizeThatFits(Size size) const override;
  void layoutSubviews() override;
  void setTintColor(std::optional<Color> color) override;

 private:
  void commonInit();
  void itemsChanged();
  void rebuildContent();
  void restyle();
  std::shared_ptr<View> makeItemView(const std::shared_ptr<BarButtonItem>& item);
  void watchItems(bool watch);
  void addContent(const std::shared_ptr<View>& view);
  Font titleFont() const;
  Color titleColor() const;

  std::vector<std::shared_ptr<NavigationItem>> items_;
  std::function<void()> backAction_;
  std::optional<Color> barTintColor_;
  bool translucent_ = true;
  BarStyle barStyle_ = BarStyle::defaultStyle;
  base::Attributes titleTextAttributes_;
  std::optional<Image> backgroundImage_;
  std::optional<Image> shadowImage_;
  std::optional<NavigationBarAppearance> standardAppearance_;
  std::optional<NavigationBarAppearance> scrollEdgeAppearance_;
  std::optional<Image> backIndicatorImage_;
  std::optional<Image> backIndicatorMask_;

  std::shared_ptr<View> backgroundView_;
  std::shared_ptr<View> shadowView_;
  std::shared_ptr<Label> titleLabel_;
  std::shared_ptr<Button> backButton_;
  std::vector<std::shared_ptr<View>> leftViews_;
  std::vector<std::shared_ptr<View>> rightViews_;
  std::shared_ptr<View> backChevron_;
  bool contentStale_ = true;
};

}  // namespace ui
