// Each route answers from the fixtures, with its status, content type and the keys the SDK decodes.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "http_client.h"
#include "tools/mock-server/mock_server.h"

namespace mock {
namespace {

using nlohmann::json;

class RoutesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new MockServer("LOGIC");
    ASSERT_TRUE(server_->start()) << server_->error();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  static MockServer* server_;
};

MockServer* RoutesTest::server_ = nullptr;

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
      {"placements with resolved ads", "GET", "/api/placements", "", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) {
           const json& mix = body["placements"][1];
           EXPECT_EQ(mix["slug"], "priority_mix");
           EXPECT_EQ(mix["ads"][1]["id"], 1502);
           EXPECT_EQ(mix["ads"][1]["priority"], 5.5);
           EXPECT_TRUE(mix["ads"][1].contains("title"));
           EXPECT_FALSE(mix["ads"][1].contains("$ref"));
         });
       }},
      {"tags", "GET", "/api/tags", "", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) { EXPECT_EQ(body["last_updated_at"], "2024-03-01T09:00:00+0900"); });
       }},
      {"banners", "GET", "/api/banners", "", 200, kJson,
       [](const HttpResult& r, const std::string& base) {
         expectJson(r, [&](const json& body) {
           EXPECT_EQ(body["banners"][0]["banner_image"], base + "/images/banner_1_720x240.png");
         });
       }},
      {"popups", "GET", "/api/popups", "", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) { EXPECT_EQ(body["popups"][1]["landing_url"], "velkor://offerwall/ads/{ad_id}"); });
       }},
      {"ad detail carries the reward types", "GET", "/api/ads/1504?from=ad_list&is_click=1", "", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) {
           EXPECT_EQ(body["id"], 1504);
           EXPECT_EQ(body["view_items"]["call_to_action_enabled"], true);
           EXPECT_EQ(body["reward_types"].size(), 3u);
         });
       }},
      {"child ad only reachable by its detail", "GET", "/api/ads/3101", "", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) { EXPECT_EQ(body["id"], 3101); });
       }},
      {"unknown ad", "GET", "/api/ads/999999", "", 404, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) { EXPECT_EQ(body["code"], 404); });
       }},
      {"find child ad", "GET", "/api/ads/3001/find_child_ad", "", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) { EXPECT_EQ(body, json({{"ad_id", 3101}})); });
       }},
      {"no child ad", "GET", "/api/ads/1001/find_child_ad", "", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) { EXPECT_EQ(body, json::object()); });
       }},
      {"participate with a delay", "POST", "/api/ads/1001/participate", "{}", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) {
           EXPECT_EQ(body["click_key"], "ck-1001");
           EXPECT_EQ(body["complete_delay_time"], 3);
           EXPECT_FALSE(body.contains("dialog"));
         });
       }},
      {"participate default answer names the ad", "POST", "/api/ads/77/participate", "{}", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) {
           EXPECT_EQ(body["click_key"], "ck-77");
           EXPECT_EQ(body["landing_url"], "https://landing.example.com/ads/77");
         });
       }},
      {"participate keeps braces that are not placeholders", "POST", "/api/ads/1006/participate", "{}", 200, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) {
           EXPECT_EQ(body["landing_url"], "https://www.example.com/land/{1006}?ref={velkor}");
         });
       }},
      {"participate error 34 with a dialog", "POST", "/api/ads/1101/participate", "{}", 400, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) {
           EXPECT_EQ(body["code"], 34);
           EXPECT_EQ(body["dialog"]["positive_button"], "확인");
         });
       }},
      {"optout", "POST", "/api/ads/1506/optout", "{}", 200, kJson,
       [](const HttpResult& r, const std::string&) { EXPECT_EQ(r.body, "{}"); }},
      {"optout refused", "POST", "/api/ads/1102/optout", "{}", 400, kJson,
       [](const HttpResult& r, const std::string&) {
         expectJson(r, [](const json& body) { EXPECT_EQ(body["code"], 40); });
       }},
      {"impression", "POST", "/api/ads/impression", R"({"ads":[]})", 200, kJson, nullptr},
      {"agreement", "POST", "/api/uids/agreement", "{}", 200, kJson, nullptr},
      {"postback", "POST", "/api/postbacks/sdk", R"({"click_key":"ck-1"})", 200, kJson, nullptr},
      {"lumberjack", "POST", "/topics/ofw_lumberjack", "[]", 200, kJson, nullptr},
      {"share link", "POST", "/api/share_links/ad_detail", R"({"ad_id": 7})", 200, kJson,
       [](const HttpResult& r, const std::string& base) {
         expectJson(r, [&](const json& body) {
           EXPECT_EQ(body["share_link"]["short_url"], base + "/s/7");
           EXPECT_TRUE(body["share_link"].contains("origin_url"));
         });
       }},
      {"share link without an ad id", "POST", "/api/share_links/ad_list", R"({"ad_id": "7"})", 400, kJson, nullptr},
      {"help page", "GET", "/help_requests/new?headless=true", "", 200, "text/html; charset=utf-8",
       [](const HttpResult& r, const std::string&) { EXPECT_NE(r.body.find("고객센터"), std::string::npos); }},
      {"unknown path", "GET", "/api/nothing", "", 404, kJson, nullptr},
      {"known path, other method", "GET", "/api/ads/1001/participate", "", 404, kJson, nullptr},
  };
}

