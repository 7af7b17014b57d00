// The SDK's ad detail screen: loads its ad each time it comes on screen (and on return to the
// foreground), renders it, runs the call-to-action button's countdown while visible, shows the
// network error view with retry, and hands its actions to the presenter, resuming them after a host
// login. Its view comes from the framework's nib "DefaultOfwDetailViewController", whose outlets are
// styled as the nib assigns them.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/base/notification_center.h"
#include "platform/dispatch/timer.h"
#include "platform/ui/button.h"
#include "platform/ui/constraint.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "velkor/components/ofw_base_view_controller.h"
#include "velkor/core/ofw_login_delegate.h"
#include "velkor/detail/ofw_detail_view.h"

namespace velkor {

class VelkorConfig;

class DefaultOfwDetailViewController : public OfwBaseViewController,
                                       public OfwDetailView,
                                       public OfwLoginDelegate {
 public:
  static constexpr const char* kNibName = "DefaultOfwDetailViewController";
  static constexpr const char* kParticipateAction = "participate";
  static constexpr const char* kShowHelpAction = "show_help";

  DefaultOfwDetailViewController();
  explicit DefaultOfwDetailViewController(std::optional<std::string> nibName,
                                          const ui::NibRegistry& bundle = ui::NibRegistry::framework());
  ~DefaultOfwDetailViewController() override;

  // --- OfwDetailView ---
  ui::NavigationController* navigationController() const override { return ui::ViewController::navigationController(); }
  std::shared_ptr<OfwDetailPresenter> presenter() const override { return presenter_; }
  void setPresenter(std::shared_ptr<OfwDetailPresenter> presenter) override { presenter_ = std::move(presenter); }
  const std::string& from() const override { return from_; }
  void setFrom(std::string from) override { from_ = std::move(from); }
  const std::optional<Ad>& currentAd() const override { return currentAd_; }
  void setCurrentAd(std::optional<Ad> ad) override { currentAd_ = std::move(ad); }
  // Loads the presenter's ad with that origin; a failed load keeps the page.
  void reloadData(std::string from, bool refresh) override;
  void showLoadingIndicator() override { OfwBaseViewController::showLoadingIndicator(); }
  void hideLoadingIndicator() override { OfwBaseViewController::hideLoadingIndicator(); }
  void showNetworkError(bool retry) override;
  void showAlert(const std::string& message) override { OfwBaseViewController::showAlert(message); }
  void showAlert(const std::string& message, std::optional<std::int64_t> code) override;
  void showIdfaAlert() override { OfwBaseViewController::showIdfaAlert(); }
  void showDialog(const Dialog& dialog) override { OfwBaseViewController::showDialog(dialog); }
  void showLandingDialog(const Dialog& dialog) override { OfwBaseViewController::showDialog(dialog); }
  void presentToastMessage() override { OfwBaseViewController::presentToastMessage(); }

  // --- OfwLoginDelegate: the host logged the user in; the pending action runs again ---
  void success() override;

  // --- actions ---
  // The call-to-action (spelled so): with a user id, the presenter's participation; without one, a
  // login request that success() resumes.
  void paricipate();
  void moveToContact();
  void backButtonClicked();
  // The network error view's retry.
  void refresh();
  void close();
  void updateDisplay();
  void appMovedToForeground();
  void appMovedToBackground();

  // --- rendering ---
  // Puts the current ad into the page and brings the button up to date.
  void renderAd();
  // The button's title, colours and countdown for the ad; shows the button.
  void updateDetailCtaButton(const Ad& ad);
  base::AttributedString makeDetailCtaRemainingTimeText(const Ad& ad) const;

  const std::optional<std::string>& lastActionName() const { return lastActionName_; }
  const std::string& callToAction() const { return callToAction_; }
  const std::shared_ptr<ui::View>& networkErrorView() const { return networkErrorView_; }
  bool isTimerRunning() const { return timer_ && timer_->isValid(); }

  // --- outlets: each styles its view as it is assigned ---
#define VELKOR_DETAIL_OUTLET(Type, name, Name)                               \
  std::shared_ptr<Type> name() const { return name##_.lock(); }              \
  void set##Name(const std::shared_ptr<Type>& outlet);
  VELKOR_DETAIL_OUTLET(ui::View, contentView, ContentView)
  VELKOR_DETAIL_OUTLET(ui::ImageView, thumbnail, Thumbnail)
  VELKOR_DETAIL_OUTLET(ui::Label, titleLabel, TitleLabel)
  VELKOR_DETAIL_OUTLET(ui::Label, subtitleLabel, SubtitleLabel)
  VELKOR_DETAIL_OUTLET(ui::View, descWrapper, DescWrapper)
  VELKOR_DETAIL_OUTLET(ui::Label, conditionLabel, ConditionLabel)
  VELKOR_DETAIL_OUTLET(ui::Button, nestedContactButton, NestedContactButton)
  VELKOR_DETAIL_OUTLET(ui::View, noticeWrapper, NoticeWrapper)
  VELKOR_DETAIL_OUTLET(ui::Label, noticeHeaderLabel, NoticeHeaderLabel)
  VELKOR_DETAIL_OUTLET(ui::ImageView, noticeImage, NoticeImage)
  VELKOR_DETAIL_OUTLET(ui::View, noticeDescWrapper, NoticeDescWrapper)
  VELKOR_DETAIL_OUTLET(ui::Label, descHeaderLabel, DescHeaderLabel)
  VELKOR_DETAIL_OUTLET(ui::Label, descriptionLabel, DescriptionLabel)
  VELKOR_DETAIL_OUTLET(ui::View, fixedBottomGradientView, FixedBottomGradientView)
  VELKOR_DETAIL_OUTLET(ui::View, fixedBottomViewWrapper, FixedBottomViewWrapper)
  VELKOR_DETAIL_OUTLET(ui::Button, submitButton, SubmitButton)
  VELKOR_DETAIL_OUTLET(ui::View, noticeImageLine, NoticeImageLine)
  VELKOR_DETAIL_OUTLET(ui::Constraint, detailCTAButtonBottomConstraint, DetailCTAButtonBottomConstraint)
#undef VELKOR_DETAIL_OUTLET
  const std::shared_ptr<ui::Constraint>& noticeHeightConstraint() const { return noticeHeightConstraint_; }
  void setNoticeHeightConstraint(std::shared_ptr<ui::Constraint> c) { noticeHeightConstraint_ = std::move(c); }
  const std::shared_ptr<ui::Constraint>& noticeImageHeightConstraint() const { return noticeImageHeightConstraint_; }
  void setNoticeImageHeightConstraint(std::shared_ptr<ui::Constraint> c) { noticeImageHeightConstraint_ = std::move(c); }
  const std::shared_ptr<ui::Constraint>& noticeHeaderLabelTopConstraint() const { return noticeHeaderLabelTopConstraint_; }
  void setNoticeHeaderLabelTopConstraint(std::shared_ptr<ui::Constraint> c) {
    noticeHeaderLabelTopConstraint_ = std::move(c);
  }

  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  void viewDidLayoutSubviews() override;
  void traitCollectionDidChange(const ui::TraitCollection& previous) override;

 private:
  std::shared_ptr<DefaultOfwDetailViewController> self();
  void styleNavigationBar();
  void applyBottomGradient();
  void renderNotices(const Ad& ad, const ViewItemsInfo& items);
  void renderNoticeImage(const ViewItemsInfo& items);
  void sizeNoticeSection(const ui::Image& image);
  void removeNetworkErrorView();

  std::string from_;
  std::shared_ptr<VelkorConfig> config_;
  std::shared_ptr<OfwDetailPresenter> presenter_;
  std::weak_ptr<ui::View> contentView_;
  std::weak_ptr<ui::ImageView> thumbnail_;
  std::weak_ptr<ui::Label> titleLabel_;
  std::weak_ptr<ui::Label> subtitleLabel_;
  std::weak_ptr<ui::View> descWrapper_;
  std::weak_ptr<ui::Label> conditionLabel_;
  std::weak_ptr<ui::Button> nestedContactButton_;
  std::weak_ptr<ui::View> noticeWrapper_;
  std::weak_ptr<ui::Label> noticeHeaderLabel_;
  std::weak_ptr<ui::ImageView> noticeImage_;
  std::weak_ptr<ui::View> noticeDescWrapper_;
  std::weak_ptr<ui::Label> descHeaderLabel_;
  std::weak_ptr<ui::Label> descriptionLabel_;
  std::weak_ptr<ui::View> fixedBottomGradientView_;
  std::weak_ptr<ui::View> fixedBottomViewWrapper_;
  std::weak_ptr<ui::Button> submitButton_;
  std::weak_ptr<ui::View> noticeImageLine_;
  std::shared_ptr<ui::Constraint> noticeHeightConstraint_;
  std::shared_ptr<ui::Constraint> noticeImageHeightConstraint_;
  std::shared_ptr<ui::Constraint> noticeHeaderLabelTopConstraint_;
  std::weak_ptr<ui::Constraint> detailCTAButtonBottomConstraint_;
  std::optional<std::string> lastActionName_;
  std::shared_ptr<ui::View> networkErrorView_;
  bool clicked_ = false;
  std::string callToAction_;
  std::shared_ptr<dispatch::Timer> timer_;
  std::optional<Ad> currentAd_;
  std::optional<std::int64_t> adId_;
  base::NotificationCenter::Token foregroundObservation_;
  base::NotificationCenter::Token backgroundObservation_;
};

}  // namespace velkor
