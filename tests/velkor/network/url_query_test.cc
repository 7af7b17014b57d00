// Query encodings, path placeholders and headers of the request builder, and the URL query
// operations of the web pages.
#include "velkor/network/url_query.h"

#include <gtest/gtest.h>

#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/network/request_builder.h"

namespace velkor {
namespace {

base::Url urlOf(std::string_view text) { return *base::Url::parse(text); }

TEST(StrictQuery, EscapesEverythingButTheUnreservedCharacters) {
  struct Case {
    std::vector<base::QueryItem> items;
    std::optional<std::string> query;
  };
  const Case cases[] = {
      {{{"q", "a b&c/d"}}, "q=a%20b%26c%2Fd"},
      {{{"k~-._", "~-._AZaz09"}}, "k~-._=~-._AZaz09"},
      {{{"e", "\xC3\xA9"}}, "e=%C3%A9"},
      {{{"plus", "+=#?"}}, "plus=%2B%3D%23%3F"},
      {{}, ""},
      {{{"b", "2"}, {"a", std::nullopt}, {"c", "3"}}, "b=2&a=&c=3"},
      {{{"bad", "\xFF"}}, std::nullopt},
      {{{"\xC3", "name"}}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(percentEncodedQuery(c.items), c.query) << c.query.value_or("(none)");
  }
}

TEST(PathParameters, PlaceholdersAreFilledFromTheMapAndLeaveIt) {
  Parameters parameters = {{"ad_id", 7}, {"from", "x"}};
  auto filled = fillPathParameters(urlOf("https://api.example/api/ads/%7Bad_id%7D/participate"), parameters);
  ASSERT_TRUE(filled);
  EXPECT_EQ(filled->absoluteString(), "https://api.example/api/ads/7/participate");
  EXPECT_EQ(parameters, (Parameters{{"from", "x"}}));

  parameters = {{"ad_id", "42"}};
  filled = fillPathParameters(urlOf("http://127.0.0.1:80/api/ads/%7Bad_id%7D"), parameters);
  ASSERT_TRUE(filled);
  EXPECT_EQ(filled->absoluteString(), "http://127.0.0.1:80/api/ads/42");

  const auto plain = urlOf("https://api.example/api/ads/impression");
  parameters = {{"ad_id", 1}};
  EXPECT_EQ(fillPathParameters(plain, parameters), plain);
  EXPECT_EQ(parameters, (Parameters{{"ad_id", 1}}));

  parameters = {{"other", 1}};
  EXPECT_FALSE(fillPathParameters(urlOf("https://api.example/api/ads/%7Bad_id%7D"), parameters));
  EXPECT_EQ(parameters, (Parameters{{"other", 1}}));
}

TEST(RequestBuilder, GetRequestsCarryTheirParametersInEitherEncoding) {
  const auto route = urlOf("https://api.example/api/ads/%7Bad_id%7D");
  const Parameters parameters = {{"ad_id", 3}, {"q", "a+b=c&d#e f"}};
  auto strict = makeGetRequest(route, parameters, QueryEncoding::strict);
  ASSERT_TRUE(strict.ok());
  EXPECT_EQ(strict->url().absoluteString(), "https://api.example/api/ads/3?q=a%2Bb%3Dc%26d%23e%20f");
  EXPECT_EQ(strict->httpMethod(), "GET");

  auto items = makeGetRequest(route, parameters, QueryEncoding::items);
  ASSERT_TRUE(items.ok());
  // Whatever else it escapes, the separators in a value must not read as separators.
  EXPECT_EQ(items->url().components().queryItems(), (std::vector<base::QueryItem>{{"q", "a+b=c&d#e f"}}));
  EXPECT_EQ(items->url().absoluteString().find('#'), std::string::npos);
  EXPECT_EQ(items->url().absoluteString().find('+'), std::string::npos);

  for (auto encoding : {QueryEncoding::strict, QueryEncoding::items}) {
    auto failed = makeGetRequest(route, {{"ad_id", 3}, {"uid", "\xFF"}}, encoding);
    ASSERT_FALSE(failed.ok());
    EXPECT_TRUE(failed.error().isBadUrl());
    EXPECT_FALSE(makeGetRequest(route, {{"uid", "u"}}, encoding).ok());
  }
}

TEST(RequestBuilder, PostRequestsCarryJsonAndRefuseTextThatIsNotUtf8) {
  testing::ScopedCoreState core;
  const auto route = urlOf("https://api.example/api/ads/%7Bad_id%7D/optout");
  auto request = makePostRequest(route, {{"ad_id", "9"}, {"ads", nlohmann::json::array()}, {"n", 1}},
                                 {{"HTTP_ACCEPT_ENCODING", "gzip"}, {"Content-Type", "text/plain"}});
  ASSERT_TRUE(request.ok());
  EXPECT_EQ(request->url().absoluteString(), "https://api.example/api/ads/9/optout");
  EXPECT_EQ(request->httpMethod(), "POST");
  EXPECT_EQ(nlohmann::json::parse(*request->httpBody()), (nlohmann::json{{"ads", nlohmann::json::array()}, {"n", 1}}));
  EXPECT_EQ(request->value("Content-Type"), "text/plain");
  EXPECT_EQ(request->value("HTTP_ACCEPT_ENCODING"), "gzip");
  EXPECT_EQ(request->value("X-Tracking-Id"), defaultHeaders().value("X-Tracking-Id"));
  EXPECT_EQ(request->timeoutInterval(), dispatch::Seconds(60.0));

  auto refused = makePostRequest(route, {{"ad_id", "9"}, {"uid", "\xC3"}});
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().domain, base::EncodingError::kDomain);
}

TEST(RequestBuilder, GivenHeadersReplaceTheDefaultOnes) {
  net::Request request(urlOf("https://api.example/"));
  addHeaders(request);
  EXPECT_EQ(request.allHttpHeaderFields().size(), 1u);
  EXPECT_TRUE(request.value("X-Tracking-Id"));

  net::Request replaced(urlOf("https://api.example/"));
  addHeaders(replaced, {{"x-tracking-id", "mine"}, {"X-Other", "1"}});
  EXPECT_EQ(replaced.value("X-Tracking-Id"), "mine");
  EXPECT_EQ(replaced.value("X-Other"), "1");
  EXPECT_EQ(replaced.allHttpHeaderFields().size(), 2u);
}

TEST(UrlQuery, ItemsAreReplacedCaseInsensitivelyAndRead) {
  const auto url = urlOf("https://www.example/list?page=1&tab=all");
  EXPECT_EQ(appendingQueryItems(url, {{"Page", "2"}}).absoluteString(), "https://www.example/list?tab=all&Page=2");
  EXPECT_EQ(appendingQueryItems(url, {{"tab", std::nullopt}}).absoluteString(), "https://www.example/list?page=1");
  EXPECT_EQ(appendingQueryItems(url, {}), url);
  EXPECT_EQ(appendingQueryItem(url, "TAB", "shop").absoluteString(), "https://www.example/list?page=1&TAB=shop");
  EXPECT_EQ(removeQueryItem(url, "PAGE").absoluteString(), "https://www.example/list?tab=all");
  EXPECT_EQ(appendingQueryItem(urlOf("https://www.example/list"), "q", "a&b").absoluteString(),
            "https://www.example/list?q=a%26b");

  EXPECT_EQ(queryItem(url, "TAB"), "all");
  EXPECT_EQ(queryItem(url, "missing"), std::nullopt);
  EXPECT_EQ(queryItem(urlOf("https://www.example/list?flag"), "flag"), std::nullopt);
  EXPECT_EQ(queryItem(urlOf("https://www.example/list"), "tab"), std::nullopt);
}

}  // namespace
}  // namespace velkor
