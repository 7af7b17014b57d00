// The SDK's own links ("velkor://..."). Only in-app-browser links are resolved here, into the screen
// that shows the page; links to the offerwall's lists and ad details (host "offerwall") give nothing,
// and each caller decides what to do with them.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/url.h"

namespace ui {
class ViewController;
}

namespace velkor {

class VelkorUriParser {
 public:
  static constexpr const char* scheme = "velkor";
  // How an in-app-browser link starts; the page address follows. The reader below takes its scheme
  // and host in any case, the link router only as written here.
  static constexpr std::string_view inAppBrowserPrefix = "velkor://inappbrowser?url=";

  // What an in-app-browser link asks for: the page address (decoded) and the title (empty without one).
  struct InAppBrowserLink {
    std::string url;
    std::string title;
    friend bool operator==(const InAppBrowserLink&, const InAppBrowserLink&) = default;
  };

  // Makes the in-app browser for a page; installed by the web pages, which own that screen.
  using InAppBrowserFactory =
      std::function<std::shared_ptr<ui::ViewController>(const std::string& url, const std::string& title)>;

  // "velkor://inappbrowser?url=<address>[&title=<title>]": the address is all that follows "url=",
  // up to the link's last "&title=" item, so one written without escapes keeps its own query; both
  // are percent-decoded once. The one reader of these links, for every caller. Nothing for any
  // other link, and for an address that does not decode.
  static std::optional<InAppBrowserLink> inAppBrowserLink(std::string_view link);

  // The in-app browser for an in-app-browser link; null for any other address, or while no factory is
  // installed.
  static std::shared_ptr<ui::ViewController> parseUri(const base::Url& url);

  // Installs the factory (an empty one removes it). Safe from any thread.
  static void setInAppBrowserFactory(InAppBrowserFactory factory);
};

}  // namespace velkor
