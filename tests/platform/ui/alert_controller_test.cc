#include "platform/ui/alert_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/transitioning.h"
#include "tests/platform/ui/controller_testing.h"

namespace ui {
namespace {

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

// The arrow directions are only recorded: a sheet without an arrow stands where one with any arrow
// would, under the centre of its source.
TEST_F(AlertControllerTest, APopoverKeepsItsArrowDirectionsAndStandsAtItsSource) {
  std::vector<Rect> cards;
  for (auto directions : {PopoverArrowDirection::any, PopoverArrowDirection{}}) {
    auto alert = sheet();
    alert->setModalPresentationStyle(ModalPresentationStyle::popover);
    auto* popover = alert->popoverPresentationController();
    ASSERT_TRUE(popover);
    EXPECT_EQ(popover->permittedArrowDirections(), PopoverArrowDirection::any);
    const Rect bounds = host_->view()->bounds();
    popover->setSourceView(host_->view());
    popover->setSourceRect({bounds.midX(), bounds.midY(), 0, 0});
    popover->setPermittedArrowDirections(directions);
    host_->present(alert, false);
    window_->layoutIfNeeded();
    EXPECT_EQ(alert->popoverPresentationController()->permittedArrowDirections(), directions);
    cards.push_back(alert->cardView()->frame());
    EXPECT_DOUBLE_EQ(cards.back().midX(), bounds.midX());
    alert->dismiss(false);
    advance(kPastModal);
  }
  EXPECT_EQ(cards[0], cards[1]);
}

}  // namespace
}  // namespace ui
