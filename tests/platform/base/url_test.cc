#include "platform/base/url.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace base {
namespace {

TEST(UrlTest, TextThatNoUrlMayHoldDoesNotParse) {
  const char* cases[] = {
      "", "https://a b.com", "https://host/api/ads/{ad_id}", "https://host/?q=한글", "https://host/a%4",
      "https://host:99999/", "https://host/a#b#c", "http://[::1/", "https://us@er@host/", ":no-scheme",
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
      {"/api/ads/%7Bad_id%7D", {}, {}, {}, "/api/ads/{ad_id}", {}, {}},
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

TEST(UrlTest, AppendingPathComponentJoinsWithExactlyOneSlashAndEscapes) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"https://h/base//", "//x", "https://h/base/x"},
      {"https://h/a", "", "https://h/a/"},
      {"https://h", "/api/ads/{ad_id}/optout", "https://h/api/ads/%7Bad_id%7D/optout"},
      {"https://h:8443/v?x=1#f", "a b?c#d%", "https://h:8443/v/a%20b%3Fc%23d%25?x=1#f"},
  };
  for (const auto& [base, component, expected] : cases) {
    const Url joined = Url::parse(base)->appendingPathComponent(component);
    EXPECT_EQ(joined.absoluteString(), expected) << base << " + " << component;
    auto reparsed = Url::parse(joined.absoluteString());
    ASSERT_TRUE(reparsed) << expected;
    EXPECT_EQ(reparsed->components(), joined.components()) << expected;
  }
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

  parts->setQueryItems(std::nullopt);
  EXPECT_EQ(parts->url()->absoluteString(), "https://h/p#f");
}

TEST(UrlComponentsTest, QueryItemsOfAWrittenQuery) {
  const std::pair<const char*, std::optional<std::vector<QueryItem>>> cases[] = {
      {"https://h/?a=1&&b&c=", std::vector<QueryItem>{{"a", "1"}, {"b", std::nullopt}, {"c", ""}}},
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

  auto relative = *UrlComponents::parse("a/b");
  relative.setPath("k:v");  // would read back as a scheme
  EXPECT_FALSE(relative.url());
  EXPECT_FALSE(UrlComponents().url());
}

TEST(PercentEncodingTest, StrictSetEscapesEverythingButUnreservedAndRemovingRefusesBrokenText) {
  const CharacterSet unreserved("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~");
  const std::pair<const char*, const char*> cases[] = {
      {"a b&c/d", "a%20b%26c%2Fd"},
      {"한글", "%ED%95%9C%EA%B8%80"},
      {"%41", "%2541"},
  };
  for (auto [text, expected] : cases) EXPECT_EQ(addingPercentEncoding(text, unreserved), expected) << text;
  EXPECT_FALSE(addingPercentEncoding("bad \xC3", unreserved));
  EXPECT_FALSE(addingPercentEncoding("\xED\xA0\x80", unreserved));  // an encoded surrogate

  // Removing fails on broken escapes and what is not UTF-8.
  const std::pair<const char*, std::optional<std::string>> removed[] = {
      {"%41%62c", "Abc"}, {"a+b", "a+b"}, {"100%", std::nullopt}, {"%zz", std::nullopt}, {"%ED%95", std::nullopt},
  };
  for (const auto& [text, expected] : removed) EXPECT_EQ(removingPercentEncoding(text), expected) << text;
}

}  // namespace
}  // namespace base
