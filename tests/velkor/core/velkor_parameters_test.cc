#include "velkor/core/velkor_parameters.h"

#include <gtest/gtest.h>

#include <latch>
#include <thread>
#include <vector>

#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/core/preference_manager.h"

namespace velkor {
namespace {

using privacy::AdvertisingId;
using privacy::Tracking;
using privacy::TrackingStatus;

constexpr const char* kAdvertisingId = "6D92078A-8246-4BA4-AE5B-76104861E7DC";

class VelkorParametersTest : public ::testing::Test {
 protected:
  testing::ScopedCoreState state_;
};

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
      // From 14.5 only the authorised status counts: not yet asked is not permitted, whatever the
      // identifier or the older flag say.
      {"14.5", TrackingStatus::Authorized, kAdvertisingId, false, true},
      {"14.5", TrackingStatus::NotDetermined, kAdvertisingId, true, false},
      {"17.2", TrackingStatus::NotDetermined, kAdvertisingId, true, false},
      {"15.0.1", TrackingStatus::Denied, kAdvertisingId, true, false},
      // 14.0 to 14.4: undetermined counts as permitted when the identifier is not all zeros.
      {"14.0", TrackingStatus::NotDetermined, kAdvertisingId, false, true},
      {"14.4", TrackingStatus::NotDetermined, kAdvertisingId, false, true},
      {"14.4.2", TrackingStatus::NotDetermined, zero, true, false},
      // Below 14.0 the older flag alone decides.
      {"13.7", TrackingStatus::NotDetermined, kAdvertisingId, true, true},
      {"13.7", TrackingStatus::Authorized, kAdvertisingId, false, false},
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

}  // namespace
}  // namespace velkor