TEST_F(RoutesTest, EveryRouteAnswersFromTheFixtures) {
  for (const auto& c : routeCases()) {
    SCOPED_TRACE(c.name);
    const HttpResult result = fetch(server_->baseUrl() + c.path, c.method, c.body);
    ASSERT_EQ(result.code, CURLE_OK);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.contentType, c.contentType);
    if (c.check) c.check(result, server_->baseUrl());
  }
}

uint32_t bigEndian(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

TEST_F(RoutesTest, ImagesAreServedInTheirFormatAndSize) {
  const HttpResult png = get(server_->baseUrl() + "/images/banner_1_720x240.png");
  EXPECT_EQ(png.contentType, "image/png");
  ASSERT_GE(png.body.size(), 24u);
  EXPECT_EQ(png.body.substr(1, 3), "PNG");
  EXPECT_EQ(bigEndian(png.body, 16), 720u);  // IHDR width and height
  EXPECT_EQ(bigEndian(png.body, 20), 240u);

  const HttpResult jpeg = get(server_->baseUrl() + "/images/origin_1001_600x400.jpg");
  EXPECT_EQ(jpeg.contentType, "image/jpeg");
  EXPECT_EQ(jpeg.body.substr(0, 3), "\xFF\xD8\xFF");

  const HttpResult webp = get(server_->baseUrl() + "/images/icon_1001_64x64.webp");
  EXPECT_EQ(webp.contentType, "image/webp");
  EXPECT_EQ(webp.body.substr(0, 4), "RIFF");
  EXPECT_EQ(webp.body.substr(8, 4), "WEBP");

  EXPECT_EQ(get(server_->baseUrl() + "/images/thumb.gif").status, 404);
}

TEST_F(RoutesTest, EveryImageAddressOfTheFixturesIsServed) {
  const std::string base = server_->baseUrl();
  std::vector<std::string> addresses;
  std::function<void(const json&)> collect = [&](const json& value) {
    if (value.is_string() && value.get<std::string>().starts_with(base + "/images/")) {
      addresses.push_back(value.get<std::string>());
    }
    if (value.is_structured()) {
      for (const auto& child : value) collect(child);
    }
  };
  for (const char* path : {"/api/ads", "/api/banners", "/api/popups", "/api/ads/1504"}) collect(get(base + path).json());
  ASSERT_GT(addresses.size(), 100u);
  for (size_t i = 0; i < addresses.size(); i += 7) {
    const HttpResult image = get(addresses[i]);
    EXPECT_EQ(image.status, 200) << addresses[i];
    EXPECT_TRUE(image.contentType.starts_with("image/")) << addresses[i];
  }
}

}  // namespace
}  // namespace mock
