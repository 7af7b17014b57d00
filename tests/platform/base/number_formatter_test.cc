#include "platform/base/number_formatter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace base {
namespace {

class NumberFormatterTest : public ::testing::Test {
 protected:
  void TearDown() override { NumberFormatter::setLocale("en_US"); }
};

TEST_F(NumberFormatterTest, AnIdThatNamesNoLocaleChangesNothing) {
  ASSERT_TRUE(NumberFormatter::setLocale("de_DE"));
  for (const char* id : {"", "!!", "zz_ZZ", "a b", "123"}) EXPECT_FALSE(NumberFormatter::setLocale(id)) << id;
  EXPECT_EQ(NumberFormatter::locale(), "de_DE");
  EXPECT_EQ(NumberFormatter::decimalString(std::int64_t{1500}), "1.500");
}

TEST_F(NumberFormatterTest, LocaleChangesWhileOtherThreadsFormat) {
  std::atomic<bool> stop{false};
  std::atomic<int> wrong{0};
  std::vector<std::thread> readers;
  for (int i = 0; i < 3; ++i) {
    readers.emplace_back([&] {
      while (!stop) {
        const std::string text = NumberFormatter::decimalString(std::int64_t{1500});
        if (text != "1,500" && text != "1.500") ++wrong;
      }
    });
  }
  for (int i = 0; i < 200; ++i) NumberFormatter::setLocale(i % 2 ? "en_US" : "de_DE");
  stop = true;
  for (auto& reader : readers) reader.join();
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace base
