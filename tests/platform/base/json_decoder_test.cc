#include "platform/base/json_decoder.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

using base::DecodingError;
using base::JsonDecoder;
using base::KeyDecodingStrategy;
using base::KeyedDecodingContainer;
using Kind = DecodingError::Kind;

enum class Landing : std::int64_t { external = 0, inAppBrowser = 1 };
enum class DialogType { alert, toast };

}  // namespace

template <>
struct base::JsonEnum<Landing> {
  static constexpr std::string_view name = "Landing";
  static constexpr Landing cases[] = {Landing::external, Landing::inAppBrowser};
};
template <>
struct base::JsonEnum<DialogType> {
  static constexpr std::string_view name = "DialogType";
  static constexpr std::pair<DialogType, std::string_view> cases[] = {{DialogType::alert, "alert"},
                                                                      {DialogType::toast, "toast"}};
};

namespace {

struct Dialog {
  std::optional<DialogType> type;
  std::optional<std::string> positiveButton;
  static Dialog decode(KeyedDecodingContainer& c) {
    return {c.decodeIfPresent<DialogType>("type"), c.decodeIfPresent<std::string>("positiveButton")};
  }
};

// A small ad-like record: required, optional, defaulted, enum, list and nested fields.
struct Item {
  std::int64_t id = 0;
  std::string viewUrl;
  std::optional<std::string> iconImage;
  std::optional<std::int64_t> completed;
  Landing landingType = Landing::external;
  std::vector<std::int64_t> tagIds;
  std::optional<Dialog> dialog;
  static Item decode(KeyedDecodingContainer& c) {
    Item item;
    item.id = c.decode<std::int64_t>("id");
    item.viewUrl = c.decode<std::string>("viewUrl");
    item.iconImage = c.decodeIfPresent<std::string>("iconImage");
    if (c.contains("completed")) item.completed = c.decode<std::int64_t>("completed");
    item.landingType = c.decodeIfPresent<Landing>("landingType").value_or(Landing::external);
    item.tagIds = c.decode<std::vector<std::int64_t>>("tagIds");
    item.dialog = c.decodeIfPresent<Dialog>("dialog");
    return item;
  }
};

struct Feed {
  std::vector<Item> ads;
  std::map<std::string, std::int64_t> counts;
  static Feed decode(KeyedDecodingContainer& c) {
    return {c.decode<std::vector<Item>>("ads"), c.decode<std::map<std::string, std::int64_t>>("counts")};
  }
};

// One value under "v", to try a type against JSON values.
template <class T>
struct Box {
  T v;
  static Box decode(KeyedDecodingContainer& c) { return {c.decode<T>("v")}; }
};

constexpr const char* kItem = R"({"id": 1, "view_url": "u", "tag_ids": []})";

JsonDecoder snakeDecoder() {
  JsonDecoder decoder;
  decoder.keyDecodingStrategy = KeyDecodingStrategy::convertFromSnakeCase;
  return decoder;
}

std::string feedWith(const std::string& badItem) {
  return R"({"ads": [)" + std::string(kItem) + "," + kItem + "," + kItem + "," + badItem + R"(], "counts": {}})";
}

template <class R>
std::optional<DecodingError> errorOf(const R& result) {
  return result.ok() ? std::nullopt : std::optional<DecodingError>(result.error());
}

struct Failure {
  std::string json;
  Kind kind;
  std::string path;
};

void expectFailures(const std::vector<Failure>& cases) {
  for (const Failure& c : cases) {
    auto error = errorOf(snakeDecoder().decode<Feed>(c.json));
    ASSERT_TRUE(error) << c.json;
    EXPECT_EQ(error->kind, c.kind) << c.json << "\n" << error->description();
    EXPECT_EQ(error->codingPath, c.path) << c.json;
  }
}

TEST(JsonDecoder, MissingOrNullRequiredKeysFailNamingTheWireKeyAndNullEmptiesOptionalOnes) {
  expectFailures({{feedWith(R"({"id": 1, "tag_ids": []})"), Kind::keyNotFound, "ads[3].view_url"},
                  // Present but null: contains() is true, so the required read fails.
                  {feedWith(R"({"id": 1, "view_url": "u", "tag_ids": [], "completed": null})"),
                   Kind::valueNotFound, "ads[3].completed"}});
  auto item = snakeDecoder().decode<Item>(
      R"({"id": 1, "view_url": "u", "tag_ids": [], "icon_image": null, "landing_type": null, "dialog": null,
          "completed": 0})");
  ASSERT_TRUE(item.ok()) << item.error().description();
  EXPECT_FALSE(item->iconImage);
  EXPECT_EQ(item->landingType, Landing::external);
  EXPECT_FALSE(item->dialog);
  EXPECT_EQ(item->completed, 0);
}

