#include "platform/base/notification_center.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace base {
namespace {

constexpr const char* kBackground = "UIApplicationDidEnterBackgroundNotification";
constexpr const char* kForeground = "UIApplicationWillEnterForegroundNotification";

TEST(NotificationCenter, ObserversMayChangeTheListDuringDelivery) {
  NotificationCenter center;
  std::vector<std::string> seen;
  NotificationCenter::Token self, later, added;
  self = center.addObserver(kBackground, [&](const Notification&) {
    seen.push_back("self");
    self.reset();   // ends itself while running
    later.reset();  // ends one that has not run yet in this post
    added = center.addObserver(kBackground, [&](const Notification&) { seen.push_back("added"); });
  });
  later = center.addObserver(kBackground, [&](const Notification&) { seen.push_back("later"); });

  center.post(kBackground);
  EXPECT_EQ(seen, std::vector<std::string>{"self"});
  center.post(kBackground);
  EXPECT_EQ(seen, (std::vector<std::string>{"self", "added"}));
}

TEST(NotificationCenter, AnOwnerGoneDuringDeliveryIsKeptUntilItsBlockReturns) {
  NotificationCenter center;
  auto owner = std::make_shared<std::string>("alive");
  std::weak_ptr<std::string> watch = owner;
  std::string seenInside;
  center.addObserver(owner, kBackground, [&, raw = owner.get()](const Notification&) {
    owner.reset();
    seenInside = *raw;  // still alive: the centre holds it for the call
  });
  center.post(kBackground);
  EXPECT_EQ(seenInside, "alive");
  EXPECT_TRUE(watch.expired());
}

TEST(NotificationCenter, EndingAnObservationWaitsForItsCallOnAnotherThread) {
  NotificationCenter center;
  std::atomic<bool> started = false, ending = false, finished = false;
  auto token = center.addObserver(kBackground, [&](const Notification&) {
    started = true;
    while (!ending) std::this_thread::yield();
    // Long enough that an end which did not wait would see the call unfinished.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    finished = true;
  });
  std::thread poster([&] { center.post(kBackground); });
  while (!started) std::this_thread::yield();
  ending = true;
  token.reset();
  EXPECT_TRUE(finished);
  poster.join();
}

TEST(NotificationCenter, ConcurrentPostsAndObserversStayConsistent) {
  NotificationCenter center;
  std::atomic<int> calls = 0;
  auto steady = center.addObserver(kBackground, [&](const Notification&) { ++calls; });
  constexpr int kPosts = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < 3; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kPosts; ++i) center.post(kBackground);
    });
  }
  threads.emplace_back([&] {
    for (int i = 0; i < kPosts; ++i) {
      auto owner = std::make_shared<int>(i);
      center.addObserver(owner, kBackground, [](const Notification&) {});
      auto token = center.addObserver(kBackground, [](const Notification&) {});
    }
  });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(calls, 3 * kPosts);
}

}  // namespace
}  // namespace base
