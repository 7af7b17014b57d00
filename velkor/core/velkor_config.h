// The publisher's options for the offerwall. One instance lives in VelkorInternal; screens read it
// there each time they build. The host writes options on main while request threads read them, so
// every option is an atomic or guarded by the object's lock.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "platform/ui/geometry.h"
#include "platform/ui/trait_collection.h"
#include "velkor/components/indicator_view_representable.h"
#include "velkor/core/pub_app_module.h"

namespace ui {
class View;
}

namespace velkor {

// The class of the prepare view: made at a frame, it is the overlay shown while the offerwall gets
// ready (and adopts RewardDisplayable to show the reward to earn).
using PrepareViewClass = std::function<std::shared_ptr<ui::View>(const ui::Rect& frame)>;

// The row style of the ad lists.
enum class ListType : long { feed = 0, feedWithCallToAction = 1, compactList = 2 };

// None for a raw value outside 0...2.
std::optional<ListType> listTypeFromRawValue(long rawValue);

// The navigation bar's help button: an icon, or a button with a text title.
enum class ButtonType : long { icon = 0, text = 1 };

// None for a raw value outside 0...1.
std::optional<ButtonType> buttonTypeFromRawValue(long rawValue);

// Kept for publishers that set it; no screen gives its values a meaning yet.
enum class TabTextBoldType : long { type0 = 0, type1 = 1, type2 = 2 };

// None for a raw value outside 0...2.
std::optional<TabTextBoldType> tabTextBoldTypeFromRawValue(long rawValue);

class VelkorConfig {
 public:
  VelkorConfig() = default;
  VelkorConfig(const VelkorConfig&) = delete;
  VelkorConfig& operator=(const VelkorConfig&) = delete;

  // Title of the top offerwall screen.
  std::string offerwallListTitle() const;
  void setOfferwallListTitle(std::string title);
  // Text of the total-reward line of a list page's header; none by default.
  std::optional<std::string> totalRewardStr() const;
  void setTotalRewardStr(std::optional<std::string> text);

  // Stored for publishers; nothing reads it.
  bool infoBarHidden() const { return infoBarHidden_.load(); }
  void setInfoBarHidden(bool hidden) { infoBarHidden_.store(hidden); }
  // The pager shows no prepare view while the offerwall gets ready.
  bool prepareViewHidden() const { return prepareViewHidden_.load(); }
  void setPrepareViewHidden(bool hidden) { prepareViewHidden_.store(hidden); }
  // Alerts use the custom alert controller.
  bool useCustomDialog() const { return useCustomDialog_.load(); }
  void setUseCustomDialog(bool use) { useCustomDialog_.store(use); }
  // The offerwall, help page and deep-linked detail slide in as a push.
  bool enablePushAnimation() const { return enablePushAnimation_.load(); }
  void setEnablePushAnimation(bool enable) { enablePushAnimation_.store(enable); }

  // Corner radius of the feed rows' thumbnails (and of a view of the detail screen).
  double listItemRadius() const { return listItemRadius_.load(); }
  void setListItemRadius(double radius) { listItemRadius_.store(radius); }
  double callToActionButtonRadius() const { return callToActionButtonRadius_.load(); }
  void setCallToActionButtonRadius(double radius) { callToActionButtonRadius_.store(radius); }
  double tabBarHeight() const { return tabBarHeight_.load(); }
  void setTabBarHeight(double height) { tabBarHeight_.store(height); }

  ButtonType navigationHelpButtonType() const { return navigationHelpButtonType_.load(); }
  void setNavigationHelpButtonType(ButtonType type) { navigationHelpButtonType_.store(type); }

  // Stored for publishers; nothing reads them.
  double tagVerticalPadding() const { return tagVerticalPadding_.load(); }
  void setTagVerticalPadding(double padding) { tagVerticalPadding_.store(padding); }
  double tagHorizontalPadding() const { return tagHorizontalPadding_.load(); }
  void setTagHorizontalPadding(double padding) { tagHorizontalPadding_.store(padding); }

  // Turns on the terms agreement of the user id.
  bool enableLoggingTerms() const { return enableLoggingTerms_.load(); }
  void setEnableLoggingTerms(bool enable) { enableLoggingTerms_.store(enable); }

  // A host can store any raw value here (readers decide what an unknown one means).
  ListType listType() const { return listType_.load(std::memory_order_relaxed); }
  void setListType(ListType listType) { listType_.store(listType, std::memory_order_relaxed); }

  // Banners and popups are loaded through the repository's extended path.
  bool enablePopupBannerExtension() const { return enablePopupBannerExtension_.load(); }
  void setEnablePopupBannerExtension(bool enable) { enablePopupBannerExtension_.store(enable); }

