// JSON into typed values, strictly: no value changes JSON type on the way in. The platform's
// decoder is the model: keyed containers, required and optional keys, snake_case key conversion.
//
// A record declares how it decodes with a static member; the decoder finds it:
//
//   struct Tag {
//     std::int64_t id; std::string name; std::string slug;
//     static Tag decode(base::KeyedDecodingContainer& c) {
//       return Tag{c.decode<std::int64_t>("id"), c.decode<std::string>("name"),
//       c.decode<std::string>("slug")};
//     }
//   };
//   base::JsonDecoder decoder;
//   decoder.keyDecodingStrategy = base::KeyDecodingStrategy::convertFromSnakeCase;
//   base::Result<std::vector<Tag>, base::DecodingError> tags = decoder.decode<std::vector<Tag>>(body);
//
// Values the decoder knows: bool, every integer type (range-checked), float, double, std::string,
// enumerations with a JsonEnum specialisation (json_enum.h), std::vector<T>, std::map and
// std::unordered_map from std::string (their keys are never converted), and records as above.
// A header that declares a record needs only `namespace base { class KeyedDecodingContainer; }`.
// JSON numbers have no range: one beyond 64 bits or beyond a double's range matters only where a
// record reads it, as dataCorrupted for an integer and as the nearest value for a double (a double's
// range exceeded is dataCorrupted too).
//
// Inside a record's decode a failure is thrown and ends the whole decoding; JsonDecoder::decode
// catches it and returns it, so no exception leaves the decoder.
#pragma once

#include <simdjson.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/base/json_enum.h"
#include "platform/base/json_error.h"
#include "platform/base/result.h"

namespace base {

enum class KeyDecodingStrategy {
  useDefaultKeys,
  // The wire key "view_url" fills the record key "viewUrl": leading and trailing "_" are kept, the
  // rest is split on runs of "_", the first word lower-cased and each later word capitalised; a key
  // with no inner "_" is taken unchanged. Case mapping is ASCII; other bytes pass unchanged.
  convertFromSnakeCase,
};

std::string convertFromSnakeCase(std::string_view key);

// A key a record asks for: from a string literal as it stands, from anything else spelt out,
// CodingKey(text). Small enough to travel in registers.
class CodingKey {
 public:
  // Reading the text here admits only a constant array: a literal or a constexpr array.
  template <std::size_t N>
  consteval CodingKey(const char (&name)[N]) : name_(name), length_((N - 1) | kLiteral) {
    if (name[N - 1] != '\0') throw "a key's text ends with its terminator";
  }
  constexpr explicit CodingKey(std::string_view name) : name_(name.data()), length_(name.size()) {}

  constexpr std::string_view name() const { return {name_, length_ & ~kLiteral}; }
  // The text is a constant that lives as long as the program and never changes, so its address
  // alone tells this key from another.
  constexpr bool isLiteral() const { return (length_ & kLiteral) != 0; }

 private:
  friend class KeyedDecodingContainer;
  // Marks a literal in the length, past any length a text can have.
  static constexpr std::size_t kLiteral = std::size_t{1} << (std::numeric_limits<std::size_t>::digits - 1);

