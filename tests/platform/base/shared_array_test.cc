#include "platform/base/shared_array.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace base {
namespace {

// A long text lives on the heap, so its address tells a moved element from a copied one.
const std::string kLong(64, 'x');

TEST(SharedArrayTest, TakingMovesFromTheOnlyHolderAndCopiesWhileAnotherReads) {
  SharedArray<std::string> only(std::vector<std::string>{kLong});
  const char* where = only[0].data();
  std::vector<std::string> taken = std::move(only).take();
  EXPECT_EQ(taken[0].data(), where);
  EXPECT_TRUE(only.empty());

  SharedArray<std::string> first(std::vector<std::string>{kLong});
  SharedArray<std::string> second = first;
  std::vector<std::string> changed = std::move(first).take();
  changed[0] = "changed";
  EXPECT_EQ(second[0], kLong);
  EXPECT_EQ(std::move(SharedArray<std::string>{}).take(), std::vector<std::string>{});
}

TEST(SharedArrayTest, HoldersOnOtherThreadsReadWhileOneTakesItsCopy) {
  SharedArray<std::string> list(std::vector<std::string>(100, kLong));
  std::vector<std::thread> readers;
  for (int i = 0; i < 4; ++i) {
    readers.emplace_back([copy = list]() mutable {
      std::size_t length = 0;
      for (const std::string& text : copy) length += text.size();
      EXPECT_EQ(length, 100 * kLong.size());
      auto own = std::move(copy).take();
      own.clear();
    });
  }
  std::vector<std::string> mine = std::move(list).take();
  mine.assign(3, "mine");
  for (auto& reader : readers) reader.join();
  EXPECT_EQ(mine.size(), 3u);
}

}  // namespace
}  // namespace base
