#include "platform/base/json_encoder.h"

#include <gtest/gtest.h>

#include <cmath>

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
  void encode(base::KeyedEncodingContainer& c) const {
    c.encode("priority", priority);
    c.encode("mode", mode);
  }
};

struct Whole {
  std::int64_t id = 0;
  std::optional<std::string> subtitle;  // written as null when absent
  Status status = Status::normal;
  std::vector<Part> parts;
  void encode(base::KeyedEncodingContainer& c) const {
    c.encode("id", id);
    c.encode("subtitle", subtitle);
    c.encode("status", status);
    c.encode("parts", parts);
  }
};

TEST(JsonEncoder, ValuesJsonCannotHoldBecomeErrors) {
  Whole whole{1, std::nullopt, Status::normal, {{1, Mode::alert}, {NAN, Mode::alert}}};
  auto nan = base::JsonEncoder().encode(whole);
  ASSERT_FALSE(nan.ok());
  EXPECT_EQ(nan.error().domain, "base.EncodingError");
  EXPECT_EQ(nan.error().code, base::EncodingError::kInvalidValue);
  EXPECT_NE(nan.error().description().find("parts[1].priority"), std::string::npos) << nan.error().description();
  EXPECT_FALSE(base::JsonEncoder().encode(std::vector<double>{1, INFINITY}).ok());

  // Text that is not UTF-8 fails when it is written out, not before, and never throws.
  whole = Whole{1, std::string("bad \xff byte"), Status::normal, {}};
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
