#include "velkor/core/velkor_uri_parser.h"

#include <gtest/gtest.h>

namespace velkor {
namespace {

using Link = VelkorUriParser::InAppBrowserLink;

// The address is everything after "?url=" up to the link's "&title=", decoded once, so an
// address written without escapes keeps its own query items.
TEST(InAppBrowserLink, TheAddressRunsToTheTitleItem) {
  const struct {
    const char* link;
    std::optional<Link> expected;
  } cases[] = {
      {"velkor://inappbrowser?url=https://x.com/p?a=1&b=2", Link{"https://x.com/p?a=1&b=2", ""}},
      {"velkor://inappbrowser?url=https://x.com/p?a=1&b=2&title=Shop",
       Link{"https://x.com/p?a=1&b=2", "Shop"}},
      {"velkor://inappbrowser?url=https%3A%2F%2Fx.com%2Fp%3Fa%3D1%26b%3D2&title=%EC%87%BC%ED%95%91",
       Link{"https://x.com/p?a=1&b=2", "쇼핑"}},
      {"VELKOR://InAppBrowser?url=https%3A%2F%2Fx.com&title=Shop", Link{"https://x.com", "Shop"}},
      {"velkor://inappbrowser?url=https%253A%252F%252Fx.com", Link{"https%3A%2F%2Fx.com", ""}},
      {"velkor://inappbrowser?url=", Link{"", ""}},
      {"velkor://inappbrowser?url=%zz", std::nullopt},
      {"velkor://inappbrowser?title=Shop", std::nullopt},
      {"velkor://offerwall/ads?url=https://x.com", std::nullopt},
      {"https://x.com/?url=https://y.com", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(VelkorUriParser::inAppBrowserLink(c.link), c.expected) << c.link;
}

}  // namespace
}  // namespace velkor
