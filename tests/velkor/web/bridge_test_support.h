// What the page bridge's tests share: replies as the page would read them, and a bridge that keeps
// its replies instead of evaluating them, for the tests that need no page.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "velkor/web/velkor_ofw_js_interface.h"

namespace velkor::testing {

// One reply: the id and the answer as onMessageReceive gets them, and whether it came on main.
struct Reply {
  std::string id;
  std::string answer;
  bool onMain = false;
};

// The two texts of "onMessageReceive('<id>', '<answer>')", unescaped as a script reads them.
std::optional<Reply> parseReply(const std::string& script);

// The ids of a JSON answer's ads, "1001,1002"; the answer itself when it is no list of ads.
std::string answerIds(const std::string& answer);

class ReplyLog {
 public:
  void add(Reply reply);
  std::vector<Reply> all() const;
  std::size_t count() const;
  // Runs the main loop until that many replies came (real time, at most `seconds`), then a little
  // longer so that one too many would show.
  bool waitFor(std::size_t count, double seconds = 10) const;

 private:
  mutable std::mutex mutex_;
  std::vector<Reply> replies_;
};

// A bridge without a web view whose replies go to a log the test keeps, which outlives the bridge.
class RecordingBridge : public VelkorOfwJsInterface {
 public:
  explicit RecordingBridge(std::shared_ptr<ReplyLog> log)
      : VelkorOfwJsInterface(std::weak_ptr<web::WebView>()), log_(std::move(log)) {}
  using VelkorOfwJsInterface::handleBody;

 protected:
  void evaluateReply(const std::string& script) override;

 private:
  std::shared_ptr<ReplyLog> log_;
};

}  // namespace velkor::testing
