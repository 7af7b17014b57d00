// Arbitrary bytes into a small nested record, under both key strategies, and into a dynamic value.
// Nothing may crash, hang, leak or throw; whatever decodes must encode and decode back unchanged.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"
#include "platform/base/json_value.h"

namespace {

enum class Level : std::int64_t { low = -1, high = 7 };
enum class Word { on, off };

}  // namespace

template <>
struct base::JsonEnum<Level> {
  static constexpr std::string_view name = "Level";
  static constexpr Level cases[] = {Level::low, Level::high};
};
template <>
struct base::JsonEnum<Word> {
  static constexpr std::string_view name = "Word";
  static constexpr std::pair<Word, std::string_view> cases[] = {{Word::on, "on"}, {Word::off, "off"}};
};

namespace {

struct Leaf {
  std::int8_t small = 0;
  std::optional<std::uint64_t> bigValue;
  std::optional<bool> flag;
  std::optional<float> ratio;
  std::optional<double> real;
  std::optional<std::string> name;
  std::optional<Level> level;
  std::optional<Word> word;

  static Leaf decode(base::KeyedDecodingContainer& c) {
    Leaf leaf;
    leaf.small = c.decodeIfPresent<std::int8_t>("s").value_or(0);
    leaf.bigValue = c.decodeIfPresent<std::uint64_t>("bigValue");
    leaf.flag = c.decodeIfPresent<bool>("f");
    leaf.ratio = c.decodeIfPresent<float>("r");
    leaf.real = c.decodeIfPresent<double>("d");
    leaf.name = c.decodeIfPresent<std::string>("n");
    leaf.level = c.decodeIfPresent<Level>("l");
    leaf.word = c.decodeIfPresent<Word>("w");
    return leaf;
  }
  void encode(base::KeyedEncodingContainer& c) const {
    c.encode("s", small);
    c.encodeIfPresent("bigValue", bigValue);
    c.encodeIfPresent("f", flag);
    c.encodeIfPresent("r", ratio);
    c.encodeIfPresent("d", real);
    c.encodeIfPresent("n", name);
    c.encodeIfPresent("l", level);
    c.encodeIfPresent("w", word);
  }
  friend bool operator==(const Leaf&, const Leaf&) = default;
};

struct Node {
  std::int64_t id = 0;
  std::optional<Leaf> leaf;
  std::vector<Leaf> list;
  std::map<std::string, std::int64_t> counts;
  std::optional<std::vector<std::vector<std::int32_t>>> grid;
  std::optional<std::pair<std::int64_t, std::optional<std::string>>> pair;

  static Node decode(base::KeyedDecodingContainer& c) {
    Node node;
    node.id = c.decode<std::int64_t>("id");
    if (c.contains("leaf")) {
      base::KeyedDecodingContainer leaf = c.nestedContainer("leaf");
      node.leaf = Leaf::decode(leaf);
    }
    node.list = c.decodeIfPresent<std::vector<Leaf>>("list").value_or(std::vector<Leaf>{});
    node.counts = c.decodeIfPresent<std::map<std::string, std::int64_t>>("counts").value_or(node.counts);
    node.grid = c.decodeIfPresent<std::vector<std::vector<std::int32_t>>>("grid");
    if (c.contains("pair")) {
      base::UnkeyedDecodingContainer pair = c.nestedUnkeyedContainer("pair");
      std::int64_t first = pair.decode<std::int64_t>();
      node.pair.emplace(first, pair.decodeIfPresent<std::string>());
    }
    return node;
  }
  void encode(base::KeyedEncodingContainer& c) const {
    c.encode("id", id);
    c.encodeIfPresent("leaf", leaf);
    c.encode("list", list);
    c.encode("counts", counts);
    c.encodeIfPresent("grid", grid);
    if (pair) c.encode("pair", nlohmann::json::array({pair->first, base::JsonEncoder().encodeToValue(pair->second).value()}));
  }
  friend bool operator==(const Node&, const Node&) = default;
};

template <class T>
void decodeRoundTrip(std::string_view bytes, base::KeyDecodingStrategy strategy) {
  base::JsonDecoder decoder;
  decoder.keyDecodingStrategy = strategy;
  auto decoded = decoder.decode<T>(bytes);
  if (!decoded.ok()) {
    (void)base::Error(decoded.error()).description();
    return;
  }
  auto text = base::JsonEncoder().encode(decoded.value());
  if (!text.ok()) std::abort();
  auto again = decoder.decode<T>(text.value());
  if (!again.ok() || !(again.value() == decoded.value())) std::abort();
}

void valueRoundTrip(std::string_view bytes) {
  auto value = base::parseJson(bytes);
  if (!value.ok()) return;
  auto text = base::dumpJson(value.value());
  if (!text.ok()) std::abort();
  auto again = base::parseJson(text.value());
  if (!again.ok() || again.value() != value.value()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  decodeRoundTrip<Node>(bytes, base::KeyDecodingStrategy::useDefaultKeys);
  decodeRoundTrip<Node>(bytes, base::KeyDecodingStrategy::convertFromSnakeCase);
  decodeRoundTrip<std::vector<std::map<std::string, double>>>(bytes, base::KeyDecodingStrategy::useDefaultKeys);
  valueRoundTrip(bytes);
  return 0;
}