using Decode = std::function<std::optional<DecodingError>(std::string_view)>;
struct TypeCase {
  std::string value;  // the JSON text under "v"
  Decode decode;
  std::optional<Kind> kind;  // none: decodes
};

template <class T>
Decode as() {
  return [](std::string_view json) { return errorOf(JsonDecoder().decode<Box<T>>(json)); };
}

TEST(JsonDecoder, TypesAreStrict) {
  const std::vector<TypeCase> cases = {
      {"1", as<bool>(), Kind::typeMismatch},
      {"\"12\"", as<std::int64_t>(), Kind::typeMismatch},
      {"{}", as<std::vector<std::int64_t>>(), Kind::typeMismatch},
      // Integers become floating point; fractions never become integers.
      {"3", as<float>(), std::nullopt},
      {"1.5", as<std::int64_t>(), Kind::dataCorrupted},
      // A number that does not fit the field's type is corrupt, not truncated.
      {"128", as<std::int8_t>(), Kind::dataCorrupted},
      {"-1", as<std::uint32_t>(), Kind::dataCorrupted},
      {"9223372036854775808", as<std::int64_t>(), Kind::dataCorrupted},
      {"18446744073709551615", as<std::uint64_t>(), std::nullopt},
      {"1e39", as<float>(), Kind::dataCorrupted},
  };
  for (const TypeCase& c : cases) {
    std::string json = R"({"v": )" + c.value + "}";
    std::optional<DecodingError> error = c.decode(json);
    if (!c.kind) {
      EXPECT_FALSE(error) << json << ": " << error->description();
      continue;
    }
    ASSERT_TRUE(error) << json;
    EXPECT_EQ(error->kind, *c.kind) << json << ": " << error->description();
    EXPECT_EQ(error->codingPath, "v") << json;
  }
}

// An unknown integer raw value: see ErrorsNameTheirPlaceAndBecomePlatformErrors.
TEST(JsonDecoder, EnumerationsTakeKnownRawValuesOnly) {
  auto known = JsonDecoder().decode<Box<Landing>>(R"({"v": 1})");
  ASSERT_TRUE(known.ok());
  EXPECT_EQ(known->v, Landing::inAppBrowser);

  auto unknown = JsonDecoder().decode<Box<DialogType>>(R"({"v": "Toast"})");
  ASSERT_FALSE(unknown.ok());
  EXPECT_EQ(unknown.error().kind, Kind::dataCorrupted);
  EXPECT_EQ(unknown.error().debugDescription, "\"Toast\" is not a raw value of DialogType");
}

TEST(JsonDecoder, KeyStrategyDecidesWhichKeysMatch) {
  // Snake-case keys fill camelCase fields only under the conversion; camelCase keys fill them either way.
  auto plain = JsonDecoder().decode<Item>(kItem);
  ASSERT_FALSE(plain.ok());
  EXPECT_EQ(plain.error().kind, Kind::keyNotFound);
  EXPECT_EQ(plain.error().codingPath, "viewUrl");

  // Map keys stay as sent; records inside a map still convert theirs.
  auto counts = snakeDecoder().decode<std::map<std::string, std::int64_t>>(R"({"ad_id": 12, "Other_Key": 1})");
  ASSERT_TRUE(counts.ok());
  EXPECT_EQ(counts->count("ad_id"), 1u);
  EXPECT_EQ(counts->count("Other_Key"), 1u);
  // A key met twice, in either spelling, keeps its first value.
  auto twice = snakeDecoder().decode<Item>(R"({"id": 1, "view_url": "first", "viewUrl": "second", "tag_ids": []})");
  ASSERT_TRUE(twice.ok());
  EXPECT_EQ(twice->viewUrl, "first");
  // Snake-case keys with capitals become camelCase.
  const std::pair<const char*, const char*> cases[] = {
      {"ad_ID", "adId"}, {"HTML_url", "htmlUrl"}, {"_Is_New_", "_isNew_"}};
  for (const auto& [wire, record] : cases) EXPECT_EQ(base::convertFromSnakeCase(wire), record) << wire;
}

