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
  if (result.ok()) return std::nullopt;
  return result.error();
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

TEST(JsonDecoder, MissingRequiredKeysFailNamingTheWireKey) {
  expectFailures({
      {feedWith(R"({"view_url": "u", "tag_ids": []})"), Kind::keyNotFound, "ads[3].id"},
      {feedWith(R"({"id": 1, "tag_ids": []})"), Kind::keyNotFound, "ads[3].view_url"},
      {feedWith(R"({"id": 1, "view_url": "u"})"), Kind::keyNotFound, "ads[3].tag_ids"},
      {R"({"counts": {}})", Kind::keyNotFound, "ads"},
      {R"({"ads": []})", Kind::keyNotFound, "counts"},
  });
  // Absent optional keys take their defaults.
  auto item = snakeDecoder().decode<Item>(kItem);
  ASSERT_TRUE(item.ok());
  EXPECT_FALSE(item->iconImage);
  EXPECT_FALSE(item->completed);
  EXPECT_EQ(item->landingType, Landing::external);
  EXPECT_FALSE(item->dialog);
}

TEST(JsonDecoder, NullFailsRequiredKeysAndEmptiesOptionalOnes) {
  expectFailures({
      {feedWith(R"({"id": null, "view_url": "u", "tag_ids": []})"), Kind::valueNotFound, "ads[3].id"},
      {feedWith(R"({"id": 1, "view_url": "u", "tag_ids": [1, null]})"), Kind::valueNotFound, "ads[3].tag_ids[1]"},
      // Present but null: contains() is true, so the required read fails.
      {feedWith(R"({"id": 1, "view_url": "u", "tag_ids": [], "completed": null})"), Kind::valueNotFound,
       "ads[3].completed"},
      {R"({"ads": null, "counts": {}})", Kind::valueNotFound, "ads"},
      {R"({"ads": [null], "counts": {}})", Kind::valueNotFound, "ads[0]"},
  });
  auto item = snakeDecoder().decode<Item>(
      R"({"id": 1, "view_url": "u", "tag_ids": [], "icon_image": null, "landing_type": null, "dialog": null,
          "completed": 0})");
  ASSERT_TRUE(item.ok()) << item.error().description();
  EXPECT_FALSE(item->iconImage);
  EXPECT_EQ(item->landingType, Landing::external);
  EXPECT_FALSE(item->dialog);
  EXPECT_EQ(item->completed, 0);
}

struct TypeCase {
  std::string value;  // the JSON text under "v"
  std::function<std::optional<DecodingError>(std::string_view)> decode;
  std::optional<Kind> kind;  // none: decodes
};

template <class T>
std::function<std::optional<DecodingError>(std::string_view)> as() {
  return [](std::string_view json) { return errorOf(JsonDecoder().decode<Box<T>>(json)); };
}

