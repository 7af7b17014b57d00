#include "velkor/core/velkor_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <thread>
#include <vector>

#include "platform/dispatch/clock.h"

namespace velkor {
namespace {

// Both ids are "t", the whole milliseconds since 1970 when the id is made (13 digits today), "-"
// and a new upper-case UUID.
TEST(VelkorSession, IdsCarryTheTimeInMillisecondsAndANewUuid) {
  dispatch::ScopedManualClock clock(1'780'000'000.25);
  const std::regex uuid("-[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");
  VelkorSession session;
  const auto requestId = session.requestId();
  EXPECT_EQ(requestId.substr(0, 14), "t1780000000250") << requestId;
  EXPECT_TRUE(std::regex_match(requestId.substr(14), uuid)) << requestId;

  clock->setWallSeconds(1'780'000'123.4567);
  session.openRequest("all", std::nullopt);
  const auto first = *session.actionId();
  EXPECT_EQ(first.substr(0, 14), "t1780000123456") << first;
  EXPECT_TRUE(std::regex_match(first.substr(14), uuid)) << first;
  // Within the same millisecond the UUID still tells two actions apart.
  session.openRequest("all", std::nullopt);
  EXPECT_NE(*session.actionId(), first);
  EXPECT_EQ(session.actionId()->substr(0, 14), first.substr(0, 14));
  EXPECT_EQ(session.requestId(), requestId);
}

// The main thread opens and clears actions while request threads merge the session: each merge
// sees one whole action, never the tab of one and the tag of another.
TEST(VelkorSession, AMergeNeverMixesTwoActions) {
  VelkorSession session;
  std::atomic<bool> done{false};
  std::vector<std::thread> readers;
  for (int i = 0; i < 3; ++i) {
    readers.emplace_back([&] {
      while (!done.load()) {
        const auto hash = session.toHash();
        if (hash.size() == 1) continue;
        ASSERT_EQ(hash.size(), 4u);
        EXPECT_EQ(hash.at("tab_slug").substr(4), hash.at("tag_slug").substr(4));
      }
    });
  }
  for (int i = 0; i < 500; ++i) {
    session.openRequest("tab-" + std::to_string(i), "tag-" + std::to_string(i));
    if (i % 3 == 0) session.clear();
  }
  done.store(true);
  for (auto& reader : readers) reader.join();
}

}  // namespace
}  // namespace velkor
