#include "platform/base/url.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace base {
namespace {

TEST(UrlTest, TextThatNoUrlMayHoldDoesNotParse) {
  const char* cases[] = {
      "", "https://a b.com", "https://host/api/ads/{ad_id}", "https://host/land?click={key}",
      "https://host/a#frag{x}", "https://한국.kr/", "https://host/한글", "https://host/?q=한글",
      "https://host/%zz", "https://host/a%4", "https://host/100%", "https://host:99999/", "https://host:80a/",
      "https://host/a#b#c", "http://[::1/", "https://us@er@host/", "1http://host/", ":no-scheme",
  };
  for (const char* text : cases) EXPECT_FALSE(Url::parse(text)) << text;
  for (char c : std::string(" |\"\\<>^`\t\n")) {
    EXPECT_FALSE(Url::parse("https://host/a" + std::string(1, c) + "b")) << int(c);
  }
}

struct PartsCase {
  const char* text;
  std::optional<std::string> scheme;
  std::optional<std::string> host;
  std::optional<int> port;
  std::string path;
  std::optional<std::string> query;
  std::optional<std::string> fragment;
};

TEST(UrlTest, ParsesEachPart) {
  const PartsCase cases[] = {
      {"https://api.example.com", "https", "api.example.com", {}, "", {}, {}},
      {"https://h.example:8080/a/b/?x=1&y=%20#top", "https", "h.example", 8080, "/a/b", "x=1&y=%20", "top"},
      {"velkor://InAppBrowser?url=https%3A%2F%2Fx.kr%2Fp%3Fa%3D1", "velkor", "InAppBrowser", {}, "",
       "url=https%3A%2F%2Fx.kr%2Fp%3Fa%3D1", {}},
      {"http://[::1]:9/x", "http", "[::1]", 9, "/x", {}, {}},
      {"http://user:pw@host/", "http", "host", {}, "/", {}, {}},
      {"http://host:/x", "http", "host", {}, "/x", {}, {}},
      {"file:///etc/hosts", "file", {}, {}, "/etc/hosts", {}, {}},
      {"mailto:help@example.com", "mailto", {}, {}, "help@example.com", {}, {}},
      {"/api/ads/%7Bad_id%7D", {}, {}, {}, "/api/ads/{ad_id}", {}, {}},
      {"a/b?q", {}, {}, {}, "a/b", "q", {}},
      {"https://host/%ED%95%9C%EA%B8%80", "https", "host", {}, "/한글", {}, {}},
      {"https://host?", "https", "host", {}, "", "", {}},
  };
  for (const auto& c : cases) {
    auto url = Url::parse(c.text);
    ASSERT_TRUE(url) << c.text;
    EXPECT_EQ(url->absoluteString(), c.text);
    EXPECT_EQ(url->scheme(), c.scheme) << c.text;
    EXPECT_EQ(url->host(), c.host) << c.text;
    EXPECT_EQ(url->port(), c.port) << c.text;
    EXPECT_EQ(url->path(), c.path) << c.text;
    EXPECT_EQ(url->query(), c.query) << c.text;
    EXPECT_EQ(url->fragment(), c.fragment) << c.text;
  }
}

TEST(UrlTest, PathComponentsStartWithTheRootAndDecodeEachSegment) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"https://h/api/ads/%7Bad_id%7D/participate", {"/", "api", "ads", "{ad_id}", "participate"}},
      {"https://h", {}},
      {"https://h/", {"/"}},
      {"https://h/a//b/", {"/", "a", "b"}},
      {"https://h/a%2Fb/c?x=/y", {"/", "a/b", "c"}},
      {"a/b", {"a", "b"}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Url::parse(text)->pathComponents(), expected) << text;
}

