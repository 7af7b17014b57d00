#include "velkor/web/velkor_ofw_js_interface.h"

#include <gtest/gtest.h>

#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/velkor/core/presentation_test_support.h"
#include "tools/mock-server/fault.h"
#include "velkor/core/native_ad_impressions.h"
#include "velkor/core/user_profile.h"
#include "velkor/web/inventory_group_ads.h"

namespace velkor::testing {
namespace {

using nlohmann::json;

// One reply: the id and the answer as onMessageReceive gets them, and whether it came on main.
struct Reply {
  std::string id;
  std::string answer;
  bool onMain = false;
};

// Without its \' escapes, an escaped script text reads as the inside of a JSON string.
std::optional<std::string> unescape(std::string text) {
  for (auto at = text.find("\\'"); at != std::string::npos; at = text.find("\\'", at + 1)) text.erase(at, 1);
  auto read = json::parse("\"" + text + "\"", nullptr, false);
  if (!read.is_string()) return std::nullopt;
  return read.get<std::string>();
}

// The two texts of "onMessageReceive('<id>', '<answer>')". Quotes inside them are escaped, so the
// first bare "', '" is the one between them.
std::optional<Reply> parseReply(const std::string& script) {
  constexpr std::string_view kPrefix = "onMessageReceive('", kMiddle = "', '", kSuffix = "')";
  if (!script.starts_with(kPrefix) || !script.ends_with(kSuffix)) return std::nullopt;
  const auto middle = script.find(kMiddle, kPrefix.size());
  if (middle == std::string::npos) return std::nullopt;
  auto id = unescape(script.substr(kPrefix.size(), middle - kPrefix.size()));
  const auto start = middle + kMiddle.size();
  auto answer = unescape(script.substr(start, script.size() - kSuffix.size() - start));
  if (!id || !answer) return std::nullopt;
  return Reply{*id, *answer, false};
}

// The ids of a JSON answer's ads, "1001,1002"; the answer itself when it is no list of ads.
std::string answerIds(const std::string& answer) {
  auto list = json::parse(answer, nullptr, false);
  if (!list.is_array()) return answer;
  std::string ids;
  for (const auto& ad : list) ids += (ids.empty() ? "" : ",") + ad.value("id", json()).dump();
  return ids;
}

// The replies of the test's bridges, which may come on any thread.
class ReplyLog {
 public:
  void add(Reply reply) {
    std::lock_guard lock(mutex_);
    replies_.push_back(std::move(reply));
  }
  std::vector<Reply> all() const {
    std::lock_guard lock(mutex_);
    return replies_;
  }
  std::size_t count() const { return all().size(); }
  // Runs the main loop until that many replies came (real time, at most `seconds`), then a little
  // longer so that one too many would show.
  bool waitFor(std::size_t expected, double seconds = 10) const {
    const bool arrived = dispatch::main_loop::runUntil([&] { return count() >= expected; }, dispatch::Seconds(seconds));
    dispatch::main_loop::runUntil([] { return false; }, dispatch::Seconds(0.1));
    return arrived && count() == expected;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<Reply> replies_;
};

// A bridge without a web view whose replies go to the log, which outlives the bridge.
class RecordingBridge : public VelkorOfwJsInterface {
 public:
  explicit RecordingBridge(std::shared_ptr<ReplyLog> log)
      : VelkorOfwJsInterface(std::weak_ptr<web::WebView>()), log_(std::move(log)) {}
  using VelkorOfwJsInterface::handleBody;

 protected:
  void evaluateReply(const std::string& script) override {
    auto reply = parseReply(script);
    ASSERT_TRUE(reply) << "not a reply: " << script;
    reply->onMain = dispatch::main_loop::isMainThread();
    log_->add(std::move(*reply));
  }

 private:
  std::shared_ptr<ReplyLog> log_;
};

class PageBridgeTest : public PresentationTest {
 protected:
  PageBridgeTest() {
    InventoryGroupAds::shared().clear();
    NativeAdImpressions::shared()->takeVisibleItems();
  }
  ~PageBridgeTest() override { InventoryGroupAds::shared().clear(); }