  const char* name_;
  std::size_t length_;
};

class KeyedDecodingContainer;
class UnkeyedDecodingContainer;

namespace json_detail {

struct Shape;
struct Scratch;
class BigNumbers;

// One step of the way from the document to a value; the chain lives on the stack and is spelt out
// only when something fails.
struct PathNode {
  // A member is named by its key, or by its position in a shape, whose key is looked up only if
  // the path is ever spelt out.
  enum class Kind : std::uint8_t { root, member, shapeMember, element };
  const PathNode* parent = nullptr;
  std::string_view key;
  std::size_t index = 0;
  Kind kind = Kind::root;
  const Shape* shape = nullptr;
};

std::string codingPath(const PathNode& at);

// A lookup that a record made through a shape, remembered for the next object of that shape.
struct PlannedLookup {
  const char* name = nullptr;  // a literal key's, as CodingKey keeps it
  std::size_t length = static_cast<std::size_t>(-1);  // no key's until set
  std::size_t position = 0;  // in the shape, or absent
};
// Lookups past this many in one object are not remembered.
inline constexpr std::size_t kPlannedLookups = 64;

struct Context {
  KeyDecodingStrategy strategy;
  Scratch* scratch;
  const BigNumbers* bigNumbers;  // null unless the document has numbers simdjson cannot hold
};

[[noreturn]] void fail(DecodingError::Kind kind, const PathNode& at, std::string description);
[[noreturn]] void failValueNotFound(const PathNode& at, const char* expected);
[[noreturn]] void failUnknownCase(const PathNode& at, std::string_view enumeration, std::string raw);
bool decodeBool(simdjson::dom::element value, const PathNode& at);
std::int64_t decodeSigned(simdjson::dom::element value, const PathNode& at, std::int64_t min, std::int64_t max,
                          int bits);
std::uint64_t decodeUnsigned(simdjson::dom::element value, const PathNode& at, std::uint64_t max, int bits);
double decodeDouble(simdjson::dom::element value, const PathNode& at);
float decodeFloat(simdjson::dom::element value, const PathNode& at);
std::string_view decodeString(simdjson::dom::element value, const PathNode& at);
simdjson::dom::array decodeArray(simdjson::dom::element value, const PathNode& at);
simdjson::dom::object decodeObject(simdjson::dom::element value, const PathNode& at);

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};
template <class T>
struct IsVector : std::false_type {};
template <class T, class A>
struct IsVector<std::vector<T, A>> : std::true_type {};
template <class T>
struct IsStringMap : std::false_type {};
template <class V, class C, class A>
struct IsStringMap<std::map<std::string, V, C, A>> : std::true_type {};
template <class V, class H, class E, class A>
struct IsStringMap<std::unordered_map<std::string, V, H, E, A>> : std::true_type {};

template <class T>
concept DecodableRecord = requires(KeyedDecodingContainer& container) {
  { T::decode(container) } -> std::same_as<T>;
};

template <class T>
constexpr const char* expectedText() {
  if constexpr (std::is_same_v<T, bool>) return "a bool";
  else if constexpr (std::is_integral_v<T>) return "an integer";
  else if constexpr (std::is_floating_point_v<T>) return "a number";
  else if constexpr (std::is_same_v<T, std::string>) return "a string";
  else if constexpr (JsonEnumeration<T>) return kIntegerBacked<T> ? "an integer" : "a string";
  else if constexpr (IsVector<T>::value) return "an array";
  else return "an object";
}

template <class T>
T decodeValue(simdjson::dom::element value, const PathNode& at, Context& context);

// The common case inline; anything else, failures included, out of line.
inline std::int64_t decodeInt64(simdjson::dom::element value, const PathNode& at) {
  if (value.type() == simdjson::dom::element_type::INT64) return value.get_int64().value_unsafe();
  return decodeSigned(value, at, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
                      64);
}

template <JsonEnumeration T>
T decodeEnum(simdjson::dom::element value, const PathNode& at) {
  if constexpr (kIntegerBacked<T>) {
    std::int64_t raw = decodeInt64(value, at);
    if (auto item = fromRawValue<T>(raw)) return *item;
    failUnknownCase(at, JsonEnum<T>::name, std::to_string(raw));
  } else {
    std::string_view raw = decodeString(value, at);
    if (auto item = fromRawValue<T>(raw)) return *item;
    failUnknownCase(at, JsonEnum<T>::name, "\"" + std::string(raw) + "\"");
  }
}

// An element's value, decoded where the vector constructs the element: a record is built in its
// place rather than built and then moved there.
template <class T>
struct DecodedElement {
  simdjson::dom::element value;
  const PathNode& at;
  Context& context;
  operator T() const { return decodeValue<T>(value, at, context); }
};

template <class T>
T decodeVector(simdjson::dom::element value, const PathNode& at, Context& context) {
  using Element = typename T::value_type;
  simdjson::dom::array array = decodeArray(value, at);
  T result;
  result.reserve(array.size());
  PathNode node{&at, {}, 0, PathNode::Kind::element};
  for (simdjson::dom::element item : array) {
    result.emplace_back(DecodedElement<Element>{item, node, context});
    ++node.index;
  }
  return result;
}

template <class T>
T decodeMap(simdjson::dom::element value, const PathNode& at, Context& context) {
  T result;
  for (auto field : decodeObject(value, at)) {
    PathNode node{&at, field.key, 0, PathNode::Kind::member};
    // A repeated key keeps its first value, as a record's keys do.
    result.emplace(std::string(field.key), decodeValue<typename T::mapped_type>(field.value, node, context));
  }
  return result;
}

template <class T>
T decodeRecord(simdjson::dom::element value, const PathNode& at, Context& context);

template <class T>
T decodeValue(simdjson::dom::element value, const PathNode& at, Context& context) {
  static_assert(!IsOptional<T>::value, "a value that may be absent or null is read with decodeIfPresent");
  // Each reader checks the JSON type and reports null as valueNotFound.
  if constexpr (std::is_same_v<T, bool>) {
    return decodeBool(value, at);
  } else if constexpr (std::is_same_v<T, std::int64_t>) {
    return decodeInt64(value, at);
  } else if constexpr (std::is_same_v<T, std::string>) {
    if (value.type() == simdjson::dom::element_type::STRING && context.bigNumbers == nullptr) {
      return std::string(value.get_string().value_unsafe());
    }
    return std::string(decodeString(value, at));
  } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
    return static_cast<T>(decodeSigned(value, at, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(),
                                       std::numeric_limits<T>::digits + 1));
  } else if constexpr (std::is_integral_v<T>) {
    return static_cast<T>(decodeUnsigned(value, at, std::numeric_limits<T>::max(), std::numeric_limits<T>::digits));
  } else if constexpr (std::is_same_v<T, double>) {
    return decodeDouble(value, at);
  } else if constexpr (std::is_same_v<T, float>) {
    return decodeFloat(value, at);
  } else if constexpr (JsonEnumeration<T>) {
    return decodeEnum<T>(value, at);
  } else if constexpr (IsVector<T>::value) {
    return decodeVector<T>(value, at, context);
  } else if constexpr (IsStringMap<T>::value) {
    return decodeMap<T>(value, at, context);
  } else {
    static_assert(DecodableRecord<T>, "the type needs a static T decode(base::KeyedDecodingContainer&)");
    return decodeRecord<T>(value, at, context);
  }
}

