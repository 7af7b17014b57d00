#include "velkor/appearance/velkor_dimension.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>

#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

using P = VelkorDimension::Property;
using Getter = double (VelkorDimension::*)() const;

// Gives the shared configuration a list type for one test and puts the old configuration back.
class ScopedListType {
 public:
  explicit ScopedListType(ListType type) : saved_(VelkorInternal::shared().config()) {
    auto config = std::make_shared<VelkorConfig>();
    config->setListType(type);
    VelkorInternal::shared().setConfig(config);
  }
  ~ScopedListType() { VelkorInternal::shared().setConfig(saved_); }

 private:
  std::shared_ptr<VelkorConfig> saved_;
};

std::string lastWord(std::string_view name) {
  std::size_t at = name.size();
  while (at > 0 && !std::isupper(static_cast<unsigned char>(name[at - 1]))) --at;
  return std::string(name.substr(at > 0 ? at - 1 : 0));
}

const DimensionProperty* rowWithKey(std::string_view key) {
  for (const auto& row : VelkorDimension::properties()) {
    if (row.key == key) return &row;
  }
  return nullptr;
}

TEST(DimensionTableTest, HoldsEverySizeOnceWithChainsInsideTheirFamilies) {
  auto rows = VelkorDimension::properties();
  ASSERT_EQ(rows.size(), 162u);
  std::set<std::string_view> names, keys;
  std::set<std::string> renamed;
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name));
    EXPECT_TRUE(names.insert(row.name).second) << "duplicate name";
    EXPECT_TRUE(keys.insert(row.key).second) << "duplicate key";
    if (row.key != row.name) renamed.insert(std::string(row.name) + "=" + std::string(row.key));
    for (std::size_t i = 0; i < 2 && !row.fallbacks[i].empty(); ++i) {
      const DimensionProperty* general = rowWithKey(row.fallbacks[i]);
      ASSERT_NE(general, nullptr) << row.fallbacks[i] << " is no property's key";
      EXPECT_NE(general, &row);
      // Same family: a margin falls back to a margin, a text size to a text size; a width or a
      // height to the family's size.
      std::string mine = lastWord(row.name), theirs = lastWord(general->name);
      EXPECT_TRUE(mine == theirs || ((mine == "Width" || mine == "Height") && theirs == "Size") ||
                  (row.name == "popupPageIndicatorHeight" && theirs == "Width"))
          << row.name << " -> " << general->name;
      // A chain is the general property's own chain, one step up.
      if (i == 0) {
        EXPECT_EQ(general->fallbacks[0], row.fallbacks[1]);
      }
    }
  }
  EXPECT_EQ(renamed, (std::set<std::string>{"listItemTitleTextSize=listItemTitleSize",
                                            "listItemSubtitleTextSize=listItemSubtitleSize",
                                            "listItemCtaButtonTextSize=listCtaButtonTextSize"}));
  // Two general sizes steer nothing.
  for (const auto& row : rows) {
    for (auto key : row.fallbacks) EXPECT_TRUE(key != "tagItemPadding" && key != "tagListViewPadding");
  }
}

TEST(DimensionTest, SideFallsBackToAxisThenGroup) {
  VelkorDimension d;
  d.setListItemMargin(12);
  for (Getter g : {&VelkorDimension::listItemHorizontalMargin, &VelkorDimension::listItemVerticalMargin,
                   &VelkorDimension::listItemLeftMargin, &VelkorDimension::listItemTopMargin,
                   &VelkorDimension::listItemRightMargin, &VelkorDimension::listItemBottomMargin}) {
    EXPECT_EQ((d.*g)(), 12);
  }
  d.setListItemHorizontalMargin(4);
  EXPECT_EQ(d.listItemLeftMargin(), 4);
  EXPECT_EQ(d.listItemRightMargin(), 4);
  EXPECT_EQ(d.listItemTopMargin(), 12);
  EXPECT_EQ(d.listItemBottomMargin(), 12);
  // The paddings are another family.
  EXPECT_EQ(d.listItemLeftPadding(), 16);

  d.setListItemCtaButtonPadding(6);
  d.setListItemCtaButtonVerticalPadding(2);
  EXPECT_EQ(d.listItemCtaButtonTopPadding(), 2);
  EXPECT_EQ(d.listItemCtaButtonBottomPadding(), 2);
  EXPECT_EQ(d.listItemCtaButtonLeftPadding(), 6);

  d.setTagItemHorizontalPadding(9);
  d.setTagItemPadding(3);  // steers nothing
  EXPECT_EQ(d.tagItemLeftPadding(), 9);
  EXPECT_EQ(d.tagItemRightPadding(), 9);
  EXPECT_EQ(d.tagItemTopPadding(), 8.0);
  EXPECT_EQ(d.tagItemPadding(), 3);

  d.setPopupTextSize(18);
  EXPECT_EQ(d.popupSubtitleTextSize(), 18);
  EXPECT_EQ(d.popupViewTextSize(), 12.0);
  d.setPopupCTAButtonWrapperViewVerticalMargin(10);
  EXPECT_EQ(d.popupCTAButtonWrapperViewTopMargin(), 10);
  EXPECT_EQ(d.popupCTAButtonWrapperViewLeftMargin(), 20.0);
}