  // Stored for publishers; nothing reads it.
  TabTextBoldType tabTextBoldType() const { return tabTextBoldType_.load(); }
  void setTabTextBoldType(TabTextBoldType type) { tabTextBoldType_.store(type); }

  // Not kept here: every configuration object reads and writes the core's one style, so the
  // style follows the core even when the host replaces the configuration.
  ui::UserInterfaceStyle overrideUserInterfaceStyle() const;
  void setOverrideUserInterfaceStyle(ui::UserInterfaceStyle style);

  // The pager and the detail screen may ask for tracking permission when they first appear.
  bool enableATTPresentingWhenFirstRun() const { return enableATTPresentingWhenFirstRun_.load(); }
  void setEnableATTPresentingWhenFirstRun(bool enable) { enableATTPresentingWhenFirstRun_.store(enable); }
  // The detail screen shows its contact button inside its content.
  bool nestedContactButtonIsVisible() const { return nestedContactButtonIsVisible_.load(); }
  void setNestedContactButtonIsVisible(bool visible) { nestedContactButtonIsVisible_.store(visible); }
  // A deep-linked ad is first looked up for its child ad.
  bool enableChildAdSearch() const { return enableChildAdSearch_.load(); }
  void setEnableChildAdSearch(bool enable) { enableChildAdSearch_.store(enable); }

  // The loading indicator's class: the publisher module's when it names one, else the dots
  // (DefaultIndicatorView). Asked of the module in place at each call.
  IndicatorViewClass indicatorViewClass() const;

  // Nib names the screen factory uses, process-wide: they outlive a replaced configuration.
  // The list's starts as none.
  static std::optional<std::string> offerwallListViewControllerNibName();
  static void setOfferwallListViewControllerNibName(std::optional<std::string> name);
  // The detail's is taken, at its first read, from the publisher module in place then (none
  // without one) and kept; a value set directly always wins.
  static std::optional<std::string> offerwallDetailViewControllerNibName();
  static void setOfferwallDetailViewControllerNibName(std::optional<std::string> name);

  // The prepare view the factory makes; the SDK's DefaultPrepareView until the host sets another
  // (an empty class puts the default back). The publisher module is not asked.
  PrepareViewClass prepareViewClass() const;
  void setPrepareViewClass(PrepareViewClass viewClass);
  // The bar of every offerwall presentation: the module's, else VelkorNavigationBar.
  ClassOf<VelkorNavigationBar> navigationBarClazz() const;

  // The class the factory takes for each replaceable part: the publisher module's when the module
  // in place now names one, else the SDK's own.
  static ScreenClass<OfwListPagerView> offerwallListViewControllerClazz();
  static OfwListPagerPresenterClass offerwallListViewPresenterClazz();
  static ScreenClass<OfwDetailView> offerwallDetailViewControllerClazz();
  static OfwDetailPresenterClass offerwallDetailViewPresenterClazz();
  static ClassOf<SharedWebviewViewController> contractViewControllerClazz();
  static ClassOf<OfwInAppBrowserViewController> inAppBrowserViewControllerClass();
  static ClassOf<OfwDetailWebViewController> detailWebViewControllerClazz();
  static ScreenClass<OfwListView> ofwListViewControllerClazz();
  static ClassOf<OfwTableHeaderView> ofwTableHeaderViewClass();
  static ClassOf<OfwTableFooterView> ofwTableFooterViewClass();
  static ClassOf<VelkorErrorView> errorViewClass();
  static ClassOf<OfwNetworkErrorView> networkErrorViewClass();

 private:
  mutable std::mutex mutex_;
  std::string offerwallListTitle_ = "바로적립받기";
  std::optional<std::string> totalRewardStr_;
  PrepareViewClass prepareViewClass_;

  std::atomic<bool> infoBarHidden_{false};
  std::atomic<bool> prepareViewHidden_{false};
  std::atomic<bool> useCustomDialog_{false};
  std::atomic<bool> enablePushAnimation_{false};
  std::atomic<double> listItemRadius_{10.0};
  std::atomic<double> callToActionButtonRadius_{10.0};
  std::atomic<double> tabBarHeight_{40.0};
  std::atomic<ButtonType> navigationHelpButtonType_{ButtonType::icon};
  std::atomic<double> tagVerticalPadding_{18.0};
  std::atomic<double> tagHorizontalPadding_{15.0};
  std::atomic<bool> enableLoggingTerms_{false};
  std::atomic<ListType> listType_{ListType::feed};
  std::atomic<bool> enablePopupBannerExtension_{false};
  std::atomic<TabTextBoldType> tabTextBoldType_{TabTextBoldType::type0};
  std::atomic<bool> enableATTPresentingWhenFirstRun_{false};
  std::atomic<bool> nestedContactButtonIsVisible_{false};
  std::atomic<bool> enableChildAdSearch_{false};
};

}  // namespace velkor
