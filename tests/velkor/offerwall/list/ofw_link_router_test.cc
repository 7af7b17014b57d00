#include "velkor/offerwall/list/ofw_link_router.h"

#include <gtest/gtest.h>

#include <vector>

namespace velkor {
namespace {

using Route = OfwLinkRouter::Route;
using AdDetail = OfwLinkRouter::AdDetail;
using TabMove = OfwLinkRouter::TabMove;
using WebPage = OfwLinkRouter::WebPage;
using External = OfwLinkRouter::External;

TEST(OfwLinkRouterTest, EachLinkLeadsToItsRoute) {
  struct Case {
    const char* link;
    Route expected;
  };
  const Route nothing = std::monostate{};
  const std::vector<Case> cases = {
      {"velkor://offerwall/ads/123", AdDetail{123}},
      {"velkor://offerwall/ads/+5", AdDetail{5}},
      {"velkor://offerwall/ads/-7", AdDetail{-7}},
      {"velkor://offerwall/ads/9223372036854775807", AdDetail{9223372036854775807}},
      {"velkor://offerwall/ads/9223372036854775808", nothing},
      {"velkor://offerwall/ads/-9223372036854775809", nothing},
      {"velkor://offerwall/ads/", nothing},
      {"velkor://offerwall/ads/123?x", nothing},
      {"velkor://offerwall/ads/+-5", nothing},
      {"velkor://offerwall/ads/+", nothing},
      {"velkor://offerwall/ads/ 12", nothing},
      // Every occurrence of the prefix goes, not only the first.
      {"velkor://offerwall/ads/velkor://offerwall/ads/42", AdDetail{42}},
      // Capitals match no form: the system opens the link.
      {"VELKOR://offerwall/ads/123", External{"VELKOR://offerwall/ads/123"}},
      {"velkor://Offerwall/ads?tab_slug=a", External{"velkor://Offerwall/ads?tab_slug=a"}},
      {"velkor://offerwall/ads?tag_slug=t1", TabMove{"all", "t1"}},
      {"velkor://offerwall/ads?", TabMove{"all", "all"}},
      {"velkor://offerwall/ads?tab_slug=&tag_slug", TabMove{"", "all"}},
      {"velkor://offerwall/ads?tab_slug=game&tab_slug=shop&tag_slug=new", TabMove{"game", "new"}},
      {"velkor://offerwall/ads?Tab_slug=game", TabMove{"all", "all"}},
      {"velkor://offerwall/ads?tab_slug=a b", nothing},
      // The address is the "url" item, decoded once; the link's title never joins it.
      {"velkor://inappbrowser?url=https%3A%2F%2Fexample.com%2Fp%3Fa%3D1%26b%3D2&title=Hello",
       WebPage{"https://example.com/p?a=1&b=2"}},
      {"velkor://inappbrowser?url=https%253A%252F%252Fexample.com", WebPage{"https%3A%2F%2Fexample.com"}},
      {"velkor://inappbrowser?url=%zz", nothing},
      {"velkor://inappbrowser?title=x&url=https%3A%2F%2Fexample.com", External{"velkor://inappbrowser?title=x&url=https://example.com"}},
      {"https://example.com/a%20b?q=%ED%95%9C", External{"https://example.com/a b?q=한"}},
      {"https://example.com/%zz", nothing},
      {"", External{""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    EXPECT_EQ(OfwLinkRouter::route(c.link), c.expected);
  }
}

// A page address written without escapes keeps its own items; the link's title is not one of them.
TEST(OfwLinkRouterTest, AnUnencodedInAppAddressKeepsItsOwnItems) {
  EXPECT_EQ(OfwLinkRouter::route("velkor://inappbrowser?url=https://x.com/p?a=1&b=2"),
            Route(WebPage{"https://x.com/p?a=1&b=2"}));
  EXPECT_EQ(OfwLinkRouter::route("velkor://inappbrowser?url=https://x.com/p?a=1&b=2&title=Shop"),
            Route(WebPage{"https://x.com/p?a=1&b=2"}));
}

// The SDK's prefixes count only at the start of a link: inside an outside address they are part of
// it, and the system opens the whole address.
TEST(OfwLinkRouterTest, APrefixInsideAnOutsideAddressLeavesItOutside) {
  for (const char* link : {"https://example.com/go?to=velkor://offerwall/ads/123",
                           "https://example.com/velkor://offerwall/ads?tab_slug=game",
                           "https://example.com/go?to=velkor://inappbrowser?url=https://example.org"}) {
    SCOPED_TRACE(link);
    EXPECT_EQ(OfwLinkRouter::route(link), Route(External{link}));
  }
}

}  // namespace
}  // namespace velkor
