#include "velkor/core/uri_handler.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_session.h"
#include "velkor/core/velkor_uri_parser.h"

namespace velkor {
namespace {

using Map = std::map<std::string, std::string>;

base::Url url(const std::string& text) {
  auto parsed = base::Url::parse(text);
  EXPECT_TRUE(parsed) << text;
  return parsed.value_or(*base::Url::parse("x:"));
}

struct QueryCase {
  const char* address;
  std::optional<Map> expected;
};

class QueryParameters : public ::testing::TestWithParam<QueryCase> {};

TEST_P(QueryParameters, ReadsItemsInOrder) {
  EXPECT_EQ(queryParameters(url(GetParam().address)), GetParam().expected) << GetParam().address;
}

INSTANTIATE_TEST_SUITE_P(
    Queries, QueryParameters,
    ::testing::Values(QueryCase{"https://a.example/p", std::nullopt}, QueryCase{"https://a.example/p?", Map{}},
                      QueryCase{"https://a.example/p?a=1&a=2", Map{{"a", "2"}}},
                      // An item without a value takes back what its name held.
                      QueryCase{"https://a.example/p?a=1&a", Map{}},
                      QueryCase{"https://a.example/p?a&a=3", Map{{"a", "3"}}},
                      QueryCase{"https://a.example/p?x=%ED%95%9C%EA%B8%80&y=&z=a%26b", Map{{"x", "한글"}, {"y", ""}, {"z", "a&b"}}}));

struct LinkCase {
  const char* address;
  std::optional<VelkorUriParser::InAppBrowserLink> expected;
};

class InAppBrowserLinks : public ::testing::TestWithParam<LinkCase> {};

TEST_P(InAppBrowserLinks, ResolvesOnlyInAppBrowserLinks) {
  EXPECT_EQ(VelkorUriParser::inAppBrowserLink(url(GetParam().address)), GetParam().expected) << GetParam().address;
}

INSTANTIATE_TEST_SUITE_P(
    Links, InAppBrowserLinks,
    ::testing::Values(
        LinkCase{"VELKOR://InAppBrowser?url=https%3A%2F%2Fwww.example.com%2Fpage%3Fa%3D1%26b%3D2&title=%EC%9D%B4%EB%B2%A4%ED%8A%B8",
                 VelkorUriParser::InAppBrowserLink{"https://www.example.com/page?a=1&b=2", "이벤트"}},
        LinkCase{"velkor://inappbrowser?url=https%3A%2F%2Fa.example", VelkorUriParser::InAppBrowserLink{"https://a.example", ""}},
        // Path, port, fragment and other items are not looked at.
        LinkCase{"velkor://inappbrowser:8080/any/path?x=1&url=https%3A%2F%2Fa.example#top",
                 VelkorUriParser::InAppBrowserLink{"https://a.example", ""}},
        LinkCase{"velkor://inappbrowser?title=%EC%9D%B4", std::nullopt},
        LinkCase{"velkor://inappbrowser", std::nullopt},
        LinkCase{"velkor://offerwall/ads?tab_slug=all", std::nullopt},
        LinkCase{"velkor://offerwall?url=https%3A%2F%2Fa.example", std::nullopt},
        LinkCase{"https://inappbrowser?url=https%3A%2F%2Fa.example", std::nullopt},
        LinkCase{"velkor:inappbrowser?url=https%3A%2F%2Fa.example", std::nullopt},
        LinkCase{"/inappbrowser?url=https%3A%2F%2Fa.example", std::nullopt}));

TEST(VelkorUriParser, HandsTheLinkToTheInstalledFactory) {
  std::vector<std::pair<std::string, std::string>> made;
  VelkorUriParser::setInAppBrowserFactory([&](const std::string& page, const std::string& title) {
    made.emplace_back(page, title);
    return std::shared_ptr<ui::ViewController>();
  });
  VelkorUriParser::parseUri(url("velkor://INAPPBROWSER?url=https%3A%2F%2Fa.example%2Fx&title=T"));
  VelkorUriParser::parseUri(url("velkor://offerwall/ads/1001"));
  VelkorUriParser::setInAppBrowserFactory(nullptr);
  EXPECT_EQ(VelkorUriParser::parseUri(url("velkor://inappbrowser?url=https%3A%2F%2Fa.example")), nullptr);
  EXPECT_EQ(made, (std::vector<std::pair<std::string, std::string>>{{"https://a.example/x", "T"}}));
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
  EXPECT_EQ(names, (std::set<std::string>{"headless", "os_ver", "app_ver", "pub_app_module_ver",
                                          "pub_app_module_name", "package_name", "sdk_ver", "uid", "app_id",
                                          "device_model", "idfa", "is_lat", "key", "request_id", "action_id",
                                          "tab_slug", "tag_slug"}));
  EXPECT_EQ(items.size(), names.size()) << "the old query item stays: " << built;
  const auto parameters = queryParameters(result).value();
  EXPECT_EQ(parameters.at("headless"), "false");
  EXPECT_EQ(parameters.at("uid"), "사용자 a+b");
  EXPECT_EQ(parameters.at("app_id"), "app&1");
  EXPECT_EQ(parameters.at("sdk_ver"), "3.9.6");
  EXPECT_EQ(parameters.at("tab_slug"), "all");
  EXPECT_EQ(parameters.at("request_id"), VelkorInternal::shared().session()->requestId());
}

TEST_F(BuildUrl, LeavesTextThatIsNoAddressUnchanged) {
  for (const char* text : {"", "not an address", "https://a.example/{page}", "https://a.example/%zz"}) {
    EXPECT_EQ(UriHandler::buildUrl(text), text);
  }
}

}  // namespace
}  // namespace velkor
