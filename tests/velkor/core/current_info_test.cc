#include "velkor/core/current_info.h"

#include <gtest/gtest.h>

#include "platform/base/bundle.h"
#include "platform/privacy/advertising_id.h"
#include "platform/privacy/tracking.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_parameters.h"

namespace velkor {
namespace {

class CurrentInfo : public ::testing::Test {
 protected:
  void SetUp() override {
    base::Bundle::main().setInfoDictionary({{"CFBundleIdentifier", "com.example.host"}});
    VelkorParameters::setOsVerForTesting("15.0");
    privacy::Tracking::setStatus(privacy::TrackingStatus::Authorized);
    privacy::AdvertisingId::setAdvertisingIdentifier("6D92078A-8246-4BA4-AE5B-76104861E7DC");
  }
  void TearDown() override {
    VelkorInternal::shared().userInfo().setGender(0);
    VelkorInternal::shared().userInfo().setBirthYear(UserInfo::kUnknownBirthYear);
  }

  testing::ScopedCoreState core_;
};

TEST_F(CurrentInfo, PrintsTheFramedBlockOnce) {
  UserProfile::setUid("user-7");
  VelkorInternal::shared().userInfo().setGender(2);
  VelkorInternal::shared().userInfo().setBirthYear(1990);

  ::testing::internal::CaptureStdout();
  printCurrentInfo();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Display current info\n"
            "════════════════════════════════════════════════════════════════\n"
            "user:\n"
            "  user_id: user-7\n"
            "  gender: female\n"
            "  birth_year: 1990 \n"
            "device:\n"
            "  advertising_id: 6D92078A-8246-4BA4-AE5B-76104861E7DC\n"
            "  is_lat: 0\n"
            "app:\n"
            "  package_name: com.example.host\n"
            "════════════════════════════════════════════════════════════════\n");
}

TEST_F(CurrentInfo, ShowsTheDeviceIdWithoutTrackingAndOddGendersAsNumbers) {
  privacy::Tracking::setStatus(privacy::TrackingStatus::Denied);
  VelkorInternal::shared().userInfo().setGender(7);
  const std::string text = currentInfoText();
  EXPECT_NE(text.find("  user_id: nil\n  gender: 7\n  birth_year: 1800 \n"), std::string::npos) << text;
  EXPECT_NE(text.find("  advertising_id: " + VelkorParameters::deviceId() + "\n  is_lat: 1\n"), std::string::npos)
      << text;
}

}  // namespace
}  // namespace velkor
