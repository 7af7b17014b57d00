#include "platform/ui/alert_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/device.h"
#include "platform/ui/presentation.h"
#include "platform/ui/touch.h"
#include "platform/ui/transitioning.h"
#include "tests/platform/ui/controller_testing.h"

namespace ui {
namespace {

using testing::appearance;
using testing::Log;
using testing::probe;

constexpr double kPastModal = Presentation::kDuration + 0.01;

class AlertControllerTest : public testing::ScreenTest {
 protected:
  void SetUp() override {
    host_ = probe("H", log_);
    show(host_);
    log_->clear();
  }
  // A sheet with three actions that record their taps.
  std::shared_ptr<AlertController> sheet() {
    auto alert = AlertController::make("Share", "Pick one", AlertController::Style::actionSheet);
    auto record = [this](AlertAction& action) { taps_.push_back(*action.title()); };
    alert->addAction(AlertAction::make("Cancel", AlertAction::Style::cancel, record));
    alert->addAction(AlertAction::make("Copy link", AlertAction::Style::defaultStyle, record));
    alert->addAction(AlertAction::make("Report", AlertAction::Style::destructive, record));
    return alert;
  }

  std::shared_ptr<testing::Probe<>> host_;
  Log taps_;
};

TEST_F(AlertControllerTest, ATappedActionDismissesTheSheetThenRunsItsHandler) {
  auto alert = sheet();
  host_->present(alert, true);
  advance(kPastModal);
  ASSERT_EQ(host_->presentedViewController(), alert);
  // The presenter stays on screen and hears nothing.
  EXPECT_EQ(appearance(*log_), Log{});

  EXPECT_TRUE(alert->tapAction("Copy link"));
  EXPECT_TRUE(taps_.empty());  // not before the sheet is gone
  EXPECT_FALSE(alert->tapAction("Report"));  // only the first tap counts
  advance(kPastModal);
  EXPECT_EQ(taps_, Log{"Copy link"});
  EXPECT_FALSE(host_->presentedViewController());
  EXPECT_EQ(appearance(*log_), Log{});
}

TEST_F(AlertControllerTest, EachActionByIndexOrThroughItsButton) {
  struct Case {
    const char* name;
    std::function<bool(AlertController&)> tap;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"index of cancel", [](AlertController& a) { return a.tapAction(std::size_t{0}); }, "Cancel"},
      {"index of destructive", [](AlertController& a) { return a.tapAction(std::size_t{2}); }, "Report"},
      {"title", [](AlertController& a) { return a.tapAction("Cancel"); }, "Cancel"},
      {"button on screen", [](AlertController& a) { return touch::tap(*a.actionButtons()[0]); }, "Copy link"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    taps_.clear();
    auto alert = sheet();
    host_->present(alert, false);
    window_->layoutIfNeeded();
    EXPECT_TRUE(c.tap(*alert));
    advance(kPastModal);
    EXPECT_EQ(taps_, Log{c.expected});
    EXPECT_FALSE(host_->presentedViewController());
  }
}

TEST_F(AlertControllerTest, TheSheetShowsCancelLastInACardOfItsOwn) {
  auto alert = sheet();
  host_->present(alert, false);
  window_->layoutIfNeeded();
  const auto& buttons = alert->actionButtons();
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(buttons[0]->currentTitle(), "Copy link");
  EXPECT_EQ(buttons[1]->currentTitle(), "Report");
  EXPECT_EQ(buttons[2]->currentTitle(), "Cancel");
  EXPECT_NE(buttons[2]->superview(), buttons[0]->superview());
  EXPECT_EQ(alert->titleLabel()->text(), "Share");
  EXPECT_EQ(alert->messageLabel()->text(), "Pick one");
  // The sheet sits at the bottom, above the home indicator.
  const Rect cancel = buttons[2]->convert(buttons[2]->bounds(), nullptr);
  EXPECT_LE(cancel.maxY(), 844 - 34);
  EXPECT_GT(cancel.minY(), alert->cardView()->frame().maxY());
}

TEST_F(AlertControllerTest, AnAlertOfTwoPutsCancelFirstAndRefusesASecondCancel) {
  auto alert = AlertController::make("Title", std::nullopt, AlertController::Style::alert);
  alert->addAction(AlertAction::make("OK"));
  alert->addAction(AlertAction::make("Cancel", AlertAction::Style::cancel));
  alert->addAction(AlertAction::make("Never", AlertAction::Style::cancel));
  EXPECT_EQ(alert->actions().size(), 2u);
  EXPECT_EQ(alert->actionButtons()[0]->currentTitle(), "Cancel");
  EXPECT_EQ(alert->modalPresentationStyle(), ModalPresentationStyle::overFullScreen);
}

TEST_F(AlertControllerTest, DisabledActionsAndUnpresentedAlerts) {
  auto alert = sheet();
  alert->actions()[1]->setEnabled(false);
  EXPECT_FALSE(alert->tapAction(std::size_t{1}));
  EXPECT_FALSE(alert->tapAction(std::size_t{7}));
  EXPECT_FALSE(alert->tapAction("Nothing"));
  // Not presented: the handler runs at once.
  EXPECT_TRUE(alert->tapAction("Report"));
  EXPECT_EQ(taps_, Log{"Report"});
}

TEST_F(AlertControllerTest, OnAPadTheSheetIsAPopoverAtItsSource) {
  const Device saved = Device::current();
  Device::update([](Device& device) { device.userInterfaceIdiom = UserInterfaceIdiom::pad; });
  auto alert = sheet();
  Device::setCurrent(saved);
  ASSERT_EQ(alert->modalPresentationStyle(), ModalPresentationStyle::popover);
  auto source = std::make_shared<View>(Rect{300, 100, 44, 44});
  host_->view()->addSubview(source);
  PopoverPresentationController* popover = alert->popoverPresentationController();
  ASSERT_TRUE(popover);
  popover->setSourceView(source);
  popover->setSourceRect({0, 0, 44, 44});
  host_->present(alert, false);
  window_->layoutIfNeeded();
  EXPECT_EQ(alert->presentationController().get(), popover);
  EXPECT_EQ(popover->sourceView(), source);
  EXPECT_EQ(popover->sourceRect(), (Rect{0, 0, 44, 44}));
  // The card stands just under the source, inside the window.
  const Rect card = alert->cardView()->convert(alert->cardView()->bounds(), nullptr);
  EXPECT_GT(card.minY(), 144);
  EXPECT_LE(card.maxX(), 390);
  EXPECT_TRUE(alert->tapAction("Cancel"));
  advance(kPastModal);
  EXPECT_EQ(taps_, Log{"Cancel"});
}

}  // namespace
}  // namespace ui
