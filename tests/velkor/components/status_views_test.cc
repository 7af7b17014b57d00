#include <gtest/gtest.h>

#include "tests/velkor/components/components_testing.h"
#include "velkor/components/ofw_network_error_view.h"
#include "velkor/components/velkor_error_view.h"

namespace velkor {
namespace {

using StatusViewsTest = testing::ComponentsTest;

TEST_F(StatusViewsTest, NetworkErrorViewCentresItsTextsAndRetryButton) {
  auto view = OfwNetworkErrorView::make();
  view->setFrame({0, 0, 390, 844});
  view->setRetyable(false);
  view->layoutIfNeeded();
  EXPECT_EQ(view->messageLabel()->text(), "네트워크에 접속할 수 없습니다.");
  EXPECT_EQ(view->detailMessageLabel()->text(), "연결상태를 확인해 주세요.");
  EXPECT_FALSE(view->iconImageView()->image());
  EXPECT_TRUE(view->retryButton()->image(ui::ControlState::normal));
  const auto content = view->contentView()->frame();
  EXPECT_EQ(content.x() + content.width() / 2, 195);
  EXPECT_EQ(content.y() + content.height() / 2, 422);
  // No icon: the first label stands 20 points below the top of the group.
  EXPECT_EQ(view->messageLabel()->frame().y(), 20);
  EXPECT_EQ(content.width(), std::max(view->messageLabel()->frame().width(), view->detailMessageLabel()->frame().width()));
  EXPECT_EQ(view->retryButton()->frame().maxY(), content.height());
}

TEST_F(StatusViewsTest, EmptyViewReadsItsSizesOnceAtCreation) {
  auto dimension = VelkorInternal::shared().dimension();
  dimension->setEmptyViewIconWidth(64);
  auto view = VelkorErrorView::make();
  dimension->setEmptyViewIconWidth(10);
  view->setFrame({0, 0, 390, 844});
  view->layoutIfNeeded();
  EXPECT_EQ(view->iconImageView()->frame().size, (ui::Size{64, 50}));
  EXPECT_EQ(view->messageLabel()->frame().y() - view->iconImageView()->frame().maxY(), 20);
  EXPECT_EQ(view->messageLabel()->text(), "현재 표시할 이벤트가 없습니다.");
  EXPECT_TRUE(view->iconImageView()->image());
}

}  // namespace
}  // namespace velkor
