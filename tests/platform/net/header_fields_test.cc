#include "platform/net/header_fields.h"

#include <gtest/gtest.h>

namespace net {
namespace {

TEST(HeaderFields, AddJoinsSetReplacesInAnyLetterCase) {
  HeaderFields fields;
  fields.add("X-Tracking-Id", "a");
  fields.add("x-tracking-id", "b");
  fields.set("Content-Type", "text/plain");
  fields.set("CONTENT-TYPE", "application/json");
  fields.add("X-Gone", "1");
  fields.remove("x-gone");
  EXPECT_EQ(fields.all(), (std::vector<HeaderFields::Field>{{"X-Tracking-Id", "a, b"},
                                                            {"Content-Type", "application/json"}}));
  EXPECT_EQ(fields.value("X-TRACKING-ID"), "a, b");
  EXPECT_FALSE(fields.value("X-Gone"));
}

}  // namespace
}  // namespace net
