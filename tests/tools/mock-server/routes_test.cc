// Each route answers from the fixtures, with its status, content type and the keys the SDK decodes.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "http_client.h"
#include "tools/mock-server/mock_server.h"

namespace mock {
namespace {

using nlohmann::json;

struct RouteCase {
  std::string name;
  std::string method;
  std::string path;
  std::string body;
  long status;
  std::string contentType;
  std::function<void(const HttpResult&, const std::string& baseUrl)> check;
};

void expectJson(const HttpResult& result, const std::function<void(const json&)>& check) {
  const json body = result.json();
  ASSERT_FALSE(body.is_discarded()) << result.body.substr(0, 200);
  check(body);
}

const std::string kJson = "application/json; charset=utf-8";

std::vector<RouteCase> routeCases() {
  return {
      {"ad_list", "GET", "/api/ads?from=ad_list&request_id=r1", "", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) {
           EXPECT_GE(body["ads"].size(), 40u);
           EXPECT_EQ(body["tabs"].size(), 6u);
           EXPECT_TRUE(body.contains("tags"));
           EXPECT_EQ(body["reward_types"][1]["unit"], "캐시");
         });
       }},
      {"unknown ad", "GET", "/api/ads/999999", "", 404, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) { EXPECT_EQ(body["code"], 404); });
       }},
      {"participate with a delay", "POST", "/api/ads/1001/participate", "{}", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) {
           EXPECT_EQ(body["click_key"], "ck-1001");
           EXPECT_EQ(body["complete_delay_time"], 3);
           EXPECT_FALSE(body.contains("dialog"));
         });
       }},
      {"participate error 34 with a dialog", "POST", "/api/ads/1101/participate", "{}", 400, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) {
           EXPECT_EQ(body["code"], 34);
           EXPECT_EQ(body["dialog"]["positive_button"], "확인");
         });
       }},
      {"help page", "GET", "/help_requests/new?headless=true", "", 200, "text/html; charset=utf-8",
       [](const HttpResult& r, const std::string&) { EXPECT_NE(r.body.find("고객센터"), std::string::npos); }},
      {"unknown path", "GET", "/api/nothing", "", 404, kJson, nullptr},
  };
}

TEST(RoutesTest, EveryRouteAnswersFromTheFixtures) {
  MockServer server("LOGIC");
  ASSERT_TRUE(server.start()) << server.error();
  for (const auto& c : routeCases()) {
    SCOPED_TRACE(c.name);
    const HttpResult result = fetch(server.baseUrl() + c.path, c.method, c.body);
    ASSERT_EQ(result.code, CURLE_OK);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.contentType, c.contentType);
    if (c.check) c.check(result, server.baseUrl());
  }
}

}  // namespace
}  // namespace mock
