#include "platform/net/header_fields.h"

#include <gtest/gtest.h>

#include "platform/net/response.h"

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

TEST(Response, MimeTypeIsTheMediaTypeAlone) {
  const std::pair<std::optional<std::string>, std::optional<std::string>> cases[] = {
      {"application/json", "application/json"},
      {"Text/HTML; charset=UTF-8", "text/html"},
      {"  image/webp  ;q=1", "image/webp"},
      {"", std::nullopt},
      {std::nullopt, std::nullopt},
  };
  for (const auto& [contentType, expected] : cases) {
    HeaderFields fields;
    if (contentType) fields.set("content-type", *contentType);
    Response response(*base::Url::parse("http://127.0.0.1/"), 200, fields);
    EXPECT_EQ(response.mimeType(), expected) << contentType.value_or("(none)");
  }
}

}  // namespace
}  // namespace net
