#include "velkor/components/ofw_base_view_controller.h"

#include <gtest/gtest.h>

#include "platform/base/bundle.h"
#include "tests/velkor/components/components_testing.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/components/custom_alert_controller.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/ofw_toast_message_label.h"
#include "velkor/components/velkor_alert_controller.h"
#include "velkor/model/dialog.h"

namespace velkor {
namespace {

class OfwBaseViewControllerTest : public testing::ComponentsTest {
 protected:
  OfwBaseViewControllerTest() {
    navigation_ = std::make_shared<OfwNavigationController>(screen_);
    host_->present(navigation_, false);
  }
  ~OfwBaseViewControllerTest() override {
    VelkorOfwText::setFont(VelkorOfwText::Slot::mediumFont, OfwFont::system(ui::FontWeight::medium));
  }
  std::shared_ptr<AlertControllerBase> alert() const {
    return std::dynamic_pointer_cast<AlertControllerBase>(navigation_->presentedViewController());
  }
  void tap(const std::shared_ptr<ui::Button>& button) {
    button->sendActions(ui::ControlEvent::touchUpInside);
    advance(0.01);
  }

  std::shared_ptr<OfwBaseViewController> screen_ = std::make_shared<OfwBaseViewController>();
  std::shared_ptr<OfwNavigationController> navigation_;
};

Dialog dialog(std::optional<std::string> type, std::optional<std::string> url) {
  Dialog d;
  d.type = std::move(type);
  d.message = "참여 <mark>완료</mark>";
  d.positiveButton = "이동";
  d.positiveCallbackUrl = std::move(url);
  return d;
}

TEST_F(OfwBaseViewControllerTest, AlertCases) {
  enum class Call { alert, dialog, idfa };
  struct Case {
    const char* name;
    bool useCustomDialog;
    Call call;
    Dialog dialog;
    bool custom;
    bool cancelShown;
    long type;
    std::vector<std::string> opened;  // after a tap on submit
  };
  const std::string callback = "https://ads.example/click?m={media}&id=7";
  const std::string cleaned = "https://ads.example/click?m=&id=7";
  const std::vector<Case> cases{
      {"plain alert", false, Call::alert, {}, false, false, 0, {}},
      {"plain alert, custom", true, Call::alert, {}, true, false, 0, {}},
      {"confirm dialog", false, Call::dialog, dialog("confirm", callback), false, true, 2, {cleaned}},
      {"confirm dialog, custom, {media} dropped too", true, Call::dialog, dialog("confirm", callback), true, true, 2,
       {cleaned}},
      {"other case of confirm", false, Call::dialog, dialog("Confirm", std::nullopt), false, false, 2, {}},
      {"address that does not parse", false, Call::dialog, dialog(std::nullopt, "not a url"), false, false, 2, {}},
      {"tracking alert ignores the custom setting", true, Call::idfa, {}, false, true, 1, {"app-settings:"}},
  };
  // The host's medium font: the buttons of every alert show it.
  VelkorOfwText::setMediumFont("NanumSquareRound");
  const auto buttonFont = ui::Font::named("NanumSquareRound", 15)->description();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    opened_.clear();
    config_->setUseCustomDialog(c.useCustomDialog);
    switch (c.call) {
      case Call::alert: screen_->showAlert("안내", 34); break;
      case Call::dialog: screen_->showDialog(c.dialog); break;
      case Call::idfa: screen_->showIdfaAlert(); break;
    }
    auto shown = alert();
    ASSERT_TRUE(shown);
    EXPECT_EQ(dynamic_cast<CustomAlertController*>(shown.get()) != nullptr, c.custom);
    EXPECT_EQ(shown->modalPresentationStyle(), ui::ModalPresentationStyle::overCurrentContext);
    EXPECT_FALSE(shown->isBeingPresented());  // not animated
    EXPECT_EQ(!shown->cancelButton()->isHidden(), c.cancelShown);
    EXPECT_EQ(shown->type(), c.type);
    EXPECT_EQ(shown->submitButton()->titleLabel()->font().description(), buttonFont);
    EXPECT_EQ(shown->cancelButton()->titleLabel()->font().description(), buttonFont);
    if (c.call == Call::dialog) {
      EXPECT_EQ(shown->messaageLabel()->text(), "참여 완료");
      EXPECT_EQ(shown->submitButton()->title(ui::ControlState::normal), "이동");
    }
    tap(shown->submitButton());
    EXPECT_FALSE(navigation_->presentedViewController());
    EXPECT_EQ(opened_, c.opened);
  }
}

TEST_F(OfwBaseViewControllerTest, TheLatestCallbackStaysWithTheButtonActionAfterItsAlertCloses) {
  screen_->showDialog(dialog("confirm", "https://ads.example/first"));
  tap(alert()->cancelButton());
  EXPECT_TRUE(opened_.empty());
  // A dialog without an address: its submit only closes; the first address is still the action.
  screen_->showDialog(dialog("confirm", std::nullopt));
  tap(alert()->submitButton());
  EXPECT_TRUE(opened_.empty());
  triggerActionHandler();
  advance(0.01);
  EXPECT_EQ(opened_, std::vector<std::string>{"https://ads.example/first"});
}

TEST_F(OfwBaseViewControllerTest, TrackingAlertNamesTheHostApp) {
  screen_->showIdfaAlert();
  EXPECT_EQ(alert()->messaageLabel()->text(),
            "본 광고에 참여하려면 '추적 허용'을 선택해주세요.\n설정>개인정보 보호>추적>{APP_NAME}의 추적 허용을 선택해주세요.");
  tap(alert()->cancelButton());
  EXPECT_TRUE(opened_.empty());
  base::Bundle::main().setObject("CFBundleDisplayName", "벨코르");
  screen_->showIdfaAlert();
  EXPECT_NE(alert()->messaageLabel()->text().find(">벨코르의 추적 허용"), std::string::npos);
}

TEST_F(OfwBaseViewControllerTest, ToastsFadeInStayAndLeave) {
  screen_->presentToastMessage();
  advance(0.5);
  screen_->presentToastMessage();
  std::vector<std::shared_ptr<OfwToastMessageLabel>> toasts;
  for (const auto& view : screen_->view()->subviews()) {
    if (auto toast = std::dynamic_pointer_cast<OfwToastMessageLabel>(view)) toasts.push_back(toast);
  }
  ASSERT_EQ(toasts.size(), 2u);
  screen_->view()->layoutIfNeeded();
  EXPECT_EQ(toasts[0]->frame(), toasts[1]->frame());
  EXPECT_EQ(toasts[0]->center().y, screen_->view()->bounds().height() - 120);
  EXPECT_EQ(toasts[0]->text(), "URL이 복사되었습니다.");
  advance(3.6);  // the first is 4.1 s old, the second 3.6 s
  EXPECT_FALSE(toasts[0]->superview());
  EXPECT_TRUE(toasts[1]->superview());
  advance(0.5);
  EXPECT_FALSE(toasts[1]->superview());
}

}  // namespace
}  // namespace velkor