TEST(JsonDecoder, TypesAreStrict) {
  const std::vector<TypeCase> cases = {
      {"true", as<bool>(), std::nullopt},
      {"1", as<bool>(), Kind::typeMismatch},
      {"true", as<std::int64_t>(), Kind::typeMismatch},
      {"\"12\"", as<std::int64_t>(), Kind::typeMismatch},
      {"\"1.5\"", as<double>(), Kind::typeMismatch},
      {"12", as<std::string>(), Kind::typeMismatch},
      {"{}", as<std::vector<std::int64_t>>(), Kind::typeMismatch},
      {"[]", as<Dialog>(), Kind::typeMismatch},
      {"[]", as<std::map<std::string, std::int64_t>>(), Kind::typeMismatch},
      // Integers become floating point; fractions never become integers.
      {"3", as<float>(), std::nullopt},
      {"-3", as<double>(), std::nullopt},
      {"1.5", as<std::int64_t>(), Kind::dataCorrupted},
      {"1e300", as<std::int64_t>(), Kind::dataCorrupted},
      // A number that does not fit the field's type is corrupt, not truncated.
      {"127", as<std::int8_t>(), std::nullopt},
      {"128", as<std::int8_t>(), Kind::dataCorrupted},
      {"-1", as<std::uint32_t>(), Kind::dataCorrupted},
      {"2147483648", as<std::int32_t>(), Kind::dataCorrupted},
      {"9223372036854775808", as<std::int64_t>(), Kind::dataCorrupted},
      {"18446744073709551615", as<std::uint64_t>(), std::nullopt},
      {"1e39", as<float>(), Kind::dataCorrupted},
      {"3.4028235e38", as<float>(), std::nullopt},  // the largest float, written short
      {"1e39", as<double>(), std::nullopt},
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

TEST(JsonDecoder, ValuesArriveIntact) {
  auto box = JsonDecoder().decode<Box<std::vector<double>>>(R"({"v": [3, -0.25, 1e3]})");
  ASSERT_TRUE(box.ok());
  EXPECT_EQ(box->v, (std::vector<double>{3, -0.25, 1000}));
  auto text = JsonDecoder().decode<Box<std::string>>(R"({"v": "\ud55c\uae00 \"q\"\n"})");
  ASSERT_TRUE(text.ok());
  EXPECT_EQ(text->v, "한글 \"q\"\n");
  EXPECT_EQ(JsonDecoder().decode<Box<std::uint64_t>>(R"({"v": 18446744073709551615})")->v, 18446744073709551615u);
  EXPECT_EQ(JsonDecoder().decode<Box<std::int64_t>>(R"({"v": -9223372036854775808})")->v, INT64_MIN);
  // A number written with a fraction or exponent that is exactly whole still counts.
  EXPECT_EQ(JsonDecoder().decode<Box<std::int64_t>>(R"({"v": 2.0})")->v, 2);

  // Only the text itself is read: not what follows a view, nor what lies in a string's spare capacity.
  std::string both = R"({"v": 6}{"v": 7})";
  EXPECT_EQ(JsonDecoder().decode<Box<int>>(std::string_view(both).substr(0, 8))->v, 6);
  std::string spare = R"({"v": 8}   , "w": [)" + std::string(100, '[');
  spare.resize(8);
  ASSERT_GE(spare.capacity() - spare.size(), simdjson::SIMDJSON_PADDING);
  EXPECT_EQ(JsonDecoder().decode<Box<int>>(spare)->v, 8);
}

TEST(JsonDecoder, EnumerationsTakeKnownRawValuesOnly) {
  struct EnumCase {
    std::string json;
    std::optional<Kind> kind;
    std::string description;
  };
  const std::vector<EnumCase> cases = {
      {R"({"v": 1})", std::nullopt, ""},
      {R"({"v": 2})", Kind::dataCorrupted, "v: 2 is not a raw value of Landing"},
      {R"({"v": -1})", Kind::dataCorrupted, "v: -1 is not a raw value of Landing"},
      {R"({"v": "1"})", Kind::typeMismatch, ""},
      {R"({"v": 1.5})", Kind::dataCorrupted, ""},
  };
  for (const EnumCase& c : cases) {
    auto result = JsonDecoder().decode<Box<Landing>>(c.json);
    if (!c.kind) {
      ASSERT_TRUE(result.ok()) << c.json;
      EXPECT_EQ(result->v, Landing::inAppBrowser);
      continue;
    }
    ASSERT_FALSE(result.ok()) << c.json;
    EXPECT_EQ(result.error().kind, *c.kind) << c.json;
    if (!c.description.empty()) {
      EXPECT_EQ(result.error().description(), c.description);
    }
  }

  auto toast = JsonDecoder().decode<Box<DialogType>>(R"({"v": "toast"})");
  ASSERT_TRUE(toast.ok());
  EXPECT_EQ(toast->v, DialogType::toast);
  auto unknown = JsonDecoder().decode<Box<DialogType>>(R"({"v": "Toast"})");
  ASSERT_FALSE(unknown.ok());
  EXPECT_EQ(unknown.error().kind, Kind::dataCorrupted);
  EXPECT_EQ(unknown.error().debugDescription, "\"Toast\" is not a raw value of DialogType");
}

TEST(JsonDecoder, SnakeCaseConversionFollowsThePlatformRule) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"view_url", "viewUrl"}, {"thumb_origin_image", "thumbOriginImage"}, {"_view_url__", "_viewUrl__"},
      {"a__b___c", "aBC"}, {"VIEW_URL", "viewUrl"}, {"Ad_ID", "adId"}, {"url_2x", "url2x"}, {"a_b c", "aB C"},
      {"alreadyCamel", "alreadyCamel"}, {"ID", "ID"}, {"_id", "_id"}, {"_", "_"}, {"___", "___"}, {"", ""},
  };
  for (const auto& [wire, expected] : cases) EXPECT_EQ(base::convertFromSnakeCase(wire), expected) << wire;
}

