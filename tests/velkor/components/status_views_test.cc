#include <gtest/gtest.h>

#include "platform/ui/shape_layer.h"
#include "tests/velkor/components/components_testing.h"
#include "velkor/components/default_indicator_view.h"
#include "velkor/components/velkor_error_view.h"

namespace velkor {
namespace {

using StatusViewsTest = testing::ComponentsTest;

TEST_F(StatusViewsTest, DotsSitTwentyTwoPointsApartInTheMiddleAndNeverStackAnimations) {
  const ui::Color primary(0.2, 0.4, 0.6);
  VelkorInternal::shared().colorScheme()->setPrimaryColor(primary);
  // Even in an indicator of no size, the dots are centred on its centre.
  for (const ui::Rect frame : {ui::Rect{0, 0, 390, 844}, ui::Rect{50, 60, 0, 0}}) {
    auto indicator = DefaultIndicatorView::make();
    indicator->setFrame(frame);
    indicator->layoutIfNeeded();
    const auto& dots = *indicator->dotIndicatorView();
    EXPECT_EQ(dots.frame(), (ui::Rect{frame.width() / 2 - 60, frame.height() / 2 - 60, 120, 120}));
    const auto& layers = dots.layer().sublayers();
    ASSERT_EQ(layers.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(layers[i]->position(), (ui::Point{60 + 22.0 * (i - 1), 60}));
      EXPECT_EQ(dynamic_cast<ui::ShapeLayer&>(*layers[i]).fillColor(), primary);
    }
    indicator->show();
    indicator->show();
    for (int i = 0; i < 3; ++i) {
      ASSERT_EQ(layers[i]->animations().size(), 1u);
      auto* group = dynamic_cast<const ui::AnimationGroup*>(layers[i]->animation("velkor.indicator.alphaAnimation"));
      ASSERT_TRUE(group);
      EXPECT_EQ(group->animations[0]->beginTime, 0.25 * i);
      EXPECT_EQ(group->animations[1]->beginTime, 0.25 * i + 0.3);
    }
    indicator->hide();
    for (const auto& layer : layers) EXPECT_TRUE(layer->animations().empty());
  }
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
