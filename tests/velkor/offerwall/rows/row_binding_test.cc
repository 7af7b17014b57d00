#include <gtest/gtest.h>

#include "tests/velkor/offerwall/rows/rows_testing.h"
#include "velkor/appearance/hex_color.h"
#include "velkor/offerwall/rows/ofw_cta_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_list_item_cell.h"
#include "velkor/offerwall/rows/row_style.h"

namespace velkor::testing {
namespace {

class RowBindingTest : public ScreenTest {};

bool shows(const ui::ImageView& view, const char* name) {
  return view.image() && bundleImage(name) && view.image()->isSameImage(*bundleImage(name));
}

TEST_F(RowBindingTest, TheCompactButtonDropsTheRewardNameOnlyWhenOneBlankFollowsIt) {
  struct Case {
    const char* rewardText;
    const char* shown;
  } cases[] = {{"포인트 100P", "100P"}, {"포인트", "포인트"}, {"포인트100P", "포인트100P"}, {"100 포인트", "100 포인트"},
               {"포인트  100P", " 100P"}};
  auto rows = showRows<OfwListItemCell>({makeAd()}, 375, 80);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rewardText);
    rows->cell(0)->updateCell(makeAd([&](Ad& ad) { ad.rewardText = c.rewardText; }));
    EXPECT_EQ(rows->cell(0)->rewardButtonTitleLabel()->text(), c.shown);
  }
  // Without reward types, and without a reward text, nothing is dropped and nothing breaks.
  RewardType::setItems({});
  rows->cell(0)->updateCell(makeAd([](Ad& ad) { ad.rewardText = std::nullopt; }));
  EXPECT_EQ(rows->cell(0)->rewardButtonTitleLabel()->text(), "");
}

TEST_F(RowBindingTest, TheOverlayShowsForDisabledAdsWithTheIconOfTheirCompletion) {
  struct Case {
    std::optional<bool> enabled;
    std::optional<std::int64_t> completed;
    bool overlay;
    const char* icon;
  } cases[] = {{true, 1, false, nullptr},
               {false, std::nullopt, true, "ico-info-timer"},
               {false, 0, true, "ico-info-timer"},
               {std::nullopt, 2, true, "ico-info-completed"}};
  auto compact = showRows<OfwListItemCell>({makeAd()}, 375, 80);
  auto feed = showRows<OfwFeedItemCell>({makeAd()});
  for (const auto& c : cases) {
    const Ad ad = makeAd([&](Ad& ad) {
      ad.callToActionEnabled = c.enabled;
      ad.completed = c.completed;
      ad.callToAction = "내일 다시\n참여";
    });
    compact->cell(0)->updateCell(ad);
    feed->cell(0)->updateCell(ad);
    EXPECT_EQ(!compact->cell(0)->infoView()->isHidden(), c.overlay);
    EXPECT_EQ(!feed->cell(0)->infoView()->isHidden(), c.overlay);
    if (!c.overlay) continue;
    EXPECT_TRUE(shows(*compact->cell(0)->infoIconView(), c.icon));
    EXPECT_TRUE(shows(*feed->cell(0)->infoIconView(), c.icon));
    EXPECT_EQ(compact->cell(0)->infoTitleLabel()->text(), "내일 다시\n참여");
    EXPECT_EQ(feed->cell(0)->bottomView()->backgroundColor(), colorFromHex("#adb5bd"));
  }
}