TEST(JsonDecoder, KeyStrategyDecidesWhichKeysMatch) {
  // Snake-case keys fill camelCase fields only under the conversion; camelCase keys fill them either way.
  auto plain = JsonDecoder().decode<Item>(kItem);
  ASSERT_FALSE(plain.ok());
  EXPECT_EQ(plain.error().kind, Kind::keyNotFound);
  EXPECT_EQ(plain.error().codingPath, "viewUrl");
  const char* camel = R"({"id": 1, "viewUrl": "u", "tagIds": [2]})";
  EXPECT_TRUE(JsonDecoder().decode<Item>(camel).ok());
  EXPECT_TRUE(snakeDecoder().decode<Item>(camel).ok());

  // Map keys stay as sent; records inside a map still convert theirs.
  auto counts = snakeDecoder().decode<std::map<std::string, std::int64_t>>(R"({"ad_id": 12, "Other_Key": 1})");
  ASSERT_TRUE(counts.ok());
  EXPECT_EQ(counts->count("ad_id"), 1u);
  EXPECT_EQ(counts->count("Other_Key"), 1u);
  auto dialogs =
      snakeDecoder().decode<std::unordered_map<std::string, Dialog>>(R"({"first_one": {"positive_button": "OK"}})");
  ASSERT_TRUE(dialogs.ok());
  EXPECT_EQ(dialogs->at("first_one").positiveButton, "OK");

  // A key met twice, in either spelling, keeps its first value.
  auto twice = snakeDecoder().decode<Item>(R"({"id": 1, "view_url": "first", "viewUrl": "second", "tag_ids": []})");
  ASSERT_TRUE(twice.ok());
  EXPECT_EQ(twice->viewUrl, "first");
  auto repeated = JsonDecoder().decode<Item>(R"({"id": 1, "id": 2, "viewUrl": "u", "tagIds": []})");
  ASSERT_TRUE(repeated.ok());
  EXPECT_EQ(repeated->id, 1);
}

TEST(JsonDecoder, ErrorsNameTheirPlaceAndBecomePlatformErrors) {
  auto landing = snakeDecoder().decode<Feed>(feedWith(R"({"id": 1, "view_url": "u", "tag_ids": [], "landing_type": 2})"));
  ASSERT_FALSE(landing.ok());
  EXPECT_EQ(landing.error().codingPath, "ads[3].landing_type");
  base::Error error = landing.error();
  EXPECT_EQ(error.domain, "base.DecodingError");
  EXPECT_EQ(error.code, 4);
  EXPECT_EQ(error.description(), "ads[3].landing_type: 2 is not a raw value of Landing");

  auto nested = snakeDecoder().decode<Feed>(
      feedWith(R"({"id": 1, "view_url": "u", "tag_ids": [], "dialog": {"type": "modal"}})"));
  ASSERT_FALSE(nested.ok());
  EXPECT_EQ(nested.error().codingPath, "ads[3].dialog.type");

  auto map = snakeDecoder().decode<Feed>(R"({"ads": [], "counts": {"ad_id": "7"}})");
  ASSERT_FALSE(map.ok());
  EXPECT_EQ(map.error().codingPath, "counts.ad_id");
  EXPECT_EQ(map.error().debugDescription, "expected an integer, found a string");

  auto list = JsonDecoder().decode<std::vector<Box<int>>>(R"([{"v": 1}, {"v": 2}, {"w": 3}])");
  ASSERT_FALSE(list.ok());
  EXPECT_EQ(list.error().codingPath, "[2].v");
  EXPECT_EQ(base::Error(list.error()).code, 1);

  for (const char* broken : {"", "{", R"({"ads": [}")", "[1, 2,]", "\xff", "{} {}"}) {
    auto result = snakeDecoder().decode<Feed>(broken);
    ASSERT_FALSE(result.ok()) << broken;
    EXPECT_EQ(result.error().kind, Kind::dataCorrupted) << broken;
    EXPECT_EQ(result.error().codingPath, "") << broken;
  }
}

