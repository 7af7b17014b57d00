#include "velkor/core/velkor_config.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "velkor/core/pub_app_module.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

TEST(VelkorConfig, EnumerationsRefuseRawValuesOutOfRange) {
  EXPECT_EQ(buttonTypeFromRawValue(1), ButtonType::text);
  EXPECT_EQ(tabTextBoldTypeFromRawValue(2), TabTextBoldType::type2);
  EXPECT_EQ(listTypeFromRawValue(2), ListType::compactList);
  for (long raw : {-1L, 2L}) EXPECT_EQ(buttonTypeFromRawValue(raw), std::nullopt) << raw;
  for (long raw : {-1L, 3L}) {
    EXPECT_EQ(tabTextBoldTypeFromRawValue(raw), std::nullopt) << raw;
    EXPECT_EQ(listTypeFromRawValue(raw), std::nullopt) << raw;
  }
}

// The style belongs to the core: any configuration object reads and writes the same one.
TEST(VelkorConfig, InterfaceStyleIsTheCoresWhicheverConfigurationIsAsked) {
  VelkorConfig one;
  VelkorConfig other;
  one.setOverrideUserInterfaceStyle(ui::UserInterfaceStyle::dark);
  EXPECT_EQ(VelkorInternal::shared().userInterfaceStyle(), ui::UserInterfaceStyle::dark);
  EXPECT_EQ(other.overrideUserInterfaceStyle(), ui::UserInterfaceStyle::dark);
  EXPECT_EQ(VelkorInternal::shared().config()->overrideUserInterfaceStyle(), ui::UserInterfaceStyle::dark);
  VelkorInternal::shared().setUserInterfaceStyle(ui::UserInterfaceStyle::light);
  EXPECT_EQ(one.overrideUserInterfaceStyle(), ui::UserInterfaceStyle::light);
}

class DetailNibModule : public PubAppModule {
 public:
  std::optional<std::string> ofwDetailViewControllerNibName() const override { return "HostDetail"; }
};

// The detail nib name is fixed at its first read; whatever module comes later does not move it.
TEST(VelkorConfig, DetailNibNameIsFixedAtItsFirstReadAndASetValueWins) {
  auto& core = VelkorInternal::shared();
  core.setPubAppModule(nullptr);
  EXPECT_EQ(VelkorConfig::offerwallDetailViewControllerNibName(), std::nullopt);
  core.setPubAppModule(std::make_shared<DetailNibModule>());
  EXPECT_EQ(VelkorConfig::offerwallDetailViewControllerNibName(), std::nullopt);

  VelkorConfig::setOfferwallDetailViewControllerNibName("Chosen");
  EXPECT_EQ(VelkorConfig::offerwallDetailViewControllerNibName(), "Chosen");
  // Process-wide: a replaced configuration keeps it, and the list's name stays apart.
  core.setConfig(std::make_shared<VelkorConfig>());
  EXPECT_EQ(VelkorConfig::offerwallDetailViewControllerNibName(), "Chosen");
  EXPECT_EQ(VelkorConfig::offerwallListViewControllerNibName(), std::nullopt);
  core.setPubAppModule(nullptr);
}

// The host changes options on main while request threads read them and swap in a new object.
TEST(VelkorConfig, OptionsAreReadSafelyWhileTheHostWritesThem) {
  auto& core = VelkorInternal::shared();
  const auto saved = core.config();
  std::atomic<bool> done{false};
  std::vector<std::thread> readers;
  for (int i = 0; i < 3; ++i) {
    readers.emplace_back([&] {
      while (!done.load()) {
        const auto config = core.config();
        const auto title = config->offerwallListTitle();
        EXPECT_TRUE(title == "바로적립받기" || title.starts_with("title-")) << title;
        (void)config->totalRewardStr();
        (void)config->enablePopupBannerExtension();
        (void)config->enableLoggingTerms();
      }
    });
  }
  for (int i = 0; i < 300; ++i) {
    const auto config = core.config();
    config->setOfferwallListTitle("title-" + std::to_string(i));
    config->setTotalRewardStr(std::to_string(i));
    config->setEnablePopupBannerExtension(i % 2 == 0);
    config->setEnableLoggingTerms(i % 3 == 0);
    if (i % 50 == 0) core.setConfig(std::make_shared<VelkorConfig>());
  }
  done.store(true);
  for (auto& reader : readers) reader.join();
  core.setConfig(saved);
}

}  // namespace
}  // namespace velkor
