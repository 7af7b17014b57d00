#include "velkor/web/web_address.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/ui/application.h"

namespace velkor {
namespace {

// What reaches the host's open-URL hook: web pages, other apps' and stores' addresses and the SDK's
// own links that a route reads; never an address without a scheme, nor an SDK link no route knows.
TEST(OpenInSystem, HandsOnOnlyAddressesTheSystemCanPlace) {
  std::vector<std::string> opened;
  ui::Application::shared().setOpenUrlHandler([&](const base::Url& url) {
    opened.push_back(url.absoluteString());
    return true;
  });
  const struct {
    const char* address;
    bool handedOn;
  } cases[] = {
      {"https://www.example.com/a", true},
      {"market://details?id=x", true},
      {"tel:01012345678", true},
      {"velkor://inappbrowser?url=https%3A%2F%2Fx.com", true},
      {"velkor://offerwall/ads/12", true},
      {"/relative/path", false},
      {"//host/x", false},
      {"page.html?a=1", false},
      {"velkor://nowhere", false},
      {"velkor://inappbrowser?title=x", false},
      {"velkor://offerwall/ads/x12", false},
      {"javascript:alert(1)", false},
  };
  for (const auto& c : cases) {
    opened.clear();
    auto url = base::Url::parse(c.address);
    ASSERT_TRUE(url) << c.address;
    EXPECT_EQ(openInSystem(*url), c.handedOn) << c.address;
    dispatch::main_loop::drain();
    const auto expected = c.handedOn ? std::vector<std::string>{c.address} : std::vector<std::string>{};
    EXPECT_EQ(opened, expected) << c.address;
  }
  ui::Application::shared().setOpenUrlHandler({});
}

}  // namespace
}  // namespace velkor