// Walks an array by hand, as a record with a mixed list would.
struct Pair {
  std::int64_t first;
  std::optional<std::string> second;
  Dialog dialog;
  static Pair decode(KeyedDecodingContainer& c) {
    base::UnkeyedDecodingContainer list = c.nestedUnkeyedContainer("pair");
    EXPECT_EQ(list.count(), 3u);
    Pair pair{list.decode<std::int64_t>(), list.decodeIfPresent<std::string>(), {}};
    KeyedDecodingContainer dialog = list.nestedContainer();
    pair.dialog = Dialog::decode(dialog);
    EXPECT_TRUE(list.isAtEnd());
    EXPECT_FALSE(list.decodeIfPresent<std::int64_t>());
    if (c.contains("more")) list.decode<std::int64_t>();
    return pair;
  }
};

TEST(JsonDecoder, UnkeyedAndNestedContainers) {
  auto pair = JsonDecoder().decode<Pair>(R"({"pair": [4, null, {"type": "toast"}]})");
  ASSERT_TRUE(pair.ok()) << pair.error().description();
  EXPECT_EQ(pair->first, 4);
  EXPECT_FALSE(pair->second);
  EXPECT_EQ(pair->dialog.type, DialogType::toast);

  auto past = JsonDecoder().decode<Pair>(R"({"pair": [4, "x", {}], "more": 1})");
  ASSERT_FALSE(past.ok());
  EXPECT_EQ(past.error().kind, Kind::valueNotFound);
  EXPECT_EQ(past.error().codingPath, "pair[3]");
}

// A record that keeps JSON text of its own and decodes it while its document is still open.
struct Stored {
  Item inner;
  Item outer;
  static Stored decode(KeyedDecodingContainer& c) {
    auto inner = JsonDecoder().decode<Item>(c.decode<std::string>("text"));
    if (!inner.ok()) throw inner.error();
    return {inner.value(), c.decode<Item>("item")};
  }
};

TEST(JsonDecoder, DecodingInsideADecodingKeepsBothDocuments) {
  auto stored = JsonDecoder().decode<Stored>(
      R"({"text": "{\"id\": 5, \"viewUrl\": \"in\", \"tagIds\": [9]}", "item": {"id": 6, "viewUrl": "out", "tagIds": []}})");
  ASSERT_TRUE(stored.ok()) << stored.error().description();
  EXPECT_EQ(stored->inner.viewUrl, "in");
  EXPECT_EQ(stored->inner.tagIds, std::vector<std::int64_t>{9});
  EXPECT_EQ(stored->outer.viewUrl, "out");
}

// Reads every key any of the layouts below may have, so that each object's values show which of
// its keys were found.
struct Probe {
  std::int64_t id = 0;
  std::map<std::string, std::int64_t> found;