TEST(UrlTest, AppendingPathComponentJoinsWithExactlyOneSlashAndEscapes) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"https://h", "/api/ads", "https://h/api/ads"},
      {"https://h", "api/share_links", "https://h/api/share_links"},
      {"https://h/", "/api/ads", "https://h/api/ads"},
      {"https://h/", "api/ads", "https://h/api/ads"},
      {"https://h/base//", "//x", "https://h/base/x"},
      {"https://h/api/share_links", "ad_detail", "https://h/api/share_links/ad_detail"},
      {"https://h/a", "", "https://h/a/"},
      {"https://h/a", "b/", "https://h/a/b/"},
      {"https://h", "/api/ads/{ad_id}/optout", "https://h/api/ads/%7Bad_id%7D/optout"},
      {"https://h:8443/v?x=1#f", "a b?c#d%", "https://h:8443/v/a%20b%3Fc%23d%25?x=1#f"},
      {"https://h", "보상", "https://h/%EB%B3%B4%EC%83%81"},
      {"rel", "x", "rel/x"},
  };
  for (const auto& [base, component, expected] : cases) {
    const Url joined = Url::parse(base)->appendingPathComponent(component);
    EXPECT_EQ(joined.absoluteString(), expected) << base << " + " << component;
    auto reparsed = Url::parse(joined.absoluteString());
    ASSERT_TRUE(reparsed) << expected;
    EXPECT_EQ(reparsed->components(), joined.components()) << expected;
  }
  const Url route = Url::parse("https://h")->appendingPathComponent("/api/ads/{ad_id}/participate");
  EXPECT_EQ(route.pathComponents(), (std::vector<std::string>{"/", "api", "ads", "{ad_id}", "participate"}));
}

TEST(UrlComponentsTest, QueryItemsReadBackExactlyWhatWasSet) {
  auto parts = UrlComponents::parse("https://h/p?old=1#f");
  ASSERT_TRUE(parts);
  const std::vector<QueryItem> items = {
      {"q", "a b&c=d+e/f?g"},
      {"이름", "한글 값"},
      {"flag", std::nullopt},
      {"empty", ""},
      {"a&b=c", "100%"},
  };
  parts->setQueryItems(items);
  EXPECT_EQ(parts->percentEncodedQuery(),
            "q=a%20b%26c%3Dd%2Be/f?g&%EC%9D%B4%EB%A6%84=%ED%95%9C%EA%B8%80%20%EA%B0%92&flag&empty=&"
            "a%26b%3Dc=100%25");
  auto url = parts->url();
  ASSERT_TRUE(url);
  EXPECT_EQ(url->fragment(), "f");
  auto reread = UrlComponents::parse(url->absoluteString());
  ASSERT_TRUE(reread);
  EXPECT_EQ(reread->queryItems(), items);

  parts->setQueryItems(std::vector<QueryItem>{{"only", "1"}});
  EXPECT_EQ(parts->url()->absoluteString(), "https://h/p?only=1#f");
  parts->setQueryItems(std::nullopt);
  EXPECT_EQ(parts->url()->absoluteString(), "https://h/p#f");
}

