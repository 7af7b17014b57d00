#include "velkor/appearance/velkor_dimension.h"

#include <gtest/gtest.h>

#include <memory>

#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

using P = VelkorDimension::Property;
using SizeGetter = double (VelkorDimension::*)() const;

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

TEST(DimensionTest, SideFallsBackToAxisThenGroup) {
  VelkorDimension d;
  d.setListItemMargin(12);
  for (SizeGetter g : {&VelkorDimension::listItemHorizontalMargin, &VelkorDimension::listItemVerticalMargin,
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

  d.setTagItemHorizontalPadding(9);
  d.setTagItemPadding(3);  // steers nothing
  EXPECT_EQ(d.tagItemLeftPadding(), 9);
  EXPECT_EQ(d.tagItemRightPadding(), 9);
  EXPECT_EQ(d.tagItemTopPadding(), 8.0);
  EXPECT_EQ(d.tagItemPadding(), 3);
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

TEST(DimensionTest, MoveToTopSpacingFollowsTheListTypeInForce) {
  for (const auto& [rawListType, fresh] : {std::pair{2L, 15.0}, {-1L, 0.0}, {99L, 0.0}}) {
    SCOPED_TRACE(rawListType);
    ScopedListType type(static_cast<ListType>(rawListType));
    VelkorDimension d;
    EXPECT_EQ(d.moveToTopButtonTopSpacing(), fresh);
    d.setMoveToTopButtonTopSpacing(5);
    EXPECT_EQ(d.moveToTopButtonTopSpacing(), 5);
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
