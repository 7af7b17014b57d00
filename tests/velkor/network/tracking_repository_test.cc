// The tracking id of the repository over the logging framework is the installation's, whatever thread
// asks while another configures.
#include "velkor/network/tracking_repository_impl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "lumberjack/sender.h"
#include "tests/velkor/network/network_test_support.h"

namespace velkor::testing {
namespace {

class TrackingRepositoryTest : public ::testing::Test {
 protected:
  TrackingRepositoryTest() { lumberjack::Sender::shared().resetForTesting(); }
  ~TrackingRepositoryTest() override {
    dispatch::main_loop::runUntil([] { return !lumberjack::Sender::shared().isUploading(); });
    lumberjack::Sender::shared().resetForTesting();
  }
  std::string endpoint() { return scope_.servers().serverTable().at(Constants::lumberjackKey); }
  NetworkScope scope_;
  TrackingRepositoryImpl repository_;
};

// The id is the installation's, whatever the configuration; request threads read it while the main
// thread reconfigures (a stage change).
TEST_F(TrackingRepositoryTest, TheIdStaysTheInstallationsWhileOtherThreadsReadItDuringConfiguring) {
  const std::string id = repository_.trackingID();
  EXPECT_EQ(id, lumberjack::Config().trackingID());
  std::atomic<bool> done{false};
  std::atomic<int> mismatches{0};
  std::vector<std::thread> readers;
  for (int i = 0; i < 4; ++i) {
    readers.emplace_back([&] {
      while (!done.load()) {
        if (repository_.trackingID() != id) ++mismatches;
      }
    });
  }
  for (int i = 0; i < 200; ++i) repository_.configure(50 + i, i % 2 == 0, endpoint());
  done.store(true);
  for (auto& reader : readers) reader.join();
  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_EQ(TrackingRepositoryImpl().trackingID(), id);
  EXPECT_EQ(repository_.remoteDataSource()->config().bufferCapacity(), 249);
}

}  // namespace
}  // namespace velkor::testing
