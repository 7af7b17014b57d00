#include "platform/dispatch/main_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/dispatch/queue.h"
#include "platform/dispatch/semaphore.h"

namespace dispatch {
namespace {

class MainLoopTest : public ::testing::Test {
 protected:
  main_loop::TestScope loop_;
};

TEST_F(MainLoopTest, DrainRunsBlocksInOrderIncludingThoseTheyPost) {
  std::vector<int> order;
  main()->async([&] {
    order.push_back(1);
    main()->async([&] { order.push_back(3); });
  });
  main()->async([&] { order.push_back(2); });
  EXPECT_TRUE(order.empty());
  main_loop::drain();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(MainLoopTest, MainQueueBlocksRunOnTheBoundThread) {
  std::atomic<bool> onMain{false};
  Queue::serial("test.hop")->async([&] { main()->async([&] { onMain = main_loop::isMainThread(); }); });
  EXPECT_TRUE(main_loop::runUntil([&] { return onMain.load(); }, Seconds(5)));
  EXPECT_TRUE(main()->isCurrent());
}

TEST_F(MainLoopTest, RunUntilGivesUpAfterItsTimeout) {
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(main_loop::runUntil([] { return false; }, Seconds(0.02)));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
}

TEST_F(MainLoopTest, SyncOntoMainFromAWorkerWaitsForTheLoop) {
  std::atomic<bool> returned{false};
  int value = 0;
  Queue::serial("test.sync.main")->async([&] {
    main()->sync([&] { value = 42; });
    returned = true;
  });
  EXPECT_TRUE(main_loop::runUntil([&] { return returned.load(); }, Seconds(5)));
  EXPECT_EQ(value, 42);
}

TEST_F(MainLoopTest, ResetDiscardsLeftoversAndReleasesASyncCaller) {
  auto witness = std::make_shared<int>(0);
  std::weak_ptr<int> weak = witness;
  std::atomic<bool> ran{false};
  main()->async([witness, &ran] { ran = true; });
  witness.reset();
  std::atomic<bool> returned{false};
  std::thread caller([&] {
    main()->sync([&] { ran = true; });
    returned = true;
  });
  // reset() unbinds the loop, so nothing runs the sync block; resetting until the caller is
  // released catches the block whenever it arrives.
  while (!returned) {
    main_loop::reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  caller.join();
  EXPECT_TRUE(weak.expired());
  main_loop::bind();
  main_loop::drain();
  EXPECT_FALSE(ran);
}

TEST_F(MainLoopTest, RunServesBlocksUntilStopped) {
  std::thread host([] { main_loop::run(); });
  std::atomic<int> count{0};
  for (int i = 0; i < 3; ++i) main()->async([&] { ++count; });
  main()->async([] { main_loop::stop(); });
  host.join();
  EXPECT_EQ(count, 3);
}

}  // namespace
}  // namespace dispatch
