// What the tests of the SDK's web pages share: the host app on screen with the local ad servers
// (presentation_test_support.h), pages served by them, what the app hands to the system, and
// waiting for pages in real time.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/web/web_view.h"
#include "tests/velkor/core/presentation_test_support.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/web/ofw_web_page_view_controller.h"

namespace velkor::testing {

class WebPageTest : public PresentationTest {
 protected:
  WebPageTest();
  ~WebPageTest() override;

  // "<server>/pages/<name>".
  std::string page(const std::string& name) const;
  // Shows the screen alone in an offerwall navigation controller presented by the host's screen,
  // and waits until its page has loaded.
  std::shared_ptr<OfwNavigationController> showAlone(const std::shared_ptr<OfwWebPageViewController>& screen);
  // Waits until the web view has finished loading a page at an address with this ending.
  static bool pageLoaded(web::WebView& webView, const std::string& ending = "");

 public:
  // Runs the script in the page and gives its result as JSON text ("error: ..." when it threw).
  static std::string evaluate(web::WebView& webView, const std::string& script);
  // Posts the body to the page's script handler of that name, as the page would, and lets it settle.
  static void post(web::WebView& webView, const nlohmann::json& body, const char* handler = "velkor");
  // An address on loopback where nothing answers.
  static std::string refusedAddress();
  // Lets the main loop run for a while (real time).
  static void settle(double seconds = 0.3);

 protected:
  std::vector<std::string> opened_;
};

}  // namespace velkor::testing