TEST(DimensionTest, EverySetterReachesItsGetterAndTheSizesThatFallBackToIt) {
  ScopedListType feed(ListType::feed);
  auto rows = VelkorDimension::properties();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    VelkorDimension d;
    d.setValue(static_cast<P>(i), 777);
    for (std::size_t j = 0; j < rows.size(); ++j) {
      const auto& row = rows[j];
      bool steered = j == i || row.fallbacks[0] == rows[i].key || row.fallbacks[1] == rows[i].key;
      double expected = steered ? 777 : row.defaultValue;
      if (row.name == "popupPageIndicatorHeight" && steered && j != i) expected = 777 * 0.5;
      ASSERT_EQ(d.value(static_cast<P>(j)), expected) << "set " << rows[i].name << ", read " << row.name;
    }
  }
}

TEST(DimensionTest, OverridesAreStoredAsGivenAndAddingReadsThroughTheChain) {
  VelkorDimension d;
  d.setMarkNewMargin(0.0);  // zero is an override, not a removal
  EXPECT_EQ(d.markNewLeftMargin(), 0.0);
  d.setBannerTextSize(-3);
  EXPECT_EQ(d.bannerTitleTextSize(), -3);
  d.setPopupMaxSize(std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isinf(d.popupMaxSize()));
  d.setTextGap(std::nan(""));
  EXPECT_TRUE(std::isnan(d.textGap()));

  d.setListItemMargin(12);
  d.setListItemLeftMargin(d.listItemLeftMargin() + 1);
  EXPECT_EQ(d.listItemLeftMargin(), 13);
  EXPECT_EQ(d.listItemRightMargin(), 12);

  // The renamed keys work through setter and getter alike.
  d.setListItemTitleTextSize(21);
  d.setListItemCtaButtonTextSize(22);
  EXPECT_EQ(d.listItemTitleTextSize(), 21);
  EXPECT_EQ(d.listItemCtaButtonTextSize(), 22);
  EXPECT_EQ(d.listItemSubtitleTextSize(), 16.0);

  // The indicator's height is half an overridden width until it has its own.
  d.setPopupPageIndicatorWidth(30);
  EXPECT_EQ(d.popupPageIndicatorHeight(), 15);
  d.setPopupPageIndicatorHeight(8);
  d.setPopupPageIndicatorWidth(100);
  EXPECT_EQ(d.popupPageIndicatorHeight(), 8);
}

TEST(DimensionTest, MoveToTopSpacingFollowsTheListTypeInForce) {
  const struct {
    long rawListType;
    double fresh;
    double overridden;
  } cases[] = {{0, 0.0, 5}, {1, 0.0, 5}, {2, 15.0, 5}, {3, 0.0, 5}, {-1, 0.0, 5}, {99, 0.0, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rawListType);
    ScopedListType type(static_cast<ListType>(c.rawListType));
    VelkorDimension d;
    EXPECT_EQ(d.moveToTopButtonTopSpacing(), c.fresh);
    d.setMoveToTopButtonTopSpacing(5);
    EXPECT_EQ(d.moveToTopButtonTopSpacing(), c.overridden);
  }
  // Read on every call: a later change of the list type shows at once.
  ScopedListType type(ListType::feed);
  VelkorDimension d;
  EXPECT_EQ(d.moveToTopButtonTopSpacing(), 0.0);
  VelkorInternal::shared().config()->setListType(ListType::compactList);
  EXPECT_EQ(d.moveToTopButtonTopSpacing(), 15.0);
}

TEST(DimensionTest, ReplacingTheSharedObjectDropsItsOverrides) {
  auto saved = VelkorInternal::shared().dimension();
  auto first = std::make_shared<VelkorDimension>();
  VelkorInternal::shared().setDimension(first);
  VelkorInternal::shared().dimension()->setListItemMargin(3);
  EXPECT_EQ(VelkorInternal::shared().dimension()->listItemTopMargin(), 3);
  VelkorInternal::shared().setDimension(std::make_shared<VelkorDimension>());
  EXPECT_EQ(VelkorInternal::shared().dimension()->listItemTopMargin(), 20);
  VelkorInternal::shared().setDimension(nullptr);  // ignored: readers never see none
  EXPECT_NE(VelkorInternal::shared().dimension(), nullptr);
  VelkorInternal::shared().setDimension(saved);
}

}  // namespace
}  // namespace velkor
