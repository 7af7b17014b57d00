// The core singleton: the uid restored at start, what a new user forgets, the terms agreement, and
// the host writing on main while the core's queues read.
#include "velkor/core/velkor_internal.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "platform/base/defaults.h"
#include "tests/velkor/core/facade_test_support.h"
#include "tests/velkor/network/ad_source_test_support.h"
#include "velkor/core/ofw_login_delegate.h"
#include "velkor/core/preference_manager.h"
#include "velkor/core/pub_app_module.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_parameters.h"
#include "velkor/network/tracking_repository.h"

namespace velkor::testing {
namespace {

using Key = PreferenceManager::Key;

std::shared_ptr<base::Defaults> defaults() { return base::Defaults::standard(); }

class CountingLogin : public OfwLoginDelegate {
 public:
  void success() override { ++calls; }
  std::atomic<int> calls{0};
};

// Start-up runs once per process, so each case starts the core in a process of its own.
struct StoredUidCase {
  const char* name;
  nlohmann::json stored;  // null: nothing stored
  std::optional<std::string> uid;
  friend void PrintTo(const StoredUidCase& test, std::ostream* out) { *out << test.name; }
};

class StartUp : public ::testing::TestWithParam<StoredUidCase> {};

TEST_P(StartUp, RestoresTheStoredUid) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const StoredUidCase& test = GetParam();
  EXPECT_EXIT(
      {
        auto store = base::Defaults::inMemory();
        if (test.stored.is_string()) store->setString(key(Key::totalValidRewardUser), test.stored.get<std::string>());
        if (test.stored.is_number()) store->setInteger(key(Key::totalValidRewardUser), test.stored.get<int>());
        base::Defaults::setStandard(store);
        auto& core = VelkorInternal::shared();
        const bool tracked = VelkorParameters::commonParameters().at("tracking_id") ==
                             core.trackingRepository()->trackingID();
        std::exit(UserProfile::uid() == test.uid && tracked ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(Stored, StartUp,
                         ::testing::Values(StoredUidCase{"text", "user-7", "user-7"},
                                           StoredUidCase{"empty_text", "", ""},
                                           StoredUidCase{"number", 7, std::nullopt},
                                           StoredUidCase{"nothing", nullptr, std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

class VelkorInternalTest : public ::testing::Test {
 protected:
  VelkorInternal& core() { return VelkorInternal::shared(); }
  std::size_t requests(mock::Route route) { return scope_.log().count(route); }
  FacadeScope scope_;
  std::shared_ptr<CountingLogin> login_ = std::make_shared<CountingLogin>();
};

TEST_F(VelkorInternalTest, ANewUidForgetsWhatBelongedToThePreviousUserAndTheSameUidActsNoMore) {
  core().updateUid("a");
  core().setGender(rawValue(Gender::female));
  core().setBirthYear(1990);
  for (Key stored : {Key::totalValidReward, Key::toolTipExpiredAt, Key::serverTimeGap}) defaults()->setInteger(key(stored), 9);
  defaults()->setString(key(Key::agreedUid), "a");
  core().repository()->setCacheIsDirty(false);
  core().repository()->setPlacementCacheIsDirty(false);
  core().setLoginDelegate(login_);
  core().config()->setEnableLoggingTerms(true);
  core().updateUid("b");
  EXPECT_EQ(UserProfile::uid(), "b");
  EXPECT_EQ(core().userInfo().gender(), rawValue(Gender::unknown));
  EXPECT_EQ(core().userInfo().birthYear(), UserInfo::kUnknownBirthYear);
  for (Key gone : {Key::totalValidReward, Key::toolTipExpiredAt, Key::serverTimeGap, Key::agreedUid}) {
    EXPECT_FALSE(defaults()->object(key(gone))) << key(gone);
  }
  EXPECT_EQ(defaults()->string(key(Key::totalValidRewardUser)), "b");
  EXPECT_TRUE(core().repository()->cacheIsDirty());
  EXPECT_TRUE(core().repository()->placementCacheIsDirty());
  EXPECT_EQ(login_->calls.load(), 1);
  // The new user has not agreed to the terms yet.
  ASSERT_TRUE(scope_.log().waitFor(mock::Route::agreement, 1, 10s));
  EXPECT_TRUE(eventually([] { return defaults()->string(key(Key::agreedUid)) == "b"; }));
  defaults()->setInteger(key(Key::totalValidReward), 500);
  core().updateUid("b");
  EXPECT_EQ(login_->calls.load(), 1);
  EXPECT_EQ(defaults()->integer(key(Key::totalValidReward)), 500);
}

struct TermsCase {
  const char* name;
  bool enabled;
  std::optional<std::string> agreed;  // stored before the check
  bool serverFails;
  bool sends;
  std::optional<std::string> agreedAfter;
  friend void PrintTo(const TermsCase& test, std::ostream* out) { *out << test.name; }
};

class TermsAgreement : public VelkorInternalTest, public ::testing::WithParamInterface<TermsCase> {};

TEST_P(TermsAgreement, IsSentOnceForEachUidThatHasNotAgreed) {
  const TermsCase& test = GetParam();
  core().config()->setEnableLoggingTerms(test.enabled);
  if (test.serverFails) {
    scope_.servers().server(mock::kLogic).setFault(
        mock::Route::agreement, mock::Fault{}.withStatus(500).withBody(R"({"code":500,"message":"down"})"));
  }
  UserProfile::setUid("user-1");
  if (test.agreed) defaults()->setString(key(Key::agreedUid), *test.agreed);
  core().checkTermsAgreement();
  if (!test.sends) {
    EXPECT_FALSE(scope_.log().waitFor(mock::Route::agreement, 1, 300ms));
    EXPECT_EQ(defaults()->string(key(Key::agreedUid)), test.agreedAfter);
    return;
  }
  ASSERT_TRUE(scope_.log().waitFor(mock::Route::agreement, 1, 10s));
  EXPECT_EQ(scope_.log().entries(mock::Route::agreement).front().json().value("uid", ""), "user-1");
  dispatch::main_loop::runUntil([&] { return defaults()->string(key(Key::agreedUid)) == test.agreedAfter; }, 2s);
  EXPECT_EQ(defaults()->string(key(Key::agreedUid)), test.agreedAfter);
  // Asked again: nothing when the uid agreed, the request again when it failed.
  core().checkTermsAgreement();
  EXPECT_EQ(scope_.log().waitFor(mock::Route::agreement, 2, test.serverFails ? 10s : 300ms), test.serverFails);
}

INSTANTIATE_TEST_SUITE_P(Uids, TermsAgreement,
                         ::testing::Values(TermsCase{"switched_off", false, std::nullopt, false, false, std::nullopt},
                                           TermsCase{"agreed_already", true, "user-1", false, false, "user-1"},
                                           TermsCase{"new_uid", true, std::nullopt, false, true, "user-1"},
                                           TermsCase{"server_refuses", true, std::nullopt, true, true, std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

class NamedModule : public PubAppModule {
 public:
  std::optional<std::string> name() const override { return "module"; }
};

// The host writes on main while the core's queues build requests and read the cache and the user.
TEST_F(VelkorInternalTest, HostWritesOnMainWhileTheCoreQueuesRead) {
  core().repository()->setCacheIsDirty(true);
  constexpr int kReads = 40;
  std::atomic<int> done{0};
  for (int i = 0; i < kReads; ++i) {
    auto queue = i % 2 ? core().internalDispatchQueue() : core().inventoryDispatchQueue();
    queue->async([this, &done] {
      auto parameters = VelkorParameters::commonParameters();
      (void)core().userInfo().snapshot();
      (void)core().config()->enablePopupBannerExtension();
      core().repository()->getAds("native_ad", [&done](auto, auto) { ++done; }, [&done](Error) { ++done; });
    });
  }
  for (int i = 0; i < 20; ++i) {
    core().updateUid("user-" + std::to_string(i % 3));
    core().setGender(i % 3);
    core().setIsTester(i % 2 == 0);
    core().setDebugEnabled(i % 2 == 1);
    core().setAppId("app-" + std::to_string(i));
    core().setPubAppModule(i % 2 ? std::make_shared<NamedModule>() : nullptr);
    core().setConfig(std::make_shared<VelkorConfig>());
    core().appMovedToBackground();
    Velkor::shared().setServer(Stage::production);
    dispatch::main_loop::drain();
  }
  EXPECT_TRUE(eventually([&] { return done.load() == kReads; }, 20s));
}

}  // namespace
}  // namespace velkor::testing
