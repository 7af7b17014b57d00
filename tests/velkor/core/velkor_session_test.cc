#include "velkor/core/velkor_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/base/uuid.h"
#include "platform/dispatch/clock.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

using Hash = std::map<std::string, std::string>;

// "t", the milliseconds of the clock, "-" and a UUID.
void expectIdAt(const std::string& id, const std::string& millis) {
  ASSERT_EQ(id.substr(0, 1 + millis.size() + 1), "t" + millis + "-") << id;
  EXPECT_TRUE(base::Uuid::parse(id.substr(2 + millis.size()))) << id;
}

TEST(VelkorSession, IdsCarryTheClocksMillisecondsAndAUuid) {
  dispatch::ScopedManualClock clock(1'780'000'000.2509);
  VelkorSession session;
  expectIdAt(session.requestId(), "1780000000250");
  EXPECT_EQ(session.toHash(), (Hash{{"request_id", session.requestId()}}));

  // Two actions in the same millisecond still differ.
  session.openRequest("all", std::nullopt);
  const auto first = session.actionId();
  session.openRequest("all", std::nullopt);
  ASSERT_TRUE(first && session.actionId());
  expectIdAt(*session.actionId(), "1780000000250");
  EXPECT_NE(*first, *session.actionId());
  EXPECT_NE(session.requestId(), *session.actionId());
}

TEST(VelkorSession, HashHoldsTheActionOnlyWhileThereIsOne) {
  VelkorSession session;
  const auto requestId = session.requestId();

  session.openRequest("shopping", std::nullopt);
  EXPECT_EQ(session.toHash(), (Hash{{"request_id", requestId}, {"action_id", *session.actionId()}, {"tab_slug", "shopping"}}));

  // Empty text is a value and is sent.
  session.openRequest("", "");
  EXPECT_EQ(session.toHash(), (Hash{{"request_id", requestId},
                                    {"action_id", *session.actionId()},
                                    {"tab_slug", ""},
                                    {"tag_slug", ""}}));

  session.clear();
  EXPECT_EQ(session.toHash(), (Hash{{"request_id", requestId}}));
  EXPECT_FALSE(session.actionId() || session.tabSlug() || session.tagSlug());

  session.setRequestId("r-1");
  EXPECT_EQ(session.toHash(), (Hash{{"request_id", "r-1"}}));
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

TEST(VelkorSession, TheCoreHoldsOneSessionThatAPresentationReplaces) {
  auto& core = VelkorInternal::shared();
  const auto first = core.session();
  ASSERT_TRUE(first);
  auto next = std::make_shared<VelkorSession>();
  core.setSession(next);
  EXPECT_EQ(core.session(), next);
  core.setSession(nullptr);
  EXPECT_EQ(core.session(), next);
  core.setSession(first);
}

}  // namespace
}  // namespace velkor