TEST_F(RowBindingTest, TheFeedRewardShowsItsFullFormWhenBoundAndItsShortFormFromTheFirstTick) {
  auto rows = showRows<OfwFeedItemCell>({makeAd()});
  auto cell = rows->cell(0);
  struct Case {
    const char* rewardText;
    bool nameShown;
    const char* text;
    double size;
  } cases[] = {{"포인트 100P", true, "100P", 16},
               {"포인트100P", true, "포인트100P", 16},
               {"100P", false, "100P", 18},
               {nullptr, true, "100P", 16}};  // no reward text: the tick's short form at once
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rewardText ? c.rewardText : "none");
    cell->updateCell(makeAd([&](Ad& ad) {
      ad.rewardText = c.rewardText ? std::optional<std::string>(c.rewardText) : std::nullopt;
    }));
    rows->window()->layoutIfNeeded();
    EXPECT_EQ(!cell->rewardNameLabel()->isHidden(), c.nameShown);
    EXPECT_EQ(cell->rewardTextLabel()->text(), c.text);
    EXPECT_EQ(cell->rewardTextLabel()->font().pointSize(), c.size);
    EXPECT_EQ(cell->rewardNameLabel()->frame().height() > 0, c.nameShown);
    EXPECT_DOUBLE_EQ(cell->rewardTextLabel()->frame().minY() - cell->rewardNameLabel()->frame().maxY(),
                     c.nameShown ? 2.0 : 0.0);
  }
  // The tick's short form: the type's name over the amount with its unit, the name hidden exactly
  // when the first type's unit is its name (as with no reward types at all). The ad's type is 1; a
  // list without it gives the ad the list's first type.
  struct Tick {
    RewardType::List types;
    bool nameShown;
    const char* name;
    const char* text;
  } ticks[] = {{{{1, "포인트", 0, "P"}}, true, "포인트", "100P"},
               {{{1, "캐시", 0, "캐시"}}, false, "캐시", "100캐시"},
               {{}, false, "", "100"},
               {{{2, "Coin", 0, "C"}, {3, "캐시", 0, "캐시"}}, true, "Coin", "100C"}};
  for (const auto& tick : ticks) {
    SCOPED_TRACE(tick.name);
    RewardType::setItems(tick.types);
    cell->updateStatus(AdItem(makeAd()));
    EXPECT_EQ(!cell->rewardNameLabel()->isHidden(), tick.nameShown);
    EXPECT_EQ(cell->rewardNameLabel()->text(), tick.name);
    EXPECT_EQ(cell->rewardTextLabel()->text(), tick.text);
  }
}

TEST_F(RowBindingTest, AReusedRowNeverKeepsItsPreviousAdsMarkOrBarColour) {
  const Ad marked = makeAd([](Ad& ad) {
    ad.newBadge = 1;
    ad.callToActionEnabled = false;
  });
  const Ad plain = makeAd([](Ad& ad) { ad.newBadge = 2; });
  auto compact = showRows<OfwListItemCell>({marked}, 375, 80);
  auto feed = showRows<OfwFeedItemCell>({marked});
  auto cta = showRows<OfwCtaFeedItemCell>({marked});
  const auto first = compact->cell(0);
  EXPECT_FALSE(compact->cell(0)->markNewImageView()->isHidden());
  EXPECT_FALSE(feed->cell(0)->markNewImageView()->isHidden());
  EXPECT_FALSE(cta->cell(0)->markNewImageView()->isHidden());
  EXPECT_EQ(cta->cell(0)->ctaButtonView()->backgroundColor(), ui::Color::gray());

  compact->show(compact, {plain});
  feed->show(feed, {plain});
  cta->show(cta, {plain});
  EXPECT_EQ(compact->cell(0), first);
  EXPECT_TRUE(compact->cell(0)->markNewImageView()->isHidden());
  EXPECT_TRUE(feed->cell(0)->markNewImageView()->isHidden());
  EXPECT_TRUE(cta->cell(0)->markNewImageView()->isHidden());
  EXPECT_EQ(feed->cell(0)->bottomView()->backgroundColor(), theme_.colors().primaryColor());
  EXPECT_EQ(cta->cell(0)->ctaButtonView()->backgroundColor(), theme_.colors().primaryColor());
  // The tick only ever shows the mark.
  compact->cell(0)->updateStatus(AdItem(marked));
  compact->cell(0)->updateStatus(AdItem(plain));
  EXPECT_FALSE(compact->cell(0)->markNewImageView()->isHidden());
}

TEST_F(RowBindingTest, ThumbnailsWithoutAnAddressKeepOrReplaceTheirImageByStyle) {
  const Ad ad = makeAd([](Ad& ad) {
    ad.iconImage = std::nullopt;
    ad.thumbImage = "not an address";
  });
  auto compact = showRows<OfwListItemCell>({ad}, 375, 80);
  auto feed = showRows<OfwFeedItemCell>({ad});
  auto cta = showRows<OfwCtaFeedItemCell>({ad});
  EXPECT_TRUE(shows(*compact->cell(0)->thumbImageView(), "temp_thumb"));
  EXPECT_TRUE(shows(*cta->cell(0)->thumbImageView(), "temp_thumb"));
  EXPECT_FALSE(feed->cell(0)->thumbImageView()->image());
}

}  // namespace
}  // namespace velkor::testing
