#include "platform/base/json_encoder.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/base/json_decoder.h"
#include "platform/base/json_value.h"

namespace {

enum class Status : std::int64_t { testOnly = -1, normal = 0 };
enum class Mode { alert, toast };

}  // namespace

template <>
struct base::JsonEnum<Status> {
  static constexpr std::string_view name = "Status";
  static constexpr Status cases[] = {Status::testOnly, Status::normal};
};
template <>
struct base::JsonEnum<Mode> {
  static constexpr std::string_view name = "Mode";
  static constexpr std::pair<Mode, std::string_view> cases[] = {{Mode::alert, "alert"}, {Mode::toast, "toast"}};
};

namespace {

struct Part {
  float priority = 0;
  Mode mode = Mode::alert;
  static Part decode(base::KeyedDecodingContainer& c) { return {c.decode<float>("priority"), c.decode<Mode>("mode")}; }
  void encode(base::KeyedEncodingContainer& c) const {
    c.encode("priority", priority);
    c.encode("mode", mode);
  }
  friend bool operator==(const Part&, const Part&) = default;
};

struct Whole {
  std::int64_t id = 0;
  std::optional<std::string> subtitle;   // written as null when absent
  std::optional<std::string> iconImage;  // left out when absent
  Status status = Status::normal;
  std::vector<Part> parts;
  std::map<std::string, std::int64_t> counts;
  std::optional<bool> enabled;
  static Whole decode(base::KeyedDecodingContainer& c) {
    return {c.decode<std::int64_t>("id"),
            c.decodeIfPresent<std::string>("subtitle"),
            c.decodeIfPresent<std::string>("iconImage"),
            c.decode<Status>("status"),
            c.decode<std::vector<Part>>("parts"),
            c.decode<std::map<std::string, std::int64_t>>("counts"),
            c.decodeIfPresent<bool>("enabled")};
  }
  void encode(base::KeyedEncodingContainer& c) const {
    c.encode("id", id);
    c.encode("subtitle", subtitle);
    c.encodeIfPresent("iconImage", iconImage);
    c.encode("status", status);
    c.encode("parts", parts);
    c.encode("counts", counts);
    c.encodeIfPresent("enabled", enabled);
  }
  friend bool operator==(const Whole&, const Whole&) = default;
};

TEST(JsonEncoder, WhatIsEncodedDecodesBackUnchanged) {
  const std::vector<Whole> cases = {
      {-9, "한글 \"quoted\"\n", "x", Status::testOnly, {{0.1f, Mode::alert}, {-2.5e-7f, Mode::toast}}, {{"a", 1}},
       true},
      {INT64_MAX, "", std::nullopt, Status::normal, {{std::numeric_limits<float>::max(), Mode::alert}}, {{"", -1}}, false},
  };
  for (const Whole& whole : cases) {
    auto text = base::JsonEncoder().encode(whole);
    ASSERT_TRUE(text.ok());
    auto back = base::JsonDecoder().decode<Whole>(*text);
    ASSERT_TRUE(back.ok()) << *text << ": " << back.error().description();
    EXPECT_EQ(*back, whole) << *text;
  }
}

TEST(JsonEncoder, ValuesJsonCannotHoldBecomeErrors) {
  Whole whole{1, std::nullopt, std::nullopt, Status::normal, {{1, Mode::alert}, {NAN, Mode::alert}}, {}, std::nullopt};
  auto nan = base::JsonEncoder().encode(whole);
  ASSERT_FALSE(nan.ok());
  EXPECT_EQ(nan.error().domain, "base.EncodingError");
  EXPECT_EQ(nan.error().code, base::EncodingError::kInvalidValue);
  EXPECT_NE(nan.error().description().find("parts[1].priority"), std::string::npos) << nan.error().description();
  EXPECT_FALSE(base::JsonEncoder().encode(std::vector<double>{1, INFINITY}).ok());

  // Text that is not UTF-8 fails when it is written out, not before, and never throws.
  whole = Whole{1, std::string("bad \xff byte"), std::nullopt, Status::normal, {}, {}, std::nullopt};
  ASSERT_TRUE(base::JsonEncoder().encodeToValue(whole).ok());
  auto text = base::JsonEncoder().encode(whole);
  ASSERT_FALSE(text.ok());
  EXPECT_EQ(text.error().domain, "base.EncodingError");
  EXPECT_FALSE(base::dumpJson(nlohmann::json{{"k", "\xc3"}}).ok());
}

TEST(JsonValue, ParseAndDumpNeverThrow) {
  struct Case {
    std::string text;
    bool parses;
  };
  const std::vector<Case> cases = {
      {R"({"ads": [1, 2.5, "x", null, true], "nested": {"k": {}}})", true},
      {"", false},
      {"{} []", false},
      {"\"\xff\"", false},
      {std::string(base::kMaxJsonDepth, '[') + std::string(base::kMaxJsonDepth, ']'), true},
      {std::string(base::kMaxJsonDepth + 1, '[') + std::string(base::kMaxJsonDepth + 1, ']'), false},
      {std::string(100000, '['), false},
  };
  for (const Case& c : cases) {
    auto value = base::parseJson(c.text);
    EXPECT_EQ(value.ok(), c.parses) << c.text.substr(0, 40);
    if (!value.ok()) {
      EXPECT_EQ(value.error().kind, base::DecodingError::Kind::dataCorrupted);
      continue;
    }
    auto text = base::dumpJson(*value);
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(base::parseJson(*text).value(), *value);
  }
}

}  // namespace
