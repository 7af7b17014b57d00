#include "velkor/core/user_info.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/ui/device.h"
#include "velkor/core/gender.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_parameters.h"

namespace velkor {
namespace {

TEST(UserInfo, StartsUnknownAndTellsWhetherASetterChangedAnything) {
  UserInfo info;
  EXPECT_EQ(info.snapshot(), (UserInfo::Snapshot{std::nullopt, 0, 1800}));
  EXPECT_FALSE(info.setGender(0));
  EXPECT_TRUE(info.setGender(2));
  EXPECT_FALSE(info.setGender(2));
  EXPECT_FALSE(info.setBirthYear(1800));
  EXPECT_TRUE(info.setBirthYear(1990));
  info.setUid("u-1");
  EXPECT_EQ(info.snapshot(), (UserInfo::Snapshot{"u-1", 2, 1990}));
}

// The host writes on main while a loader reads on its queue; exactly one writer sees each change.
TEST(UserInfo, ConcurrentWritersSeeOneChangeAndReadersAConsistentValue) {
  UserInfo info;
  std::atomic<int> changes{0};
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i) {
    threads.emplace_back([&] {
      for (int year = 1900; year < 2000; ++year) {
        if (info.setBirthYear(year)) ++changes;
        const auto seen = info.snapshot().birthYear;
        EXPECT_TRUE(seen == 1800 || (seen >= 1900 && seen < 2000));
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_GE(changes.load(), 100);
}

TEST(Gender, RawValuesOutsideZeroToTwoGiveNoCase) {
  EXPECT_EQ(genderFromRaw(0), Gender::unknown);
  EXPECT_EQ(genderFromRaw(1), Gender::male);
  EXPECT_EQ(genderFromRaw(2), Gender::female);
  EXPECT_EQ(genderFromRaw(3), std::nullopt);
  EXPECT_EQ(genderFromRaw(-1), std::nullopt);
}

TEST(VelkorParameters, OsVerComesFromTheDeviceUntilATestFixesIt) {
  EXPECT_EQ(VelkorParameters::osVer(), ui::Device::current().systemVersion);
  VelkorParameters::setOsVerForTesting("13.5.1");
  EXPECT_EQ(VelkorParameters::osVer(), "13.5.1");
  // Read once: a later change of the device does not reach it.
  const auto device = ui::Device::current();
  ui::Device::update([](ui::Device& changed) { changed.systemVersion = "99"; });
  EXPECT_EQ(VelkorParameters::osVer(), "13.5.1");
  ui::Device::setCurrent(device);
}

}  // namespace
}  // namespace velkor
