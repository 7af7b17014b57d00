// What the web view tests share: a display for the engine, the local ad server for pages, the main
// loop bound for each test, and recorders for what the delegates and handlers hear.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/web/web_view.h"
#include "tools/mock-server/mock_server.h"

namespace web::testing {

// "start", "commit", "finish", "fail-provisional <code>", "fail <code>", each with the navigation's id.
struct NavigationEvent {
  std::string kind;
  std::uint64_t id = 0;
  long code = 0;
  friend bool operator==(const NavigationEvent&, const NavigationEvent&) = default;
};
void PrintTo(const NavigationEvent& event, std::ostream* out);

class NavigationRecorder : public NavigationDelegate {
 public:
  void didStartProvisionalNavigation(WebView&, const Navigation& navigation) override;
  void didCommit(WebView&, const Navigation& navigation) override;
  void didFinish(WebView&, const Navigation& navigation) override;
  void didFailProvisionalNavigation(WebView&, const Navigation& navigation, const base::Error& error) override;
  void didFail(WebView&, const Navigation& navigation, const base::Error& error) override;
  // The last event is a finish or a failure of the navigation.
  bool ended(const Navigation& navigation) const;

  std::vector<NavigationEvent> events;
};

class MessageRecorder : public ScriptMessageHandler {
 public:
  void didReceive(UserContentController&, const ScriptMessage& message) override { messages.push_back(message); }
  std::vector<ScriptMessage> messages;
};

class PlatformWebViewTest : public ::testing::Test {
 protected:
  void SetUp() override;
  std::string page(const std::string& path) const { return server_.baseUrl() + path; }
  static net::Request request(const std::string& url);
  // Loads the page and waits until its navigation ended; false when it did not within 10 s.
  bool loadAndWait(WebView& view, const std::string& path);
  // Evaluates and waits for the answer.
  struct Evaluated {
    std::optional<nlohmann::json> result;
    std::optional<base::Error> error;
  };
  static Evaluated evaluate(WebView& view, const std::string& script);

  dispatch::main_loop::TestScope loop_;
  mock::MockServer server_{"PAGES"};
  std::shared_ptr<NavigationRecorder> recorder_ = std::make_shared<NavigationRecorder>();
};

}  // namespace web::testing