TEST(UrlComponentsTest, QueryItemsOfAWrittenQuery) {
  const std::pair<const char*, std::optional<std::vector<QueryItem>>> cases[] = {
      {"https://h/", std::nullopt},
      {"https://h/?", std::vector<QueryItem>{}},
      {"https://h/?a=1&&b&c=", std::vector<QueryItem>{{"a", "1"}, {"b", std::nullopt}, {"c", ""}}},
      {"https://h/?a=x=y&a=2", std::vector<QueryItem>{{"a", "x=y"}, {"a", "2"}}},
      {"https://h/?p=a+b&k=%ED%95%9C", std::vector<QueryItem>{{"p", "a+b"}, {"k", "한"}}},
      // An escape that decodes to no UTF-8 is kept as written rather than lost.
      {"https://h/?bin=%FF", std::vector<QueryItem>{{"bin", "%FF"}}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(UrlComponents::parse(text)->queryItems(), expected) << text;
}

TEST(UrlComponentsTest, PartsThatMakeNoUrlGiveNone) {
  auto parts = *UrlComponents::parse("https://h/p");
  parts.setPercentEncodedQuery("a b");
  EXPECT_FALSE(parts.string());
  EXPECT_FALSE(parts.url());
  parts.setPercentEncodedQuery("a=%20b&c=%7B");
  EXPECT_EQ(parts.url()->absoluteString(), "https://h/p?a=%20b&c=%7B");
  EXPECT_EQ(parts.query(), "a= b&c={");

  parts.setPath("no-leading-slash");  // would run into the host
  EXPECT_FALSE(parts.url());
  parts.setPath("/a b/{c}");
  EXPECT_EQ(parts.percentEncodedPath(), "/a%20b/%7Bc%7D");
  parts.setQuery("x={1} y#");
  EXPECT_EQ(parts.url()->absoluteString(), "https://h/a%20b/%7Bc%7D?x=%7B1%7D%20y%23");

  auto relative = *UrlComponents::parse("a/b");
  relative.setPath("k:v");  // would read back as a scheme
  EXPECT_FALSE(relative.url());
  EXPECT_FALSE(UrlComponents().url());
}

TEST(PercentEncodingTest, StrictSetEscapesEverythingButUnreserved) {
  const CharacterSet unreserved("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~");
  const std::pair<const char*, const char*> cases[] = {
      {"a b&c/d", "a%20b%26c%2Fd"},
      {"~-._", "~-._"},
      {"é", "%C3%A9"},
      {"한글", "%ED%95%9C%EA%B8%80"},
      {"😀", "%F0%9F%98%80"},
      {"%41", "%2541"},
      {"", ""},
  };
  for (auto [text, expected] : cases) EXPECT_EQ(addingPercentEncoding(text, unreserved), expected) << text;
  EXPECT_FALSE(addingPercentEncoding("bad \xC3", unreserved));
  EXPECT_FALSE(addingPercentEncoding("\xED\xA0\x80", unreserved));  // an encoded surrogate
}

TEST(PercentEncodingTest, StandardSetsKeepWhatTheirPartMayHold) {
  const std::tuple<const CharacterSet*, const char*, const char*> cases[] = {
      {&CharacterSet::urlQueryAllowed(), "a=1&b=/?:@ #[]한", "a=1&b=/?:@%20%23%5B%5D%ED%95%9C"},
      {&CharacterSet::urlPathAllowed(), "/a b/c?d#e;f", "/a%20b/c%3Fd%23e;f"},
      {&CharacterSet::urlHostAllowed(), "[::1]:80/x", "[::1]:80%2Fx"},
      {&CharacterSet::urlUserAllowed(), "us:er@x", "us%3Aer%40x"},
      {&CharacterSet::alphanumerics(), "abc123 한글-٣", "abc123%20한글%2D٣"},
  };
  for (auto [set, text, expected] : cases) EXPECT_EQ(addingPercentEncoding(text, *set), expected) << text;

  const CharacterSet noAmpersand = CharacterSet::urlQueryAllowed().subtracting(CharacterSet("&"));
  EXPECT_EQ(addingPercentEncoding("a&b=c", noAmpersand), "a%26b=c");
  const CharacterSet withBraces = CharacterSet::urlQueryAllowed().unioned(CharacterSet("{}"));
  EXPECT_EQ(addingPercentEncoding("{a b}", withBraces), "{a%20b}");
}

TEST(PercentEncodingTest, KoreanTextRoundTrips) {
  const std::string text = "지금 받을 수 있는 혜택 & 포인트=1,500 😀";
  for (const CharacterSet* set : {&CharacterSet::urlQueryAllowed(), &CharacterSet::urlPathAllowed(),
                                  &CharacterSet::urlHostAllowed(), &CharacterSet::alphanumerics()}) {
    auto encoded = addingPercentEncoding(text, *set);
    ASSERT_TRUE(encoded);
    EXPECT_EQ(removingPercentEncoding(*encoded), text) << *encoded;
  }
}

TEST(PercentEncodingTest, RemovingFailsOnBrokenEscapesAndNonUtf8) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"%41%62c", "Abc"},  {"a+b", "a+b"},        {"%ed%95%9c", "한"}, {"plain", "plain"}, {"", ""},
      {"%", std::nullopt}, {"100%", std::nullopt}, {"%zz", std::nullopt}, {"%4", std::nullopt},
      {"%FF", std::nullopt}, {"%ED%95", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(removingPercentEncoding(text), expected) << text;
}

}  // namespace
}  // namespace base
