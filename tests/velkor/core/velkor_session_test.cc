#include "velkor/core/velkor_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>


namespace velkor {
namespace {

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
