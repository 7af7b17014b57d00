// Small screens, presenters and a publisher module for the factory and presentation tests: they
// stand in where the SDK's own screens are not built, the way a publisher's would.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/navigation_controller.h"
#include "velkor/components/ofw_base_view_controller.h"
#include "velkor/core/pub_app_module.h"
#include "tests/velkor/offerwall/pager/recording_pager_presenter.h"
#include "velkor/detail/ofw_detail_presenter.h"
#include "velkor/detail/ofw_detail_view.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"

namespace velkor::testing {

class TestPager : public OfwBaseViewController, public OfwListPagerView {
 public:
  using OfwBaseViewController::OfwBaseViewController;

  ui::ViewController& viewController() override { return *this; }
  ui::NavigationController* navigationController() const override { return ui::ViewController::navigationController(); }
  std::shared_ptr<OfwListPagerPresenter> presenter() const override { return presenter_; }
  void setPresenter(std::shared_ptr<OfwListPagerPresenter> presenter) override { presenter_ = std::move(presenter); }
  void showLoadingIndicator() override { OfwBaseViewController::showLoadingIndicator(); }
  void hideLoadingIndicator() override { OfwBaseViewController::hideLoadingIndicator(); }
  void showNetworkError(bool) override {}
  void hideNetworkError() override {}
  void showTabList(const std::vector<Tab>&) override {}
  void changeTab(std::string tabSlug, std::optional<std::string> tagSlug) override {
    tabSlug_ = std::move(tabSlug);
    tagSlug_ = std::move(tagSlug);
  }
  void reloadAll() override {}
  void showPrepareView() override {}
  void showAccumulableRewards() override {}
  void beforeAction(std::function<void(std::int64_t)> completion) override { completion(0); }

  // What changeTab was given last.
  std::optional<std::string> tabSlug_;
  std::optional<std::string> tagSlug_;

 private:
  std::shared_ptr<OfwListPagerPresenter> presenter_;
};

class TestDetail : public OfwBaseViewController, public OfwDetailView {
 public:
  using OfwBaseViewController::OfwBaseViewController;

  ui::NavigationController* navigationController() const override { return ui::ViewController::navigationController(); }
  std::shared_ptr<OfwDetailPresenter> presenter() const override { return presenter_; }
  void setPresenter(std::shared_ptr<OfwDetailPresenter> presenter) override { presenter_ = std::move(presenter); }
  const std::string& from() const override { return from_; }
  void setFrom(std::string from) override { from_ = std::move(from); }
  const std::optional<Ad>& currentAd() const override { return currentAd_; }
  void setCurrentAd(std::optional<Ad> ad) override { currentAd_ = std::move(ad); }
  void reloadData(std::string, bool) override {}
  void showLoadingIndicator() override { OfwBaseViewController::showLoadingIndicator(); }
  void hideLoadingIndicator() override { OfwBaseViewController::hideLoadingIndicator(); }
  void showNetworkError(bool) override {}
  void showAlert(const std::string& message) override { OfwBaseViewController::showAlert(message); }
  void showAlert(const std::string& message, std::optional<std::int64_t> code) override {
    OfwBaseViewController::showAlert(message, code);
  }
  void showIdfaAlert() override { OfwBaseViewController::showIdfaAlert(); }
  void showDialog(const Dialog& dialog) override { OfwBaseViewController::showDialog(dialog); }
  void showLandingDialog(const Dialog& dialog) override { OfwBaseViewController::showDialog(dialog); }
  void presentToastMessage() override { OfwBaseViewController::presentToastMessage(); }

 private:
  std::shared_ptr<OfwDetailPresenter> presenter_;
  std::string from_;
  std::optional<Ad> currentAd_;
};

// Remembers what its screen had when it was made: the ad id comes before the screen's presenter
// and origin.
class TestDetailPresenter : public OfwDetailPresenter {
 public:
  TestDetailPresenter(const std::shared_ptr<OfwDetailView>& view, std::int64_t adId)
      : screenHadPresenter_(view->presenter() != nullptr), screenFrom_(view->from()), view_(view), adId_(adId) {}
  std::shared_ptr<AdRepository> repository() const override { return nullptr; }
  std::shared_ptr<OfwDetailView> view() const override { return view_.lock(); }
  std::optional<Ad> currentAd() const override { return std::nullopt; }
  std::int64_t adId() const override { return adId_; }
  void setAdId(std::int64_t adId) override { adId_ = adId; }
  void backButtonClicked() override {}
  void sendParticipate() override {}
  void moveToContact() override {}
  void moveToContact(std::string) override {}
  void generateShortLink(std::function<void(Result<std::string>)>) override {}

  bool screenHadPresenter_;
  std::string screenFrom_;

 private:
  std::weak_ptr<OfwDetailView> view_;
  std::int64_t adId_;
};

// A publisher module whose classes a test sets one by one.
struct TestModule : PubAppModule {
  ClassOf<VelkorNavigationBar> navigationBarClazz() const override { return navigationBar; }
  ScreenClass<OfwListPagerView> ofwListViewControllerClazz() const override { return pager; }
  OfwListPagerPresenterClass ofwListViewPresenterClazz() const override { return pagerPresenter; }
  ScreenClass<OfwDetailView> ofwDetailViewControllerClazz() const override { return detail; }
  OfwDetailPresenterClass ofwDetailViewPresenterClazz() const override { return detailPresenter; }
  ClassOf<OfwDetailWebViewController> detailWebViewControllerClazz() const override { return detailWebPage; }
  ClassOf<SharedWebviewViewController> contractViewControllerClazz() const override { return contract; }
  ClassOf<OfwInAppBrowserViewController> inAppBrowserViewControllerClass() const override { return inAppBrowser; }
  ClassOf<VelkorErrorView> errorViewClass() const override { return errorView; }
  ClassOf<OfwNetworkErrorView> networkErrorViewClass() const override { return networkErrorView; }
  IndicatorViewClass indicatorViewClass() const override { return indicator; }

  ClassOf<VelkorNavigationBar> navigationBar;
  ScreenClass<OfwListPagerView> pager;
  OfwListPagerPresenterClass pagerPresenter;
  ScreenClass<OfwDetailView> detail;
  OfwDetailPresenterClass detailPresenter;
  ClassOf<OfwDetailWebViewController> detailWebPage;
  ClassOf<SharedWebviewViewController> contract;
  ClassOf<OfwInAppBrowserViewController> inAppBrowser;
  ClassOf<VelkorErrorView> errorView;
  ClassOf<OfwNetworkErrorView> networkErrorView;
  IndicatorViewClass indicator;
};

// A module that names the test pager and detail with their presenters: what the presentation tests
// open until the SDK's own screens are there.
inline std::shared_ptr<TestModule> screensModule() {
  auto module = std::make_shared<TestModule>();
  module->pager = ScreenClass<OfwListPagerView>::of<TestPager>("TestPager");
  module->pagerPresenter = [](const std::shared_ptr<OfwListPagerView>& view) {
    return std::make_shared<RecordingPagerPresenter>(view);
  };
  module->detail = ScreenClass<OfwDetailView>::of<TestDetail>("TestDetail");
  module->detailPresenter = [](const std::shared_ptr<OfwDetailView>& view, std::int64_t adId) {
    return std::make_shared<TestDetailPresenter>(view, adId);
  };
  return module;
}

}  // namespace velkor::testing
