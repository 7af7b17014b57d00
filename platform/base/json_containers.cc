#include <bit>
#include <cstring>

#include "platform/base/json_decoder.h"
#include "platform/base/json_shape.h"

namespace base {
namespace {

using json_detail::KeyForm;
using json_detail::PathNode;
using json_detail::Scratch;
using json_detail::Shape;
using Kind = DecodingError::Kind;
using simdjson::dom::element;

using json_detail::firstSlot;
using json_detail::kEmptySlot;

char lowered(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char uppered(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Appends the key's camelCase form to `out`; returns false, appending nothing, when that form is
// the key itself.
bool appendConverted(std::string_view key, std::string& out) {
  const char* in = key.data();
  std::size_t size = key.size();
  std::size_t first = 0;
  while (first < size && in[first] == '_') ++first;
  if (first == size) return false;
  std::size_t last = size;  // one past the last character that is not "_"
  while (in[last - 1] == '_') --last;
  if (std::memchr(in + first, '_', last - first) == nullptr) return false;
  out.append(in, first);
  std::size_t i = first;
  for (; in[i] != '_'; ++i) out += lowered(in[i]);
  bool wordStart = true;
  for (; i < last; ++i) {
    char c = in[i];
    if (c == '_') {
      wordStart = true;
      continue;
    }
    out += wordStart ? uppered(c) : lowered(c);
    wordStart = isSpace(c);
  }
  out.append(in + last, size - last);
  return true;
}

// How a missing key would have been written on the wire, for the error's path.
std::string wireFormOf(std::string_view key, KeyDecodingStrategy strategy) {
  if (strategy != KeyDecodingStrategy::convertFromSnakeCase) return std::string(key);
  std::string wire;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (key[i] >= 'A' && key[i] <= 'Z' && i > 0) wire += '_';
    wire += lowered(key[i]);
  }
  return wire;
}

std::uint64_t load8(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, 8);
  return word;
}

std::uint32_t load4(const char* bytes) {
  std::uint32_t word;
  std::memcpy(&word, bytes, 4);
  return word;
}

// Equal bytes, for the short keys of records without a call per comparison.
inline bool sameBytes(const char* a, const char* b, std::size_t size) {
  if (size >= 8 && size <= 2 * KeyForm::kExactLength) {
    std::size_t middle = size > KeyForm::kExactLength ? 8 : 0;
    return load8(a) == load8(b) && load8(a + middle) == load8(b + middle) &&
           load8(a + size - 8 - middle) == load8(b + size - 8 - middle) && load8(a + size - 8) == load8(b + size - 8);
  }
  if (size >= 4 && size < 8) return load4(a) == load4(b) && load4(a + size - 4) == load4(b + size - 4);
  return std::memcmp(a, b, size) == 0;
}

std::size_t shapeBucket(simdjson::dom::object object, KeyDecodingStrategy strategy) {
  std::size_t seed = object.size() * 0x9E3779B1u + static_cast<std::size_t>(strategy);
  auto first = object.begin();
  if (first != object.end()) seed ^= KeyForm(first.key_c_str(), first.key_length()).hash;
  return (seed ^ (seed >> 7) ^ (seed >> 13)) % Scratch::kShapes;
}

// Reads the object's values through the shape when the object has exactly its keys.
bool collect(const Shape& shape, simdjson::dom::object object, element* values) {
  std::size_t position = 0;
  for (auto field : object) {
    if (position == shape.size() || !shape.hasWireKey(position, field.key)) return false;
    values[position++] = field.value;
  }
  return position == shape.size();
}

void build(Shape& shape, simdjson::dom::object object, KeyDecodingStrategy strategy, element* values) {
  shape.reset(strategy);
  for (auto field : object) {
    values[shape.size()] = field.value;
    shape.add(field.key);
  }
  shape.index();
}

}  // namespace

std::string convertFromSnakeCase(std::string_view key) {
  std::string converted;
  if (!appendConverted(key, converted)) return std::string(key);
  return converted;
}

namespace json_detail {

void Shape::reset(KeyDecodingStrategy newStrategy) {
  strategy = newStrategy;
  text_.clear();
  wireAt_.clear();
  wireLength_.clear();
  keyAt_.clear();
  keyForms_.clear();
}

void Shape::add(std::string_view wireKey) {
  auto wireAt = static_cast<std::uint32_t>(text_.size());
  wireAt_.push_back(wireAt);
  wireLength_.push_back(static_cast<std::uint32_t>(wireKey.size()));
  text_.append(wireKey);
  std::size_t keyAt = text_.size();
  if (strategy == KeyDecodingStrategy::convertFromSnakeCase && appendConverted(wireKey, text_)) {
    keyAt_.push_back(static_cast<std::uint32_t>(keyAt));
    keyForms_.emplace_back(text_.data() + keyAt, text_.size() - keyAt);
  } else {
    keyAt_.push_back(wireAt);
    keyForms_.emplace_back(wireKey.data(), wireKey.size());
  }
}

void Shape::index() {
  // A table at most half full, so probing always reaches an empty slot.
  int bits = std::max(3, static_cast<int>(std::bit_width(size() * 2)));
  slotShift_ = 32 - bits;
  slotMask_ = (1u << bits) - 1;
  slots_.assign(std::size_t{slotMask_} + 1, kEmptySlot);
  for (std::size_t position = 0; position < size(); ++position) {
    const KeyForm& form = keyForms_[position];
    for (std::uint32_t slot = firstSlot(form.hash, slotShift_);; slot = (slot + 1) & slotMask_) {
      if (slots_[slot] == kEmptySlot) {
        slots_[slot] = static_cast<std::uint32_t>(position);
        break;
      }
      // A key met again (also "view_url" after "viewUrl") keeps its first value.
      if (sameKey(slots_[slot], form, text_.data() + keyAt_[position])) break;
    }
  }
}

bool Shape::sameKey(std::size_t position, const KeyForm& form, const char* text) const {
  const KeyForm& mine = keyForms_[position];
  if (mine.hash != form.hash || !mine.sameStart(form)) return false;
  return form.length <= KeyForm::kExactLength || std::memcmp(text_.data() + keyAt_[position], text, form.length) == 0;
}

bool Shape::hasWireKey(std::size_t position, std::string_view wireKey) const {
  return wireLength_[position] == wireKey.size() && sameBytes(text_.data() + wireAt_[position], wireKey.data(), wireKey.size());
}

}  // namespace json_detail

KeyedDecodingContainer::KeyedDecodingContainer(simdjson::dom::object object, const PathNode& at,
                                               json_detail::Context& context)
    : node_(at), context_(&context) {
  std::size_t size = object.size();  // saturates, but only past kInlineMembers
  if (size > kInlineMembers) {
    wide_.resize(static_cast<std::size_t>(std::distance(object.begin(), object.end())));
    values_ = wide_.data();
  } else {
    values_ = inline_.items;
  }
  std::unique_ptr<Shape>& shared = context.scratch->shapes[shapeBucket(object, context.strategy)];
  if (shared && shared->strategy == context.strategy && collect(*shared, object, values_)) {
    shape_ = shared.get();
  } else {
    if (!shared) shared = std::make_unique<Shape>();
    ownsShape_ = shared->users > 0 || size > Scratch::kMaxSharedKeys;
    shape_ = ownsShape_ ? new Shape : shared.get();
    build(*shape_, object, context.strategy, values_);
  }
  ++shape_->users;
  slots_ = shape_->slots();
  forms_ = shape_->forms();
  slotMask_ = shape_->slotMask();
  slotShift_ = shape_->slotShift();
}

KeyedDecodingContainer::~KeyedDecodingContainer() {
  --shape_->users;
  if (ownsShape_) delete shape_;
}

bool KeyedDecodingContainer::sameLongKey(std::size_t position, std::string_view name) const {
  return sameBytes(shape_->key(position).data(), name.data(), name.size());
}

void KeyedDecodingContainer::failMissing(const CodingKey& key) const {
  std::string wire = wireFormOf(key.name(), context_->strategy);
  PathNode missing{&node_, wire, 0, PathNode::Kind::member};
  json_detail::fail(Kind::keyNotFound, missing, "no value for key \"" + std::string(key.name()) + "\"");
}

std::size_t KeyedDecodingContainer::require(const CodingKey& key) const {
  std::size_t position = find(key);
  if (position == kAbsent) failMissing(key);
  return position;
}

KeyedDecodingContainer KeyedDecodingContainer::nestedContainer(const CodingKey& key) const {
  std::size_t position = require(key);
  PathNode nested = at(position);
  return KeyedDecodingContainer(json_detail::decodeObject(values_[position], nested), nested, *context_);
}

UnkeyedDecodingContainer KeyedDecodingContainer::nestedUnkeyedContainer(const CodingKey& key) const {
  std::size_t position = require(key);
  PathNode nested = at(position);
  return UnkeyedDecodingContainer(json_detail::decodeArray(values_[position], nested), nested, *context_);
}

UnkeyedDecodingContainer::UnkeyedDecodingContainer(simdjson::dom::array array, const PathNode& at,
                                                   json_detail::Context& context)
    : self_(at),
      node_{&self_, {}, 0, PathNode::Kind::element},
      context_(&context),
      next_(array.begin()),
      end_(array.end()),
      count_(array.size()) {
  // The array's own count saturates; count the rest by walking it.
  if (count_ == 0xFFFFFF) count_ = static_cast<std::size_t>(std::distance(array.begin(), array.end()));
}

element UnkeyedDecodingContainer::take(const char* expected) {
  if (isAtEnd()) {
    json_detail::fail(Kind::valueNotFound, node_, std::string("expected ") + expected + ", found the end of the array");
  }
  element value = *next_;
  ++next_;
  ++node_.index;
  return value;
}

KeyedDecodingContainer UnkeyedDecodingContainer::nestedContainer() {
  PathNode nested = node_;
  element value = take("an object");
  return KeyedDecodingContainer(json_detail::decodeObject(value, nested), nested, *context_);
}

}  // namespace base
