#include "platform/base/uuid.h"

#include <gtest/gtest.h>

#include <set>

namespace base {
namespace {

TEST(UuidTest, TextIsUpperCaseVersion4WithHyphens) {
  std::set<std::string> seen;
  for (int i = 0; i < 500; ++i) {
    const std::string text = Uuid().uuidString();
    ASSERT_EQ(text.size(), 36u);
    for (std::size_t at = 0; at < text.size(); ++at) {
      const bool hyphen = at == 8 || at == 13 || at == 18 || at == 23;
      EXPECT_EQ(text[at] == '-', hyphen) << text;
      if (!hyphen) {
        EXPECT_TRUE(std::isdigit(text[at]) || (text[at] >= 'A' && text[at] <= 'F')) << text;
      }
    }
    EXPECT_EQ(text[14], '4') << text;
    EXPECT_NE(std::string("89AB").find(text[19]), std::string::npos) << text;
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 500u);
}

TEST(UuidTest, ParsesEitherCaseAndRejectsAnythingElse) {
  auto uuid = Uuid::parse("0a1b2c3d-4e5f-4a6b-8c7d-9e0fa1b2c3d4");
  ASSERT_TRUE(uuid);
  EXPECT_EQ(uuid->uuidString(), "0A1B2C3D-4E5F-4A6B-8C7D-9E0FA1B2C3D4");
  EXPECT_EQ(Uuid::parse(uuid->uuidString()), uuid);
  EXPECT_EQ(Uuid::parse("00000000-0000-0000-0000-000000000000")->uuidString(),
            "00000000-0000-0000-0000-000000000000");
  const char* bad[] = {
      "", "0A1B2C3D-4E5F-4A6B-8C7D-9E0FA1B2C3D", "0A1B2C3D-4E5F-4A6B-8C7D-9E0FA1B2C3D45",
      "0A1B2C3D4-E5F-4A6B-8C7D-9E0FA1B2C3D4", "0A1B2C3D-4E5F-4A6B-8C7D+9E0FA1B2C3D4",
      "0G1B2C3D-4E5F-4A6B-8C7D-9E0FA1B2C3D4", "0A1B2C3D-+E5F-4A6B-8C7D-9E0FA1B2C3D4",
      "{A1B2C3D-4E5F-4A6B-8C7D-9E0FA1B2C3D}",
  };
  for (const char* text : bad) EXPECT_FALSE(Uuid::parse(text)) << text;
}

}  // namespace
}  // namespace base
