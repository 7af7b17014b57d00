#include "tests/platform/web/web_testing.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/net/error.h"

extern char** environ;

namespace web::testing {
namespace {

// Without a display the tests start a virtual one of their own (scripts/test runs them under one):
// Xvfb picks a free display number and writes it to the pipe, so parallel tests never collide.
class VirtualDisplay : public ::testing::Environment {
 public:
  void SetUp() override {
    if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) return;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const std::string fd = std::to_string(fds[1]);
    // -terminate: the server ends with its last client, so a test that crashes leaves none behind.
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "3072x3072x24", "-nolisten", "tcp",
                          "-terminate", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    ASSERT_EQ(spawned, 0) << "no display and no Xvfb: install xvfb or run under xvfb-run";
    std::string number;
    char c = 0;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start";
    setenv("DISPLAY", (":" + number).c_str(), 1);
  }
  void TearDown() override {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }

 private:
  pid_t pid_ = 0;
};

[[maybe_unused]] const auto* const display = ::testing::AddGlobalTestEnvironment(new VirtualDisplay);

}  // namespace

void PrintTo(const NavigationEvent& event, std::ostream* out) {
  *out << event.kind << "#" << event.id;
  if (event.code) *out << " (" << event.code << ")";
}

void NavigationRecorder::didStartProvisionalNavigation(WebView&, const Navigation& navigation) {
  events.push_back({"start", navigation.id});
}
void NavigationRecorder::didCommit(WebView&, const Navigation& navigation) { events.push_back({"commit", navigation.id}); }
void NavigationRecorder::didFinish(WebView&, const Navigation& navigation) { events.push_back({"finish", navigation.id}); }
void NavigationRecorder::didFailProvisionalNavigation(WebView&, const Navigation& navigation, const base::Error& error) {
  events.push_back({"fail-provisional", navigation.id, error.code});
}
void NavigationRecorder::didFail(WebView&, const Navigation& navigation, const base::Error& error) {
  events.push_back({"fail", navigation.id, error.code});
}

bool NavigationRecorder::ended(const Navigation& navigation) const {
  if (events.empty() || events.back().id != navigation.id) return false;
  const std::string& kind = events.back().kind;
  return kind == "finish" || kind == "fail" || kind == "fail-provisional";
}

void PlatformWebViewTest::SetUp() { ASSERT_TRUE(server_.start()) << server_.error(); }

net::Request PlatformWebViewTest::request(const std::string& url) {
  auto parsed = base::Url::parse(url);
  EXPECT_TRUE(parsed) << url;
  return net::Request(parsed ? *parsed : *base::Url::parse("about:blank"));
}

bool PlatformWebViewTest::loadAndWait(WebView& view, const std::string& path) {
  const Navigation navigation = view.load(request(page(path)));
  return dispatch::main_loop::runUntil([&] { return recorder_->ended(navigation); }, dispatch::Seconds(10));
}

PlatformWebViewTest::Evaluated PlatformWebViewTest::evaluate(WebView& view, const std::string& script) {
  auto answer = std::make_shared<std::optional<Evaluated>>();
  view.evaluateJavaScript(script, [answer](const auto& result, const auto& error) { *answer = Evaluated{result, error}; });
  EXPECT_TRUE(dispatch::main_loop::runUntil([&] { return answer->has_value(); }, dispatch::Seconds(10))) << script;
  return answer->value_or(Evaluated{});
}

}  // namespace web::testing