  std::shared_ptr<RecordingBridge> makeBridge() { return std::make_shared<RecordingBridge>(replies_); }
  // Sends the body and returns the one reply's answer (main loop run until it came), or "none".
  // A message that is dropped is dropped at once: `seconds` may be short for those.
  std::string ask(const json& body, double seconds = 10) {
    const auto before = replies_->count();
    bridge_->handleBody(body);
    if (!replies_->waitFor(before + 1, seconds)) return replies_->count() == before ? "none" : "several";
    return replies_->all().back().answer;
  }
  json placement(const std::string& id, const std::string& slug, int size, const json& options) {
    return {{"command", "loadPlacementAds"}, {"id", id}, {"placement", slug}, {"size", size}, {"options", options.dump()}};
  }
  mock::MockServer& listServer() { return scope_.servers().server(mock::kLogicList); }

  std::shared_ptr<ReplyLog> replies_ = std::make_shared<ReplyLog>();
  std::shared_ptr<RecordingBridge> bridge_ = makeBridge();
};

TEST_F(PageBridgeTest, DropsMalformedMessagesAndAppliesDefaults) {
  const std::string fiveAds = ask({{"command", "loadAds"}, {"id", "probe"}});
  ASSERT_EQ(std::count(fiveAds.begin(), fiveAds.end(), '{'), 5) << fiveAds;
  const struct {
    const char* name;
    json body;
    std::string answer;
  } cases[] = {
      {"no object", json::array({"getSdkVersion"}), "none"},
      {"no command", {{"id", "1"}}, "none"},
      {"command not text", {{"command", 5}, {"id", "1"}}, "none"},
      {"unknown command", {{"command", "GetSdkVersion"}, {"id", "1"}}, "none"},
      {"no id", {{"command", "getSdkVersion"}}, "none"},
      {"id not text", {{"command", "getSdkVersion"}, {"id", 7}}, "none"},
      {"version", {{"command", "getSdkVersion"}, {"id", "v"}}, "3.9.6"},
      {"loadAds without id", {{"command", "loadAds"}}, "none"},
      {"impression answers nothing", {{"command", "impression"}, {"id", "i"}, {"ad_id", 1001}}, "none"},
      {"defaults", {{"command", "loadAds"}, {"id", "d"}}, fiveAds},
      {"wrong types take defaults",
       {{"command", "loadAds"}, {"id", "d"}, {"size", "2"}, {"page", 1.5}, {"options", {{"pagination", true}}}},
       fiveAds},
      {"options that are no JSON", {{"command", "loadAds"}, {"id", "d"}, {"options", "{pagination"}}, fiveAds},
      {"pagination from the options text",
       {{"command", "loadAds"}, {"id", "p"}, {"size", 1}, {"page", 2}, {"options", R"({"pagination":true})"}},
       "[" + json::parse(fiveAds)[1].dump() + "]"},
      {"no pagination: the page is ignored", {{"command", "loadAds"}, {"id", "n"}, {"size", 1}, {"page", 2}},
       "[" + json::parse(fiveAds)[0].dump() + "]"},
      {"pagination false",
       {{"command", "loadAds"}, {"id", "f"}, {"size", 1}, {"page", 2}, {"options", R"({"pagination":false})"}},
       "[" + json::parse(fiveAds)[0].dump() + "]"},
  };
  for (const auto& c : cases) EXPECT_EQ(ask(c.body, c.answer == "none" ? 0.3 : 10), c.answer) << c.name;
  // Unpaginated, a short tag list is topped up from the start of the list, whatever the page.
  const json subscribed = {
      {"command", "loadAds"}, {"id", "t"}, {"size", 2}, {"page", 2}, {"options", R"({"tags":["subscribe"]})"}};
  EXPECT_EQ(answerIds(ask(subscribed)), "1402," + json::parse(fiveAds)[0]["id"].dump());
}

// Only text sets the user and only null (or no uid) logs out: a value of another type would
// otherwise wipe the user's id and profile.
TEST_F(PageBridgeTest, SetUidTakesTextAndRefusesOtherTypes) {
  const struct {
    const char* name;
    json body;
    std::optional<std::string> uid;
  } cases[] = {
      {"text", {{"command", "setUid"}, {"uid", "page-user"}}, "page-user"},
      {"number", {{"command", "setUid"}, {"uid", 42}}, "page-user"},
      {"object", {{"command", "setUid"}, {"uid", {{"id", "x"}}}}, "page-user"},
      {"null", {{"command", "setUid"}, {"uid", nullptr}}, std::nullopt},
  };
  for (const auto& c : cases) {
    bridge_->handleBody(c.body);
    EXPECT_EQ(UserProfile::uid(), c.uid) << c.name;
  }
}

TEST_F(PageBridgeTest, ShowCommandsShareOneDebounceAFailedOneIncluded) {
  const json showOfferwall = {{"command", "showOfferwall"}};
  bridge_->handleBody(showOfferwall);
  EXPECT_FALSE(eventually([&] { return host_->presentedViewController() != nullptr; }, 300ms))
      << "within a second of the bridge's making";
  advance(1.0);
  // Text instead of an integer: nothing opens, yet the moment counts.
  bridge_->handleBody({{"command", "showOfferwallDetail"}, {"ad_id", "1001"}});
  advance(0.5);
  bridge_->handleBody({{"command", "showHelp"}});
  EXPECT_FALSE(eventually([&] { return host_->presentedViewController() != nullptr; }, 300ms));
  advance(0.6);
  bridge_->handleBody(showOfferwall);
  EXPECT_TRUE(eventuallyPresented());
}

TEST_F(PageBridgeTest, ShowCommandWithoutAScreenOpensNothing) {
  window_->setRootViewController(nullptr);
  advance(1.0);
  bridge_->handleBody({{"command", "showOfferwall"}});
  EXPECT_FALSE(eventually([&] { return host_->presentedViewController() != nullptr; }, 300ms));
}

TEST_F(PageBridgeTest, FailedListsAnswerAnEmptyList) {
  listServer().setFault(mock::Route::adList, mock::Fault{}.dropConnection().sticky());
  listServer().setFault(mock::Route::placements, mock::Fault{}.dropConnection().sticky());
  EXPECT_EQ(ask({{"command", "loadAds"}, {"id", "a"}}), "[]");
  EXPECT_EQ(ask(placement("p", "home_top", 2, json::object())), "[]");
}

// --- placements ---

TEST_F(PageBridgeTest, GroupsSkipWhatTheyWereAnsweredUntilCleared) {
  const json group = {{"inventory_group", "g"}};
  EXPECT_EQ(answerIds(ask(placement("1", "home_top", 2, group))), "1001,1002");
  EXPECT_EQ(answerIds(ask(placement("2", "home_top", 2, group))), "1003");
  EXPECT_EQ(answerIds(ask(placement("3", "home_top", 2, json::object()))), "1001,1002") << "no group, no exclusion";
  bridge_->handleBody({{"command", "clearCache"}});
  EXPECT_TRUE(InventoryGroupAds::shared().empty());
  EXPECT_EQ(answerIds(ask(placement("4", "home_top", 2, group))), "1001,1002");
  VelkorInternal::shared().appMovedToBackground();
  EXPECT_TRUE(InventoryGroupAds::shared().empty()) << "the background reset empties the bridge's table too";
  EXPECT_EQ(answerIds(ask(placement("5", "home_top", 2, group))), "1001,1002");
}

TEST_F(PageBridgeTest, ClearCacheSendsTheRecordedImpressions) {
  ask(placement("1", "home_top", 2, {{"inventory", "main"}}));
  bridge_->handleBody({{"command", "clearCache"}});
  ASSERT_TRUE(scope_.log().waitFor(mock::Route::impression, 1, 5s));
  EXPECT_NE(scope_.log().entries(mock::Route::impression)[0].body.find("main"), std::string::npos);
}

TEST_F(PageBridgeTest, AnUnknownSlugAnswersEmptyAndLetsTheNextRequestIn) {
  EXPECT_EQ(ask(placement("1", "nowhere", 2, json::object())), "[]");
  // Without the release this one would wait the whole 10 seconds, which never pass on this clock.
  EXPECT_EQ(answerIds(ask(placement("2", "home_top", 1, json::object()))), "1001");
}

TEST_F(PageBridgeTest, OneRequestAtATimeAndALateOneGivesUpAfterTenSeconds) {
  listServer().setFault(mock::Route::placements, mock::Fault{}.withDelay(1500ms));
  bridge_->handleBody(placement("slow", "home_top", 1, json::object()));
  ASSERT_TRUE(scope_.log().waitFor(mock::Route::placements, 1, 5s));
  bridge_->handleBody(placement("late", "home_top", 1, json::object()));
  dispatch::main_loop::runUntil([] { return false; }, 200ms);
  EXPECT_EQ(replies_->count(), 0u) << "the second waits for the first";
  clock_->advance(dispatch::Seconds(VelkorOfwJsInterface::kPlacementWaitSeconds));
  ASSERT_TRUE(replies_->waitFor(2));
  const auto all = replies_->all();
  EXPECT_EQ(all[0].id, "late");
  EXPECT_EQ(all[0].answer, "[]");
  EXPECT_EQ(all[1].id, "slow");
  EXPECT_EQ(answerIds(all[1].answer), "1001");
  EXPECT_EQ(scope_.log().count(mock::Route::placements), 1u) << "the late one never ran";
  for (const auto& reply : all) EXPECT_TRUE(reply.onMain) << reply.id;
}

TEST_F(PageBridgeTest, BridgesOfSeveralPagesExtendOneGroupWithoutLosingAnAnswer) {
  constexpr int kBridges = 6;
  std::vector<std::shared_ptr<RecordingBridge>> bridges;
  for (int i = 0; i < kBridges; ++i) bridges.push_back(makeBridge());
  // Warm the placement cache, so the requests run on the bridges' queues at once.
  ask(placement("warm", "priority_mix", 1, json::object()));
  for (int i = 0; i < kBridges; ++i) {
    bridges[i]->handleBody(placement("b" + std::to_string(i), i % 2 ? "home_top" : "priority_mix", 1, {{"inventory_group", "shared"}}));
  }
  ASSERT_TRUE(replies_->waitFor(kBridges + 1));
  std::set<std::string> answered;
  for (const auto& reply : replies_->all()) {
    if (reply.id == "warm") continue;
    answered.insert(answerIds(reply.answer));
  }
  std::set<std::string> recorded;
  for (const Ad& ad : InventoryGroupAds::shared().ads("shared")) recorded.insert(std::to_string(ad.id));
  answered.erase("");
  EXPECT_EQ(answered, recorded) << "every answered ad is in the group, each once";
}

// Two pages asking for one group at the same moment: each ad goes to one of them, and the group
// remembers every ad answered. Placements alone and placements filled up from the ad list alike.
TEST_F(PageBridgeTest, TwoBridgesAskingForOneGroupTogetherGetDisjointAnswers) {
  auto first = makeBridge();
  auto second = makeBridge();
  // Warm both caches, so the requests run on the bridges' queues at once.
  ask({{"command", "loadAds"}, {"id", "warm"}});
  ask(placement("warm", "home_top", 1, json::object()));
  const json requests[] = {
      placement("", "home_top", 2, {{"inventory_group", "together"}}),
      placement("", "two_ads", 3, {{"inventory_group", "together"}, {"autofill", true}}),
  };
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    InventoryGroupAds::shared().clear();
    json body = requests[round % 2];
    const auto before = replies_->count();
    body["id"] = "first";
    first->handleBody(body);
    body["id"] = "second";
    second->handleBody(body);
    ASSERT_TRUE(replies_->waitFor(before + 2));
    std::multiset<std::int64_t> answered;
    const auto all = replies_->all();
    for (auto reply = all.begin() + static_cast<std::ptrdiff_t>(before); reply != all.end(); ++reply) {
      for (const auto& ad : json::parse(reply->answer)) answered.insert(ad.at("id").get<std::int64_t>());
    }
    std::multiset<std::int64_t> recorded;
    for (const Ad& ad : InventoryGroupAds::shared().ads("together")) recorded.insert(ad.id);
    EXPECT_EQ(answered, recorded) << "no ad answered twice, and every answered ad kept";
  }
}

TEST_F(PageBridgeTest, AFailedFillUpGivesTheGroupBackWhatThePlacementChose) {
  listServer().setFault(mock::Route::adList, mock::Fault{}.dropConnection().sticky());
  EXPECT_EQ(ask(placement("1", "two_ads", 5, {{"inventory_group", "g"}, {"autofill", true}})), "[]");
  EXPECT_TRUE(InventoryGroupAds::shared().ads("g").empty());
}

TEST_F(PageBridgeTest, ABridgeThatGoesAnswersNothingAndReleasesItsWaiter) {
  listServer().setFault(mock::Route::placements, mock::Fault{}.withDelay(800ms));
  bridge_->handleBody(placement("first", "home_top", 1, json::object()));
  ASSERT_TRUE(scope_.log().waitFor(mock::Route::placements, 1, 5s));
  bridge_->handleBody(placement("second", "home_top", 1, json::object()));
  bridge_.reset();
  dispatch::main_loop::runUntil([] { return false; }, 1500ms);
  EXPECT_EQ(replies_->count(), 0u);
  EXPECT_EQ(scope_.log().count(mock::Route::placements), 1u);
}

}  // namespace
}  // namespace velkor::testing
