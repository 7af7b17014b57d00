#include "platform/ui/application.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/notification_center.h"
#include "platform/dispatch/main_loop.h"

namespace ui {
namespace {

namespace main_loop = dispatch::main_loop;

base::Url url(const char* text) { return *base::Url::parse(text); }

class ApplicationTest : public ::testing::Test {
 protected:
  void TearDown() override { Application::shared().setOpenUrlHandler(nullptr); }

  main_loop::TestScope scope_;
  Application& app_ = Application::shared();
};

struct Observed {
  int posts = 0;
  bool onMain = false;
};

TEST_F(ApplicationTest, MovesArePostedOnTheMainThread) {
  Observed background;
  Observed foreground;
  auto& center = base::NotificationCenter::defaultCenter();
  auto observe = [&](Observed& seen) {
    return [&seen](const base::Notification&) {
      ++seen.posts;
      seen.onMain = main_loop::isMainThread();
    };
  };
  auto backgroundToken = center.addObserver(Application::kDidEnterBackgroundNotification, observe(background));
  auto foregroundToken = center.addObserver(Application::kWillEnterForegroundNotification, observe(foreground));

  // On main the observers have run when the call returns.
  app_.enterBackground();
  EXPECT_EQ(background.posts, 1);
  EXPECT_TRUE(background.onMain);
  EXPECT_EQ(foreground.posts, 0);

  // From another thread the post waits for the main loop.
  std::thread([&] { app_.enterForeground(); }).join();
  EXPECT_EQ(foreground.posts, 0);
  main_loop::drain();
  EXPECT_EQ(foreground.posts, 1);
  EXPECT_TRUE(foreground.onMain);
  EXPECT_EQ(background.posts, 1);
}

TEST_F(ApplicationTest, OpensThroughTheHostsHandlerOnMainAndAnswersOnce) {
  std::vector<std::string> opened;
  bool handlerOnMain = false;
  app_.setOpenUrlHandler([&](const base::Url& u) {
    opened.push_back(u.absoluteString());
    handlerOnMain = main_loop::isMainThread();
    return u.scheme() == "https";
  });
  EXPECT_TRUE(app_.canOpenURL(url("https://example.com")));

  std::vector<bool> answers;
  app_.open(url("https://example.com/a?b=1"), [&](bool ok) { answers.push_back(ok); });
  std::thread([&] { app_.open(url("market://details?id=1"), [&](bool ok) { answers.push_back(ok); }); }).join();
  // Never on the caller's stack.
  EXPECT_TRUE(answers.empty());
  main_loop::drain();
  EXPECT_EQ(opened, (std::vector<std::string>{"https://example.com/a?b=1", "market://details?id=1"}));
  EXPECT_TRUE(handlerOnMain);
  EXPECT_EQ(answers, (std::vector<bool>{true, false}));
}

TEST_F(ApplicationTest, WithoutAWorkingHandlerNothingOpensAndTheAnswerIsNo) {
  std::optional<bool> answer;
  EXPECT_FALSE(app_.canOpenURL(url("https://example.com")));
  app_.open(url("https://example.com"), [&](bool ok) { answer = ok; });
  main_loop::drain();
  EXPECT_EQ(answer, false);

  app_.setOpenUrlHandler([](const base::Url&) -> bool { throw std::runtime_error("host failure"); });
  answer.reset();
  app_.open(url("https://example.com"), [&](bool ok) { answer = ok; });
  app_.open(url("https://example.com"));  // no completion wanted
  main_loop::drain();
  EXPECT_EQ(answer, false);
}

TEST_F(ApplicationTest, StateIsSafeToShareBetweenThreads) {
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i) {
    threads.emplace_back([&, i] {
      for (int n = 0; n < 200; ++n) {
        app_.setNetworkActivityIndicatorVisible((n + i) % 2 == 0);
        (void)app_.isNetworkActivityIndicatorVisible();
        (void)app_.canOpenURL(url("https://example.com"));
        if (i == 0) app_.setOpenUrlHandler([](const base::Url&) { return true; });
      }
    });
  }
  for (auto& thread : threads) thread.join();
  app_.setNetworkActivityIndicatorVisible(true);
  EXPECT_TRUE(app_.isNetworkActivityIndicatorVisible());
  app_.setNetworkActivityIndicatorVisible(false);
  EXPECT_FALSE(app_.isNetworkActivityIndicatorVisible());
}

}  // namespace
}  // namespace ui