// The calling thread's parser, reused from one document to the next (it keeps its buffers), unless
// a decoding on this thread is already using it.
class Document {
 public:
  Document();
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // `padded`: the bytes after the text may be read (see JsonDecoder::decode).
  std::optional<DecodingError> parse(std::string_view json, bool padded);
  simdjson::dom::element root() const { return root_; }
  Scratch& scratch();
  const BigNumbers* bigNumbers() const;

  struct Slot;

 private:
  std::optional<DecodingError> parseQuotingBigNumbers(std::string_view json);

  Slot* slot_;
  bool owned_;
  std::size_t size_ = 0;
  simdjson::dom::element root_;
  std::unique_ptr<BigNumbers> bigNumbers_;  // only for a document that has them
  const BigNumbers* outerBigNumbers_;       // a document decoding around this one on the thread
};

DecodingError unexpectedFailure(const char* what);

}  // namespace json_detail

// The members of one JSON object, looked up by key. Lives only while the record's decode runs.
class KeyedDecodingContainer {
 public:
  KeyedDecodingContainer(simdjson::dom::object object, const json_detail::PathNode& at,
                         json_detail::Context& context);
  ~KeyedDecodingContainer();
  KeyedDecodingContainer(const KeyedDecodingContainer&) = delete;
  KeyedDecodingContainer& operator=(const KeyedDecodingContainer&) = delete;

  // The key is present, whatever its value (null included).
  bool contains(CodingKey key) const { return find(key) != kAbsent; }

  // Absent: keyNotFound; null: valueNotFound; another JSON type: typeMismatch.
  template <class T>
  T decode(CodingKey key) const {
    std::size_t position = find(key);
    if (position == kAbsent) failMissing(key);
    return json_detail::decodeValue<T>(values_[position], at(position), *context_);
  }

  // Absent or null: none; another JSON type still fails.
  template <class T>
  std::optional<T> decodeIfPresent(CodingKey key) const {
    std::size_t position = find(key);
    if (position == kAbsent || values_[position].is_null()) return std::nullopt;
    return json_detail::decodeValue<T>(values_[position], at(position), *context_);
  }

  KeyedDecodingContainer nestedContainer(CodingKey key) const;
  UnkeyedDecodingContainer nestedUnkeyedContainer(CodingKey key) const;

