#include "velkor/core/uri_handler.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>

#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_session.h"
#include "velkor/core/velkor_uri_parser.h"

namespace velkor {
namespace {

base::Url url(const std::string& text) {
  auto parsed = base::Url::parse(text);
  EXPECT_TRUE(parsed) << text;
  return parsed.value_or(*base::Url::parse("x:"));
}

class BuildUrl : public ::testing::Test {
 protected:
  void SetUp() override {
    session_ = VelkorInternal::shared().session();
    auto visit = std::make_shared<VelkorSession>();
    visit->openRequest("all", "easy");
    VelkorInternal::shared().setSession(visit);
  }
  void TearDown() override { VelkorInternal::shared().setSession(session_); }
  testing::ScopedCoreState core_;
  std::shared_ptr<VelkorSession> session_;
};

TEST_F(BuildUrl, ReplacesTheQueryWithThePageParametersAndTheVisit) {
  UserProfile::setUid("사용자 a+b");
  VelkorInternal::shared().setAppId("app&1");
  const std::string built = UriHandler::buildUrl("https://help.example.com/help_requests/new?headless=true#f");
  const auto result = url(built);
  EXPECT_EQ(result.path(), "/help_requests/new");
  EXPECT_EQ(result.fragment(), "f");
  ASSERT_TRUE(result.query());
  // Strictly encoded, as the REST clients send their queries.
  EXPECT_EQ(result.query()->rfind("headless=false&", 0), 0u) << *result.query();
  EXPECT_NE(result.query()->find("uid=%EC%82%AC%EC%9A%A9%EC%9E%90%20a%2Bb"), std::string::npos) << *result.query();
  const auto items = result.components().queryItems().value();
  std::set<std::string> names;
  for (const auto& item : items) names.insert(item.name);
  EXPECT_EQ(items.size(), names.size()) << "the old query item stays: " << built;
  const auto parameters = queryParameters(result).value();
  EXPECT_EQ(parameters.at("headless"), "false");
  EXPECT_EQ(parameters.at("uid"), "사용자 a+b");
  EXPECT_EQ(parameters.at("app_id"), "app&1");
  EXPECT_EQ(parameters.at("tab_slug"), "all");
  EXPECT_EQ(parameters.at("request_id"), VelkorInternal::shared().session()->requestId());
}

TEST_F(BuildUrl, KeepsTheAddresssOwnItemsAsWrittenAfterHeadlessAndLetsTheSdksNamesWin) {
  UserProfile::setUid("u1");
  const std::string sdkOnly = url(UriHandler::buildUrl("https://a.example/p")).query().value();
  ASSERT_EQ(sdkOnly.rfind("headless=false&", 0), 0u) << sdkOnly;
  const std::string sdkItems = sdkOnly.substr(std::string("headless=false&").size());
  const std::pair<std::string, std::string> cases[] = {
      {"https://a.example/p", ""},
      {"https://a.example/p?headless=true", ""},
      {"https://a.example/p?id=123&utm_source=wall&id=4", "&id=123&utm_source=wall&id=4"},
      {"https://a.example/p?uid=forged&x=a%20b+c&headless=1", "&x=a%20b+c"},
      {"https://a.example/p?&&flag&Uid=kept", "&flag&Uid=kept"},
  };
  for (const auto& [address, own] : cases) {
    EXPECT_EQ(url(UriHandler::buildUrl(address)).query(), "headless=false" + own + "&" + sdkItems) << address;
  }
}

TEST_F(BuildUrl, LeavesTextThatIsNoAddressUnchanged) {
  for (const char* text : {"", "not an address", "https://a.example/{page}", "https://a.example/%zz"}) {
    EXPECT_EQ(UriHandler::buildUrl(text), text);
  }
}

}  // namespace
}  // namespace velkor
