#include "velkor/web/top_view_controller.h"
#include "velkor/web/velkor_web_alert_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/tab_bar_controller.h"
#include "tests/platform/ui/controller_testing.h"
#include "velkor/resources/framework_nibs.h"

namespace velkor {
namespace {

class WebAlertTest : public ui::testing::ScreenTest {
 protected:
  WebAlertTest() {
    ui::Application::shared().setOpenUrlHandler([this](const base::Url& url) {
      opened_.push_back(url.absoluteString());
      return true;
    });
  }
  ~WebAlertTest() override { ui::Application::shared().setOpenUrlHandler({}); }

  std::shared_ptr<VelkorWebAlertController> presented(long type) {
    auto alert = frameworkNibs().instantiate<VelkorWebAlertController>(VelkorWebAlertController::kNibName);
    EXPECT_TRUE(alert && alert->submitButton() && alert->cancelButton());
    EXPECT_EQ(alert->type(), 0) << "decoded as a plain alert";
    alert->setType(type);
    root_->present(alert, false);
    dispatch::main_loop::drain();
    return alert;
  }

  std::shared_ptr<ui::ViewController> root_ = std::make_shared<ui::ViewController>();
  std::vector<std::string> opened_;
};

TEST_F(WebAlertTest, OnlyTheSubmitOfATrackingAlertOpensTheSettingsAfterClosing) {
  show(root_);
  const struct {
    long type;
    bool submit;
    std::vector<std::string> opened;
  } cases[] = {
      {1, false, {}},
      {1, true, {ui::Application::kOpenSettingsURLString}},
      {0, true, {}},
  };
  for (const auto& c : cases) {
    opened_.clear();
    auto alert = presented(c.type);
    c.submit ? alert->submitButton()->sendActions(ui::ControlEvent::touchUpInside)
             : alert->cancelButton()->sendActions(ui::ControlEvent::touchUpInside);
    EXPECT_EQ(root_->presentedViewController(), nullptr) << "closed at once";
    EXPECT_TRUE(opened_.empty()) << "nothing opens within the tap";
    dispatch::main_loop::runUntil([] { return false; }, dispatch::Seconds(0.1));
    EXPECT_EQ(opened_, c.opened) << "type " << c.type << (c.submit ? " submit" : " cancel");
  }
}


using TopViewControllerTest = ui::testing::ScreenTest;
using Controller = std::shared_ptr<ui::ViewController>;

Controller make() { return std::make_shared<ui::ViewController>(); }

TEST_F(TopViewControllerTest, WalksNavigationTabsAndPresentations) {
  EXPECT_EQ(topViewController(nullptr), nullptr);
  auto top = make();
  auto navigation = std::make_shared<ui::NavigationController>();
  navigation->setViewControllers({make(), top});
  auto tabs = std::make_shared<ui::TabBarController>();
  tabs->setViewControllers({make(), navigation});
  tabs->setSelectedIndex(1);
  show(tabs);
  EXPECT_EQ(topViewController(tabs), top);
  EXPECT_EQ(topViewController(top), top);

  // What the selected stack presents, and what that presents in turn.
  auto presented = std::make_shared<ui::NavigationController>(make());
  navigation->present(presented, false);
  auto alert = make();
  presented->present(alert, false);
  dispatch::main_loop::drain();
  EXPECT_EQ(topViewController(tabs), alert);

  // A tab bar without a selected tab goes on to what it presents.
  window_ = std::make_shared<ui::Window>();
  auto empty = std::make_shared<ui::TabBarController>();
  show(empty);
  auto overEmpty = make();
  empty->present(overEmpty, false);
  dispatch::main_loop::drain();
  EXPECT_EQ(topViewController(empty), overEmpty);
}

}  // namespace
}  // namespace velkor