 private:
  static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);
  // Members kept in the container itself; a wider object keeps them on the heap.
  static constexpr std::size_t kInlineMembers = 48;

  // Every record field is looked up here. A record asks for its keys in the same order object
  // after object, so the shape remembers where each of its lookups went; a lookup that goes the
  // same way again costs one comparison of the key's address.
  std::size_t find(CodingKey key) const {
    std::size_t step = lookups_++;
    // Only literal keys are remembered, and no other key has a literal's marked length.
    if (step < json_detail::kPlannedLookups) {
      const json_detail::PlannedLookup& planned = plan_[step];
      if (planned.name == key.name_ && planned.length == key.length_) return planned.position;
    }
    return lookUp(step, key);
  }
  std::size_t lookUp(std::size_t step, CodingKey key) const;
  [[noreturn]] void failMissing(CodingKey key) const;
  // Where a member's value sits, for the value's decoding (and only while it runs): one node
  // serves every member, as the members are decoded one at a time.
  const json_detail::PathNode& at(std::size_t position) const {
    member_.index = position;
    return member_;
  }
  std::size_t require(CodingKey key) const;

  json_detail::PathNode node_;
  mutable json_detail::PathNode member_;
  json_detail::Context* context_;
  json_detail::Shape* shape_;  // shared with objects of the same keys, or owned
  bool ownsShape_ = false;
  json_detail::PlannedLookup* plan_;  // the shape's
  mutable std::size_t lookups_ = 0;
  simdjson::dom::element* values_;
  std::vector<simdjson::dom::element> wide_;
  union InlineValues {
    InlineValues() {}
    simdjson::dom::element items[kInlineMembers];
  } inline_;
};

// The elements of one JSON array, read front to back.
class UnkeyedDecodingContainer {
 public:
  UnkeyedDecodingContainer(simdjson::dom::array array, const json_detail::PathNode& at,
                           json_detail::Context& context);
  UnkeyedDecodingContainer(const UnkeyedDecodingContainer&) = delete;
  UnkeyedDecodingContainer& operator=(const UnkeyedDecodingContainer&) = delete;

  std::size_t count() const { return count_; }
  bool isAtEnd() const { return next_ == end_; }
  std::size_t currentIndex() const { return node_.index; }

  // At the end: valueNotFound; null: valueNotFound; another JSON type: typeMismatch.
  template <class T>
  T decode() {
    json_detail::PathNode at = node_;
    return json_detail::decodeValue<T>(take(json_detail::expectedText<T>()), at, *context_);
  }

  // At the end or null: none (a null is consumed).
  template <class T>
  std::optional<T> decodeIfPresent() {
    if (isAtEnd()) return std::nullopt;
    json_detail::PathNode at = node_;
    simdjson::dom::element value = take(json_detail::expectedText<T>());
    if (value.is_null()) return std::nullopt;
    return json_detail::decodeValue<T>(value, at, *context_);
  }

  KeyedDecodingContainer nestedContainer();

 private:
  simdjson::dom::element take(const char* expected);

  json_detail::PathNode self_;  // where the array sits
  json_detail::PathNode node_;  // the element to be read next
  json_detail::Context* context_;
  simdjson::dom::array::iterator next_;
  simdjson::dom::array::iterator end_;
  std::size_t count_;
};

template <class T>
T json_detail::decodeRecord(simdjson::dom::element value, const PathNode& at, Context& context) {
  KeyedDecodingContainer container(decodeObject(value, at), at, context);
  return T::decode(container);
}

class JsonDecoder {
 public:
  KeyDecodingStrategy keyDecodingStrategy = KeyDecodingStrategy::useDefaultKeys;

  // The first failure met, in the record's own reading order; a document that is not JSON is
  // dataCorrupted at the root.
  template <class T>
  Result<T, DecodingError> decode(std::string_view json) const {
    return decodeDocument<T>(json, false);
  }

  // Text whose buffer has simdjson::SIMDJSON_PADDING spare bytes of capacity past its end is
  // parsed where it lies instead of being copied first.
  template <class T, class Text>
    requires std::same_as<Text, std::string>
  Result<T, DecodingError> decode(const Text& json) const {
    return decodeDocument<T>(json, json.capacity() - json.size() >= simdjson::SIMDJSON_PADDING);
  }

 private:
  template <class T>
  Result<T, DecodingError> decodeDocument(std::string_view json, bool padded) const {
    json_detail::Document document;
    if (auto error = document.parse(json, padded)) return std::move(*error);
    try {
      json_detail::Context context{keyDecodingStrategy, &document.scratch(), document.bigNumbers()};
      return json_detail::decodeValue<T>(document.root(), json_detail::PathNode{}, context);
    } catch (DecodingError& error) {
      return std::move(error);
    } catch (const std::exception& error) {
      return json_detail::unexpectedFailure(error.what());
    } catch (...) {
      return json_detail::unexpectedFailure("unknown exception");
    }
  }
};

}  // namespace base
