#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"

namespace dispatch {
namespace {

// A source whose only event is a byte written to a pipe, as a toolkit's context is woken by its
// own threads; it counts the bytes it reads on the main thread.
class PipeSource : public main_loop::EventSource {
 public:
  PipeSource() { EXPECT_EQ(::pipe(fds_), 0); }
  ~PipeSource() override {
    ::close(fds_[0]);
    ::close(fds_[1]);
  }
  int prepare(std::vector<pollfd>& fds) override {
    ++prepared;
    fds.push_back(pollfd{fds_[0], POLLIN, 0});
    return -1;
  }
  void dispatch(const std::vector<pollfd>& fds) override {
    ++dispatched;
    if (fds.size() != 1 || !(fds[0].revents & POLLIN)) return;
    char byte = 0;
    if (::read(fds_[0], &byte, 1) == 1) ++received;
    onMain = main_loop::isMainThread();
  }
  void send() { ASSERT_EQ(::write(fds_[1], "x", 1), 1); }

  int prepared = 0;
  int dispatched = 0;
  std::atomic<int> received{0};
  bool onMain = false;

 private:
  int fds_[2] = {-1, -1};
};

class EventSourceTest : public ::testing::Test {
 protected:
  ~EventSourceTest() override { main_loop::setEventSource(nullptr); }
  main_loop::TestScope loop_;
  PipeSource source_;
};

TEST_F(EventSourceTest, EventsFromAnotherThreadAreDispatchedOnTheMainThreadPromptly) {
  main_loop::setEventSource(&source_);
  std::thread writer([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    source_.send();
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(main_loop::runUntil([&] { return source_.received == 1; }, Seconds(5)));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  writer.join();
  EXPECT_TRUE(source_.onMain);
  EXPECT_EQ(source_.prepared, source_.dispatched);
}

// run() sleeps in the source's wait with no deadline: a block posted from another thread, and
// stop(), must still reach it through the loop's own wake-up.
TEST_F(EventSourceTest, PostedBlocksAndStopWakeALoopSleepingOnTheSource) {
  main_loop::setEventSource(&source_);
  bool ran = false;
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    main()->async([&] {
      ran = true;
      main_loop::stop();
    });
  });
  main_loop::run();
  poster.join();
  EXPECT_TRUE(ran);
}

TEST_F(EventSourceTest, ARemovedSourceIsNoLongerServed) {
  main_loop::setEventSource(&source_);
  main_loop::drain();
  main_loop::setEventSource(nullptr);
  const int served = source_.dispatched;
  source_.send();
  main_loop::runUntil([] { return false; }, Seconds(0.02));
  EXPECT_EQ(source_.dispatched, served);
  EXPECT_EQ(source_.received, 0);
}

}  // namespace
}  // namespace dispatch
