#include "velkor/core/velkor_parameters.h"

#include <gtest/gtest.h>

#include <latch>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "platform/base/uuid.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/core/preference_manager.h"
#include "velkor/core/pub_app_module.h"
#include "velkor/network/tracking_repository.h"

namespace velkor {
namespace {

using privacy::AdvertisingId;
using privacy::Tracking;
using privacy::TrackingStatus;

constexpr const char* kAdvertisingId = "6D92078A-8246-4BA4-AE5B-76104861E7DC";

class NamedModule : public PubAppModule {
 public:
  std::optional<std::string> name() const override { return "reward-module"; }
  std::optional<std::string> version() const override { return "2.1.0"; }
};

std::set<std::string> keysOf(const VelkorParameters::Parameters& parameters) {
  std::set<std::string> keys;
  for (const auto& [key, value] : parameters) keys.insert(key);
  return keys;
}

class VelkorParametersTest : public ::testing::Test {
 protected:
  testing::ScopedCoreState state_;
};

TEST_F(VelkorParametersTest, EveryKeyIsSentAndEmptyWhenItHasNoValue) {
  const auto parameters = VelkorParameters::commonParameters();
  EXPECT_EQ(keysOf(parameters),
            (std::set<std::string>{"os_ver", "app_ver", "package_name", "sdk_ver", "pub_app_module_ver",
                                   "pub_app_module_name", "uid", "app_id", "pub_app_id", "pub_app_key",
                                   "device_model", "device_id", "idfa", "is_lat", "enable_testing", "key",
                                   "tracking_id"}));
  for (const char* empty : {"app_ver", "package_name", "pub_app_module_ver", "pub_app_module_name", "uid", "app_id",
                            "pub_app_id", "pub_app_key"}) {
    EXPECT_EQ(parameters.at(empty), "") << empty;
  }
  // The installation's id, from the core's tracking repository.
  EXPECT_EQ(parameters.at("tracking_id"), VelkorInternal::shared().trackingRepository()->trackingID());
  EXPECT_FALSE(parameters.at("tracking_id").empty());
  EXPECT_EQ(parameters.at("enable_testing"), "0");
}

TEST_F(VelkorParametersTest, CarriesTheHostsFactsAsTheyAreAtEachCall) {
  base::Bundle::main().setInfoDictionary(
      {{"CFBundleShortVersionString", "4.2.0"}, {"CFBundleIdentifier", "com.example.host"}});
  VelkorInternal::shared().setAppId("app-7");
  VelkorInternal::shared().setPubAppModule(std::make_shared<NamedModule>());
  VelkorInternal::shared().setIsTester(true);
  UserProfile::setUid("user-1");
  VelkorParameters::setTrackingIdSource([] { return std::string("tracking-9"); });

  auto parameters = VelkorParameters::commonParameters();
  EXPECT_EQ(parameters.at("app_ver"), "4.2.0");
  EXPECT_EQ(parameters.at("package_name"), "com.example.host");
  EXPECT_EQ(parameters.at("pub_app_module_name"), "reward-module");
  EXPECT_EQ(parameters.at("pub_app_module_ver"), "2.1.0");
  EXPECT_EQ(parameters.at("uid"), "user-1");
  EXPECT_EQ(parameters.at("app_id"), "app-7");
  EXPECT_EQ(parameters.at("pub_app_id"), "app-7");
  EXPECT_EQ(parameters.at("pub_app_key"), "app-7");
  EXPECT_EQ(parameters.at("enable_testing"), "1");
  EXPECT_EQ(parameters.at("tracking_id"), "tracking-9");

  // A module that names nothing, a version that is not text: empty again.
  VelkorInternal::shared().setPubAppModule(std::make_shared<PubAppModule>());
  base::Bundle::main().setObject("CFBundleShortVersionString", 42);
  UserProfile::setUid(std::nullopt);
  parameters = VelkorParameters::commonParameters();
  EXPECT_EQ(parameters.at("pub_app_module_name"), "");
  EXPECT_EQ(parameters.at("pub_app_module_ver"), "");
  EXPECT_EQ(parameters.at("app_ver"), "");
  EXPECT_EQ(parameters.at("uid"), "");
}

TEST_F(VelkorParametersTest, WebPagesGetTheirPlaceholdersWithTheRequestsValues) {
  VelkorInternal::shared().setAppId("app-7");
  UserProfile::setUid("user-1");
  const auto page = VelkorParameters::webPageParameters();
  EXPECT_EQ(keysOf(page), (std::set<std::string>{"{OS_VER}", "{APP_VER}", "{PUB_APP_MODULE_VER}",
                                                 "{PUB_APP_MODULE_NAME}", "{PACKAGE_NAME}", "{SDK_VER}", "{UID}",
                                                 "{APP_ID}", "{DEVICE_MODEL}", "{IDFA}", "{IS_LAT}", "{KEY}"}));
  // Each placeholder, without braces and in lower case, names the request key of the same value.
  const auto common = VelkorParameters::commonParameters();
  for (const auto& [placeholder, value] : page) {
    std::string key;
    for (char c : placeholder) {
      if (c != '{' && c != '}') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    ASSERT_TRUE(common.contains(key)) << placeholder;
    EXPECT_EQ(value, common.at(key)) << placeholder;
  }
}

struct TrackingCase {
  const char* osVer;
  TrackingStatus status;
  const char* advertisingId;
  bool advertisingTrackingEnabled;
  bool expected;
};

TEST_F(VelkorParametersTest, TrackingFollowsTheRulesOfTheOsVersion) {
  const char* zero = AdvertisingId::kZero;
  const TrackingCase cases[] = {
      // From 14.5 only the authorised status counts.
      {"14.5", TrackingStatus::Authorized, kAdvertisingId, false, true},
      {"14.5", TrackingStatus::NotDetermined, kAdvertisingId, true, false},
      {"15.0.1", TrackingStatus::Denied, kAdvertisingId, true, false},
      {"17", TrackingStatus::Restricted, kAdvertisingId, true, false},
      // 14.0 to 14.4: undetermined counts as permitted when the identifier is not all zeros.
      {"14.0", TrackingStatus::NotDetermined, kAdvertisingId, false, true},
      {"14.4.2", TrackingStatus::NotDetermined, zero, true, false},
      {"14.2", TrackingStatus::Authorized, zero, false, true},
      {"14.2", TrackingStatus::Denied, kAdvertisingId, true, false},
      // Below 14.0 the older flag alone decides.
      {"13.7", TrackingStatus::NotDetermined, kAdvertisingId, true, true},
      {"13.7", TrackingStatus::Authorized, kAdvertisingId, false, false},
      {"9", TrackingStatus::Denied, zero, true, true},
  };
  for (const auto& c : cases) {
    VelkorParameters::setOsVerForTesting(c.osVer);
    Tracking::setStatus(c.status);
    AdvertisingId::setAdvertisingIdentifier(c.advertisingId);
    AdvertisingId::setAdvertisingTrackingEnabled(c.advertisingTrackingEnabled);
    const auto label = std::string(c.osVer) + " status " + std::to_string(static_cast<int>(c.status));
    EXPECT_EQ(VelkorParameters::isTrackingEnabled(), c.expected) << label;

    const auto common = VelkorParameters::commonParameters();
    const auto page = VelkorParameters::webPageParameters();
    // Without permission the device id stands in for the advertising identifier.
    const auto idfa = c.expected ? std::string(c.advertisingId) : common.at("device_id");
    EXPECT_EQ(common.at("idfa"), idfa) << label;
    EXPECT_EQ(page.at("{IDFA}"), idfa) << label;
    EXPECT_EQ(common.at("is_lat"), c.expected ? "0" : "1") << label;
    EXPECT_EQ(page.at("{IS_LAT}"), common.at("is_lat")) << label;
  }
}

TEST_F(VelkorParametersTest, DeviceIdIsMadeOnceAndKept) {
  const auto id = VelkorParameters::deviceId();
  EXPECT_TRUE(base::Uuid::parse(id));
  EXPECT_EQ(base::Defaults::standard()->string(PreferenceManager::kDeviceIdKey), id);
  EXPECT_EQ(VelkorParameters::deviceId(), id);
  EXPECT_EQ(VelkorParameters::commonParameters().at("device_id"), id);

  // One already stored is returned as it is.
  base::Defaults::standard()->setString(PreferenceManager::kDeviceIdKey, "stored-id");
  EXPECT_EQ(VelkorParameters::deviceId(), "stored-id");
}

TEST_F(VelkorParametersTest, DeviceIdIsMadeOnceWhenThreadsAskFirstTogether) {
  constexpr int kThreads = 8;
  for (int round = 0; round < 20; ++round) {
    base::Defaults::setStandard(base::Defaults::inMemory());
    std::latch start(kThreads);
    std::vector<std::string> seen(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
      threads.emplace_back([&, i] {
        start.arrive_and_wait();
        seen[i] = VelkorParameters::deviceId();
      });
    }
    for (auto& thread : threads) thread.join();
    const auto stored = base::Defaults::standard()->string(PreferenceManager::kDeviceIdKey);
    ASSERT_TRUE(stored);
    for (const auto& id : seen) ASSERT_EQ(id, *stored) << "round " << round;
  }
}

TEST(VelkorParametersModel, NamesKnownIdentifiersAndPassesOthersOn) {
  const std::pair<const char*, const char*> cases[] = {
      {"iPhone10,3", "iPhone X"},
      {"iPhone10,6", "iPhone X"},
      {"x86_64", "Simulator"},
      // Newer than the table, or not quite an identifier of it: sent as it is.
      {"iPhone14,2", "iPhone14,2"},
      {"iphone10,3", "iphone10,3"},
      {"iPad7", "iPad7"},
      {"aarch64", "aarch64"},
      {"", ""},
  };
  for (const auto& [machine, name] : cases) EXPECT_EQ(VelkorParameters::modelName(machine), name) << machine;
}

// Request threads build tables while the host changes the user, the module and the app id.
TEST_F(VelkorParametersTest, TablesAreBuiltSafelyWhileTheHostChangesItsFacts) {
  std::atomic<bool> done{false};
  std::vector<std::thread> readers;
  for (int i = 0; i < 3; ++i) {
    readers.emplace_back([&] {
      while (!done.load()) {
        const auto parameters = VelkorParameters::commonParameters();
        const auto& uid = parameters.at("uid");
        EXPECT_TRUE(uid.empty() || uid.starts_with("user-")) << uid;
        EXPECT_EQ(parameters.at("app_id"), parameters.at("pub_app_key"));
        (void)VelkorParameters::webPageParameters();
      }
    });
  }
  for (int i = 0; i < 200; ++i) {
    UserProfile::setUid("user-" + std::to_string(i));
    VelkorInternal::shared().setAppId("app-" + std::to_string(i));
    VelkorInternal::shared().setPubAppModule(i % 2 ? std::make_shared<NamedModule>() : nullptr);
    VelkorParameters::setTrackingIdSource([i] { return std::to_string(i); });
  }
  done.store(true);
  for (auto& reader : readers) reader.join();
}

}  // namespace
}  // namespace velkor