  static Probe decode(KeyedDecodingContainer& c) {
    Probe probe{c.decode<std::int64_t>("id"), {}};
    for (base::CodingKey key : {base::CodingKey("alpha"), base::CodingKey("beta"), base::CodingKey("gammaRay"),
                                base::CodingKey("longKeyWithSameEndsA12345678"),
                                base::CodingKey("longKeyWithSameEndsB12345678"), base::CodingKey("sameEndsXmidsameEnds"),
                                base::CodingKey("sameEndsYmidsameEnds"), base::CodingKey("")}) {
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

// Asks for different keys depending on a value: as literals, and spelt at run time in one buffer.
struct Switching {
  std::int64_t picked = 0;
  std::int64_t spelt = 0;

  static Switching decode(KeyedDecodingContainer& c) {
    static char name[2] = "c";
    bool first = c.decode<bool>("first");
    name[0] = first ? 'c' : 'd';
    return {first ? c.decode<std::int64_t>("a") : c.decode<std::int64_t>("b"),
            c.decode<std::int64_t>(base::CodingKey(std::string_view(name, 1)))};
  }
};

TEST(JsonDecoder, LookupsFollowTheKeysAskedForNotTheirOrder) {
  auto items = JsonDecoder().decode<std::vector<Switching>>(
      R"([{"first": true, "a": 1, "b": 2, "c": 3, "d": 4}, {"first": false, "a": 5, "b": 6, "c": 7, "d": 8},
          {"first": true, "a": 9, "b": 10, "c": 11, "d": 12}])");
  ASSERT_TRUE(items.ok()) << items.error().description();
  const std::pair<std::int64_t, std::int64_t> expected[] = {{1, 3}, {6, 8}, {9, 11}};
  ASSERT_EQ(items->size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ((*items)[i].picked, expected[i].first) << i;
    EXPECT_EQ((*items)[i].spelt, expected[i].second) << i;
  }
}

// An object holding objects of its own layout, read while the outer one is still being read.
struct Node {
  std::int64_t value = 0;
  std::vector<Node> children;
  std::int64_t after = 0;

  static Node decode(KeyedDecodingContainer& c) {
    Node node;
    node.value = c.decode<std::int64_t>("value");
    node.children = c.decode<std::vector<Node>>("children");
    node.after = c.decode<std::int64_t>("after");
    return node;
  }
};

TEST(JsonDecoder, NestedObjectsOfOneLayoutAndMoreLayoutsThanAreKept) {
  auto tree = JsonDecoder().decode<Node>(
      R"({"value": 1, "children": [{"value": 2, "children": [], "after": 20}], "after": 10})");
  ASSERT_TRUE(tree.ok()) << tree.error().description();
  EXPECT_EQ(tree->after, 10);
  ASSERT_EQ(tree->children.size(), 1u);
  EXPECT_EQ(tree->children[0].value, 2);
  EXPECT_EQ(tree->children[0].after, 20);

  // Far more layouts than a thread keeps: each object still finds its keys, in this document and
  // in the next ones.
  std::string list = "[";
  for (int i = 0; i < 600; ++i) {
    list += (i ? "," : "") + std::string(R"({"key_)") + std::to_string(i) + R"(": 0, "v": )" + std::to_string(i) + "}";
  }
  list += "]";
  for (int document = 0; document < 3; ++document) {
    auto boxes = snakeDecoder().decode<std::vector<Box<int>>>(list);
    ASSERT_TRUE(boxes.ok()) << boxes.error().description();
    ASSERT_EQ(boxes->size(), 600u);
    for (int i = 0; i < 600; ++i) EXPECT_EQ((*boxes)[static_cast<std::size_t>(i)].v, i);
  }
}

TEST(JsonDecoder, LargeObjectsAndManyThreads) {
  // Every key of a wide object is found, including after many misses.
  std::string wide = "{";
  for (int i = 0; i < 5000; ++i) wide += "\"key_" + std::to_string(i) + "\": " + std::to_string(i) + ",";
  wide += R"("id": 1, "viewUrl": "u", "tagIds": [3]})";
  auto item = JsonDecoder().decode<Item>(wide);
  ASSERT_TRUE(item.ok());
  EXPECT_EQ(item->tagIds, std::vector<std::int64_t>{3});
  auto all = JsonDecoder().decode<std::map<std::string, int>>(wide.substr(0, wide.find(R"("id")")) + "\"z\": 0}");
  ASSERT_TRUE(all.ok());
  EXPECT_EQ(all->size(), 5001u);

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