TEST(JsonDecoder, ErrorsNameTheirPlaceAndBecomePlatformErrors) {
  auto landing = snakeDecoder().decode<Feed>(feedWith(R"({"id": 1, "view_url": "u", "tag_ids": [], "landing_type": 2})"));
  ASSERT_FALSE(landing.ok());
  EXPECT_EQ(landing.error().codingPath, "ads[3].landing_type");
  base::Error error = landing.error();
  EXPECT_EQ(error.domain, "base.DecodingError");
  EXPECT_EQ(error.code, 4);
  EXPECT_EQ(error.description(), "ads[3].landing_type: 2 is not a raw value of Landing");

  for (const char* broken : {"", R"({"ads": [}")", "\xff", "{} {}"}) {
    auto result = snakeDecoder().decode<Feed>(broken);
    ASSERT_FALSE(result.ok()) << broken;
    EXPECT_EQ(result.error().kind, Kind::dataCorrupted) << broken;
    EXPECT_EQ(result.error().codingPath, "") << broken;
  }
}

struct Reward {
  std::int64_t reward = 0;
  std::optional<double> rate;
  std::optional<std::string> title;
  static Reward decode(KeyedDecodingContainer& c) {
    return {c.decode<std::int64_t>("reward"), c.decodeIfPresent<double>("rate"),
            c.decodeIfPresent<std::string>("title")};
  }
};

struct Rewards {
  std::vector<Reward> ads;
  static Rewards decode(KeyedDecodingContainer& c) { return {c.decode<std::vector<Reward>>("ads")}; }
};

TEST(JsonDecoder, NumbersBeyondRangeMatterOnlyWhereRead) {
  const std::string digits400 = "9" + std::string(399, '0');
  // Each decodes; with the first ad's rate where one is given.
  const std::vector<std::pair<std::string, std::optional<double>>> decoded = {
      // Unread keys, at the top, inside the record and nested deeper.
      {R"({"x": -9223372036854775809, "ads": [{"reward": 1, "y": 123456789012345678901234567890}]})", {}},
      {R"({"x": {"deep": [1e400, -)" + digits400 + R"(, 2E+999]}, "ads": [{"reward": 1}]})", {}},
      // Float keys take the nearest value.
      {R"({"ads": [{"reward": 1, "rate": -123456789012345678901234567890}]})", -1.2345678901234568e29},
      {R"({"ads": [{"reward": 1, "rate": 1e-400}]})", 0.0},
      {R"({"t\"": "a\\", "ads": [{"title": "1e400", "reward": 2, "x": 1e400}]})", {}},
  };
  for (const auto& [json, rate] : decoded) {
    auto result = JsonDecoder().decode<Rewards>(json);
    ASSERT_TRUE(result.ok()) << json << ": " << result.error().description();
    if (rate) {
      EXPECT_EQ(result->ads.at(0).rate, rate) << json;
    }
  }
  const std::vector<Failure> refused = {
      // Integer keys: corrupt at their own path.
      {R"({"ads": [{"reward": -9223372036854775809}]})", Kind::dataCorrupted, "ads[0].reward"},
      {R"({"ads": [{"reward": 1}, {"reward": 18446744073709551616}]})", Kind::dataCorrupted, "ads[1].reward"},
      {R"({"ads": [{"reward": )" + digits400 + "}]}", Kind::dataCorrupted, "ads[0].reward"},
      {R"({"ads": [{"reward": 1e400}]})", Kind::dataCorrupted, "ads[0].reward"},
      // Float keys beyond a double's range are corrupt.
      {R"({"ads": [{"reward": 1, "rate": )" + digits400 + "}]}", Kind::dataCorrupted, "ads[0].rate"},
      {R"({"ads": [{"reward": 1, "rate": -0.001e99999999999999999999}]})", Kind::dataCorrupted, "ads[0].rate"},
      // Such a number is still a number, and a string spelling one still a string.
      {R"({"ads": [{"reward": 1, "title": 99999999999999999999}]})", Kind::typeMismatch, "ads[0].title"},
      {R"({"ads": [{"reward": "99999999999999999999", "x": 99999999999999999999}]})", Kind::typeMismatch,
       "ads[0].reward"},
      // The first fault in reading order decides.
      {R"({"ads": [{"rate": 1e400, "reward": 99999999999999999999}]})", Kind::dataCorrupted, "ads[0].reward"},
      {R"({"ads": [{"reward": 1, "rate": 1e400}, {"reward": 1e400}]})", Kind::dataCorrupted, "ads[0].rate"},
      // Text that is not JSON stays refused as a whole.
      {R"({"ads": [{"reward": 1}], "x": 1e400 ])", Kind::dataCorrupted, ""},
      {R"({"ads": [{"reward": 1}], "x": 1e400, "y": 01})", Kind::dataCorrupted, ""},
  };
  for (const Failure& c : refused) {
    auto result = JsonDecoder().decode<Rewards>(c.json);
    ASSERT_FALSE(result.ok()) << c.json;
    EXPECT_EQ(result.error().kind, c.kind) << c.json << ": " << result.error().description();
    EXPECT_EQ(result.error().codingPath, c.path) << c.json;
  }
  // Text inside strings is never taken for a number.
  auto titled = JsonDecoder().decode<Rewards>(R"({"ads": [{"reward": 1, "title": "1e400", "x": 1e400}]})");
  ASSERT_TRUE(titled.ok());
  EXPECT_EQ(titled->ads[0].title, "1e400");
}

