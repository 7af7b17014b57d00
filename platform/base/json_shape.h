// Internal to the JSON decoder: how a keyed container finds a member fast.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/json_decoder.h"

namespace base::json_detail {

// Reads up to 8 bytes as one little-endian word, none past them.
inline std::uint64_t loadBytes(const char* bytes, std::size_t count) {
  auto byte = [&](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i); };
  if constexpr (std::endian::native != std::endian::little) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < count; ++i) word |= byte(i);
    return word;
  }
  if (count == 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
    return word;
  }
  if (count >= 4) {  // two loads that overlap on equal bytes
    std::uint32_t low, high;
    std::memcpy(&low, bytes, 4);
    std::memcpy(&high, bytes + count - 4, 4);
    return low | (std::uint64_t{high} << (8 * (count - 4)));
  }
  return count == 0 ? 0 : byte(0) | byte(count / 2) | byte(count - 1);
}

// A key reduced to its length and first and last eight bytes: equal forms are equal keys up to
// sixteen bytes; longer keys are confirmed by comparing their text.
struct KeyForm {
  static constexpr std::size_t kExactLength = 16;

  std::uint64_t head = 0;
  std::uint64_t tail = 0;
  std::uint32_t length = 0;
  std::uint32_t hash = 0;

  KeyForm() = default;
  KeyForm(const char* key, std::size_t size)
      : head(loadBytes(key, size < 8 ? size : 8)),
        tail(size > 8 ? loadBytes(key + size - 8, 8) : 0),
        length(static_cast<std::uint32_t>(size)) {
    std::uint64_t mixed = (head * 0x9E3779B97F4A7C15u) ^ (tail * 0xC2B2AE3D27D4EB4Fu) ^ size;
    mixed ^= mixed >> 29;
    hash = static_cast<std::uint32_t>(mixed ^ (mixed >> 32));
  }
  bool sameStart(const KeyForm& other) const {
    return length == other.length && head == other.head && tail == other.tail;
  }
  // The same as sameStart(KeyForm(key)), reading no more of the key than it must.
  bool describes(std::string_view key) const {
    if (key.size() != length) return false;
    if (length <= 8) return loadBytes(key.data(), length) == head;
    return loadBytes(key.data(), 8) == head && loadBytes(key.data() + length - 8, 8) == tail;
  }
};

constexpr std::uint32_t kEmptySlot = 0xFFFFFFFFu;
// Fibonacci hashing spreads keys that differ only in a few bits.
inline std::uint32_t firstSlot(std::uint32_t hash, int shift) {
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(hash) * 0x9E3779B1u) & 0xFFFFFFFFu) >> shift;
}

// The keys of one JSON object in order, each also in the form records ask for, with a table to
// look them up. The objects of a list usually have one of a few key layouts (the ads of an ad
// list), so one shape serves every object of its layout and its keys are converted and hashed once.
struct Shape {
  static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

  KeyDecodingStrategy strategy = KeyDecodingStrategy::useDefaultKeys;
  // Where the lookups of the last record read through this shape went, in their order (see
  // KeyedDecodingContainer::find). Each entry answers for its key alone, so a record that asks in
  // another order, or another record reading the same layout, only misses and rewrites it.
  std::array<PlannedLookup, kPlannedLookups> plan;

  void reset(KeyDecodingStrategy newStrategy);
  void add(std::string_view wireKey);
  void index();  // after the last add

  std::size_t size() const { return wireAt_.size(); }
  std::string_view wireKey(std::size_t position) const {
    return std::string_view(text_).substr(wireAt_[position], wireLength_[position]);
  }
  std::string_view key(std::size_t position) const {
    return std::string_view(text_).substr(keyAt_[position], keyForms_[position].length);
  }
  // The first position of the key, or kAbsent.
  std::size_t find(std::string_view key) const;
  // The object's keys are this shape's wire keys.
  bool hasWireKeys(const std::string_view* keys, std::size_t count) const;
  // The same for an object of size() keys, collecting its values in order while its keys are
  // compared (`values` then holds nothing certain when they differ).
  bool hasWireKeys(simdjson::dom::object object, simdjson::dom::element* values) const;

 private:
  bool sameKey(std::size_t position, const KeyForm& form, const char* text) const;
  bool hasWireKey(std::size_t position, std::string_view key) const;

  std::string text_;  // wire keys and converted keys
  std::vector<std::uint32_t> wireAt_;
  std::vector<std::uint32_t> wireLength_;
  std::vector<KeyForm> wireForms_;
  std::vector<std::uint32_t> keyAt_;
  std::vector<KeyForm> keyForms_;
  // Open addressing, slot to position, the first position when the object repeats a key.
  std::vector<std::uint32_t> slots_;
  std::uint32_t slotMask_ = 0;
  int slotShift_ = 0;
};

// Per thread: the shapes of the key layouts met lately. An object is first compared with the shape
// last found for an object of as many keys, in one pass that also collects its values: the
// records of one list mostly share a layout. Otherwise its keys are hashed in order (lengths and
// first bytes) while its values are collected; the hash picks the candidate shapes and the one
// whose wire keys equal the object's, compared in full, is its shape. Such an object costs one
// more pass over its keys and one comparison with the right shape, however many layouts share its
// key count or first key (an ad list's ads come in a score of layouts, most of them alike in both);
// layouts whose hashes collide only cost another comparison. A shape is never rebuilt or freed
// while a document is decoded, as containers read through it: past kMaxShapes, new layouts get
// shapes of their own until the next document begins, which empties a full cache.
class ShapeCache {
 public:
  // An object with more keys gets a shape of its own, dropped with its container.
  static constexpr std::size_t kMaxSharedKeys = 256;
  static constexpr std::size_t kMaxShapes = 128;

  // The shared shape of the object's keys, with its values collected in order into `values`;
  // null when the object is too wide or the cache is full (`values` then holds nothing certain).
  Shape* shapeOf(simdjson::dom::object object, KeyDecodingStrategy strategy, simdjson::dom::element* values);
  // Only between documents.
  void dropIfFull();

 private:
  static constexpr int kTableBits = 8;
  static constexpr std::size_t kTableSize = std::size_t{1} << kTableBits;  // at most half full
  struct Entry {
    std::uint64_t hash = 0;
    Shape* shape = nullptr;
  };

  Shape* find(simdjson::dom::object object, KeyDecodingStrategy strategy, simdjson::dom::element* values);
  Shape* add(std::size_t slot, std::uint64_t hash, KeyDecodingStrategy strategy, std::size_t count);

  std::array<Entry, kTableSize> table_{};
  // By key count, the shape last found for an object of that many keys.
  std::array<Shape*, kMaxSharedKeys + 1> recent_{};
  std::vector<std::unique_ptr<Shape>> shapes_;
  std::array<std::string_view, kMaxSharedKeys> keys_;  // the object's, while its shape is found
};

struct Scratch {
  ShapeCache shapes;
};

}  // namespace base::json_detail
