#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

// A host may set theme values or swap the configuration from its own thread while screens read on
// the main thread; under ThreadSanitizer this shows any unguarded state.
TEST(SharedThemeTest, WritesFromAnotherThreadRaceNoRead) {
  auto savedConfig = VelkorInternal::shared().config();
  auto scheme = std::make_shared<VelkorColorScheme>();
  auto dimension = std::make_shared<VelkorDimension>();
  std::atomic<bool> done{false};
  std::thread host([&] {
    for (int i = 0; i < 500; ++i) {
      dimension->setListItemMargin(i);
      scheme->setPrimaryColor(ui::Color(i / 500.0, 0, 0));
      auto config = std::make_shared<VelkorConfig>();
      config->setListType(i % 2 ? ListType::compactList : ListType::feed);
      VelkorInternal::shared().setConfig(config);
      VelkorOfwText::setDetailTitleFont(OfwFont(i % 2 ? "NanumGothic" : "NanumMyeongjo"));
    }
    done = true;
  });
  double sum = 0;
  while (!done) {
    sum += dimension->listItemLeftMargin() + dimension->moveToTopButtonTopSpacing();
    sum += scheme->ctaButtonEnableColor().red();
    sum += VelkorOfwText::detailTitleFont().instance(10).pointSize();
  }
  host.join();
  EXPECT_GE(sum, 0);
  EXPECT_EQ(dimension->listItemLeftMargin(), 499);
  VelkorInternal::shared().setConfig(savedConfig);
  VelkorOfwText::setDetailTitleFont(OfwFont::system(ui::FontWeight::regular));
}

}  // namespace
}  // namespace velkor