// Reads every key any of the layouts below may have, so that each object's values show which of
// its keys were found.
struct Probe {
  std::int64_t id = 0;
  std::map<std::string, std::int64_t> found;
  static Probe decode(KeyedDecodingContainer& c) {
    Probe probe{c.decode<std::int64_t>("id"), {}};
    for (const char* name : {"alpha", "beta", "gammaRay", "longKeyWithSameEndsA12345678", "longKeyWithSameEndsB12345678",
                             "sameEndsXmidsameEnds", "sameEndsYmidsameEnds", ""}) {
      base::CodingKey key(name);
      if (auto value = c.decodeIfPresent<std::int64_t>(key)) probe.found[std::string(key.name())] = *value;
    }
    return probe;
  }
};

TEST(JsonDecoder, ObjectsOfManyLayoutsEachKeepTheirOwnKeys) {
  // Layouts with one key count and first key, keys that differ only inside their middle bytes
  // (past sixteen bytes and past twenty-four), a repeated key, an empty key and an empty object,
  // interleaved so that each follows another.
  const std::vector<std::pair<std::string, std::map<std::string, std::int64_t>>> layouts = {
      {R"("alpha": 1, "beta": 2)", {{"alpha", 1}, {"beta", 2}}},
      {R"("alpha": 3, "gamma_ray": 4)", {{"alpha", 3}, {"gammaRay", 4}}},
      {R"("beta": 5, "alpha": 6)", {{"alpha", 6}, {"beta", 5}}},
      {R"("long_key_with_same_ends_a12345678": 7)", {{"longKeyWithSameEndsA12345678", 7}}},
      {R"("long_key_with_same_ends_b12345678": 8)", {{"longKeyWithSameEndsB12345678", 8}}},
      {R"("sameEndsXmidsameEnds": 15)", {{"sameEndsXmidsameEnds", 15}}},
      {R"("sameEndsYmidsameEnds": 16)", {{"sameEndsYmidsameEnds", 16}}},
      {R"("alpha": 9, "alpha": 10, "gammaRay": 11, "gamma_ray": 12)", {{"alpha", 9}, {"gammaRay", 11}}},
      {R"("": 13, "beta": 14)", {{"", 13}, {"beta", 14}}},
      {"", {}},
  };
  std::string list = "[";
  for (int round = 0; round < 3; ++round) {
    for (std::size_t i = 0; i < layouts.size(); ++i) {
      if (list.size() > 1) list += ",";
      std::string keys = layouts[i].first;
      list += R"({"id": )" + std::to_string(i) + (keys.empty() ? "" : ", " + keys) + "}";
    }
  }
  list += "]";
  for (int document = 0; document < 2; ++document) {
    auto probes = snakeDecoder().decode<std::vector<Probe>>(list);
    ASSERT_TRUE(probes.ok()) << probes.error().description();
    ASSERT_EQ(probes->size(), 3 * layouts.size());
    for (const Probe& probe : *probes) {
      EXPECT_EQ(probe.found, layouts[static_cast<std::size_t>(probe.id)].second) << "layout " << probe.id;
    }
  }
}

TEST(JsonDecoder, ManyThreadsDecodeAtOnce) {
  std::vector<std::thread> threads;
  std::atomic<int> decoded = 0;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 200; ++i) {
        auto feed = snakeDecoder().decode<Feed>(feedWith(kItem));
        if (feed.ok() && feed->ads.size() == 4) ++decoded;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(decoded, 800);
}

}  // namespace
