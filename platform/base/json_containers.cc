#include <bit>
#include <cstring>

#include "platform/base/json_decoder.h"
#include "platform/base/json_shape.h"

namespace base {
namespace {

using json_detail::KeyForm;
using json_detail::PathNode;
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
  wireForms_.clear();
  keyAt_.clear();
  keyForms_.clear();
  plan = {};
}

void Shape::add(std::string_view wireKey) {
  auto wireAt = static_cast<std::uint32_t>(text_.size());
  wireAt_.push_back(wireAt);
  wireLength_.push_back(static_cast<std::uint32_t>(wireKey.size()));
  wireForms_.emplace_back(wireKey.data(), wireKey.size());
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

std::size_t Shape::find(std::string_view key) const {
  KeyForm wanted(key.data(), key.size());
  for (std::uint32_t slot = firstSlot(wanted.hash, slotShift_);; slot = (slot + 1) & slotMask_) {
    std::uint32_t position = slots_[slot];
    if (position == kEmptySlot) return kAbsent;
    if (sameKey(position, wanted, key.data())) return position;
  }
}

bool Shape::hasWireKey(std::size_t position, std::string_view key) const {
  if (!wireForms_[position].describes(key)) return false;
  if (key.size() <= KeyForm::kExactLength) return true;
  // The first and last eight bytes are equal; up to eight more bytes between them make one word.
  const char* wire = text_.data() + wireAt_[position] + 8;
  std::size_t middle = key.size() - KeyForm::kExactLength;
  if (middle <= 8) return loadBytes(wire, middle) == loadBytes(key.data() + 8, middle);
  return std::memcmp(wire, key.data() + 8, middle) == 0;
}

bool Shape::hasWireKeys(const std::string_view* keys, std::size_t count) const {
  if (count != size()) return false;
  for (std::size_t position = 0; position < count; ++position) {
    if (!hasWireKey(position, keys[position])) return false;
  }
  return true;
}

bool Shape::hasWireKeys(simdjson::dom::object object, element* values) const {
  std::size_t position = 0;
  for (auto field = object.begin(), end = object.end(); field != end; ++field, ++position) {
    if (!hasWireKey(position, field.key())) return false;
    values[position] = field.value();
  }
  return true;
}

Shape* ShapeCache::shapeOf(simdjson::dom::object object, KeyDecodingStrategy strategy, element* values) {
  std::size_t size = object.size();
  if (size > kMaxSharedKeys) return nullptr;
  Shape*& recent = recent_[size];
  if (recent != nullptr && recent->strategy == strategy && recent->hasWireKeys(object, values)) return recent;
  Shape* shape = find(object, strategy, values);
  if (shape != nullptr) recent = shape;
  return shape;
}

Shape* ShapeCache::find(simdjson::dom::object object, KeyDecodingStrategy strategy, element* values) {
  // Only the lengths and first bytes are hashed, as the comparison with the candidates reads the
  // keys in full anyway; the sum is rotated from key to key so that their order counts.
  std::uint64_t hash = static_cast<std::uint64_t>(strategy);
  std::size_t count = 0;
  for (auto field : object) {
    std::string_view key = field.key;
    std::uint64_t first = key.empty() ? 0 : static_cast<unsigned char>(key[0]);
    hash = std::rotl(hash, 5) + (key.size() << 8 | first);
    keys_[count] = key;
    values[count++] = field.value;
  }
  hash *= 0x9E3779B97F4A7C15u;
  constexpr std::size_t mask = kTableSize - 1;
  std::size_t slot = static_cast<std::size_t>(hash >> (64 - kTableBits));
  for (; table_[slot].shape != nullptr; slot = (slot + 1) & mask) {
    const Entry& entry = table_[slot];
    if (entry.hash == hash && entry.shape->strategy == strategy &&
        entry.shape->hasWireKeys(keys_.data(), count)) {
      return entry.shape;
    }
  }
  return add(slot, hash, strategy, count);
}

Shape* ShapeCache::add(std::size_t slot, std::uint64_t hash, KeyDecodingStrategy strategy, std::size_t count) {
  if (shapes_.size() == kMaxShapes) return nullptr;
  Shape& shape = *shapes_.emplace_back(std::make_unique<Shape>());
  shape.reset(strategy);
  for (std::size_t position = 0; position < count; ++position) shape.add(keys_[position]);
  shape.index();
  table_[slot] = {hash, &shape};
  return &shape;
}

void ShapeCache::dropIfFull() {
  if (shapes_.size() < kMaxShapes) return;
  table_ = {};
  recent_ = {};
  shapes_.clear();
}

}  // namespace json_detail

KeyedDecodingContainer::KeyedDecodingContainer(simdjson::dom::object object, const PathNode& at,
                                               json_detail::Context& context)
    : node_(at), member_{&node_, {}, 0, PathNode::Kind::shapeMember, nullptr}, context_(&context) {
  std::size_t size = object.size();  // saturates, but only past kInlineMembers
  if (size > kInlineMembers) {
    wide_.resize(static_cast<std::size_t>(std::distance(object.begin(), object.end())));
    values_ = wide_.data();
  } else {
    values_ = inline_.items;
  }
  shape_ = context.scratch->shapes.shapeOf(object, context.strategy, values_);
  if (shape_ == nullptr) {
    shape_ = new Shape;
    ownsShape_ = true;
    build(*shape_, object, context.strategy, values_);
  }
  member_.shape = shape_;
  plan_ = shape_->plan.data();
}

KeyedDecodingContainer::~KeyedDecodingContainer() {
  if (ownsShape_) delete shape_;
}

std::size_t KeyedDecodingContainer::lookUp(std::size_t step, CodingKey key) const {
  std::size_t position = shape_->find(key.name());
  if (step < json_detail::kPlannedLookups && key.isLiteral()) plan_[step] = {key.name_, key.length_, position};
  return position;
}

void KeyedDecodingContainer::failMissing(CodingKey key) const {
  std::string wire = wireFormOf(key.name(), context_->strategy);
  PathNode missing{&node_, wire, 0, PathNode::Kind::member};
  json_detail::fail(Kind::keyNotFound, missing, "no value for key \"" + std::string(key.name()) + "\"");
}

std::size_t KeyedDecodingContainer::require(CodingKey key) const {
  std::size_t position = find(key);
  if (position == kAbsent) failMissing(key);
  return position;
}

KeyedDecodingContainer KeyedDecodingContainer::nestedContainer(CodingKey key) const {
  std::size_t position = require(key);
  PathNode nested = at(position);
  return KeyedDecodingContainer(json_detail::decodeObject(values_[position], nested), nested, *context_);
}

UnkeyedDecodingContainer KeyedDecodingContainer::nestedUnkeyedContainer(CodingKey key) const {
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
