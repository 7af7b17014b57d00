#include "platform/base/uuid.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(UuidTest, ParsesEitherCaseAndRejectsAnythingElse) {
  auto uuid = Uuid::parse("0a1b2c3d-4e5f-4a6b-8c7d-9e0fa1b2c3d4");
  ASSERT_TRUE(uuid);
  EXPECT_EQ(uuid->uuidString(), "0A1B2C3D-4E5F-4A6B-8C7D-9E0FA1B2C3D4");
  EXPECT_EQ(Uuid::parse(uuid->uuidString()), uuid);
  const char* bad[] = {
      "", "0A1B2C3D-4E5F-4A6B-8C7D-9E0FA1B2C3D", "0A1B2C3D4-E5F-4A6B-8C7D-9E0FA1B2C3D4",
      "0G1B2C3D-4E5F-4A6B-8C7D-9E0FA1B2C3D4", "0A1B2C3D-+E5F-4A6B-8C7D-9E0FA1B2C3D4",
  };
  for (const char* text : bad) EXPECT_FALSE(Uuid::parse(text)) << text;
}

}  // namespace
}  // namespace base
